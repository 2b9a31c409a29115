// The editable ticket frame: pasted text into the grid, the two clear buttons, the text field's keys.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include "support/scripted_prompter.h"
#include "ui/frlos2.h"

// Readable failure output for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace {

using Msg = std::pair<QString, QString>;  // kind, text

std::vector<Msg> recorded(const ScriptedPrompter& p) {
  std::vector<Msg> out;
  for (const auto& m : p.messages) out.emplace_back(m.kind, m.text);
  return out;
}

QStringList gridRows(const TFfrLos2& frame) {
  QStringList rows;
  for (int r = 0; r < 5; ++r) {
    QStringList row;
    for (int c = 0; c < 5; ++c) row << frame.gLos->cellText(r, c);
    rows << row.join('|');
  }
  return rows;
}

struct TransferCase {
  const char* name;
  QString pasted;         // CR LF lines, as the field hands them over
  QString fieldAfter;     // CR LF lines
  QStringList rowsAfter;  // "a|b|c|d|e" per row
  std::vector<Msg> messages;
};

QStringList emptyRowsExcept(std::initializer_list<std::pair<int, QString>> rows) {
  QStringList out(5, QStringLiteral("||||"));
  for (const auto& [r, text] : rows) out[r] = text;
  return out;
}

QString numberLines(int from, int to) {
  QStringList lines;
  for (int v = from; v <= to; ++v) lines << QString::number(v);
  return lines.join("\r\n");
}

class TransferTable : public ::testing::TestWithParam<TransferCase> {};

TEST_P(TransferTable, fills_the_grid_and_the_field_as_expected) {
  const TransferCase& c = GetParam();
  ScriptedPrompter prompter;
  TFfrLos2 frame;
  frame.setMemoText(c.pasted);
  frame.bsSkinSpeedButton2->click();
  EXPECT_EQ(frame.memoText(), c.fieldAfter);
  EXPECT_EQ(gridRows(frame), c.rowsAfter);
  EXPECT_EQ(recorded(prompter), c.messages);
}

const std::vector<TransferCase> kTransferCases = {
    {"comma_and_space_make_one_number_per_line",
     "4, 17, 33",
     "4\r\n17\r\n33",
     emptyRowsExcept({{0, "4|17|33||"}}),
     {}},
    {"bare_commas_make_one_number_per_line",
     "4,17,33",
     "4\r\n17\r\n33",
     emptyRowsExcept({{0, "4|17|33||"}}),
     {}},
    {"with_comma_and_space_present_a_bare_comma_stays_and_its_line_is_skipped",
     "1, 2,3",
     "1\r\n2,3",
     emptyRowsExcept({{0, "1||||"}}),
     {}},
    {"blanks_around_a_number_are_trimmed_in_the_field_and_blank_or_double_lines_skipped",
     " 12 \r\n\r\n3 4\r\n  5 ",
     "12\r\n\r\n3 4\r\n5",
     emptyRowsExcept({{0, "12|5|||"}}),
     {}},
    {"a_leading_zero_goes_into_the_cell_unchanged",
     "07\r\n+8",
     "07\r\n+8",
     emptyRowsExcept({{0, "07|+8|||"}}),
     {}},
    {"seven_and_07_bring_the_duplicate_message_with_07",
     "7\r\n07",
     "7\r\n07",
     emptyRowsExcept({{0, "7||||"}}),
     {{"error", "Zahl 07 ist doppelt."}}},
    {"zero_76_and_minus_five_are_invalid",
     "0\r\n76\r\n-5",
     "0\r\n76\r\n-5",
     emptyRowsExcept({}),
     {{"error", "Zahl 0 ist ungültig."},
      {"error", "Zahl 76 ist ungültig."},
      {"error", "Zahl -5 ist ungültig."}}},
    {"the_26th_number_finds_no_free_cell",
     numberLines(1, 26),
     numberLines(1, 26),
     {"1|2|3|4|5", "6|7|8|9|10", "11|12|13|14|15", "16|17|18|19|20", "21|22|23|24|25"},
     {{"error", "Alle Felder belegt!\r\r26 konnte nicht eingetragen werden."}}},
    {"a_number_met_without_a_free_cell_is_a_duplicate_later",
     numberLines(1, 26) + "\r\n26",
     numberLines(1, 26) + "\r\n26",
     {"1|2|3|4|5", "6|7|8|9|10", "11|12|13|14|15", "16|17|18|19|20", "21|22|23|24|25"},
     {{"error", "Alle Felder belegt!\r\r26 konnte nicht eingetragen werden."},
      {"error", "Zahl 26 ist doppelt."}}},
    {"tab_rows_fill_the_rows_as_pasted_and_a_sixth_is_ignored",
     "1\t2\t3\t4\t5\r\n6\t7\t8\t9\t10\r\nnote\r\n11\t12\t13\t14\t15\r\n16\t17\t18\t19\t20\r\n"
     "21\t22\t23\t24\t25\r\n26\t27\t28\t29\t30",
     "1\t2\t3\t4\t5\r\n6\t7\t8\t9\t10\r\nnote\r\n11\t12\t13\t14\t15\r\n16\t17\t18\t19\t20\r\n"
     "21\t22\t23\t24\t25\r\n26\t27\t28\t29\t30",
     {"1|2|3|4|5", "6|7|8|9|10", "11|12|13|14|15", "16|17|18|19|20", "21|22|23|24|25"},
     {}},
    {"two_tabs_in_a_row_give_a_cell_holding_a_space",
     "1\t\t3",
     "1\t\t3",
     emptyRowsExcept({{0, "1| |3||"}}),
     {}},
    {"tab_mode_takes_any_text_without_a_message",
     "x\t99\t-1",
     "x\t99\t-1",
     emptyRowsExcept({{0, "x|99|-1||"}}),
     {}},
    {"the_comma_step_comes_before_tab_mode", "1,2\t3", "1\r\n2\t3", emptyRowsExcept({{0, "2|3|||"}}), {}},
    {"an_empty_field_changes_nothing", "", "", emptyRowsExcept({}), {}},
};

