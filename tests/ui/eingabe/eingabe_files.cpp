// SPDX-License-Identifier: GPL-3.0-or-later
// Saving the entry window's tickets and reading ticket files back into it.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "common/folders.h"
#include "core/ticketfile.h"
#include "support/scripted_prompter.h"
#include "support/test_env.h"
#include "ui/eingabe/eingabe.h"
#include "ui/eingabe/frlos2.h"

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace {

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

TicketCells ticket(std::initializer_list<QString> firstCells) {
  TicketCells c;
  int i = 0;
  for (const QString& s : firstCells) c[i++] = s;
  return c;
}

class EntryFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    EstablishDataFolders();
    folder_ = testRootDir() + "/files-" + QString::number(++counter_);
    QDir().mkpath(folder_);
    w_ = std::make_unique<TFEingabe>();
    w_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w_.get()));
  }

  QString path(const QString& name) const { return folder_ + "/" + name; }

  void make(int count) {
    w_->findChild<QLineEdit*>("eAnz")->setText(QString::number(count));
    click("bsSkinSpeedButton2");
  }

  void click(const char* name) { w_->findChild<QPushButton*>(name)->click(); }

  QString fileLabel() const { return w_->findChild<QLabel*>("LDatei")->text(); }

  void setAppend() { w_->findChild<QCheckBox*>("cbDran")->click(); }

  void saveAs(const QString& file) {
    prompter_.fileAnswers << file;
    click("BSave");
  }

  void openFile(const QString& file) {
    prompter_.fileAnswers << file;
    click("BOpen");
  }

  std::vector<TicketCells> shown() const { return w_->tickets(); }

  static inline int counter_ = 0;
  QString folder_;
  ScriptedPrompter prompter_;
  std::unique_ptr<TFEingabe> w_;
};

TEST_F(EntryFiles, the_save_dialog_offers_the_ticket_folder) {
  make(1);
  saveAs(path("a.lose"));
  ASSERT_EQ(prompter_.dialogs.size(), 1);
  const auto& d = prompter_.dialogs[0];
  EXPECT_EQ(d.kind, "save");
  EXPECT_EQ(d.title, "Lose-Dateien speichern");
  EXPECT_EQ(d.filter, "Lose-Dateien|*.lose");
  EXPECT_EQ(d.defaultSuffix, "lose");
  EXPECT_EQ(d.folder, TicketsDir());
  EXPECT_FALSE(d.askOverwrite);
}

TEST_F(EntryFiles, two_tickets_are_written_as_ten_lines_and_read_back_by_the_core_reader) {
  make(2);
  w_->EinLosGrids[0]->setCells(ticket({"3", "17", "40", "52", "66", "1", "", " ", "x", "75"}));
  w_->EinLosFrames[1]->setMemoText("8, 9, 10");
  w_->EinLosFrames[1]->bsSkinSpeedButton2->click();
  saveAs(path("zwei.lose"));

  EXPECT_EQ(fileLabel(), "zwei.lose");
  EXPECT_TRUE(prompter_.messages.isEmpty());
  const QByteArray bytes = contents(path("zwei.lose"));
  EXPECT_EQ(bytes.count("\r\n"), 10);
  EXPECT_TRUE(bytes.startsWith("3,17,40,52,66\r\n1,,\" \",x,75\r\n,,,,\r\n"));

  // The main window reads the same cells; an empty cell comes back as a single space.
  const TicketList read = ReadTicketFile(path("zwei.lose"));
  ASSERT_EQ(read.count(), 2);
  for (int t = 0; t < 2; ++t) {
    const TicketCells written = shown()[t];
    for (int c = 0; c < 25; ++c) {
      const QString expected = written[c].isEmpty() ? QStringLiteral(" ") : written[c];
      EXPECT_EQ(read.cellText(t, c), expected) << "ticket " << t + 1 << " cell " << c + 1;
    }
  }
}

