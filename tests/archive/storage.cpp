// SPDX-License-Identifier: GPL-3.0-or-later
// Storing, finding, listing and deleting draws, their statistics, CSV and backup copy, and checking
// tickets against many draws.
#include <gtest/gtest.h>

#include <QDir>

#include "archive/alldraws.h"
#include "archive/archive.h"
#include "core/lines.h"
#include "support/archive_test.h"

namespace {

class ArchiveStorage : public ::testing::Test {
 protected:
  void SetUp() override {
    path_ = QDir(archiveTestDir())
                .filePath(QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                          QStringLiteral("/archiv.db"));
    ASSERT_TRUE(archive_.open(path_).ok());
  }
  QString path_;
  Archive archive_;
};

TEST_F(ArchiveStorage, DrawReadsBackAsStored) {
  const ArchiveDraw draw = MakeTestDraw(QDate(2026, 3, 7), QStringLiteral("Frühjahr"), 1000, 1);
  qint64 id = 0;
  ASSERT_TRUE(archive_.store(draw, false, &id).ok());
  ArchiveDraw back;
  ASSERT_TRUE(archive_.load(id, back).ok());
  EXPECT_EQ(back.date, draw.date);
  EXPECT_EQ(back.name, draw.name);
  EXPECT_EQ(back.numbers, draw.numbers);
  EXPECT_EQ(back.classes, draw.classes);
  EXPECT_EQ(back.lines, draw.lines);
  EXPECT_EQ(back.files, draw.files);
  ASSERT_EQ(back.tickets.count(), 1000);
  for (int t = 0; t < 1000; ++t) {
    ASSERT_EQ(back.tickets.lotteryValues(t), draw.tickets.lotteryValues(t)) << t;
    ASSERT_EQ(back.tickets.completableLines(t), draw.tickets.completableLines(t)) << t;
  }
  EXPECT_EQ(archive_.load(id + 1, back).kind, ArchiveFault::Kind::NotFound);
}

TEST_F(ArchiveStorage, SameDateAndNameIsReplacedOnlyWhenAsked) {
  const ArchiveDraw first = MakeTestDraw(QDate(2026, 1, 2), QString(), 10, 2);
  const ArchiveDraw second = MakeTestDraw(QDate(2026, 1, 2), QString(), 20, 3);
  ASSERT_TRUE(archive_.store(first, false).ok());
  const ArchiveFault exists = archive_.store(second, false);
  EXPECT_EQ(exists.kind, ArchiveFault::Kind::Exists);
  EXPECT_EQ(ArchiveFaultMessage(exists), QStringLiteral("Im Archiv gibt es schon die Ziehung 2026-01-02."));
  // Another name on the same day is another draw.
  EXPECT_TRUE(archive_.store(MakeTestDraw(QDate(2026, 1, 2), QStringLiteral("Abend"), 5, 4), false).ok());
  qint64 id = 0;
  ASSERT_TRUE(archive_.store(second, true, &id).ok());
  QList<DrawSummary> list;
  ASSERT_TRUE(archive_.list({}, list).ok());
  ASSERT_EQ(list.size(), 2);
  qint64 found = 0;
  ASSERT_TRUE(archive_.find(QDate(2026, 1, 2), QString(), found).ok());
  EXPECT_EQ(found, id);
  ArchiveDraw back;
  ASSERT_TRUE(archive_.load(id, back).ok());
  EXPECT_EQ(back.tickets.count(), 20);
  // The replaced draw's tickets went with it.
  EXPECT_EQ(QueryOne(path_, QStringLiteral("SELECT count(*) FROM draw_tickets")), QStringLiteral("2"));
  EXPECT_EQ(QueryOne(path_, QStringLiteral("SELECT count(*) FROM draw_file")), QStringLiteral("4"));

  ASSERT_TRUE(archive_.remove(id).ok());
  EXPECT_EQ(archive_.remove(id).kind, ArchiveFault::Kind::NotFound);
  EXPECT_EQ(QueryOne(path_, QStringLiteral("SELECT count(*) FROM draw_tickets")), QStringLiteral("1"));
}

TEST_F(ArchiveStorage, ListIsNewestFirstWithWinnersAndFilesAndFiltersByYearsItHas) {
  const QDate dates[] = {QDate(2025, 12, 31), QDate(2026, 6, 1), QDate(2026, 1, 1), QDate(2027, 1, 1)};
  for (int i = 0; i < 4; ++i)
    ASSERT_TRUE(archive_.store(MakeTestDraw(dates[i], QString(), 300, 10 + i), false).ok());
  QList<DrawSummary> all, year;
  ASSERT_TRUE(archive_.list({}, all).ok());
  ASSERT_EQ(all.size(), 4);
  EXPECT_EQ(all[0].date, QDate(2027, 1, 1));
  EXPECT_EQ(all[3].date, QDate(2025, 12, 31));
  QList<int> years;
  ASSERT_TRUE(archive_.years(years).ok());
  EXPECT_EQ(years, QList<int>({2027, 2026, 2025}));
  ASSERT_TRUE(archive_.list(DrawRange::year(2026), year).ok());
  ASSERT_EQ(year.size(), 2);
  EXPECT_EQ(year[0].date, QDate(2026, 6, 1));
  EXPECT_EQ(year[1].date, QDate(2026, 1, 1));
  const ArchiveDraw stored = MakeTestDraw(QDate(2026, 6, 1), QString(), 300, 11);
  std::array<int, 3> winners{};
  for (std::uint8_t c : stored.classes)
    if (c) ++winners[c - 1];
  EXPECT_EQ(year[0].winners, winners);
  EXPECT_GT(winners[0], 0);
  EXPECT_EQ(year[0].numbers, stored.numbers);
  EXPECT_EQ(year[0].files, QStringList({QStringLiteral("a.lose"), QStringLiteral("b.lose")}));
  EXPECT_EQ(year[0].tickets, 300);

  NumberStatistics stats;
  ASSERT_TRUE(archive_.statistics(DrawRange::year(2026), stats).ok());
  EXPECT_EQ(stats.draws, 2);
  std::array<int, 76> expected{};
  for (const DrawSummary& d : year)
    for (int n : d.numbers) ++expected[n];
  EXPECT_EQ(stats.drawn, expected);
}

TEST_F(ArchiveStorage, CsvQuotesNamesThatNeedIt) {
  DrawSummary d;
  d.date = QDate(2026, 2, 3);
  d.name = QStringLiteral("a;\"b\"");
  d.numbers = {3, 17};
  d.tickets = 4;
  d.winners = {2, 1, 0};
  d.files = {QStringLiteral("x.lose"), QStringLiteral("y.lose")};
  EXPECT_EQ(DrawsCsv({d}), QByteArray("Datum;Name;Zahlen;Lose;1 x;2 x;3 x;Dateien\n"
                                      "2026-02-03;\"a;\"\"b\"\"\";3 17;4;2;1;0;x.lose, y.lose\n"));
}

TEST_F(ArchiveStorage, BackupIsAWorkingArchiveWithTheSameDraws) {
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(archive_.store(MakeTestDraw(QDate(2026, 5, 1 + i), QString(), 50, 20 + i), false).ok());
  const QString copy = QFileInfo(path_).absolutePath() + QStringLiteral("/sicherung.db");
  ASSERT_TRUE(archive_.backup(copy).ok());
  // A second backup replaces the first.
  ASSERT_TRUE(archive_.backup(copy).ok());
  Archive restored;
  ASSERT_TRUE(restored.open(copy).ok());
  QList<DrawSummary> a, b;
  ASSERT_TRUE(archive_.list({}, a).ok());
  ASSERT_TRUE(restored.list({}, b).ok());
  ASSERT_EQ(a.size(), b.size());
  for (qsizetype i = 0; i < a.size(); ++i) EXPECT_EQ(a[i].numbers, b[i].numbers);
  EXPECT_FALSE(QFileInfo::exists(copy + QStringLiteral(".teil")));
}

// The plain way: each ticket's lines checked cell by cell against each draw's numbers.
int PlainClass(const std::array<std::uint8_t, 25>& v, const QList<int>& numbers) {
  int complete = 0;
  for (const auto& line : LineTable) {
    bool all = true;
    for (int c : line) all &= v[c - 1] != 0 && numbers.contains(int(v[c - 1]));
    // A line counts only with five distinct numbers.
    std::array<std::uint8_t, 5> cells{};
    for (int i = 0; i < 5; ++i) cells[i] = v[line[i] - 1];
    std::sort(cells.begin(), cells.end());
    all &= std::adjacent_find(cells.begin(), cells.end()) == cells.end();
    complete += all;
  }
  return std::min(complete, 3);
}

TEST_F(ArchiveStorage, TicketsAgainstAllDrawsAgreeWithAPlainCheck) {
  const ArchiveDraw tickets = MakeTestDraw(QDate(2026, 1, 1), QString(), 700, 30);
  QList<DrawSummary> draws;
  for (int d = 0; d < 40; ++d) {
    DrawSummary s;
    s.numbers = MakeTestDraw(QDate(2026, 1, 1), QString(), 1, 100 + d).numbers;
    // Many numbers, so that classes 2 and 3 occur as well.
    for (int n = 1 + d % 3; n <= 75; n += 3)
      if (!s.numbers.contains(n)) s.numbers.append(n);
    draws.append(s);
  }
  std::vector<int> plainWins(700, 0);
  std::array<int, 4> seen{};
  CheckAgainstDraws(tickets.tickets, draws, [&](qsizetype d, const LineKernelResult& r) {
    for (int t = 0; t < 700; ++t) {
      const int plain = PlainClass(tickets.tickets.lotteryValues(t), draws[d].numbers);
      ASSERT_EQ(int(r.classes[t]), plain) << "draw " << d << " ticket " << t;
      ++seen[plain];
      plainWins[t] += plain != 0;
    }
  });
  EXPECT_GT(seen[3], 0);
  EXPECT_EQ(WinsPerTicket(tickets.tickets, draws), plainWins);
}

}  // namespace
