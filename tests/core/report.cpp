// SPDX-License-Identifier: GPL-3.0-or-later
// The streamed reports, written piece by piece through a buffer, say of every ticket what the check
// holds; the outputs are large enough to cross the buffer's edge many times.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <random>

#include "core/evaluation.h"
#include "core/lines.h"
#include "core/report.h"

namespace {

class StreamedReport : public ::testing::Test {
 protected:
  void SetUp() override {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int> number(1, 75), kind(0, 39);
    TicketList tickets;
    for (int t = 0; t < 12000; ++t) {
      TicketCells cells;
      for (QString& cell : cells) {
        switch (kind(rng)) {
          case 0:
            cell = QString();
            break;
          case 1:
            cell = QStringLiteral(" ");
            break;
          case 2:
            cell = QStringLiteral("07");
            break;
          case 3:
            cell = QStringLiteral("\"x\"\\\t") + QString(70, QChar(u'ä'));  // longer than any ready piece
            break;
          default:
            cell = QString::number(number(rng) % 20 + 1);  // few numbers, so that many lines complete
        }
      }
      tickets.append(cells);
    }
    check_.addTickets(tickets);
    for (int n : {1, 2, 3, 5, 7, 8, 11, 13, 14, 17, 19, 20}) check_.chosen.toggle(n);
    ASSERT_TRUE(check_.evaluate());
    ASSERT_GT(check_.totals().three, 0);
  }

  ReportInput input(bool near) const { return {check_, QStringLiteral("1\r\n2"), {}, near, {}}; }
  LotteryCheck check_;
};

TEST_F(StreamedReport, JsonNamesEveryTicketsCellsLinesClassAndNearLines) {
  const QByteArray bytes = JsonReport(input(true));
  ASSERT_GT(bytes.size(), 3 << 20);
  QJsonParseError error;
  const QJsonObject doc = QJsonDocument::fromJson(bytes, &error).object();
  ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
  const QJsonArray tickets = doc["tickets"].toArray();
  const TicketList& list = check_.tickets();
  ASSERT_EQ(tickets.size(), list.count());
  std::size_t nearIndex = 0;
  const std::vector<NearLine>& near = check_.nearWins().nearLines();
  for (int t = 0; t < list.count(); ++t) {
    const QJsonObject o = tickets[t].toObject();
    ASSERT_EQ(o["ticket"].toInt(), t + 1);
    const QJsonArray rows = o["cells"].toArray();
    for (int r = 0; r < 5; ++r)
      for (int c = 0; c < 5; ++c)
        ASSERT_EQ(rows[r].toArray()[c].toString(), list.cellText(t, CellNumber(c, r) - 1))
            << t << ' ' << r << c;
    std::uint16_t lines = 0;
    for (const QJsonValue& l : o["complete_lines"].toArray()) lines |= std::uint16_t(1u << (l.toInt() - 1));
    ASSERT_EQ(lines, check_.lineHits(t)) << "ticket " << t;
    ASSERT_EQ(o["class"].toInt(), check_.resultClasses()[std::size_t(t)]);
    for (const QJsonValue& n : o["near_lines"].toArray()) {
      ASSERT_LT(nearIndex, near.size());
      EXPECT_EQ(near[nearIndex].ticket, t);
      EXPECT_EQ(n["line"].toInt(), near[nearIndex].line + 1);
      EXPECT_EQ(n["missing"].toInt(), near[nearIndex].missing);
      ++nearIndex;
    }
  }
  EXPECT_EQ(nearIndex, near.size());
  const Totals totals = check_.totals();
  EXPECT_EQ(doc["totals"].toArray(), (QJsonArray{totals.one, totals.two, totals.three}));
}

TEST_F(StreamedReport, TextAndCsvHaveOneLineOfMarksPerTicket) {
  const QList<QByteArray> text = TextReport(input(false)).split('\n');
  const QList<QByteArray> csv = CsvReport(input(false)).split('\n');
  const int count = check_.tickets().count();
  ASSERT_EQ(text.size(), count + 5);  // numbers, blank line, header, tickets, totals, end
  ASSERT_EQ(csv.size(), count + 3);   // header, tickets, totals, end
  const char* textMarks[] = {"   -     -     -", "   x", "         x", "               x"};
  const char* csvMarks[] = {";-;-;-", ";x;;", ";;x;", ";;;x"};
  for (int t = 0; t < count; ++t) {
    const int winClass = check_.resultClasses()[std::size_t(t)];
    ASSERT_EQ(text[t + 3], QByteArray::number(t + 1).rightJustified(5) + textMarks[winClass]) << t;
    ASSERT_EQ(csv[t + 1], QByteArray::number(t + 1) + csvMarks[winClass]) << t;
  }
}

}  // namespace
