// SPDX-License-Identifier: GPL-3.0-or-later
// The result tables and the colours of the painted ticket frames.
#include <QAbstractItemView>
#include <QAccessible>
#include <QScreen>
#include <QScrollBar>

#include "ui/main/main_fixture.h"
#include "ui/main/resultmodel.h"
#include "ui/main/tickets/ticketview.h"

namespace G = TicketFrameGeometry;

namespace {
const QColor kDarkGreen(0x03, 0xC2, 0x33);
const QColor kLightGreen(0xBF, 0xFF, 0xBF);
const QColor kWhite(0xFF, 0xFF, 0xFF);

QStringList rows(std::initializer_list<const char*> lines) {
  QStringList out;
  for (const char* l : lines) out << l;
  return out;
}

// Rows 1..5 as given; a ticket with exactly one complete line once 1..5 are chosen.
const QStringList kOneLine =
    rows({"1,2,3,4,5", "26,27,28,29,30", "31,32,33,34,35", "36,37,38,39,40", "41,42,43,44,45"});
}  // namespace

class ResultsTest : public MainWindowTest {
 protected:
  ResultModel* results() { return static_cast<ResultModel*>(child<QAbstractItemView>("GGew")->model()); }
  QStringList resultRow(int row) {
    QStringList out;
    for (int c = 0; c < 4; ++c) out << results()->cellText(row, c);
    return out;
  }
  QStringList totals() {
    QStringList out;
    auto* m = child<QAbstractItemView>("GGes")->model();
    for (int c = 0; c < 4; ++c) out << m->index(0, c).data().toString();
    return out;
  }
  void choose(std::initializer_list<int> numbers) {
    for (int n : numbers) clickNumber(n);
  }
  // Background of cell (col, row) of ticket n as painted in the visible ticket area.
  QColor cellColour(int n, int col, int row) {
    TicketView* box = window().ticketView();
    QApplication::processEvents();
    const QImage image = box->viewport()->grab().toImage();
    const QRect frame = window().LosFrames()[n - 1].rect;
    const QPoint at = frame.topLeft() + G::cellRect(col, row).topLeft() + QPoint(1, 1) -
                      QPoint(0, box->verticalScrollBar()->value());
    return image.pixelColor(at);
  }
};

TEST_F(ResultsTest, BeforeTheFirstEvaluationTheTablesShowHeadersAndEmptyRows) {
  shown();
  EXPECT_EQ(results()->gridRowCount(), 40);
  EXPECT_EQ(resultRow(0), QStringList({"Los", "1 x", "2 x", "3 x"}));
  EXPECT_EQ(resultRow(39), QStringList({"", "", "", ""}));
  EXPECT_EQ(totals(), QStringList({"Ges.:", "", "", ""}));
  auto* view = child<QAbstractItemView>("GGew");
  EXPECT_EQ(view->model()->headerData(2, Qt::Horizontal).toString(), "2 x");
}

TEST_F(ResultsTest, OneTicketWithoutChosenNumbersHasNoWin) {
  shown();
  openTickets(writeFile("eins.lose", ticketFile({numberedTicket(1)})));
  click("BAuswerten");
  EXPECT_EQ(results()->gridRowCount(), 2);
  const QStringList row = resultRow(1);
  EXPECT_EQ(row.mid(1), QStringList({"-", "-", "-"}));
  EXPECT_EQ(row[0].trimmed(), "1");
  EXPECT_TRUE(row[0].startsWith(' ')) << "the number is moved right by spaces";
  EXPECT_EQ(totals(), QStringList({"Ges.:", "-", "-", "-"}));
}

TEST_F(ResultsTest, TicketsAreMarkedByTheirNumberOfCompleteLinesAndTotalled) {
  shown();
  openTickets(writeFile("drei.lose", ticketFile({kOneLine, kOneLine, numberedTicket(1)})));
  // Row 1, column 1, column 5 and the diagonal 5-9-13-17-21 of the numbered ticket.
  choose({1, 2, 3, 4, 5, 6, 11, 16, 21, 10, 15, 20, 25, 9, 13, 17});
  EXPECT_EQ(resultRow(1).mid(1), QStringList({"x", "", ""}));
  EXPECT_EQ(resultRow(2).mid(1), QStringList({"x", "", ""}));
  EXPECT_EQ(resultRow(3).mid(1), QStringList({"", "", "x"}));
  EXPECT_EQ(totals(), QStringList({"Ges.:", "2", "-", "1"}));
}

TEST_F(ResultsTest, ARowAndAColumnMakeTwoLines) {
  shown();
  openTickets(writeFile("eins.lose", ticketFile({numberedTicket(1)})));
  choose({1, 2, 3, 4, 5, 6, 11, 16, 21});
  EXPECT_EQ(resultRow(1).mid(1), QStringList({"", "x", ""}));
  EXPECT_EQ(totals(), QStringList({"Ges.:", "-", "1", "-"}));
}

TEST_F(ResultsTest, ATicketWithABlankDiagonalNeverWins) {
  shown();
  const QStringList blankDiagonal =
      rows({",2,3,4,5", "6,,8,9,10", "11,12,,14,15", "16,17,18,,20", "21,22,23,24,"});
  openTickets(writeFile("leer.lose", ticketFile({blankDiagonal})));
  choose({2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 14, 15, 16, 17, 18, 20, 21, 22, 23, 24});
  EXPECT_EQ(resultRow(1).mid(1), QStringList({"-", "-", "-"}));
}

