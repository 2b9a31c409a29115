// SPDX-License-Identifier: GPL-3.0-or-later
// The editable ticket frame: pasted text into the grid, the two clear buttons, the text field's keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "support/scripted_prompter.h"
#include "ui/eingabe/frlos2.h"

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace {

QStringList gridRows(const TFfrLos2& frame) {
  QStringList rows;
  for (int r = 0; r < 5; ++r) {
    QStringList row;
    for (int c = 0; c < 5; ++c) row << frame.gLos->cellText(r, c);
    rows << row.join('|');
  }
  return rows;
}

QString numberLines(int from, int to) {
  QStringList lines;
  for (int v = from; v <= to; ++v) lines << QString::number(v);
  return lines.join("\r\n");
}

// The parsing itself is the core's; here only what the frame does with it.
TEST(Frame, the_field_goes_into_the_grid_and_shows_the_text_the_transfer_leaves) {
  ScriptedPrompter prompter;
  TFfrLos2 frame;
  frame.gLos->setCellText(0, 0, "9");
  frame.setMemoText("4, 17, 33");
  frame.bsSkinSpeedButton2->click();
  EXPECT_EQ(gridRows(frame)[0], "9|4|17|33|");
  EXPECT_EQ(frame.memoText(), "4\r\n17\r\n33");
  EXPECT_EQ(frame.m1->toPlainText(), "4\n17\n33");
  EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST(Frame, text_pasted_with_windows_line_breaks_arrives_as_lines) {
  ScriptedPrompter prompter;
  TFfrLos2 frame;
  QApplication::clipboard()->setText("4\r\n17\r\n33\r\n");
  frame.m1->paste();
  EXPECT_EQ(frame.m1->toPlainText(), "4\n17\n33\n");
  EXPECT_EQ(frame.memoText(), "4\r\n17\r\n33\r\n");
  frame.bsSkinSpeedButton2->click();
  EXPECT_EQ(gridRows(frame)[0], "4|17|33||");
}

TEST(Frame, ten_messages_are_shown_and_the_rest_summed_up_naming_the_first_ten_left_out) {
  const QString reason = " konnte nicht eingetragen werden (ungültig, doppelt oder kein Feld mehr frei): ";
  struct Case {
    int wrong;
    QString summary;
  };
  const Case cases[] = {
      {10, ""},
      {11, "1 weitere Zeile" + reason + "110"},
      {12, "2 weitere Zeilen" + QString(reason).replace("konnte", "konnten") + "110, 111"},
      {25, "15 weitere Zeilen" + QString(reason).replace("konnte", "konnten") +
               "110, 111, 112, 113, 114, 115, 116, 117, 118, 119, …"},
  };
  for (const Case& c : cases) {
    ScriptedPrompter prompter;
    TFfrLos2 frame;
    frame.setMemoText(numberLines(100, 100 + c.wrong - 1));
    frame.bsSkinSpeedButton2->click();
    ASSERT_EQ(prompter.messages.size(), c.summary.isEmpty() ? 10 : 11) << c.wrong;
    EXPECT_EQ(prompter.messages[0].text, "Zahl 100 ist ungültig.");
    EXPECT_EQ(prompter.messages[9].text, "Zahl 109 ist ungültig.");
    if (c.summary.isEmpty()) continue;
    EXPECT_EQ(prompter.messages[10].kind, "information");
    EXPECT_EQ(prompter.messages[10].text, c.summary);
  }
  // Full cells and doubles are named by their number too.
  ScriptedPrompter prompter;
  TFfrLos2 frame;
  frame.setMemoText(numberLines(1, 25) + "\r\n" + numberLines(1, 11) + "\r\n" + numberLines(30, 31));
  frame.bsSkinSpeedButton2->click();
  ASSERT_EQ(prompter.messages.size(), 11);
  EXPECT_EQ(prompter.messages[10].text,
            "3 weitere Zeilen" + QString(reason).replace("konnte", "konnten") + "11, 30, 31");
}

TEST(Frame, the_grid_shows_what_was_placed_while_a_message_waits) {
  // A prompter that looks at the grid when the message comes.
  struct Peeking : ScriptedPrompter {
    TFfrLos2* frame = nullptr;
    QString cellAtMessage;
    void error(const QString& text) override {
      cellAtMessage = frame->gLos->cellText(0, 1);
      ScriptedPrompter::error(text);
    }
  } prompter;
  TFfrLos2 frame;
  prompter.frame = &frame;
  frame.setMemoText("3\r\n8\r\n3");
  frame.bsSkinSpeedButton2->click();
  EXPECT_EQ(prompter.cellAtMessage, "8");
}

TEST(Frame, the_delete_button_empties_the_field_and_keeps_the_grid) {
  ScriptedPrompter prompter;
  TFfrLos2 frame;
  frame.setMemoText("4, 5");
  frame.bsSkinSpeedButton2->click();
  frame.BDel->click();
  EXPECT_EQ(frame.memoText(), "");
  EXPECT_EQ(gridRows(frame)[0], "4|5|||");
}

TEST(Frame, the_grid_button_empties_every_cell_and_keeps_the_field) {
  ScriptedPrompter prompter;
  TFfrLos2 frame;
  frame.setMemoText("1\t2\t3\t4\t5\r\n6\t7\t8\t9\t10");
  frame.bsSkinSpeedButton2->click();
  frame.gLos->setCellText(4, 4, " ");
  frame.bsSkinSpeedButton1->click();
  EXPECT_EQ(gridRows(frame), QStringList(5, "||||"));
  EXPECT_EQ(frame.memoText(), "1\t2\t3\t4\t5\r\n6\t7\t8\t9\t10");
}

TEST(Frame, the_enter_key_adds_no_line_to_the_field) {
  TFfrLos2 frame;
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  frame.m1->setFocus();
  QTest::keyClicks(frame.m1, "12");
  QTest::keyClick(frame.m1, Qt::Key_Return);
  QTest::keyClick(frame.m1, Qt::Key_Enter, Qt::KeypadModifier);
  QTest::keyClicks(frame.m1, "3");
  EXPECT_EQ(frame.memoText(), "123");
}

TEST(Frame, a_number_still_in_the_cell_editor_is_taken_over_before_the_transfer) {
  ScriptedPrompter prompter;
  TFfrLos2 frame;
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  frame.gLos->setCurrentIndex(frame.gLos->model()->index(0, 0));
  auto* editor = frame.gLos->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "42");
  frame.setMemoText("5");
  frame.bsSkinSpeedButton2->click();
  EXPECT_EQ(gridRows(frame)[0], "42|5|||");
}

TEST(Frame, the_picture_buttons_are_named_by_their_tooltips) {
  TFfrLos2 frame;
  for (QToolButton* b : {frame.BDel, frame.bsSkinSpeedButton2, frame.bsSkinSpeedButton1}) {
    EXPECT_FALSE(b->toolTip().isEmpty()) << b->objectName().toStdString();
    EXPECT_EQ(b->accessibleName(), b->toolTip());
    EXPECT_FALSE(b->icon().isNull()) << b->objectName().toStdString();
  }
}

}  // namespace
