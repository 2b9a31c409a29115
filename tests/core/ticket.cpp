// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ticket.h"

#include <gtest/gtest.h>
#include <malloc.h>

namespace {

TEST(ValueOfCell, ReadsBlanksNumbersAndEverythingElse) {
  struct Case {
    QString text;
    CellKind kind;
    int value;
  };
  const Case cases[] = {
      {"", CellKind::Blank, 0},
      {" ", CellKind::Blank, 0},
      {"   ", CellKind::Blank, 0},
      {"\t\r\n", CellKind::Blank, 0},
      {QString(QChar(0)), CellKind::Invalid, 0},
      {"  12", CellKind::Number, 12},
      {"0", CellKind::Number, 0},
      {"07", CellKind::Number, 7},
      {"-5", CellKind::Number, -5},
      {"\t+9", CellKind::Number, 9},
      {"300", CellKind::Number, 300},
      {"2147483647", CellKind::Number, 2147483647},
      {"2147483648", CellKind::Invalid, 0},
      {"12 ", CellKind::Invalid, 0},
      {"abc", CellKind::Invalid, 0},
      {"1 2", CellKind::Invalid, 0},
      {QString(QChar(0xA0)) + "5", CellKind::Invalid, 0},
      {QString(QChar(0)) + " 5", CellKind::Invalid, 0},
  };
  for (const auto& c : cases) {
    const CellValue v = ValueOfCell(c.text);
    EXPECT_EQ(v.kind, c.kind) << c.text.toStdString();
    EXPECT_EQ(v.value, c.value) << c.text.toStdString();
  }
}

TicketCells Cells(std::initializer_list<QString> first) {
  TicketCells cells;
  int i = 0;
  for (const QString& t : first) cells[i++] = t;
  return cells;
}

TEST(TicketList, EveryTextReadsBackExactlyAsStored) {
  const TicketCells cells = Cells({"1",
                                   "75",
                                   "",
                                   " ",
                                   "07",
                                   "0",
                                   "76",
                                   "-3",
                                   "abc",
                                   "  12",
                                   "12 ",
                                   "\"x\"",
                                   QString::fromUtf8("äöü"),
                                   "100000000000",
                                   "9",
                                   "10",
                                   "3",
                                   "4",
                                   "5",
                                   "6",
                                   "  ",
                                   "\t",
                                   "11",
                                   "22",
                                   "33"});
  TicketList list;
  list.append(cells);
  list.append(Cells({"2"}));
  ASSERT_EQ(list.count(), 2);
  EXPECT_EQ(list.cells(0), cells);
  EXPECT_EQ(list.cellText(1, 0), "2");
  EXPECT_EQ(list.cellText(1, 1), "");
}

TEST(TicketList, LotteryValuesAreTheNumbers1To75AndZeroOtherwise) {
  TicketList list;
  list.append(Cells({"1", "75", "", " ", "07", "0", "76", "-3", "abc", "  12", "12 "}));
  const int expected[] = {1, 75, 0, 0, 7, 0, 0, 0, 0, 12, 0};
  for (int c = 0; c < 11; ++c) EXPECT_EQ(list.lotteryValue(0, c), expected[c]) << "cell " << c;
  EXPECT_EQ(list.cellValue(0, 6).kind, CellKind::Number);
  EXPECT_EQ(list.cellValue(0, 6).value, 76);
  EXPECT_EQ(list.cellValue(0, 7).value, -3);
  EXPECT_EQ(list.cellValue(0, 8).kind, CellKind::Invalid);
  EXPECT_EQ(list.cellValue(0, 10).kind, CellKind::Invalid);
  EXPECT_EQ(list.cellValue(0, 3).kind, CellKind::Blank);
  EXPECT_EQ(list.invalidCellCount(), 2);
}

TEST(TicketList, LinesCanCompleteOnlyWithFiveDistinctLotteryNumbers) {
  struct Case {
    const char* name;
    TicketCells row0;
    bool completable;
  };
  const Case cases[] = {
      {"five numbers", Cells({"3", "17", "40", "52", "66"}), true},
      {"written with a leading zero", Cells({"03", "17", "40", "52", "66"}), true},
      {"a blank cell", Cells({"3", "17", "40", "52", " "}), false},
      {"a repeated number", Cells({"7", "7", "20", "33", "48"}), false},
      {"a zero", Cells({"0", "17", "40", "52", "66"}), false},
      {"a number above 75", Cells({"76", "17", "40", "52", "66"}), false},
      {"a cell with letters", Cells({"x", "17", "40", "52", "66"}), false},
  };
  for (const auto& c : cases) {
    TicketList list;
    list.append(c.row0);
    EXPECT_EQ((list.completableLines(0) & 1) != 0, c.completable) << c.name;
  }
}

TEST(TicketList, AppendingAListKeepsOrderTextsAndCounts) {
  TicketList a, b;
  a.append(Cells({"1", "x"}));
  b.append(Cells({"2", "y", "5 5"}));
  b.append(Cells({"3"}));
  a.append(b);
  a.append(a);
  ASSERT_EQ(a.count(), 6);
  EXPECT_EQ(a.cellText(1, 1), "y");
  EXPECT_EQ(a.cellText(4, 1), "y");
  EXPECT_EQ(a.cellText(4, 2), "5 5");
  EXPECT_EQ(a.cellText(5, 0), "3");
  EXPECT_EQ(a.invalidCellCount(), 6);
  a.clear();
  EXPECT_TRUE(a.isEmpty());
  EXPECT_EQ(a.invalidCellCount(), 0);
}

TEST(TicketList, AHundredThousandOrdinaryTicketsCostAFewMegabytes) {
  std::array<QString, 76> texts;
  for (int n = 1; n <= 75; ++n) texts[n] = QString::number(n);
  std::array<QStringView, 25> cells;
  const std::size_t before = mallinfo2().uordblks;
  {
    TicketList list;
    for (int t = 0; t < 100000; ++t) {
      for (int c = 0; c < 25; ++c)
        cells[c] = c == 12 ? QStringView(u" ") : QStringView(texts[(t + c * 3) % 75 + 1]);
      list.appendViews(cells);
    }
    const std::size_t used = mallinfo2().uordblks - before;
    EXPECT_LT(used, std::size_t(5) * 1024 * 1024);
    EXPECT_EQ(list.cellText(99999, 12), " ");
    EXPECT_EQ(list.cellText(99999, 0), texts[99999 % 75 + 1]);
  }
}

}  // namespace
