// SPDX-License-Identifier: GPL-3.0-or-later
// The number board by keyboard and through its accessible actions.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>

#include "ui/main/boardkeys.h"
#include "ui/main/main_fixture.h"

namespace {

struct Step {
  int from;
  Qt::Key key;
  int to;
};

TEST(BoardNeighbour, ArrowsMoveAlongTheGridOfFiveAndStopAtItsEdges) {
  const Step steps[] = {
      {17, Qt::Key_Right, 18}, {17, Qt::Key_Left, 16},  {17, Qt::Key_Up, 12},  {17, Qt::Key_Down, 22},
      {5, Qt::Key_Right, 5},   {6, Qt::Key_Left, 6},    {3, Qt::Key_Up, 3},    {73, Qt::Key_Down, 73},
      {70, Qt::Key_Down, 75},  {75, Qt::Key_Right, 75}, {1, Qt::Key_Space, 1},
  };
  for (const Step& s : steps) EXPECT_EQ(BoardNeighbour(s.from, s.key), s.to) << s.from << " key " << s.key;
}

TEST(TypedNumber, DigitsMakeANumberOfTheBoardAndStartAgainBeyondIt) {
  struct Case {
    QList<int> digits;
    int value;
  };
  const Case cases[] = {
      {{1, 7}, 17}, {{7}, 7}, {{7, 5}, 75}, {{7, 6}, 6}, {{8, 0}, 0}, {{0, 7}, 7}, {{1, 2, 3}, 3}, {{0}, 0},
  };
  for (const Case& c : cases) {
    TypedNumber t;
    for (int d : c.digits) t.type(d);
    EXPECT_EQ(t.value(), c.value) << QList<int>(c.digits).size();
  }
}

class BoardKeysTest : public MainWindowTest {
 protected:
  TBZahl* focusBoard() {
    TFMain& w = shown();
    w.activateWindow();
    w.Button(1)->setFocus(Qt::TabFocusReason);
    return w.Button(1);
  }
  void keys(const QString& typed) {
    for (QChar c : typed) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
  }
  void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
};

TEST_F(BoardKeysTest, ArrowsMoveTheFocusAndSpaceOrEnterToggleTheFocusedNumber) {
  focusBoard();
  key(Qt::Key_Right);
  key(Qt::Key_Down);
  EXPECT_EQ(QApplication::focusWidget(), window().Button(7));
  key(Qt::Key_Space);
  key(Qt::Key_Right);
  key(Qt::Key_Return);
  EXPECT_EQ(checkedButtons(), (QList<int>{7, 8}));
  EXPECT_EQ(text("PAnz"), "2");
  key(Qt::Key_Enter);
  EXPECT_EQ(checkedButtons(), QList<int>{7});
}

TEST_F(BoardKeysTest, TypedDigitsAndEnterToggleThatNumberAndEscapeDropsThem) {
  focusBoard();
  keys("17");
  EXPECT_EQ(QApplication::focusWidget(), window().Button(17)) << "the typed number shows";
  key(Qt::Key_Return);
  keys("4");
  key(Qt::Key_Escape);
  keys("2");
  key(Qt::Key_Return);
  EXPECT_EQ(checkedButtons(), (QList<int>{2, 17}));
  EXPECT_EQ(strip().mid(0, 3), (QStringList{"2", "17", ""}));
}

TEST_F(BoardKeysTest, TheTwentyThirdNumberByKeyboardGetsTheLimitMessageAndChangesNothing) {
  focusBoard();
  for (int n = 1; n <= 22; ++n) {
    keys(QString::number(n));
    key(Qt::Key_Return);
  }
  keys("40");
  key(Qt::Key_Return);
  EXPECT_EQ(prompter.texts(), QStringList{"Sie haben bereits 22 Gewinnzahlen gewählt."});
  EXPECT_FALSE(window().Button(40)->isChecked());
  EXPECT_EQ(text("PAnz"), "22");
}

TEST_F(BoardKeysTest, TabPassesTheBoardInOneStepAtTheButtonLastFocused) {
  focusBoard();
  keys("33");
  key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "BDelZahlen");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget(), window().Button(33));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
  EXPECT_EQ(QApplication::focusWidget()->objectName(), "BDelGZ");
}

// The accessible action is queued (a modal message must not keep the screen reader waiting) and then
// is the button's click: the count, the strip and the look agree.
TEST_F(BoardKeysTest, TheAccessibleToggleAndPressActionsDoWhatAClickDoes) {
  TFMain& w = shown();
  QAccessibleActionInterface* toggle = QAccessible::queryAccessibleInterface(w.Button(40))->actionInterface();
  ASSERT_NE(toggle, nullptr);
  ASSERT_TRUE(toggle->actionNames().contains(QAccessibleActionInterface::toggleAction()));
  toggle->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(text("PAnz"), "0") << "the action returns before the click runs";
  QTRY_COMPARE(text("PAnz"), QString("1"));
  EXPECT_EQ(strip().first(), "40");
  EXPECT_EQ(checkedButtons(), QList<int>{40});
  EXPECT_TRUE(QAccessible::queryAccessibleInterface(w.Button(40))->state().checked);

  QAccessible::queryAccessibleInterface(w.Button(40))
      ->actionInterface()
      ->doAction(QAccessibleActionInterface::pressAction());
  QTRY_COMPARE(text("PAnz"), QString("0"));
  EXPECT_TRUE(checkedButtons().isEmpty());
}

}  // namespace