TEST_F(EntryFiles, saving_without_tickets_writes_an_empty_file) {
  QFile old(path("leer.lose"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("old\r\n");
  old.close();
  prompter_.confirmAnswers << true;
  saveAs(path("leer.lose"));
  EXPECT_EQ(contents(path("leer.lose")), QByteArray());
  EXPECT_EQ(fileLabel(), "leer.lose");
}

TEST_F(EntryFiles, a_number_still_in_a_cell_editor_is_saved) {
  make(1);
  TicketEditGrid* grid = w_->EinLosGrids[0];
  grid->setCurrentIndex(grid->model()->index(0, 0));
  auto* editor = grid->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "42");
  saveAs(path("offen.lose"));
  EXPECT_TRUE(contents(path("offen.lose")).startsWith("42,,,,\r\n"));
}

TEST_F(EntryFiles, cancelling_the_save_dialog_writes_nothing) {
  make(1);
  w_->findChild<QLabel*>("LDatei")->setText("vorher.lose");
  click("BSave");  // no answer queued: cancelled
  EXPECT_EQ(fileLabel(), "vorher.lose");
  EXPECT_TRUE(QDir(folder_).isEmpty());
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST_F(EntryFiles, a_file_that_cannot_be_created_is_reported_and_the_label_keeps_its_text) {
  make(1);
  saveAs(path("gut.lose"));
  saveAs(path("fehlt/nicht.lose"));
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].kind, "error");
  EXPECT_TRUE(prompter_.messages[0].text.startsWith("Cannot create file"))
      << prompter_.messages[0].text.toStdString();
  EXPECT_TRUE(prompter_.messages[0].text.endsWith('.'));
  EXPECT_EQ(fileLabel(), "gut.lose");
}

TEST_F(EntryFiles, the_next_save_proposes_the_last_file_name) {
  make(1);
  saveAs(path("woche.lose"));
  saveAs(path("woche.lose"));
  ASSERT_EQ(prompter_.dialogs.size(), 2);
  EXPECT_EQ(prompter_.dialogs[0].proposedName, "");
  EXPECT_EQ(prompter_.dialogs[1].proposedName, "woche.lose");
}

TEST_F(EntryFiles, reading_with_rebuild_replaces_the_tickets_and_frees_empty_cells) {
  WriteTicketFile(path("drei.lose"), {ticket({"1", "2", "", "4"}), ticket({"5"}), ticket({"a,b", "\"q\""})});
  make(2);
  openFile(path("drei.lose"));
  ASSERT_EQ(prompter_.dialogs.size(), 1);
  EXPECT_EQ(prompter_.dialogs[0].kind, "open");
  EXPECT_EQ(prompter_.dialogs[0].title, "Lose-Dateien einlesen");
  EXPECT_EQ(prompter_.dialogs[0].filter, "Lose-Dateien|*.lose");
  EXPECT_EQ(prompter_.dialogs[0].defaultSuffix, "lose");
  EXPECT_EQ(prompter_.dialogs[0].folder, TicketsDir());

  ASSERT_EQ(w_->EinLosCount, 3);
  EXPECT_EQ(w_->EinLosFrames[2]->objectName(), "EinfrLos3");
  EXPECT_EQ(shown()[0], ticket({"1", "2", "", "4"}));
  EXPECT_EQ(shown()[1], ticket({"5"}));
  EXPECT_EQ(shown()[2], ticket({"a,b", "\"q\""}));
  EXPECT_EQ(fileLabel(), "drei.lose");
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST_F(EntryFiles, pasted_numbers_go_into_the_free_cells_of_a_ticket_read_from_a_file) {
  WriteTicketFile(path("luecke.lose"), {ticket({"1", "", "3"})});
  openFile(path("luecke.lose"));
  ASSERT_EQ(w_->EinLosCount, 1);
  w_->EinLosFrames[0]->setMemoText("2");
  w_->EinLosFrames[0]->bsSkinSpeedButton2->click();
  EXPECT_EQ(w_->EinLosGrids[0]->cellText(0, 1), "2");
}

TEST_F(EntryFiles, reading_with_append_adds_after_the_present_tickets) {
  WriteTicketFile(path("zwei.lose"), {ticket({"11"}), ticket({"22"})});
  make(3);
  setAppend();
  openFile(path("zwei.lose"));
  ASSERT_EQ(w_->EinLosCount, 5);
  EXPECT_EQ(w_->EinLosFrames[3]->objectName(), "EinfrLos4");
  EXPECT_EQ(w_->EinLosFrames[4]->pos(), QPoint(529, 5));
  EXPECT_EQ(w_->EinLosGrids[4]->cellText(0, 0), "22");
}

TEST_F(EntryFiles, a_ticket_file_read_and_saved_again_is_unchanged) {
  const std::vector<TicketCells> original = {ticket({"3", "17", "", "52", "66", "1"}), ticket({"a b", "7"})};
  WriteTicketFile(path("orig.lose"), original);
  openFile(path("orig.lose"));
  saveAs(path("kopie.lose"));
  EXPECT_EQ(contents(path("kopie.lose")), contents(path("orig.lose")));
}

struct UnreadableFile {
  const char* name;
  QByteArray bytes;  // empty name: the file does not exist
};

class UnreadableFiles : public EntryFiles, public ::testing::WithParamInterface<UnreadableFile> {};

TEST_P(UnreadableFiles, are_reported_and_change_nothing_even_when_rebuilding) {
  make(2);
  w_->EinLosGrids[1]->setCellText(0, 0, "9");
  w_->findChild<QLabel*>("LDatei")->setText("vorher.lose");
  const QString file = path("kaputt.lose");
  if (!GetParam().bytes.isNull()) {
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(GetParam().bytes);
  }
  openFile(file);
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].kind, "error");
  EXPECT_EQ(w_->EinLosCount, 2);
  EXPECT_EQ(w_->EinLosGrids[1]->cellText(0, 0), "9");
  EXPECT_EQ(fileLabel(), "vorher.lose");
}