TEST_F(ResultsTest, PaddingFollowsTheMeasuredWidths) {
  struct Case {
    int n, textWidth, spaceWidth;
    const char* expected;
  };
  const Case cases[] = {{7, 6, 3, "   7"},     {12, 12, 3, "  12"}, {123, 18, 3, " 123"},
                        {1234, 24, 3, "1234"}, {5, 9, 3, "  5"},    {99999, 40, 3, "99999"}};
  for (const Case& c : cases)
    EXPECT_EQ(PadTicketNumberBy(c.n, 34, c.textWidth, c.spaceWidth), c.expected) << c.n;
}

TEST_F(ResultsTest, CellsAreDarkGreenOnCompleteLinesLightGreenWhenChosenElseWhite) {
  shown();
  const QStringList odd =
      rows({"1, ,3,0,99", "6,7,8,9,10", "11,12,13,14,15", "16,17,18,19,20", "21,22,23,24,25"});
  const QStringList twice =
      rows({"1,2,3,4,5", "1,7,8,9,10", "51,52,53,54,55", "56,57,58,59,60", "61,62,63,64,65"});
  openTickets(writeFile("farben.lose", ticketFile({numberedTicket(1), odd, twice})));
  choose({1, 2, 3, 4, 5, 13});
  EXPECT_EQ(cellColour(1, 0, 0), kDarkGreen);
  EXPECT_EQ(cellColour(1, 4, 0), kDarkGreen);
  EXPECT_EQ(cellColour(1, 2, 2), kLightGreen) << "13 is chosen but on no complete line";
  EXPECT_EQ(cellColour(1, 1, 1), kWhite);
  EXPECT_EQ(cellColour(2, 0, 0), kLightGreen);
  EXPECT_EQ(cellColour(2, 1, 0), kWhite) << "blank";
  EXPECT_EQ(cellColour(2, 3, 0), kWhite) << "0";
  EXPECT_EQ(cellColour(2, 4, 0), kWhite) << "99";
  EXPECT_EQ(cellColour(3, 0, 1), kDarkGreen) << "the colour goes by number, not by cell";

  setSofort(false);
  clickNumber(3);
  EXPECT_EQ(cellColour(1, 2, 0), kDarkGreen) << "complete as of the last evaluation";
  click("BAuswerten");
  EXPECT_EQ(cellColour(1, 2, 0), kWhite);
  EXPECT_EQ(cellColour(1, 0, 0), kLightGreen);
  EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(ResultsTest, AContentTallerThanAnyLayoutScrollsToItsLastTicket) {
  TFMain& w = shown();
  const int count = 30000;  // 6,000 rows of 91 pixels: beyond 524,287 pixels
  QByteArray file;
  const QByteArray one = ticketFile({numberedTicket(1)});
  file.reserve(one.size() * count);
  for (int i = 0; i < count; ++i) file += one;
  openTickets(writeFile("viele.lose", file));
  ASSERT_EQ(w.LosCount(), count);
  choose({1, 2, 3, 4, 5});
  TicketView* box = w.ticketView();
  const qint64 content = G::contentHeight(count);
  EXPECT_GT(content, 524287);
  EXPECT_EQ(box->verticalScrollBar()->maximum(), content - box->viewport()->height());
  box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
  EXPECT_EQ(cellColour(count, 0, 0), kDarkGreen);
  EXPECT_EQ(cellColour(count, 0, 1), kWhite);
  EXPECT_EQ(results()->gridRowCount(), count + 1);
  EXPECT_EQ(resultRow(count)[0].trimmed(), QString::number(count));
}

TEST_F(ResultsTest, AScreenReaderHearsTheVisibleTicketsWithTheirMarks) {
  shown();
  openTickets(writeFile("zwei.lose", ticketFile({numberedTicket(1), kOneLine})));
  choose({1, 2, 3, 4, 5, 13});
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(window().ticketView());
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->text(QAccessible::Name), "Lose");
  const QString text = a->text(QAccessible::Description);
  EXPECT_TRUE(text.startsWith("Los 1: 1 Linie, 2 Linie, 3 Linie, 4 Linie, 5 Linie, 6, 7"))
      << text.toStdString();
  EXPECT_TRUE(text.contains(", 13 gezogen, 14,")) << text.toStdString();
  EXPECT_TRUE(text.contains("; Los 2: 1 Linie,")) << text.toStdString();
}

TEST_F(ResultsTest, AToggledNumberIsRepaintedAtOnceWithoutAnEvaluation) {
  TFMain& w = shown();
  openTickets(writeFile("eins.lose", ticketFile({kOneLine})));
  setSofort(false);
  TicketView* box = w.ticketView();
  // What reached the window's backing store, not a fresh rendering: a missing repaint shows here.
  const auto onScreen = [&](int col, int row) {
    QTest::qWait(20);
    const QImage shown = QGuiApplication::primaryScreen()->grabWindow(w.winId()).toImage();
    const QPoint at = window().LosFrames()[0].rect.topLeft() + G::cellRect(col, row).topLeft() + QPoint(1, 1);
    return shown.pixelColor(box->viewport()->mapTo(&w, at));
  };
  ASSERT_EQ(onScreen(1, 1), kWhite);
  clickNumber(27);
  EXPECT_EQ(onScreen(1, 1), kLightGreen);
  clickNumber(27);
  EXPECT_EQ(onScreen(1, 1), kWhite);
}
