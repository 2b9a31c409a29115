// SPDX-License-Identifier: GPL-3.0-or-later
// Ctrl+Z, Ctrl+Y and "Zurücknehmen" in the main window: every kind of change of the chosen numbers
// goes back and comes again through the click's handlers, so the board, strip, count and evaluation
// follow; numbers read from a file start a new history.
#include "main_fixture.h"

class DrawUndoTest : public MainWindowTest {
 protected:
  TFMain& active() {
    TFMain& w = shown();
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    return w;
  }
  void undo() { QTest::keyClick(&active(), Qt::Key_Z, Qt::ControlModifier); }
  void redo() { QTest::keyClick(&active(), Qt::Key_Y, Qt::ControlModifier); }
  QAbstractButton* undoButton() { return child<QAbstractButton>("BZurueck"); }
  // What the board, the strip and the count show agree, and are returned once.
  QList<int> chosen() {
    const QList<int> board = checkedButtons();
    QStringList expectedStrip;
    for (int n : board) expectedStrip << QString::number(n);
    while (expectedStrip.size() < 22) expectedStrip << QString();
    EXPECT_EQ(strip(), expectedStrip);
    EXPECT_EQ(text("PAnz"), QString::number(board.size()));
    return board;
  }
  void transfer(const QString& field) {
    child<QPlainTextEdit>("MGZ")->setPlainText(field);
    click("BTransfer");
  }
};

TEST_F(DrawUndoTest, ClicksAndKeysGoBackAndComeAgainOneByOne) {
  active();
  clickNumber(5);
  clickNumber(7);
  QTest::keyClick(window().Button(7), Qt::Key_1);
  QTest::keyClick(window().Button(1), Qt::Key_2);
  QTest::keyClick(window().Button(12), Qt::Key_Return);  // typed 12 on the board
  clickNumber(5);                                        // taken back by hand
  EXPECT_EQ(chosen(), QList<int>({7, 12}));

  undo();
  EXPECT_EQ(chosen(), QList<int>({5, 7, 12}));
  undo();
  EXPECT_EQ(chosen(), QList<int>({5, 7}));
  undo();
  undo();
  EXPECT_EQ(chosen(), QList<int>());
  EXPECT_FALSE(undoButton()->isEnabled());
  undo();  // nothing left: nothing happens
  EXPECT_EQ(chosen(), QList<int>());
  redo();
  redo();
  EXPECT_EQ(chosen(), QList<int>({5, 7}));
  clickNumber(30);  // a new change drops what was undone
  redo();
  EXPECT_EQ(chosen(), QList<int>({5, 7, 30}));
}

TEST_F(DrawUndoTest, ATransferAndAClearAreOneStepEach) {
  active();
  clickNumber(10);
  transfer("1,2,3");
  EXPECT_EQ(chosen(), QList<int>({1, 2, 3}));
  click("BDelZahlen");
  EXPECT_EQ(chosen(), QList<int>());
  click("BDelGZ");  // clearing an empty board changes nothing and is no step
  undo();
  EXPECT_EQ(chosen(), QList<int>({1, 2, 3}));
  undo();
  EXPECT_EQ(chosen(), QList<int>({10}));
  redo();
  EXPECT_EQ(chosen(), QList<int>({1, 2, 3}));
  redo();
  EXPECT_EQ(chosen(), QList<int>());
}

TEST_F(DrawUndoTest, TheButtonBesideClearAllIsTheSameCommandAndTheEvaluationFollows) {
  openTickets(writeFile("t.lose", ticketFile({numberedTicket(1)})));
  active();
  EXPECT_EQ(undoButton()->text(), "Zurück- nehmen");
  EXPECT_FALSE(undoButton()->isEnabled());
  for (int n : {1, 2, 3, 4, 5}) clickNumber(n);
  ASSERT_EQ(window().check().resultClasses(), std::vector<std::uint8_t>{1});
  QTest::mouseClick(undoButton(), Qt::LeftButton);
  EXPECT_EQ(chosen(), QList<int>({1, 2, 3, 4}));
  EXPECT_EQ(window().check().resultClasses(), std::vector<std::uint8_t>{0});
  redo();
  EXPECT_EQ(window().check().resultClasses(), std::vector<std::uint8_t>{1});
}

TEST_F(DrawUndoTest, NumbersReadFromAFileStartANewHistory) {
  active();
  clickNumber(5);
  const QString path = writeFile("z.zfgz", "40\r\n41\r\n");
  prompter.fileAnswers << path;
  click("BOpenGZ");
  EXPECT_EQ(chosen(), QList<int>({40, 41}));
  EXPECT_FALSE(undoButton()->isEnabled());
  undo();
  EXPECT_EQ(chosen(), QList<int>({40, 41}));
}
