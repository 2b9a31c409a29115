// SPDX-License-Identifier: GPL-3.0-or-later
// The entry window's picture import: the button, Ctrl+V with a copied picture, amber doubtful cells
// and the summary. What the reader finds is the reader's tests' business; here the wiring is checked.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <QTest>
#include <QTimer>
#include <memory>

#include "common/folders.h"
#include "scan/scan.h"
#include "scan_pictures/scan_pictures.h"
#include "support/entry_window.h"
#include "support/scripted_prompter.h"
#include "support/test_env.h"
#include "support/test_files.h"
#include "ui/eingabe/eingabe.h"
#include "ui/eingabe/eingabe_scan.h"
#include "ui/eingabe/frlos2.h"

namespace {

class EntryScan : public ::testing::Test {
 protected:
  void SetUp() override {
    EstablishDataFolders();
    // One frame already there: the tickets of a picture are appended after it.
    w_ = OpenEntryWindow(1);
    ASSERT_FALSE(HasFailure());
  }

  // Two tickets, the second with 7 twice (cells 1 and 2 doubtful).
  GeneratedPicture twoTickets() {
    PictureRecipe recipe;
    recipe.tickets = 2;
    TicketCells doubled;
    for (int c = 0; c < 25; ++c) doubled[std::size_t(c)] = QString::number(c + 7);
    doubled[1] = QStringLiteral("7");
    recipe.given = {GeneratePicture(PictureRecipe{}).tickets[0], doubled};
    return GeneratePicture(recipe);
  }

  QString file(const QString& name, const QByteArray& bytes) {
    const QString path = testRootDir() + "/" + name;
    EXPECT_TRUE(WriteTestFile(path, bytes));
    return path;
  }

  ScriptedPrompter prompter_;
  std::unique_ptr<TFEingabe> w_;
};

TEST_F(EntryScan, the_button_appends_a_frame_per_ticket_with_doubtful_cells_amber_until_typed_into) {
  const GeneratedPicture pic = twoTickets();
  prompter_.fileAnswers << file("zwei.png", pic.bytes);
  auto* button = w_->findChild<QPushButton*>("BBild");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), "Aus Bild einlesen...");
  button->click();
  ASSERT_EQ(prompter_.dialogs.size(), 1);
  EXPECT_TRUE(prompter_.dialogs[0].filter.contains("*.png"));
  EXPECT_TRUE(prompter_.dialogs[0].filter.contains("*.jpg"));

  ASSERT_EQ(w_->EinLosCount, 3);
  TicketEditGrid* grid = w_->EinLosGrids[2];
  EXPECT_TRUE(grid->isDoubtful(0));
  EXPECT_TRUE(grid->isDoubtful(1));
  EXPECT_TRUE(grid->cellText(0, 0).isEmpty());
  EXPECT_EQ(grid->cells()[24], pic.tickets[1][24]);
  const int doubtful = [&] {
    int n = 0;
    for (int t = 1; t <= 2; ++t)
      for (int c = 0; c < 25; ++c) n += w_->EinLosGrids[t]->isDoubtful(c);
    return n;
  }();
  ASSERT_EQ(prompter_.texts(),
            QStringList{QStringLiteral("2 Lose gefunden, %1 Zahlen bitte prüfen.").arg(doubtful)});

  // The mark shows as the cell's background and goes once the user types a number in.
  const QModelIndex first = grid->model()->index(0, 0);
  EXPECT_EQ(first.data(Qt::BackgroundRole).value<QColor>(), QColor::fromRgb(TFfrLos2::kDoubtfulColour));
  grid->model()->setData(first, "7", Qt::EditRole);
  EXPECT_FALSE(grid->isDoubtful(0));
  EXPECT_FALSE(first.data(Qt::BackgroundRole).isValid());
  EXPECT_TRUE(grid->isDoubtful(1));
}

