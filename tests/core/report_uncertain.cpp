// SPDX-License-Identifier: GPL-3.0-or-later
// Tickets read from a picture with doubtful cells: a ticket that may have won is never reported as
// without a win, and tickets without doubtful cells read exactly as they always did.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "core/evaluation.h"
#include "core/report.h"

namespace {

// Drawn: 1..12. Every ticket holds 1..25 in reading order, so row 1 is 1..5 (all drawn), row 2 is
// 6..10 (all drawn), row 3 is 11..15 (11 and 12 drawn), column 1 is 1 6 11 16 21.
class UncertainReport : public ::testing::Test {
 protected:
  static TicketCells plainTicket() {
    TicketCells cells;
    for (int c = 0; c < 25; ++c) cells[std::size_t(c)] = QString::number(c + 1);
    return cells;
  }

  // Adds a ticket; doubtful cells (1..25) are left empty, as the reader leaves them.
  void add(TicketCells cells, std::vector<int> doubtful) {
    for (int c : doubtful) cells[std::size_t(c - 1)].clear();
    tickets_.append(cells);
    origins_.push_back({QStringLiteral("foto.jpg"), std::move(doubtful)});
  }

  void evaluate(int drawn = 12) {
    check_.addTickets(tickets_);
    for (int n = 1; n <= drawn; ++n) check_.chosen.toggle(n);
    ASSERT_TRUE(check_.evaluate());
  }

  ReportInput input(bool withOrigins = true) const {
    return {check_, QString(), {}, false, withOrigins ? origins_ : std::vector<TicketOrigin>{}};
  }

  TicketList tickets_;
  std::vector<TicketOrigin> origins_;
  LotteryCheck check_;
};

TEST_F(UncertainReport, ADoubtfulCellCompletingADrawnLineIsUncertainAndThreeDrawnAreNot) {
  TicketCells noRows = plainTicket();
  noRows[6] = QStringLiteral("70");  // row 2 and column 2 no longer drawn
  noRows[1] = QStringLiteral("71");  // row 1 no longer drawn either
  // Ticket 1: cell 1 doubtful, column 1 has 6 but 16 and 21 are not drawn; row 1 has 71.
  add(noRows, {1});
  // Ticket 2: cell 3 doubtful on row 1, whose other four (1 2 4 5) are drawn.
  TicketCells rowOne = noRows;
  rowOne[1] = QStringLiteral("2");
  add(rowOne, {3});
  // Ticket 3: cells 13 and 15 doubtful on row 3, whose other three (11 12 14) hold 14, not drawn.
  add(noRows, {13, 15});
  // Ticket 4: cells 13, 14 and 15 doubtful; the rest of row 3, 11 and 12, is drawn.
  add(noRows, {13, 14, 15});
  evaluate();

  EXPECT_EQ(UncertainLines(check_, 0, origins_[0].doubtfulCells), 0);
  EXPECT_EQ(UncertainLines(check_, 1, origins_[1].doubtfulCells), 1u << 0);  // row 1
  EXPECT_EQ(UncertainLines(check_, 2, origins_[2].doubtfulCells), 0);
  EXPECT_EQ(UncertainLines(check_, 3, origins_[3].doubtfulCells), 1u << 2);  // row 3
}

TEST_F(UncertainReport, UncertainTicketsShowQuestionMarksAndNullWhileWinnersKeepTheirClass) {
  TicketCells noRows = plainTicket();
  noRows[1] = QStringLiteral("71");
  noRows[6] = QStringLiteral("70");
  add(noRows, {});  // from the picture, nothing doubtful: no win
  TicketCells rowOne = noRows;
  rowOne[1] = QStringLiteral("2");
  add(rowOne, {3});          // may have won on row 1
  add(noRows, {20});         // doubtful cell on no drawn line: no win
  add(plainTicket(), {25});  // rows 1 and 2 complete: class 2, its doubtful cell elsewhere
  add(plainTicket(), {7});   // row 1 complete (class 1), row 2 may complete as well: it keeps class 1
  evaluate();

  const QList<QByteArray> text = TextReport(input()).split('\n');
  ASSERT_EQ(text.size(), 5 + 5);
  EXPECT_EQ(text[3], "    1   -     -     -");
  EXPECT_EQ(text[4], "    2   ?     ?     ?");
  EXPECT_EQ(text[5], "    3   -     -     -");
  EXPECT_EQ(text[6], "    4         x");
  EXPECT_EQ(text[7], "    5   x");
  EXPECT_EQ(text[8], "Ges.:   1     1     -");

  EXPECT_EQ(CsvReport(input()), "ticket;1 x;2 x;3 x\n1;-;-;-\n2;?;?;?\n3;-;-;-\n4;;x;\n5;x;;\nGes.:;1;1;-\n");

  const QJsonArray tickets = QJsonDocument::fromJson(JsonReport(input())).object()["tickets"].toArray();
  ASSERT_EQ(tickets.size(), 5);
  EXPECT_FALSE(tickets[0].toObject().contains("uncertain_lines"));
  EXPECT_EQ(tickets[0]["class"], QJsonValue(0));
  EXPECT_TRUE(tickets[1]["class"].isNull());
  EXPECT_EQ(tickets[1]["uncertain_lines"], (QJsonArray{1}));
  EXPECT_EQ(tickets[2]["class"], QJsonValue(0));
  EXPECT_EQ(tickets[2]["uncertain_lines"], QJsonArray());
  EXPECT_EQ(tickets[3]["class"], QJsonValue(2));
  EXPECT_EQ(tickets[4]["class"], QJsonValue(1));
  EXPECT_EQ(tickets[4]["complete_lines"], (QJsonArray{1}));
  EXPECT_EQ(tickets[4]["uncertain_lines"], (QJsonArray{2}));
}

TEST_F(UncertainReport, AWholeTicketInDoubtMayHaveWonOnceFiveNumbersAreDrawn) {
  std::vector<int> all;
  for (int c = 1; c <= 25; ++c) all.push_back(c);
  TicketCells read = plainTicket();
  read[0] = QStringLiteral("70");  // the numbers stay as read; none of its lines is complete
  read[6] = QStringLiteral("71");
  read[12] = QStringLiteral("72");
  tickets_.append(read);
  origins_.push_back({QStringLiteral("foto.jpg"), all});
  tickets_.append(read);
  origins_.push_back({QStringLiteral("foto.jpg"), all});
  evaluate(4);
  // Four drawn numbers can complete no line.
  EXPECT_EQ(UncertainLines(check_, 0, all), 0);
  check_.chosen.toggle(60);
  ASSERT_TRUE(check_.evaluate());
  EXPECT_EQ(UncertainLines(check_, 0, all), (1u << 12) - 1);
  EXPECT_TRUE(CsvReport(input()).contains("\n1;?;?;?\n2;?;?;?\n"));
}

TEST_F(UncertainReport, WithoutDoubtfulCellsEveryReportIsAsWithoutPictures) {
  add(plainTicket(), {});
  TicketCells noRows = plainTicket();
  noRows[1] = QStringLiteral("71");
  add(noRows, {});
  evaluate();
  EXPECT_EQ(TextReport(input()), TextReport(input(false)));
  EXPECT_EQ(CsvReport(input()), CsvReport(input(false)));
  // JSON only adds where each ticket came from.
  QByteArray json = JsonReport(input());
  json.replace(", \"image\": \"foto.jpg\", \"doubtful_cells\": []", "");
  EXPECT_EQ(json, JsonReport(input(false)));
}

}  // namespace
