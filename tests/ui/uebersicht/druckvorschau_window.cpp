// SPDX-License-Identifier: GPL-3.0-or-later
// The print preview as a user meets it: it shows the page in view, turns pages by buttons, keys and
// the page field, prints to a file printer with the page count it shows, and follows the check.
#include <gtest/gtest.h>

#include <QAbstractPrintDialog>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "common/folders.h"
#include "common/settings.h"
#include "core/evaluation.h"
#include "support/test_env.h"
#include "ui/uebersicht/druckvorschau.h"

namespace {

TicketCells ticketFrom(int first) {
  TicketCells cells;
  for (int i = 0; i < 25; ++i) cells[std::size_t(i)] = QString::number((first + i - 1) % 75 + 1);
  return cells;
}

int pdfPages(const QString& pdf) {
  QProcess p;
  p.start("pdfinfo", {pdf});
  if (!p.waitForFinished(60000)) return -1;
  const auto match = QRegularExpression("^Pages:\\s+(\\d+)$", QRegularExpression::MultilineOption)
                         .match(QString::fromUtf8(p.readAllStandardOutput()));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// Dark pixels (text, frame lines) inside and outside rect.
std::pair<int, int> ink(const QImage& image, const QRect& rect) {
  int inside = 0, outside = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qGray(image.pixel(x, y)) < 80) ++(rect.contains(x, y) ? inside : outside);
  return {inside, outside};
}

class PreviewTest : public ::testing::Test {
 protected:
  QTemporaryDir dir{testRootDir() + "/vorschau-XXXXXX"};
  LotteryCheck check;
  std::unique_ptr<ReportPreview> preview;

  static void SetUpTestSuite() { EstablishDataFolders(); }
  void SetUp() override {
    TicketList tickets;
    for (int t = 0; t < 600; ++t) tickets.append(ticketFrom(t));
    check.addTickets(tickets);
    check.chosen.toggle(1);
    check.evaluate();
    Settings::set(Setting::kReportAllTickets, true);
    open();
  }
  void open() {
    preview = std::make_unique<ReportPreview>(check, "viele.lose");
    preview->show();
    preview->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(preview.get()));
  }
  QWidget* view() const { return preview->findChild<QWidget*>("Seitenansicht"); }
  void trigger(const char* action) {
    auto* a = preview->findChild<QAction*>(action);
    ASSERT_NE(a, nullptr) << action;
    a->trigger();
  }
  // The page in view as the screen shows it, and the printable area within that picture.
  std::pair<QImage, QRect> shown() {
    QWidget* v = view();
    const QImage image = v->grab().toImage();
    const QRectF area = preview->printable().translated(12, 12);
    return {image, area.toAlignedRect().adjusted(-1, -1, 1, 1)};
  }
  QString pdf(const QString& name) const { return dir.path() + "/" + name; }
};

