// SPDX-License-Identifier: GPL-3.0-or-later
// The overview window over the real main window: opening, following a draw, jumping to tickets and
// numbers, the missing numbers' outlines, and going to tickets from the main window.
#include <QScrollBar>
#include <QTableView>

#include "common/settings.h"
#include "ui/main/main_fixture.h"
#include "ui/main/tickets/ticketview.h"
#include "ui/uebersicht/uebersicht.h"

namespace G = TicketFrameGeometry;

class OverviewTest : public MainWindowTest {
 protected:
  void TearDown() override {
    delete FUebersicht;
    MainWindowTest::TearDown();
  }

  TFUebersicht* open() {
    TFMain& w = shown();
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F2);
    EXPECT_NE(FUebersicht, nullptr);
    return FUebersicht;
  }
  QTableView* list(const char* name) { return FUebersicht->findChild<QTableView*>(name); }
  // The displayed texts of a list, one row joined by "|".
  QStringList rows(const char* name) {
    QStringList out;
    QAbstractItemModel* m = list(name)->model();
    for (int r = 0; r < m->rowCount(); ++r) {
      QStringList cells;
      for (int c = 0; c < m->columnCount(); ++c) cells << m->index(r, c).data().toString();
      out << cells.join('|');
    }
    return out;
  }
  void activate(const char* name, int row) {
    QTableView* view = list(name);
    view->setCurrentIndex(view->model()->index(row, 0));
    QTest::keyClick(view, Qt::Key_Return);
  }
  // Tickets 1..count numbered 1..25, except that ticket `special` (1-based) holds 26..50.
  void loadTickets(int count, int special = 0) {
    QList<QStringList> tickets;
    for (int t = 1; t <= count; ++t) tickets << numberedTicket(t == special ? 26 : 1);
    openTickets(writeFile("t.lose", ticketFile(tickets)));
  }
  QString heading() { return FUebersicht->findChild<QLabel*>("LKopf")->text(); }
};

TEST_F(OverviewTest, FollowsADrawNumberByNumberAndMarksTheTicketsThatJustWon) {
  loadTickets(3, 2);
  open();
  EXPECT_EQ(FUebersicht->windowTitle(), "Gewinnübersicht");
  EXPECT_TRUE(rows("GGewinner").isEmpty());

  for (int n : {1, 2, 3}) clickNumber(n);
  EXPECT_TRUE(rows("GFehlt").isEmpty());
  clickNumber(4);
  EXPECT_EQ(rows("GFehlt"), QStringList({"1|Zeile 1|5", "3|Zeile 1|5"}));
  EXPECT_EQ(rows("GWarte"), QStringList({"5 — 2 Lose (2 neue Gewinner)|2"}));
  EXPECT_TRUE(heading().endsWith("Gewählt: 4")) << heading().toStdString();

  clickNumber(5);
  EXPECT_EQ(rows("GGewinner"), QStringList({"1|1 x|Zeile 1|neu", "3|1 x|Zeile 1|neu"}));
  EXPECT_TRUE(rows("GFehlt").isEmpty());
  EXPECT_TRUE(heading().startsWith("Gewinner: 2 (1 x: 2, 2 x: 0, 3 x: 0)")) << heading().toStdString();

  clickNumber(60);  // on no ticket: the wins stay, but are no longer new
  EXPECT_EQ(rows("GGewinner"), QStringList({"1|1 x|Zeile 1|", "3|1 x|Zeile 1|"}));

  for (int n : {6, 11, 16, 21}) clickNumber(n);  // column 1 joins row 1
  EXPECT_EQ(rows("GGewinner"), QStringList({"1|2 x|Zeile 1, Spalte 1|neu", "3|2 x|Zeile 1, Spalte 1|neu"}));

  click("BDelZahlen");
  EXPECT_TRUE(rows("GGewinner").isEmpty());
  EXPECT_TRUE(heading().endsWith("Gewählt: 0"));
  click("BDelLose");
  EXPECT_TRUE(rows("GFehlt").isEmpty());
}

TEST_F(OverviewTest, IsOneWindowReusedWhileOpenAndRemembersItsPlaceAndOption) {
  TFUebersicht* first = open();
  click("BUebersicht");
  EXPECT_EQ(FUebersicht, first);
  first->move(123, 145);
  first->findChild<QCheckBox*>("cbFehlende")->setChecked(true);
  EXPECT_TRUE(window().ticketView()->showsMissing());
  first->close();
  QApplication::processEvents();
  EXPECT_FALSE(window().ticketView()->showsMissing()) << "no outlines once the overview is gone";
  EXPECT_EQ(Settings::get(Setting::kOverviewPlace.left, -1), 123);
  EXPECT_TRUE(Settings::get(Setting::kOverviewShowMissing));

  QTest::qWait(0);  // the closed window is deleted later
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(FUebersicht, nullptr);
  TFUebersicht* second = open();
  EXPECT_EQ(second->pos(), QPoint(123, 145));
  EXPECT_TRUE(second->findChild<QCheckBox*>("cbFehlende")->isChecked());
  EXPECT_TRUE(window().ticketView()->showsMissing());
}

