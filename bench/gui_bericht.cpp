// SPDX-License-Identifier: GPL-3.0-or-later
// A PDF report of "Alle Lose" for 10,000 tickets, offscreen: time and the growth of the peak resident
// memory, against a plain reference in the same run that writes the same number of pages with each
// ticket as a rectangle and its 25 numbers drawn straight with QPainter (no layout, no ticket view).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <random>

#include "bench_support.h"
#include "core/evaluation.h"
#include "ui/uebersicht/bericht.h"
#include "ui/uebersicht/berichtdatei.h"

namespace {

constexpr int kTickets = 10'000;
LotteryCheck* g_check = nullptr;
QTemporaryDir* g_dir = nullptr;
int g_pages = 0;
double g_reportSeconds = 0;

void fill(LotteryCheck& check) {
  std::mt19937 rng(4711);
  TicketList tickets;
  tickets.reserve(kTickets);
  for (int t = 0; t < kTickets; ++t) {
    TicketCells cells;
    for (auto& c : cells) c = QString::number(int(rng() % 75) + 1);
    tickets.append(cells);
  }
  check.addTickets(tickets);
  for (int n = 1; n <= 22; ++n) check.chosen.toggle(n * 3);
  check.evaluate();
}

struct CountPages : ReportProgress {
  bool pagePainted(int, int pages) override {
    g_pages = pages;
    return true;
  }
};

void BM_ReferencePlainPdf(benchmark::State& state) {
  for (auto _ : state) {
    const qint64 before = memoryKb("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const int perPage = std::max(5, kTickets / std::max(1, g_pages) / 5 * 5);
    PaintPlainTicketPdf(g_dir->filePath("reference.pdf"), *g_check, kTickets, perPage, 300);
    const double seconds = timer.elapsed() / 1000.0;
    state.counters["seconds"] = seconds;
    state.counters["report_to_reference"] = seconds > 0 ? g_reportSeconds / seconds : 0;
    state.counters["peak_growth_MB"] = (memoryKb("VmHWM:") - before) / 1024.0;
  }
}

void BM_ReportAllTickets(benchmark::State& state) {
  for (auto _ : state) {
    const qint64 before = memoryKb("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    CountPages pages;
    ReportFiles::writePdf(g_dir->filePath("bericht.pdf"), *g_check, QStringLiteral("bench.lose"), true,
                          &pages);
    g_reportSeconds = timer.elapsed() / 1000.0;
    state.counters["seconds"] = g_reportSeconds;
    state.counters["pages"] = g_pages;
    state.counters["peak_growth_MB"] = (memoryKb("VmHWM:") - before) / 1024.0;
    state.counters["file_MB"] = QFileInfo(g_dir->filePath("bericht.pdf")).size() / 1048576.0;
  }
}

}  // namespace

// The report first: the reference uses its page count and time, and its own peak must not hide the
// report's.
BENCHMARK(BM_ReportAllTickets)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferencePlainPdf)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir dir;
  LotteryCheck check;
  fill(check);
  g_check = &check;
  g_dir = &dir;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