INSTANTIATE_TEST_SUITE_P(Frame, TransferTable, ::testing::ValuesIn(kTransferCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Frame, the_same_thirteen_numbers_twice_fill_the_rest_and_the_thirteenth_finds_no_cell) {
  ScriptedPrompter prompter;
  TFfrLos2 frame;
  const QString thirteen = numberLines(40, 52);
  frame.setMemoText(thirteen);
  frame.bsSkinSpeedButton2->click();
  EXPECT_TRUE(prompter.messages.isEmpty());
  frame.setMemoText(thirteen);
  frame.bsSkinSpeedButton2->click();
  EXPECT_EQ(gridRows(frame), (QStringList{"40|41|42|43|44", "45|46|47|48|49", "50|51|52|40|41",
                                          "42|43|44|45|46", "47|48|49|50|51"}));
  EXPECT_EQ(prompter.texts(), QStringList{"Alle Felder belegt!\r\r52 konnte nicht eingetragen werden."});
}

TEST(Frame, a_number_typed_in_a_cell_before_counts_as_taken_only_by_its_cell) {
  ScriptedPrompter prompter;
  TFfrLos2 frame;
  frame.gLos->setCellText(0, 0, "9");
  frame.gLos->setCellText(0, 1, " ");
  frame.setMemoText("9\r\n10");
  frame.bsSkinSpeedButton2->click();
  EXPECT_EQ(gridRows(frame)[0], "9| |9|10|");
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

TEST(Frame, a_no_break_space_before_a_number_is_not_trimmed_so_the_line_is_skipped) {
  ScriptedPrompter prompter;
  TFfrLos2 frame;
  frame.setMemoText(QString(QChar(0x00A0)) + "5\r\n6");
  frame.bsSkinSpeedButton2->click();
  EXPECT_EQ(gridRows(frame)[0], "6||||");
  EXPECT_TRUE(frame.memoText().startsWith(QChar(0x00A0)));
}

TEST(Frame, a_long_list_of_wrong_lines_shows_ten_messages_and_counts_the_rest) {
  ScriptedPrompter prompter;
  TFfrLos2 frame;
  QStringList lines;
  for (int i = 0; i < 15; ++i) lines << QString::number(100 + i);
  frame.setMemoText(lines.join("\r\n"));
  frame.bsSkinSpeedButton2->click();
  ASSERT_EQ(prompter.messages.size(), TFfrLos2::kMaxTransferMessages + 1);
  EXPECT_EQ(prompter.messages[0].text, "Zahl 100 ist ungültig.");
  EXPECT_EQ(prompter.messages[9].text, "Zahl 109 ist ungültig.");
  EXPECT_EQ(prompter.messages[10].kind, "information");
  EXPECT_EQ(
      prompter.messages[10].text,
      "5 weitere Zeilen konnten nicht eingetragen werden (ungültig, doppelt oder kein Feld mehr frei).");
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
  EXPECT_EQ(gridRows(frame), emptyRowsExcept({}));
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