TEST_F(PreviewTest, ShowsThePageInViewAndTurnsPagesByButtonsKeysAndTheField) {
  const int pages = preview->pageCount();
  ASSERT_GT(pages, 10) << "600 tickets at 45 a page";
  EXPECT_EQ(preview->findChild<QLabel*>("LSeiten")->text(), QString("von %1").arg(pages));
  QSignalSpy painted(preview.get(), &ReportPreview::pageShown);

  const auto [first, area] = shown();
  const auto [firstInk, margins] = ink(first, area);
  EXPECT_GT(firstInk, 2000) << "the header and rows of tickets";
  EXPECT_EQ(margins, 0) << "nothing is painted outside the printable area";
  ASSERT_TRUE(QTest::qWaitFor([&] { return !painted.isEmpty(); }, 5000));
  EXPECT_EQ(painted.last().at(0).toInt(), 1);

  trigger("ANaechsteSeite");
  EXPECT_EQ(preview->currentPage(), 2);
  EXPECT_EQ(preview->findChild<QSpinBox*>("SESeite")->value(), 2);
  const QImage second = shown().first;
  EXPECT_NE(second, first);
  EXPECT_EQ(painted.last().at(0).toInt(), 2);

  QTest::keyClick(preview.get(), Qt::Key_PageDown);
  EXPECT_EQ(preview->currentPage(), 3);
  QTest::keyClick(preview.get(), Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(preview->currentPage(), pages);
  EXPECT_FALSE(preview->findChild<QAction*>("ANaechsteSeite")->isEnabled());
  const auto [lastInk, lastMargins] = ink(shown().first, area);
  EXPECT_GT(lastInk, 0);
  EXPECT_LT(lastInk, firstInk) << "the last page holds the rest only";
  QTest::keyClick(preview.get(), Qt::Key_PageDown);
  EXPECT_EQ(preview->currentPage(), pages) << "no page after the last";

  QTest::keyClick(preview.get(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(preview->currentPage(), 1);
  EXPECT_EQ(shown().first, first) << "the same page painted again looks the same";

  QSpinBox* field = preview->findChild<QSpinBox*>("SESeite");
  field->setFocus();
  field->selectAll();
  QTest::keyClicks(field, "7");
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(preview->currentPage(), 7);
  EXPECT_TRUE(preview->isVisible()) << "Return in the field does not print or close";
}

TEST_F(PreviewTest, ZoomFitsTheWindowAndStepsByKeys) {
  preview->fit(ReportPreview::Fit::Page);
  auto* field = preview->findChild<QScrollArea*>("Seitenfeld");
  // The page is rounded up to whole pixels: at no size may that make a scroll bar appear.
  for (const QSize size : {QSize(500, 450), QSize(531, 477), QSize(640, 581), QSize(700, 599)}) {
    preview->resize(size);
    QApplication::processEvents();
    EXPECT_FALSE(field->verticalScrollBar()->isVisible()) << "the whole page fits at " << size.height();
    EXPECT_FALSE(field->horizontalScrollBar()->isVisible());
  }
  const QSize room = field->size();
  const double whole = preview->zoom();
  trigger("ASeitenbreite");
  EXPECT_GT(preview->zoom(), whole);
  EXPECT_LE(view()->width(), room.width());
  QTest::keyClick(preview.get(), Qt::Key_Minus, Qt::ControlModifier);
  EXPECT_EQ(preview->fitting(), ReportPreview::Fit::None);
  const double smaller = preview->zoom();
  QTest::keyClick(preview.get(), Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_GT(preview->zoom(), smaller);
  EXPECT_EQ(preview->findChild<QLabel*>("LZoom")->text(), QString("%1 %").arg(qRound(preview->zoom() * 100)));
  // Every picture-only button has a name a screen reader can say.
  for (auto* button : preview->findChildren<QToolButton*>()) {
    if (!button->isVisible() || button->icon().isNull()) continue;
    EXPECT_FALSE(button->accessibleName().isEmpty()) << button->text().toStdString();
  }
}

TEST_F(PreviewTest, PrintsAllPagesARangeOrThePageInViewToAPdf) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setPageLayout(preview->printer().pageLayout());
  printer.setOutputFileName(pdf("alle.pdf"));
  ASSERT_TRUE(preview->print(printer));
  EXPECT_EQ(pdfPages(pdf("alle.pdf")), preview->pageCount());

  printer.setOutputFileName(pdf("teil.pdf"));
  printer.setPrintRange(QPrinter::PageRange);
  printer.setFromTo(2, 4);
  ASSERT_TRUE(preview->print(printer));
  EXPECT_EQ(pdfPages(pdf("teil.pdf")), 3);

  preview->setCurrentPage(5);
  printer.setOutputFileName(pdf("eine.pdf"));
  printer.setPrintRange(QPrinter::CurrentPage);
  ASSERT_TRUE(preview->print(printer));
  EXPECT_EQ(pdfPages(pdf("eine.pdf")), 1);
}

TEST_F(PreviewTest, PrintButtonOpensThePrintDialogAndPrintsWhatItSays) {
  preview->printer().setOutputFileName(pdf("knopf.pdf"));
  bool dialogSeen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QAbstractPrintDialog*>(QApplication::activeModalWidget());
    dialogSeen = dialog != nullptr;
    if (dialog) dialog->accept();
  });
  preview->findChild<QPushButton*>("BDrucken")->click();
  EXPECT_TRUE(dialogSeen);
  EXPECT_EQ(pdfPages(pdf("knopf.pdf")), preview->pageCount());
}

TEST_F(PreviewTest, FollowsTheCheckAndTheTicketChoiceAndRemembersItsSize) {
  trigger("ALetzteSeite");
  const int all = preview->pageCount();
  preview->findChild<QComboBox*>("CBLose")->setCurrentIndex(0);
  EXPECT_LT(preview->pageCount(), all) << "only the winners";
  EXPECT_LE(preview->currentPage(), preview->pageCount());

  // Tickets removed while the preview is open: the next paint lays the report out anew.
  preview->findChild<QComboBox*>("CBLose")->setCurrentIndex(1);
  trigger("ALetzteSeite");
  check.clearTickets();
  QSignalSpy painted(preview.get(), &ReportPreview::pageShown);
  view()->update();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !painted.isEmpty(); }, 5000));
  EXPECT_EQ(preview->pageCount(), 1);
  EXPECT_EQ(painted.last().at(0).toInt(), 1);

  preview->resize(600, 500);
  preview->close();
  EXPECT_EQ(Settings::get(Setting::kPreviewPlace.width, 0), 600);
  EXPECT_EQ(Settings::get(Setting::kPreviewPlace.height, 0), 500);
  open();
  EXPECT_EQ(preview->size(), QSize(600, 500));
}

}  // namespace