INSTANTIATE_TEST_SUITE_P(Files, UnreadableFiles,
                         ::testing::Values(UnreadableFile{"missing", QByteArray()},
                                           UnreadableFile{"seven_lines",
                                                          QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n")}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryFiles, cancelling_the_open_dialog_changes_nothing_even_when_rebuilding) {
  make(4);
  click("BOpen");
  EXPECT_EQ(w_->EinLosCount, 4);
  EXPECT_TRUE(prompter_.messages.isEmpty());
}

TEST_F(EntryFiles, a_file_with_more_tickets_than_the_window_holds_is_refused_whole) {
  std::vector<TicketCells> many(TFEingabe::kMaxFrames + 1, ticket({"1"}));
  WriteTicketFile(path("viele.lose"), many);
  make(2);
  openFile(path("viele.lose"));
  EXPECT_EQ(prompter_.texts(),
            QStringList{"Das Eingabefenster fasst höchstens 100.000 Lose. Die Datei enthält 100.001 Lose."});
  EXPECT_EQ(w_->EinLosCount, 2);
}

TEST_F(EntryFiles, appending_past_the_bound_names_the_room_left) {
  std::vector<TicketCells> many(TFEingabe::kMaxFrames - 2, ticket({"1"}));
  WriteTicketFile(path("fast.lose"), many);
  make(3);
  setAppend();
  openFile(path("fast.lose"));
  EXPECT_EQ(prompter_.texts(),
            QStringList{"Das Eingabefenster fasst höchstens 100.000 Lose. Es enthält schon 3, "
                        "es können also noch 99.997 hinzukommen. Die Datei enthält 99.998 Lose."});
  EXPECT_EQ(w_->EinLosCount, 3);
}

}  // namespace

TEST_F(EntryFiles, an_existing_file_is_replaced_only_after_a_yes) {
  make(1);
  w_->EinLosGrids[0]->setCellText(0, 0, "7");
  const QByteArray old = "1,2,3,4,5\r\n,,,,\r\n,,,,\r\n,,,,\r\n,,,,\r\n";
  const QString target = path("woche.lose");
  {
    QFile f(target);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(old);
  }
  saveAs(target);  // no answer queued: No
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].kind, "confirm");
  EXPECT_EQ(prompter_.messages[0].text, "Die Datei „" + QDir::toNativeSeparators(target) +
                                            "“ gibt es schon.\r\rSoll sie ersetzt werden?");
  EXPECT_EQ(contents(target), old);
  EXPECT_EQ(fileLabel(), "");
  prompter_.confirmAnswers << true;
  saveAs(target);
  EXPECT_EQ(ReadTicketFile(target).cells(0)[0], "7");
  EXPECT_EQ(fileLabel(), "woche.lose");
  saveAs(path("neu.lose"));
  EXPECT_EQ(prompter_.messages.size(), 2) << "a new file is written without a question";
}

TEST_F(EntryFiles, an_empty_file_is_reported_and_changes_nothing_while_five_empty_lines_are_one_ticket) {
  make(2);
  const QString empty = path("leer.lose");
  ASSERT_TRUE(QFile(empty).open(QIODevice::WriteOnly));
  openFile(empty);
  EXPECT_EQ(w_->EinLosCount, 2);
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].kind, "warning");
  EXPECT_EQ(prompter_.messages[0].text, "Die Datei „leer.lose“ enthält keine Lose.");
  const QString blank = path("blank.lose");
  {
    QFile f(blank);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("\r\n\r\n\r\n\r\n\r\n");
  }
  openFile(blank);
  EXPECT_EQ(w_->EinLosCount, 1);
  EXPECT_EQ(shown()[0], TicketCells{});
  EXPECT_EQ(prompter_.messages.size(), 1);
}
