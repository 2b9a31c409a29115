// SPDX-License-Identifier: GPL-3.0-or-later
// The number board: choosing numbers, the strip, the count, the limit and the two clear buttons.
#include <QAbstractItemView>

#include "app/startup.h"
#include "core/evaluation.h"
#include "ui/main/main_fixture.h"
#include "ui/main/resultmodel.h"

namespace {
QStringList withEmpty(QStringList shown) {
  while (shown.size() < 22) shown << QString();
  return shown;
}

int resultRows(TFMain& w) {
  auto* view = w.findChild<QAbstractItemView*>("GGew");
  return static_cast<ResultModel*>(view->model())->gridRowCount();
}

const QList<int> kTwentyTwo = {4,  7,  9,  10, 16, 18, 19, 20, 23, 24, 31,
                               34, 43, 44, 45, 48, 54, 58, 66, 67, 69, 74};
}  // namespace

class BoardTest : public MainWindowTest {};

TEST_F(BoardTest, ClickedNumbersAppearInTheStripInAscendingOrder) {
  shown();
  for (int n : {40, 3, 17}) clickNumber(n);
  EXPECT_EQ(strip(), withEmpty({"3", "17", "40"}));
  EXPECT_EQ(text("PAnz"), "3");
  EXPECT_EQ(checkedButtons(), QList<int>({3, 17, 40}));
  clickNumber(17);
  EXPECT_EQ(strip(), withEmpty({"3", "40"}));
  EXPECT_EQ(text("PAnz"), "2");
  EXPECT_EQ(checkedButtons(), QList<int>({3, 40}));
  EXPECT_EQ(window().check().chosen.count(), 2);
}

TEST_F(BoardTest, ATwentyThirdNumberShowsTheLimitMessageAndChangesNothing) {
  TFMain& w = shown();
  openTickets(writeFile("eins.lose", ticketFile({numberedTicket(1)})));
  setSofort(false);
  for (int n : kTwentyTwo) clickNumber(n);
  setSofort(true);
  clickNumber(75);
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, "information");
  EXPECT_EQ(prompter.messages[0].text, "Sie haben bereits 22 Gewinnzahlen gewählt.");
  EXPECT_FALSE(w.Button(75)->isChecked());
  EXPECT_EQ(text("PAnz"), "22");
  EXPECT_EQ(w.check().chosen.count(), 22);
  EXPECT_EQ(resultRows(w), 40) << "a refused number runs no evaluation";
  clickNumber(4);
  EXPECT_EQ(text("PAnz"), "21") << "a chosen number can still be removed";
  EXPECT_EQ(resultRows(w), 2);
}

TEST_F(BoardTest, WithImmediateEvaluationEveryClickEvaluatesOtherwiseOnlyTheButton) {
  struct Case {
    bool sofort;
    int rowsAfterClick;
  };
  for (const Case c : {Case{true, 2}, Case{false, 40}}) {
    recreate();
    TFMain& w = shown();
    openTickets(writeFile("eins.lose", ticketFile({numberedTicket(1)})));
    setSofort(c.sofort);
    clickNumber(5);
    EXPECT_EQ(resultRows(w), c.rowsAfterClick) << c.sofort;
    EXPECT_EQ(strip()[0], "5");
  }
}

TEST_F(BoardTest, BothClearButtonsClearEverythingAndEvaluate) {
  for (const char* button : {"BDelGZ", "BDelZahlen"}) {
    recreate();
    TFMain& w = shown();
    openTickets(writeFile("eins.lose", ticketFile({numberedTicket(1)})));
    setSofort(false);
    for (int n : {1, 2, 3}) clickNumber(n);
    click(button);
    EXPECT_EQ(strip(), withEmpty({})) << button;
    EXPECT_EQ(text("PAnz"), "0") << button;
    EXPECT_TRUE(checkedButtons().isEmpty()) << button;
    EXPECT_EQ(w.check().chosen.count(), 0) << button;
    EXPECT_EQ(resultRows(w), 2) << button << " evaluates even without the option";
    clickNumber(9);
    EXPECT_EQ(strip(), withEmpty({"9"})) << button;
  }
}

TEST_F(BoardTest, WithoutTicketsTheBoardStillUpdatesItsDisplays) {
  TFMain& w = shown();
  clickNumber(75);
  click("BDelGZ");
  clickNumber(1);
  EXPECT_EQ(strip(), withEmpty({"1"}));
  EXPECT_EQ(text("PAnz"), "1");
  EXPECT_EQ(resultRows(w), 40);
}

TEST_F(BoardTest, ButtonsSitFiveToARowWithAPixelBetween) {
  struct Case {
    int n;
    QPoint pos;
  };
  TFMain& w = window();
  for (const Case c :
       {Case{1, {1, 1}}, Case{5, {149, 1}}, Case{6, {1, 26}}, Case{38, {75, 176}}, Case{75, {149, 351}}}) {
    TBZahl* b = w.Button(c.n);
    EXPECT_EQ(b->objectName(), QString("but%1").arg(c.n));
    EXPECT_EQ(b->tag(), c.n);
    EXPECT_EQ(b->text(), QString::number(c.n));
    EXPECT_EQ(b->pos(), c.pos) << c.n;
    EXPECT_EQ(b->size(), QSize(36, 24));
  }
  for (int k : {1, 2, 22}) {
    EXPECT_EQ(w.Panel(k)->pos(), QPoint(25 * (k - 1), 3)) << k;
    EXPECT_EQ(w.Panel(k)->size(), QSize(24, 22));
  }
}

TEST_F(BoardTest, AChosenButtonLooksUnmistakablyDifferent) {
  PrepareApplication(*qApp);  // the program's style sheet
  TFMain& w = shown();
  clickNumber(12);
  QApplication::processEvents();
  const QImage chosen = w.Button(12)->grab().toImage();
  const QImage unchosen = w.Button(13)->grab().toImage();
  const QColor chosenFace = chosen.pixelColor(4, chosen.height() / 2);
  const QColor unchosenFace = unchosen.pixelColor(4, unchosen.height() / 2);
  EXPECT_LT(chosenFace.lightness(), 90) << "dark";
  EXPECT_GT(chosenFace.green(), chosenFace.red() + 40) << "green";
  EXPECT_GT(unchosenFace.lightness(), 200) << "light";
}
