// SPDX-License-Identifier: GPL-3.0-or-later
// The checker's --near output, run as a program on random tickets and compared with a plain
// reference that reads the cell texts itself.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <map>
#include <random>
#include <set>

#include "core/lines.h"
#include "core/ticketfile.h"
#include "support/test_env.h"

namespace {

QByteArray RunChecker(const QStringList& args) {
  QProcess process;
  process.start(QStringLiteral(ZIEHFIX_BINARY_DIR "/ziehfix-check"), args);
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << "the checker did not finish";
    return {};
  }
  EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
  return process.readAllStandardOutput();
}

// A number 1..75 when the text is one (blanks before it allowed), else 0.
int LotteryNumber(const QString& text) {
  bool ok = false;
  const int v = text.trimmed().toInt(&ok, 10);
  return ok && v >= 1 && v <= 75 ? v : 0;
}

struct Expected {
  QList<QJsonArray> nearLines;  // per ticket
  QStringList csvMissing;       // per ticket
  QJsonArray waiting;
};

Expected Reference(const std::vector<TicketCells>& tickets, const std::set<int>& chosen) {
  Expected e;
  struct Count {
    int lines = 0, tickets = 0, newWinners = 0;
  };
  std::map<int, Count> counts;
  for (const TicketCells& cells : tickets) {
    QJsonArray near;
    std::set<int> missingHere;
    bool wins = false;
    for (int l = 0; l < kLineCount; ++l) {
      std::set<int> values, notChosen;
      for (int c : LineTable[l]) {
        const int v = LotteryNumber(cells[c - 1]);
        values.insert(v);
        if (!chosen.count(v)) notChosen.insert(v);
      }
      if (values.count(0) || values.size() != 5) continue;
      if (notChosen.empty()) wins = true;
      if (notChosen.size() != 1) continue;
      const int missing = *notChosen.begin();
      near.append(QJsonObject{{"line", l + 1}, {"missing", missing}});
      ++counts[missing].lines;
      missingHere.insert(missing);
    }
    QStringList csv;
    for (int n : missingHere) {
      csv << QString::number(n);
      ++counts[n].tickets;
      if (!wins) ++counts[n].newWinners;
    }
    e.nearLines << near;
    e.csvMissing << csv.join(' ');
  }
  std::vector<std::pair<int, Count>> sorted(counts.begin(), counts.end());
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const auto& a, const auto& b) { return a.second.tickets > b.second.tickets; });
  for (const auto& [n, c] : sorted)
    e.waiting.append(QJsonObject{
        {"number", n}, {"lines", c.lines}, {"tickets", c.tickets}, {"new_winners", c.newWinners}});
  return e;
}

TEST(CheckerNear, ReportsNearLinesAndWaitingNumbersAsThePlainReferenceFindsThem) {
  std::mt19937 rng(14);
  const char* odd[] = {"abc", "0", "76", "300", "007", " 9", "-3"};
  std::uniform_int_distribution<int> number(1, 20), kind(0, 14), oddPick(0, 6);
  std::vector<TicketCells> tickets(300);
  for (TicketCells& cells : tickets)
    for (QString& cell : cells)
      cell = kind(rng) == 0 ? QString(odd[oddPick(rng)]) : QString::number(number(rng));
  QTemporaryDir dir(testRootDir() + "/near-XXXXXX");
  const QString path = dir.filePath("r.lose");
  WriteTicketFile(path, tickets);
  // Long enough to be cut at its commas; 30..35 are on no ticket.
  const std::set<int> chosen{1, 2, 3, 5, 7, 8, 11, 13, 14, 17, 19, 20, 30, 31, 32, 33, 34, 35};
  QStringList draw;
  for (int n : chosen) draw << QString::number(n);
  const QString numbers = draw.join(", ");
  const Expected expected = Reference(tickets, chosen);

  const QJsonObject o =
      QJsonDocument::fromJson(RunChecker({"--near", "--format", "json", "--numbers-text", numbers, path}))
          .object();
  const QJsonArray got = o["tickets"].toArray();
  ASSERT_EQ(got.size(), int(tickets.size()));
  int nearTotal = 0;
  for (int t = 0; t < got.size(); ++t) {
    EXPECT_EQ(got[t].toObject()["near_lines"].toArray(), expected.nearLines[t]) << "ticket " << t + 1;
    nearTotal += int(expected.nearLines[t].size());
  }
  EXPECT_GT(nearTotal, 100) << "the tickets should give the comparison something to compare";
  EXPECT_EQ(o["waiting_numbers"].toArray(), expected.waiting);

  const QList<QByteArray> csv =
      RunChecker({"--near", "--format", "csv", "--numbers-text", numbers, path}).split('\n');
  ASSERT_EQ(csv.size(), int(tickets.size()) + 3);
  EXPECT_EQ(csv[0], "ticket;1 x;2 x;3 x;fehlt 1");
  for (int t = 0; t < int(tickets.size()); ++t)
    EXPECT_EQ(QString(csv[t + 1].split(';').value(4)), expected.csvMissing[t]) << "ticket " << t + 1;

  const QByteArray text = RunChecker({"--near", "--numbers-text", numbers, path});
  const QByteArray section = text.mid(text.indexOf("\nWartezahlen:\n") + 14);
  EXPECT_EQ(section.count('\n'), expected.waiting.size());
  const QJsonObject top = expected.waiting[0].toObject();
  EXPECT_TRUE(section.startsWith(
      QString("%1 — %2 Lose").arg(top["number"].toInt()).arg(top["tickets"].toInt()).toUtf8()))
      << section.left(80).toStdString();
}

}  // namespace
