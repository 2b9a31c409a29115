// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tickettext.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace {

struct Outcome {
  QString text;
  TicketCells cells;
  QStringList messages;
};

Outcome Transfer(const QString& text, TicketCells cells = {}) {
  Outcome run{text, cells, {}};
  TransferLosText(run.text, run.cells, [&](const Fault& f) { run.messages << FaultText(f); });
  return run;
}

QString Lines(int from, int to) {
  QStringList lines;
  for (int n = from; n <= to; ++n) lines << QString::number(n);
  return lines.join("\r\n");
}

QString Full(const QString& t) {
  return QString::fromUtf8("Alle Felder belegt!\r\r%1 konnte nicht eingetragen werden.").arg(t);
}

TEST(TransferLosText, CommaSpaceListFillsTheFirstCells) {
  const Outcome run = Transfer("4, 17, 33");
  EXPECT_EQ(run.text, "4\r\n17\r\n33");
  EXPECT_EQ(run.cells[0], "4");
  EXPECT_EQ(run.cells[1], "17");
  EXPECT_EQ(run.cells[2], "33");
  EXPECT_EQ(run.cells[3], "");
  EXPECT_TRUE(run.messages.isEmpty());
}

TEST(TransferLosText, OnlyCommaSpaceSplitsWhenBothFormsOccur) {
  const Outcome run = Transfer("4, 17,33, 5");
  EXPECT_EQ(run.text, "4\r\n17,33\r\n5");
  EXPECT_EQ(run.cells[0], "4");
  EXPECT_EQ(run.cells[1], "5");
  EXPECT_TRUE(run.messages.isEmpty());
  EXPECT_EQ(Transfer("4,17,33").text, "4\r\n17\r\n33");
}

TEST(TransferLosText, NumberModeMessagesCarryTheTrimmedLine) {
  struct Case {
    const char* name;
    QString text;
    QStringList messages;
  };
  const Case cases[] = {
      {"twenty-six numbers", Lines(1, 26), {Full("26")}},
      {"seven and oh-seven", "7\r\n07", {QString::fromUtf8("Zahl 07 ist doppelt.")}},
      {"out of range",
       "0\r\n 76\r\n-5",
       {QString::fromUtf8("Zahl 0 ist ungültig."), QString::fromUtf8("Zahl 76 ist ungültig."),
        QString::fromUtf8("Zahl -5 ist ungültig.")}},
      {"a number met when full is seen",
       Lines(1, 26) + "\r\n26",
       {Full("26"), QString::fromUtf8("Zahl 26 ist doppelt.")}},
      {"lines that are no number are silent", "\r\n1 2\r\nabc\r\n5x\r\n", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(Transfer(c.text).messages, c.messages) << c.name;
}

TEST(TransferLosText, TwentyFiveNumbersFillTheGridRowByRow) {
  const Outcome run = Transfer(Lines(1, 26));
  for (int c = 0; c < 25; ++c) EXPECT_EQ(run.cells[c], QString::number(c + 1));
}

TEST(TransferLosText, TheSameThirteenNumbersTwiceFillTheRestWithoutDuplicateMessages) {
  const Outcome first = Transfer(Lines(1, 13));
  ASSERT_TRUE(first.messages.isEmpty());
  const Outcome second = Transfer(Lines(1, 13), first.cells);
  EXPECT_EQ(second.messages, QStringList({Full("13")}));
  for (int c = 13; c < 25; ++c) EXPECT_EQ(second.cells[c], QString::number(c - 12)) << c;
}

TEST(TransferLosText, LinesAreTrimmedInTheFieldAndPlacedAsWritten) {
  const Outcome run = Transfer(" 12 \r\n  07\r\n\r\n1 2\r\n");
  EXPECT_EQ(run.text, "12\r\n07\r\n\r\n1 2\r\n");
  EXPECT_EQ(run.cells[0], "12");
  EXPECT_EQ(run.cells[1], "07");
  EXPECT_EQ(run.cells[2], "");
}

TEST(TransferLosText, ACellHoldingASpaceIsTaken) {
  TicketCells cells;
  cells[0] = " ";
  const Outcome run = Transfer("9", cells);
  EXPECT_EQ(run.cells[0], " ");
  EXPECT_EQ(run.cells[1], "9");
}

TEST(TransferLosText, TabLinesFillRowsAndTheSixthIsIgnored) {
  QStringList lines;
  for (int r = 0; r < 6; ++r) {
    QStringList row;
    for (int c = 0; c < 5; ++c) row << QString::number(r * 5 + c + 1);
    lines << row.join("\t");
    if (r == 2) lines << "no tab here";
  }
  const Outcome run = Transfer(lines.join("\r\n"));
  for (int c = 0; c < 25; ++c) EXPECT_EQ(run.cells[c], QString::number(c + 1)) << c;
  EXPECT_TRUE(run.messages.isEmpty());
}

TEST(TransferLosText, TabModeTakesAnyTextAndLeavesUnreachedRows) {
  TicketCells cells;
  cells[24] = "kept";
  const Outcome run = Transfer("a\t\t99", cells);
  EXPECT_EQ(run.cells[0], "a");
  EXPECT_EQ(run.cells[1], " ");
  EXPECT_EQ(run.cells[2], "99");
  EXPECT_EQ(run.cells[3], "");
  EXPECT_EQ(run.cells[24], "kept");
  EXPECT_TRUE(run.messages.isEmpty());
  // A later number-mode run treats the space cell as taken.
  const Outcome next = Transfer("5", run.cells);
  EXPECT_EQ(next.cells[3], "5");
}

TEST(TransferLosText, CommasSplitBeforeTabsAreLookedFor) {
  const Outcome run = Transfer("1,2\t3");
  EXPECT_EQ(run.text, "1\r\n2\t3");
  EXPECT_EQ(run.cells[0], "2");
  EXPECT_EQ(run.cells[1], "3");
  EXPECT_EQ(run.cells[2], "");
}

}  // namespace