TEST_F(EntryScan, a_grid_in_doubt_has_every_cell_amber_and_is_named_in_the_summary) {
  ScannedTicket sure, unsure;
  for (int c = 0; c < 25; ++c)
    sure.cells[std::size_t(c)] = unsure.cells[std::size_t(c)] = QString::number(c + 1);
  unsure.gridDoubtful = true;
  unsure.cells[0].clear();
  ScanResult result;
  result.tickets = {sure, unsure};
  AddScannedTickets(*w_, result);
  ASSERT_EQ(w_->EinLosCount, 3);
  for (int c = 0; c < 25; ++c) {
    EXPECT_FALSE(w_->EinLosGrids[1]->isDoubtful(c));
    EXPECT_TRUE(w_->EinLosGrids[2]->isDoubtful(c)) << c;
  }
  EXPECT_EQ(w_->EinLosGrids[2]->cellText(4, 4), "25") << "the numbers stay where they were read";
  ASSERT_EQ(prompter_.texts(),
            QStringList{"2 Lose gefunden, 25 Zahlen bitte prüfen.\r\rLos 3 bitte prüfen: Raster unsicher"});

  // Of many such grids ten are named one by one, the rest in one line that names ten of them.
  prompter_.messages.clear();
  result.tickets.assign(22, unsure);
  AddScannedTickets(*w_, result);
  QStringList lines;
  for (int n = 4; n <= 13; ++n) lines << QStringLiteral("Los %1 bitte prüfen: Raster unsicher").arg(n);
  lines << "12 weitere Lose bitte prüfen: Raster unsicher (Lose 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, …)";
  EXPECT_EQ(prompter_.texts(),
            QStringList{"22 Lose gefunden, 550 Zahlen bitte prüfen.\r\r" + lines.join('\r')});
}

TEST_F(EntryScan, a_picture_without_a_ticket_or_a_damaged_file_changes_nothing) {
  QImage blank(400, 300, QImage::Format_RGB32);
  blank.fill(Qt::white);
  const QString empty = testRootDir() + "/leer.png";
  ASSERT_TRUE(blank.save(empty));
  ReadTicketsFromImageFile(*w_, empty);
  ReadTicketsFromImageFile(*w_, file("kaputt.jpg", "\xff\xd8\xff garbage"));
  EXPECT_EQ(w_->EinLosCount, 1);
  ASSERT_EQ(prompter_.messages.size(), 2);
  EXPECT_EQ(prompter_.messages[0].text, "Im Bild wurde kein Los gefunden.");
  EXPECT_EQ(prompter_.messages[1].kind, "error");
  EXPECT_TRUE(prompter_.messages[1].text.startsWith("Das Bild „kaputt.jpg“ kann nicht gelesen werden."));
}

TEST_F(EntryScan, abbrechen_in_the_progress_dialog_adds_nothing) {
  // The reading hands the events on while it works; the user presses "Abbrechen" then.
  QString cancelText;
  QTimer press;
  press.setInterval(0);
  QObject::connect(&press, &QTimer::timeout, [&] {
    auto* dialog = w_->findChild<QProgressDialog*>("ScanProgress");
    if (!dialog || dialog->wasCanceled()) return;
    if (auto* button = dialog->findChild<QPushButton*>()) cancelText = button->text();
    dialog->cancel();
  });
  press.start();
  ReadTicketsFromImage(*w_, twoTickets().image);
  press.stop();
  EXPECT_EQ(cancelText, "Abbrechen");
  EXPECT_EQ(w_->EinLosCount, 1);
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST_F(EntryScan, ctrl_v_reads_a_copied_picture_and_leaves_text_on_the_clipboard_alone) {
  auto* paste = w_->findChild<QShortcut*>("ScanPaste");
  ASSERT_NE(paste, nullptr);
  EXPECT_EQ(paste->key(), QKeySequence(QKeySequence::Paste));
  QApplication::clipboard()->setText("12");
  emit paste->activated();
  EXPECT_EQ(w_->EinLosCount, 1);
  EXPECT_TRUE(prompter_.messages.isEmpty());
  QApplication::clipboard()->setImage(twoTickets().image);
  emit paste->activated();
  EXPECT_EQ(w_->EinLosCount, 3);
}

TEST_F(EntryScan, a_pasted_big_picture_is_scaled_down_like_a_loaded_one) {
  QImage big(7000, 5000, QImage::Format_Grayscale8);
  big.fill(255);
  QApplication::clipboard()->setImage(big);
  const QImage pasted = PastedPicture(QApplication::clipboard()->mimeData());
  EXPECT_EQ(pasted.format(), QImage::Format_Grayscale8);
  EXPECT_LE(qint64(pasted.width()) * pasted.height(), kScanMaxPixels);
  EXPECT_GE(qint64(pasted.width()) * pasted.height(), kScanMaxPixels * 9 / 10);
  EXPECT_NEAR(double(pasted.width()) / pasted.height(), 1.4, 0.01);
  QApplication::clipboard()->setText("12");
  EXPECT_TRUE(PastedPicture(QApplication::clipboard()->mimeData()).isNull());
}

}  // namespace
