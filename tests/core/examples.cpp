// SPDX-License-Identifier: GPL-3.0-or-later
// The example files shipped with the program must show every win class.
#include <gtest/gtest.h>

#include "core/evaluation.h"
#include "core/ticketfile.h"
#include "core/winningnumbers.h"

namespace {

struct Board : TransferTarget {
  explicit Board(ChosenNumbers& c) : chosen(c) {}
  ChosenNumbers& chosen;
  QStringList errors;
  void clearAll() override { chosen.clear(); }
  void setFieldText(const QString&) override {}
  void toggle(int n) override { chosen.toggle(n); }
  void error(const Fault& fault) override { errors << FaultText(fault); }
};

TEST(Examples, TheDrawGivesOneTwoAndThreeOrMoreLinesOnTheExampleTickets) {
  const QString dir = QStringLiteral(ZIEHFIX_SOURCE_DIR) + "/examples";
  LotteryCheck check;
  const TicketList tickets = ReadTicketFile(dir + "/beispiel.lose");
  ASSERT_EQ(tickets.count(), 7);
  EXPECT_EQ(tickets.invalidCellCount(), 0);
  for (int t = 0; t < tickets.count(); ++t)
    for (int c = 0; c < 25; ++c) {
      const int v = tickets.lotteryValue(t, c);
      if (v == 0) continue;
      const int column = c % 5;
      EXPECT_TRUE(v > column * 15 && v <= (column + 1) * 15) << "ticket " << t + 1 << " cell " << c + 1;
    }
  check.addTickets(tickets);
  Board board(check.chosen);
  TransferGZText(ReadWinningNumberFile(dir + "/ziehung.zfgz"), board);
  EXPECT_TRUE(board.errors.isEmpty());
  EXPECT_EQ(check.chosen.count(), 22);
  ASSERT_TRUE(check.evaluate());
  EXPECT_EQ(check.resultClasses(), std::vector<std::uint8_t>({1, 2, 3, 0, 0, 0, 0}));
  EXPECT_EQ(check.totals().one, 1);
  EXPECT_EQ(check.totals().two, 1);
  EXPECT_EQ(check.totals().three, 1);
}

}  // namespace
