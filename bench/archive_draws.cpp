// SPDX-License-Identifier: GPL-3.0-or-later
// The draw archive at scale: storing a draw of 100,000 tickets, checking 100,000 tickets against
// 1,000 draws, and the list and statistics over 10,000 draws. Each against a plain reference measured
// in the same run; "x_reference" says how many times slower (< 1) or faster (> 1) than it we are.
// The draws' numbers come from seeds the tests never use.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <chrono>
#include <random>

#include "archive/alldraws.h"
#include "archive/archive.h"
#include "bench_tickets.h"
#include "core/lines.h"

namespace {

template <typename Fn>
double SecondsPerRun(Fn&& fn, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    fn();
    times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

template <typename Fn>
void Measure(benchmark::State& state, double referenceSeconds, Fn&& fn) {
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) fn();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  state.counters["x_reference"] = referenceSeconds / (seconds / double(state.iterations()));
}

QList<int> DrawNumbers(std::mt19937& rng, int count) {
  std::vector<int> pool(75);
  std::iota(pool.begin(), pool.end(), 1);
  std::shuffle(pool.begin(), pool.end(), rng);
  QList<int> numbers(pool.begin(), pool.begin() + count);
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

ArchiveDraw CheckedDraw(int tickets, unsigned seed) {
  LotteryCheck check;
  check.addTickets(PlayerTicketList(tickets, seed));
  std::mt19937 rng(seed);
  for (int n : DrawNumbers(rng, 22)) check.chosen.toggle(n);
  check.evaluate();
  return DrawOfCheck(check, QDate(2026, 1, 1), QString(), {{QStringLiteral("lose.lose"), tickets}});
}

// Storing: the reference writes the same bytes to a plain file and syncs it, as a program that kept
// its draws in files of its own would.
void BM_StoreDraw(benchmark::State& state) {
  QTemporaryDir dir;
  const ArchiveDraw draw = CheckedDraw(int(state.range(0)), 91);
  const QByteArray bytes(qsizetype(draw.tickets.count()) * 28, 'x');
  const QByteArray plainPath = (dir.path() + QStringLiteral("/plain")).toLocal8Bit();
  const double reference = SecondsPerRun(
      [&] {
        const int fd = ::open(plainPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        benchmark::DoNotOptimize(::write(fd, bytes.constData(), std::size_t(bytes.size())));
        ::fsync(fd);
        ::close(fd);
      },
      5);
  Archive archive;
  if (!archive.open(dir.path() + QStringLiteral("/archiv.db")).ok()) return state.SkipWithError("open");
  Measure(state, reference, [&] {
    if (!archive.store(draw, true).ok()) state.SkipWithError("store");
  });
}
BENCHMARK(BM_StoreDraw)->Arg(100'000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The plain reference: each ticket's lines checked cell by cell against a table of the drawn numbers.
int PlainClass(const std::uint8_t* v, const bool* drawn, std::uint16_t completable) {
  int lines = 0;
  for (int l = 0; l < kLineCount; ++l) {
    bool all = (completable >> l) & 1;
    for (int c : LineTable[l]) all &= drawn[v[c - 1]];
    lines += all;
  }
  return std::min(lines, 3);
}

void BM_TicketsAgainstDraws(benchmark::State& state) {
  const int ticketCount = int(state.range(0)), drawCount = int(state.range(1));
  const TicketList tickets = PlayerTicketList(ticketCount, 92);
  std::mt19937 rng(93);
  QList<DrawSummary> draws(drawCount);
  for (DrawSummary& d : draws) d.numbers = DrawNumbers(rng, 22);
  std::vector<std::uint8_t> values(std::size_t(ticketCount) * 25);
  std::vector<std::uint16_t> completable(static_cast<std::size_t>(ticketCount));
  for (int t = 0; t < ticketCount; ++t) {
    const auto v = tickets.lotteryValues(t);
    std::copy(v.begin(), v.end(), values.begin() + std::ptrdiff_t(t) * 25);
    completable[std::size_t(t)] = tickets.completableLines(t);
  }
  // The reference runs over a tenth of the draws (it would take many seconds over all of them)
  // and is scaled up; its wins per ticket must agree with ours on those draws.
  const QList<DrawSummary> some = draws.mid(0, std::max(1, drawCount / 10));
  std::vector<int> plainWins(static_cast<std::size_t>(ticketCount));
  auto plain = [&] {
    std::fill(plainWins.begin(), plainWins.end(), 0);
    for (const DrawSummary& d : some) {
      bool drawn[256] = {};
      for (int n : d.numbers) drawn[n] = true;
      for (int t = 0; t < ticketCount; ++t)
        plainWins[std::size_t(t)] +=
            PlainClass(&values[std::size_t(t) * 25], drawn, completable[std::size_t(t)]) != 0;
    }
  };
  const double reference = double(drawCount) / double(some.size()) * SecondsPerRun(plain, 1);
  if (WinsPerTicket(tickets, some) != plainWins) return state.SkipWithError("differs from the reference");
  std::vector<int> wins;
  Measure(state, reference, [&] {
    wins = WinsPerTicket(tickets, draws);
    benchmark::DoNotOptimize(wins.data());
  });
  state.SetItemsProcessed(state.iterations() * std::int64_t(ticketCount) * drawCount);
}
BENCHMARK(BM_TicketsAgainstDraws)->Args({100'000, 1'000})->Unit(benchmark::kMillisecond)->UseRealTime();

// An archive of many draws of a few tickets each, made once for the list and the statistics.
struct ManyDraws {
  QTemporaryDir dir;
  QString path;
  explicit ManyDraws(int count) {
    path = dir.path() + QStringLiteral("/archiv.db");
    Archive archive;
    archive.open(path);
    ArchiveDraw draw = CheckedDraw(20, 94);
    draw.files = {{QStringLiteral("montag.lose"), 10}, {QStringLiteral("dienstag.lose"), 10}};
    std::mt19937 rng(95);
    for (int i = 0; i < count; ++i) {
      draw.date = QDate(2000, 1, 1).addDays(i);
      draw.numbers = DrawNumbers(rng, 22);
      archive.store(draw, false);
    }
  }
};

// The reference for both: the same rows read raw, without turning them into anything.
double RawScan(const QString& path, const QString& sql) {
  double seconds = 0;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
    db.setDatabaseName(path);
    db.open();
    seconds = SecondsPerRun(
        [&] {
          QSqlQuery q(db);
          q.setForwardOnly(true);
          q.exec(sql);
          qint64 sum = 0;
          while (q.next()) sum += q.value(0).toLongLong() + q.value(1).toByteArray().size();
          benchmark::DoNotOptimize(sum);
        },
        5);
  }
  QSqlDatabase::removeDatabase(QStringLiteral("raw"));
  return seconds;
}

void BM_ListDraws(benchmark::State& state) {
  const ManyDraws many(int(state.range(0)));
  const double reference =
      RawScan(many.path, QStringLiteral("SELECT id, numbers, date, name FROM draw ORDER BY date DESC"));
  Archive archive;
  archive.open(many.path);
  QList<DrawSummary> list;
  Measure(state, reference, [&] {
    archive.list({}, list);
    benchmark::DoNotOptimize(list.data());
  });
  if (list.size() != state.range(0)) state.SkipWithError("wrong count");
}
BENCHMARK(BM_ListDraws)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_NumberStatistics(benchmark::State& state) {
  const ManyDraws many(int(state.range(0)));
  const double reference = RawScan(many.path, QStringLiteral("SELECT id, numbers FROM draw"));
  Archive archive;
  archive.open(many.path);
  NumberStatistics stats;
  Measure(state, reference, [&] {
    archive.statistics({}, stats);
    benchmark::DoNotOptimize(stats.drawn.data());
  });
  if (stats.draws != state.range(0)) state.SkipWithError("wrong count");
}
BENCHMARK(BM_NumberStatistics)->Arg(10'000)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
