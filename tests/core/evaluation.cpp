// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/evaluation.h"

#include <gtest/gtest.h>

#include <bit>

namespace {

// A ticket whose cell c (0..24) holds the number base + c, so every line completes only when chosen.
TicketCells Numbered(int base = 1) {
  TicketCells cells;
  for (int c = 0; c < 25; ++c) cells[c] = QString::number(base + c);
  return cells;
}

void Choose(LotteryCheck& check, std::initializer_list<int> numbers) {
  for (int n : numbers) check.chosen.toggle(n);
}

// Chooses the numbers of the given cells (1..25) of a Numbered(1) ticket.
void ChooseCells(LotteryCheck& check, std::initializer_list<int> cells) {
  for (int c : cells)
    if (!check.chosen.contains(c)) check.chosen.toggle(c);
}

TicketList One(const TicketCells& cells) {
  TicketList list;
  list.append(cells);
  return list;
}

TEST(ChosenNumbers, TogglesWithinTheLimitOf22) {
  ChosenNumbers chosen;
  EXPECT_EQ(chosen.toggle(0), ChosenNumbers::Toggle::OutOfRange);
  EXPECT_EQ(chosen.toggle(76), ChosenNumbers::Toggle::OutOfRange);
  for (int n = 1; n <= 22; ++n) EXPECT_EQ(chosen.toggle(n), ChosenNumbers::Toggle::Added);
  EXPECT_EQ(chosen.toggle(23), ChosenNumbers::Toggle::LimitReached);
  EXPECT_FALSE(chosen.contains(23));
  EXPECT_EQ(chosen.count(), 22);
  EXPECT_EQ(chosen.toggle(5), ChosenNumbers::Toggle::Removed);
  EXPECT_EQ(chosen.toggle(75), ChosenNumbers::Toggle::Added);
  EXPECT_EQ(chosen.count(), 22);
  EXPECT_EQ(chosen.sorted().first(), 1);
  EXPECT_EQ(chosen.sorted().last(), 75);
  chosen.clear();
  EXPECT_EQ(chosen.count(), 0);
  EXPECT_TRUE(chosen.set().isEmpty());
  EXPECT_EQ(LimitMessage(), QString::fromUtf8("Sie haben bereits 22 Gewinnzahlen gewählt."));
}

TEST(WinClassOf, GroupsThreeAndMoreLinesTogether) {
  const int expected[] = {0, 1, 2, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3};
  for (int h = 0; h <= 12; ++h) EXPECT_EQ(WinClassOf(h), expected[h]) << h;
}

TEST(Evaluation, ALineIsCompleteOnlyWithFiveDistinctChosenNumbers) {
  struct Case {
    const char* name;
    QStringList row;
    bool complete;
  };
  const Case cases[] = {
      {"five chosen numbers", {"3", "17", "40", "52", "66"}, true},
      {"a blank cell instead of 66", {"3", "17", "40", "52", " "}, false},
      {"an empty cell", {"3", "17", "40", "52", ""}, false},
      {"a repeated number", {"7", "7", "20", "33", "48"}, false},
      {"a zero", {"0", "17", "40", "52", "66"}, false},
      {"letters", {"3a", "17", "40", "52", "66"}, false},
      {"a number above 75", {"300", "17", "40", "52", "66"}, false},
      {"leading blanks and zeros", {"  3", "017", "40", "52", "66"}, true},
  };
  for (const auto& c : cases) {
    LotteryCheck check;
    Choose(check, {3, 17, 40, 52, 66, 7, 20, 33, 48});
    TicketCells cells;
    for (int i = 0; i < 5; ++i) cells[i] = c.row[i];
    check.addTickets(One(cells));
    ASSERT_TRUE(check.evaluate());
    EXPECT_EQ(check.lineHits(0) & 1, c.complete ? 1 : 0) << c.name;
  }
}

TEST(Evaluation, ClassesAndTotalsCountTicketsByTheirCompleteLines) {
  LotteryCheck check;
  TicketList list;
  for (int i = 0; i < 4; ++i) list.append(Numbered());
  check.addTickets(list);
  ChooseCells(check, {1, 2, 3, 4, 5, 6, 11, 16, 21});  // row 1 and column 1
  ASSERT_TRUE(check.evaluate());
  EXPECT_EQ(check.lineHits(0), (1u << 0) | (1u << 5));
  EXPECT_EQ(check.resultClasses(), std::vector<std::uint8_t>({2, 2, 2, 2}));
  EXPECT_EQ(check.totals().two, 4);
  EXPECT_EQ(check.totals().one, 0);
}

TEST(Evaluation, TwoOneLineTicketsAndAFourLineTicketGiveTwoNoneOne) {
  LotteryCheck check;
  TicketList list;
  TicketCells rowOnly = Numbered();
  for (int c : {6, 7, 9}) rowOnly[c - 1] = " ";  // breaks column 1 and both diagonals
  list.append(rowOnly);
  list.append(rowOnly);
  list.append(Numbered());
  check.addTickets(list);
  // Row 1, column 1, diagonal 1-7-13-19-25 and diagonal 5-9-13-17-21.
  ChooseCells(check, {1, 2, 3, 4, 5, 6, 11, 16, 21, 7, 13, 19, 25, 9, 17});
  ASSERT_TRUE(check.evaluate());
  EXPECT_EQ(std::popcount(unsigned(check.lineHits(2))), 4);
  EXPECT_EQ(check.totals().one, 2);
  EXPECT_EQ(check.totals().two, 0);
  EXPECT_EQ(check.totals().three, 1);
}

TEST(Evaluation, ATicketWithABlankDiagonalNeverWins) {
  LotteryCheck check;
  TicketCells cells = Numbered();
  for (int c : {1, 7, 13, 19, 25}) cells[c - 1] = "";
  check.addTickets(One(cells));
  for (int n = 1; n <= 22; ++n) check.chosen.toggle(n);
  ASSERT_TRUE(check.evaluate());
  EXPECT_EQ(check.lineHits(0), 0);
  EXPECT_EQ(check.resultClasses(), std::vector<std::uint8_t>({0}));
}

TEST(Evaluation, WithoutTicketsNothingChanges) {
  LotteryCheck check;
  EXPECT_FALSE(check.evaluate());
  EXPECT_FALSE(check.hasResult());
  check.addTickets(One(Numbered()));
  ChooseCells(check, {1, 2, 3, 4, 5});
  ASSERT_TRUE(check.evaluate());
  check.clearTickets();
  EXPECT_FALSE(check.evaluate());
  EXPECT_TRUE(check.hasResult());
  EXPECT_EQ(check.resultClasses(), std::vector<std::uint8_t>({1}));
  EXPECT_EQ(check.totals().one, 1);
  EXPECT_EQ(check.lineHits(0), 0);
}

TEST(Evaluation, ThreeTicketsReplacedByOneGiveOneResultRow) {
  LotteryCheck check;
  TicketList three;
  for (int i = 0; i < 3; ++i) three.append(Numbered());
  check.addTickets(three);
  ASSERT_TRUE(check.evaluate());
  check.clearTickets();
  check.addTickets(One(Numbered()));
  ASSERT_TRUE(check.evaluate());
  EXPECT_EQ(check.resultClasses().size(), 1u);
  EXPECT_EQ(check.totals().one + check.totals().two + check.totals().three, 0);
}

TEST(Evaluation, TicketsAddedAfterAnEvaluationHaveNoLineDataUntilTheNext) {
  LotteryCheck check;
  check.addTickets(One(Numbered()));
  ChooseCells(check, {1, 2, 3, 4, 5});
  ASSERT_TRUE(check.evaluate());
  check.addTickets(One(Numbered()));
  EXPECT_EQ(check.lineHits(0), 1);
  EXPECT_EQ(check.lineHits(1), 0);
  EXPECT_FALSE(check.IsOnCompleteLine(1, 2));
  EXPECT_EQ(check.cellColour(1, 0), CellColour::LightGreen);
  // A ticket taking the number of a removed one inherits nothing.
  check.clearTickets();
  check.addTickets(One(Numbered()));
  EXPECT_FALSE(check.IsOnCompleteLine(1, 1));
  ASSERT_TRUE(check.evaluate());
  EXPECT_TRUE(check.IsOnCompleteLine(1, 1));
}

TEST(IsOnCompleteLine, JudgesByTheLinesOfTheLastEvaluation) {
  LotteryCheck check;
  check.addTickets(One(Numbered()));
  ChooseCells(check, {1, 2, 3, 4, 5, 6, 11});  // row 1 complete, column 1 not
  ASSERT_TRUE(check.evaluate());
  EXPECT_TRUE(check.IsOnCompleteLine(1, 1));  // on row 1 (complete) and column 1 (not)
  EXPECT_TRUE(check.IsOnCompleteLine(5, 1));
  EXPECT_FALSE(check.IsOnCompleteLine(6, 1));  // chosen, only on incomplete lines
  EXPECT_FALSE(check.IsOnCompleteLine(25, 1));
  EXPECT_FALSE(check.IsOnCompleteLine(0, 1));
  EXPECT_FALSE(check.IsOnCompleteLine(300, 1));
  EXPECT_FALSE(check.IsOnCompleteLine(1, 0));
  EXPECT_FALSE(check.IsOnCompleteLine(1, 2));
  // Un-choosing keeps the dark green until the next evaluation.
  check.chosen.toggle(1);
  EXPECT_TRUE(check.IsOnCompleteLine(1, 1));
  ASSERT_TRUE(check.evaluate());
  EXPECT_FALSE(check.IsOnCompleteLine(1, 1));
}

TEST(CellColour, DarkOnCompleteLinesLightWhenChosenWhiteOtherwise) {
  LotteryCheck check;
  TicketCells cells = Numbered();
  cells[20] = "2";     // cell 21 repeats the number 2 off row 1
  cells[24] = "x";     // cell 25 invalid
  cells[23] = "0";     // cell 24 zero
  cells[22] = "  12";  // cell 23 holds 12 with leading blanks
  check.addTickets(One(cells));
  ChooseCells(check, {1, 2, 3, 4, 5, 6, 12});
  ASSERT_TRUE(check.evaluate());
  EXPECT_EQ(check.cellColour(0, 0), CellColour::DarkGreen);
  EXPECT_EQ(check.cellColour(0, 20), CellColour::DarkGreen);  // its value lies on a complete line
  EXPECT_EQ(check.cellColour(0, 5), CellColour::LightGreen);
  EXPECT_EQ(check.cellColour(0, 22), CellColour::LightGreen);
  EXPECT_EQ(check.cellColour(0, 6), CellColour::White);
  EXPECT_EQ(check.cellColour(0, 23), CellColour::White);
  EXPECT_EQ(check.cellColour(0, 24), CellColour::White);
  check.chosen.toggle(6);
  EXPECT_EQ(check.cellColour(0, 5), CellColour::White);  // light green follows the chosen numbers now
}

TEST(EvaluateLines, GivesTheSameMasksAsTheCheck) {
  TicketList list;
  for (int base = 1; base <= 51; base += 10) list.append(Numbered(base));
  NumberSet chosen;
  for (int n = 11; n <= 32; ++n) chosen.include(n);
  std::vector<std::uint16_t> hits;
  EvaluateLines(list, chosen, hits);
  ASSERT_EQ(hits.size(), 6u);
  EXPECT_EQ(hits[0], (1u << 2) | (1u << 3) | (1u << 4));  // rows 3, 4, 5 hold 11..25
  // Cells 1..22 hold 11..32: rows 1 to 4, columns 1 and 2, and the diagonal 5-9-13-17-21.
  EXPECT_EQ(hits[1], 0b1000'0110'1111);
  EXPECT_EQ(hits[5], 0);
}

}  // namespace
