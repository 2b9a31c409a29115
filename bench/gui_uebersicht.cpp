// SPDX-License-Identifier: GPL-3.0-or-later
// The overview window with 100,000 tickets, offscreen: a board click with "cbSofort" ticked while the
// overview is open, against the same click with the overview closed (the reference, same run), and
// opening the overview. Medians over the iterations are in the counters "median_ms".
#include <benchmark/benchmark.h>

#include <QtWidgets/qtestsupport_widgets.h>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <random>

#include "bench_support.h"
#include "bench_tickets.h"
#include "common/folders.h"
#include "ui/main/main.h"
#include "ui/main/numberboard.h"
#include "ui/main/tickets/ticketview.h"
#include "ui/uebersicht/uebersicht.h"

namespace {

constexpr int kTickets = 100'000;
TFMain* g_window = nullptr;
double g_referenceMedian = 0;

// Tickets as a hall prints them: column c holds five different numbers of 15c+1 .. 15c+15.

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Clicks that choose and un-choose numbers, with 11 others chosen so that the lists are long and 22 is never
// passed.
void clicks(benchmark::State& state) {
  static const int numbers[] = {3, 17, 40, 52, 66, 7, 22, 45, 61, 12};
  std::vector<double> times;
  std::size_t i = 0;
  for (auto _ : state) {
    QElapsedTimer t;
    t.start();
    g_window->Button(numbers[i++ % 10])->click();
    QCoreApplication::processEvents();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    times.push_back(ms);
    state.SetIterationTime(ms / 1e3);
  }
  state.counters["median_ms"] = median(times);
}

void closeOverview() {
  if (!FUebersicht) return;
  FUebersicht->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_ClickWithoutOverview(benchmark::State& state) {
  closeOverview();
  clicks(state);
  g_referenceMedian = state.counters["median_ms"];
}
BENCHMARK(BM_ClickWithoutOverview)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

void BM_ClickWithOverviewOpen(benchmark::State& state) {
  g_window->BUebersichtClick();
  if (!QTest::qWaitForWindowExposed(FUebersicht)) {
    state.SkipWithError("the overview was never exposed");
    return;
  }
  clicks(state);
  state.counters["ratio_to_reference"] = state.counters["median_ms"] / g_referenceMedian;
  state.counters["winners"] = double(g_window->check().nearWins().winners().size());
  state.counters["near_lines"] = double(g_window->check().nearWins().nearLines().size());
  closeOverview();
}
BENCHMARK(BM_ClickWithOverviewOpen)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

void BM_OpenOverview(benchmark::State& state) {
  std::vector<double> times;
  for (auto _ : state) {
    closeOverview();
    QElapsedTimer t;
    t.start();
    g_window->BUebersichtClick();
    FUebersicht->repaint();
    QCoreApplication::processEvents();
    const double ms = double(t.nsecsElapsed()) / 1e6;
    times.push_back(ms);
    state.SetIterationTime(ms / 1e3);
  }
  state.counters["median_ms"] = median(times);
  closeOverview();
}
BENCHMARK(BM_OpenOverview)->UseManualTime()->Iterations(15)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The program's folders go to a throwaway place, never into the real home folder.
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  EstablishDataFolders();
  const QString path = data.filePath(QStringLiteral("bench.lose"));
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly) || f.write(PlayerTicketFile(kTickets)) < 0) return 1;
  f.close();
  BenchPrompter prompter;
  prompter.path = path;
  Prompter::install(&prompter);
  {
    TFMain w;
    g_window = &w;
    w.setWindowOpacity(1.0);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    w.BOpenClick();
    w.findChild<QCheckBox*>(QStringLiteral("cbSofort"))->setChecked(true);
    for (int n : {1, 5, 9, 16, 20, 24, 31, 35, 39, 46, 50}) w.Button(n)->click();
    benchmark::RunSpecifiedBenchmarks();
    g_window = nullptr;
  }
  Prompter::install(nullptr);
  benchmark::Shutdown();
  return 0;
}
