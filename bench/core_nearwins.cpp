// SPDX-License-Identifier: GPL-3.0-or-later
// Winners, near lines and waiting numbers for a million tickets, against the plain evaluation of the
// same tickets in the same run: the counter "ratio" is their time divided by the evaluation's.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <random>

#include "bench_tickets.h"
#include "core/evaluation.h"
#include "core/linekernel.h"
#include "core/nearwins.h"

namespace {

// state.range(1) numbers of a shuffled 1..75: 21 leaves every number but one still to wait for.
NumberSet Draw(int count) {
  std::mt19937 rng(7);
  std::vector<int> all(75);
  for (int i = 0; i < 75; ++i) all[i] = i + 1;
  std::shuffle(all.begin(), all.end(), rng);
  NumberSet chosen;
  for (int i = 0; i < count; ++i) chosen.include(all[i]);
  return chosen;
}

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

void BM_NearWinsAgainstEvaluation(benchmark::State& state) {
  const int count = int(state.range(0));
  const int drawn = int(state.range(1));
  const TicketList tickets = PlayerTicketList(count, 1);
  const NumberSet chosen = Draw(drawn);
  // The evaluation alone, then the evaluation with near lines and waiting numbers, in the same loop:
  // near_waiting_ms is what the second costs more than the first.
  LineKernelResult plain, withNear;
  const std::vector<std::uint16_t> previous;
  NearWins wins;
  double evaluation = 0, full = 0;
  for (auto _ : state) {
    const auto t0 = std::chrono::steady_clock::now();
    RunLineKernel(BestLineKernel(), tickets, chosen, plain);
    benchmark::DoNotOptimize(plain.hits.data());
    const auto t1 = std::chrono::steady_clock::now();
    RunLineKernel(BestLineKernel(), tickets, chosen, withNear, true, true);
    wins.compute(drawn, withNear, withNear.hits, previous);
    benchmark::DoNotOptimize(wins.nearLines().data());
    const auto t2 = std::chrono::steady_clock::now();
    evaluation += Seconds(t1 - t0);
    full += Seconds(t2 - t1);
  }
  const double n = double(state.iterations());
  const double near = std::max(0.0, full - evaluation);
  state.SetLabel(LineKernelName(BestLineKernel()));
  state.counters["evaluation_ms"] = evaluation / n * 1e3;
  state.counters["near_waiting_ms"] = near / n * 1e3;
  state.counters["ratio"] = near / evaluation;
  state.counters["near_lines"] = double(wins.nearLines().size());
  state.counters["winners"] = double(wins.winners().size());
}
BENCHMARK(BM_NearWinsAgainstEvaluation)
    ->Args({1'000'000, 21})
    ->Args({1'000'000, 12})
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