TEST_F(OverviewTest, AStoredPlaceOffEveryScreenIsPulledBack) {
  // A monitor that was to the left of the main screen and is gone now.
  Settings::set(Setting::kOverviewPlace.left, -3000);
  Settings::set(Setting::kOverviewPlace.top, 400);
  EXPECT_EQ(open()->pos(), QPoint(60, 120)) << "the default place";
}

TEST_F(OverviewTest, EnterOnARowGoesToItsTicketOrFocusesItsNumber) {
  loadTickets(100, 90);
  open();
  for (int n : {26, 27, 28, 29, 1, 2, 3, 4}) clickNumber(n);
  TicketView* box = window().ticketView();
  ASSERT_EQ(box->verticalScrollBar()->value(), 0);

  activate("GFehlt", 89);  // tickets 1..89 come first; ticket 90 waits for 30 on row 1
  EXPECT_EQ(box->markedTicket(), 89);
  EXPECT_GT(box->verticalScrollBar()->value(), 0);
  const auto [first, last] = box->visibleTickets();
  EXPECT_LE(first, 89);
  EXPECT_GE(last, 89);

  EXPECT_EQ(rows("GWarte"),
            QStringList({"5 — 99 Lose (99 neue Gewinner)|99", "30 — 1 Los (1 neuer Gewinner)|1"}));
  activate("GWarte", 0);
  EXPECT_EQ(window().focusWidget(), window().Button(5));
  EXPECT_FALSE(window().Button(5)->isChecked()) << "focus only, no toggle";
}

TEST_F(OverviewTest, MissingNumbersAreOutlinedInAmberOnTheirCells) {
  loadTickets(1);
  for (int n : {1, 2, 3, 4}) clickNumber(n);
  open()->findChild<QCheckBox*>("cbFehlende")->setChecked(true);
  TicketView* box = window().ticketView();
  QApplication::processEvents();
  const QImage image = box->viewport()->grab().toImage();
  const auto amberIn = [&](int col, int row) {
    const QRect cell = G::cellRect(col, row).translated(window().LosFrames()[0].rect.topLeft());
    int count = 0;
    for (int y = cell.top(); y <= cell.bottom(); ++y)
      for (int x = cell.left(); x <= cell.right(); ++x)
        count += image.pixelColor(x, y) == QColor(0xFF, 0xBF, 0x00);
    return count;
  };
  EXPECT_GT(amberIn(4, 0), 20) << "5 completes row 1";
  EXPECT_EQ(amberIn(3, 0), 0);
  EXPECT_EQ(amberIn(4, 1), 0);
}

TEST_F(OverviewTest, TheMainWindowGoesToTicketsByResultTableF3AndCtrlG) {
  loadTickets(30);
  for (int n : {1, 2, 3, 4, 5}) clickNumber(n);
  TFMain& w = shown();
  TicketView* box = w.ticketView();
  auto* gGew = child<QTableView>("GGew");
  QTest::mouseClick(gGew->viewport(), Qt::LeftButton, {},
                    gGew->visualRect(gGew->model()->index(2, 0)).center());
  EXPECT_EQ(box->markedTicket(), 2);

  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(&w, Qt::Key_F3);
  EXPECT_EQ(box->markedTicket(), 3);
  QTest::keyClick(&w, Qt::Key_F3, Qt::ShiftModifier);
  QTest::keyClick(&w, Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(box->markedTicket(), 1);

  prompter.textAnswers << "abc"
                       << "31"
                       << " 27 ";
  QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
  QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(prompter.texts(),
            QStringList({"„abc“ ist keine Losnummer. Bitte eine Zahl von 1 bis 30 eingeben.",
                         "„31“ ist keine Losnummer. Bitte eine Zahl von 1 bis 30 eingeben."}));
  EXPECT_EQ(box->markedTicket(), 1);
  QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
  EXPECT_EQ(box->markedTicket(), 26);
  ASSERT_FALSE(prompter.dialogs.isEmpty());
  EXPECT_EQ(prompter.dialogs.last().proposedName, "Losnummer (1 bis 30):");
}
