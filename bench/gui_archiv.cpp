// SPDX-License-Identifier: GPL-3.0-or-later
// The archive window over 10,000 draws, offscreen: opening the window with its list (the archive
// opened afresh each time, as on the window's first opening in a run), and opening the tab "Statistik"
// (both charts and their tables rebuilt). Each against a plain reference in the same run: for the
// list, Qt's own QSqlQueryModel over the same rows in a bare table view; for the statistics, the
// numbers counted by a bare query and drawn as one bar chart. Last, "Lose gegen alle Ziehungen prüfen"
// with 100,000 tickets and 1,000 draws. Medians in "median_ms", the ratio to the reference in
// "ratio_to_reference". The tickets and draws come from seeds the tests never use.
#include <benchmark/benchmark.h>

#include <QtWidgets/qtestsupport_widgets.h>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlQueryModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>
#include <numeric>
#include <random>

#include "archive/alldraws.h"
#include "bench_support.h"
#include "bench_tickets.h"
#include "common/folders.h"
#include "ui/archiv/archiv.h"
#include "ui/archiv/archivmodels.h"
#include "ui/archiv/programarchive.h"

namespace {

constexpr int kDraws = 10'000;
LotteryCheck* g_check = nullptr;
double g_listReference = 0, g_statisticsReference = 0;

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

QList<int> drawNumbers(std::mt19937& rng) {
  std::vector<int> pool(75);
  std::iota(pool.begin(), pool.end(), 1);
  std::shuffle(pool.begin(), pool.end(), rng);
  QList<int> numbers(pool.begin(), pool.begin() + 22);
  std::sort(numbers.begin(), numbers.end());
  return numbers;
}

// Draws of 20 tickets each, a draw a day, with their results and two ticket files.
bool fillArchive(int count) {
  Archive* archive = ProgramArchive();
  if (!archive) return false;
  LotteryCheck check;
  check.addTickets(PlayerTicketList(20, 301));
  std::mt19937 rng(302);
  for (int i = 0; i < count; ++i) {
    check.chosen.clear();
    for (int n : drawNumbers(rng)) check.chosen.toggle(n);
    check.evaluate();
    const ArchiveDraw draw =
        DrawOfCheck(check, QDate(1999, 1, 1).addDays(i), QString(),
                    {{QStringLiteral("montag.lose"), 10}, {QStringLiteral("dienstag.lose"), 10}});
    if (!archive->store(draw, false).ok()) return false;
  }
  CloseProgramArchive();
  return true;
}

template <typename Fn>
void timed(benchmark::State& state, std::vector<double>& times, Fn&& fn) {
  QElapsedTimer t;
  t.start();
  fn();
  const double ms = double(t.nsecsElapsed()) / 1e6;
  times.push_back(ms);
  state.SetIterationTime(ms / 1e3);
}

void paint(QWidget* w) {
  QCoreApplication::processEvents();
  w->repaint();
  QCoreApplication::processEvents();
}

void closeWindow() {
  if (FArchiv) FArchiv->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_ListReference(benchmark::State& state) {
  std::vector<double> times;
  const QString connection = QStringLiteral("reference");
  for (auto _ : state) {
    timed(state, times, [&] {
      QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
      db.setDatabaseName(ProgramArchivePath());
      db.open();
      QSqlQueryModel model;
      model.setQuery(QSqlQuery(
          QStringLiteral(
              "SELECT date, name, numbers, tickets, class1, class2, class3 FROM draw ORDER BY date DESC"),
          db));
      QTableView view;
      view.setModel(&model);
      view.resize(1000, 600);
      view.show();
      paint(&view);
      benchmark::DoNotOptimize(model.rowCount());
    });
    QSqlDatabase::removeDatabase(connection);
  }
  g_listReference = median(times);
  state.counters["median_ms"] = g_listReference;
}
BENCHMARK(BM_ListReference)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_OpenArchiveWindow(benchmark::State& state) {
  std::vector<double> times, opening;
  int rows = 0;
  for (auto _ : state) {
    // How much of it is opening the archive (with its check of every page), for the record.
    CloseProgramArchive();
    QElapsedTimer t;
    t.start();
    ProgramArchive();
    opening.push_back(double(t.nsecsElapsed()) / 1e6);
    CloseProgramArchive();
    timed(state, times, [&] {
      auto* w = new TFArchiv(*g_check);
      w->show();
      paint(w);
      rows = w->draws()->rowCount();
    });
    closeWindow();
  }
  if (rows != kDraws) state.SkipWithError("not every draw listed");
  state.counters["median_ms"] = median(times);
  state.counters["ratio_to_reference"] = median(times) / g_listReference;
  state.counters["archive_open_ms"] = median(opening);
}
BENCHMARK(BM_OpenArchiveWindow)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_StatisticsReference(benchmark::State& state) {
  std::vector<double> times;
  const QString connection = QStringLiteral("reference");
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(ProgramArchivePath());
    db.open();
    for (auto _ : state) {
      timed(state, times, [&] {
        std::array<int, 76> drawn{};
        QSqlQuery q(db);
        q.setForwardOnly(true);
        q.exec(QStringLiteral("SELECT numbers FROM draw"));
        while (q.next())
          for (char c : q.value(0).toByteArray()) ++drawn[std::size_t(std::uint8_t(c)) % 76];
        auto* set = new QBarSet(QStringLiteral("gezogen"));
        for (int n = 1; n <= 75; ++n) set->append(drawn[std::size_t(n)]);
        auto* series = new QBarSeries;
        series->append(set);
        auto* chart = new QChart;
        chart->addSeries(series);
        chart->createDefaultAxes();
        QChartView view(chart);
        view.resize(1000, 600);
        view.show();
        paint(&view);
      });
    }
  }
  QSqlDatabase::removeDatabase(connection);
  g_statisticsReference = median(times);
  state.counters["median_ms"] = g_statisticsReference;
}
BENCHMARK(BM_StatisticsReference)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void BM_OpenStatistics(benchmark::State& state) {
  std::vector<double> times;
  auto* w = new TFArchiv(*g_check);
  w->show();
  paint(w);
  auto* tabs = w->findChild<QTabWidget*>(QStringLiteral("TCArchiv"));
  for (auto _ : state) {
    tabs->setCurrentIndex(0);
    w->refresh();  // the list read again: the statistics are worked out afresh on the next showing
    paint(w);
    timed(state, times, [&] {
      tabs->setCurrentIndex(2);
      paint(w);
    });
  }
  state.counters["median_ms"] = median(times);
  state.counters["ratio_to_reference"] = median(times) / g_statisticsReference;
  closeWindow();
}
BENCHMARK(BM_OpenStatistics)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

// The main window's 100,000 tickets against 1,000 draws, the table of wins included, against the
// evaluation kernel alone over the same tickets and draws (wins per ticket, no table).
void BM_CheckAgainstAllDraws(benchmark::State& state) {
  CloseProgramArchive();
  for (const char* suffix : {"", "-wal", "-shm"})
    QFile::remove(ProgramArchivePath() + QString::fromLatin1(suffix));
  if (!fillArchive(1'000)) return state.SkipWithError("archive");
  LotteryCheck check;
  check.addTickets(PlayerTicketList(100'000, 303));
  QList<DrawSummary> draws;
  ProgramArchive()->drawNumbers({}, draws);
  std::vector<double> reference, times;
  for (int i = 0; i < 3; ++i) {
    QElapsedTimer t;
    t.start();
    benchmark::DoNotOptimize(WinsPerTicket(check.tickets(), draws).data());
    reference.push_back(double(t.nsecsElapsed()) / 1e6);
  }
  auto* w = new TFArchiv(check);
  w->show();
  paint(w);
  auto* button = w->findChild<QPushButton*>(QStringLiteral("BPruefen"));
  for (auto _ : state)
    timed(state, times, [&] {
      button->click();
      paint(w);
    });
  state.counters["median_ms"] = median(times);
  state.counters["reference_ms"] = median(reference);
  state.counters["ratio_to_reference"] = median(times) / median(reference);
  state.counters["winning_tickets"] = w->allDraws()->winnerCount();
  closeWindow();
}
BENCHMARK(BM_CheckAgainstAllDraws)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The program's folders go to a throwaway place, never into the real home folder.
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  EstablishDataFolders();
  BenchPrompter prompter;
  Prompter::install(&prompter);
  QElapsedTimer filling;
  filling.start();
  if (!fillArchive(kDraws)) return 1;
  std::fprintf(stderr, "archive of %d draws made in %.1f s\n", kDraws, double(filling.elapsed()) / 1e3);
  {
    LotteryCheck check;
    g_check = &check;
    benchmark::RunSpecifiedBenchmarks();
    g_check = nullptr;
  }
  CloseProgramArchive();
  Prompter::install(nullptr);
  benchmark::Shutdown();
  return 0;
}
