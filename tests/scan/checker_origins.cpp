// SPDX-License-Identifier: GPL-3.0-or-later
// What the checker makes of a picture's reading: each ticket's doubtful cells, every cell of a grid
// the reader is not sure of.
#include <gtest/gtest.h>

#include "cli/checkrun.h"
#include "cli/imagetickets.h"
#include "core/report.h"
#include "scan/scan.h"

namespace {

TEST(CheckerOrigins, AGridInDoubtIsListedWithEveryCellDoubtfulAndMayHaveWon) {
  ScannedTicket sure, unsure;
  for (int c = 0; c < 25; ++c)
    sure.cells[std::size_t(c)] = unsure.cells[std::size_t(c)] = QString::number(c + 50);
  sure.doubtful[7] = true;
  unsure.gridDoubtful = true;  // the numbers as read, none of them drawn
  ScanResult scan;
  scan.tickets = {sure, unsure};
  CheckOutcome outcome;
  AddScannedTickets(QStringLiteral("foto.jpg"), scan, outcome);
  AddScannedTickets(QStringLiteral("leer.jpg"), ScanResult{}, outcome);

  ASSERT_EQ(outcome.origins.size(), 2u);
  EXPECT_EQ(outcome.origins[0].doubtfulCells, std::vector<int>{8});
  std::vector<int> all(25);
  for (int c = 0; c < 25; ++c) all[std::size_t(c)] = c + 1;
  EXPECT_EQ(outcome.origins[1].doubtfulCells, all);
  EXPECT_EQ(outcome.origins[1].image, "foto.jpg");
  ASSERT_EQ(outcome.messages.size(), 1);
  EXPECT_EQ(outcome.messages[0].text, "Im Bild „leer.jpg“ wurde kein Los gefunden.");

  for (int n = 1; n <= 22; ++n) outcome.check.chosen.toggle(n);
  ASSERT_TRUE(outcome.check.evaluate());
  EXPECT_EQ(CsvReport(outcome.report()), "ticket;1 x;2 x;3 x\n1;-;-;-\n2;?;?;?\nGes.:;-;-;-\n");
}

}  // namespace
