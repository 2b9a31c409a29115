// SPDX-License-Identifier: GPL-3.0-or-later
// Speed of the evaluation and of reading ticket files, and the memory a ticket list costs.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <random>

#include "bench_tickets.h"
#include "core/evaluation.h"
#include "core/linekernel.h"
#include "core/lines.h"
#include "core/text.h"
#include "core/ticketfile.h"

namespace {

// Tickets as a player gets them: column c holds five distinct numbers of 15c+1..15c+15.
std::vector<TicketCells> RandomTickets(int count, unsigned seed) {
  std::mt19937 rng(seed);
  std::vector<TicketCells> tickets(static_cast<std::size_t>(count));
  for (auto& cells : tickets) {
    for (int col = 0; col < 5; ++col) {
      int pool[15];
      for (int i = 0; i < 15; ++i) pool[i] = col * 15 + i + 1;
      std::shuffle(pool, pool + 15, rng);
      for (int row = 0; row < 5; ++row) cells[row * 5 + col] = QString::number(pool[row]);
    }
    cells[12] = " ";
  }
  return tickets;
}

NumberSet TwentyTwoNumbers() {
  std::mt19937 rng(7);
  std::vector<int> all(75);
  for (int i = 0; i < 75; ++i) all[i] = i + 1;
  std::shuffle(all.begin(), all.end(), rng);
  NumberSet chosen;
  for (int i = 0; i < 22; ++i) chosen.include(all[i]);
  return chosen;
}

// What a plain checker holds: 25 value bytes per ticket, ticket after ticket, and the lines that can
// complete.
struct PlainTickets {
  std::vector<std::uint8_t> values;
  std::vector<std::uint16_t> completable;
  explicit PlainTickets(const TicketList& tickets) {
    values.reserve(std::size_t(tickets.count()) * 25);
    for (int t = 0; t < tickets.count(); ++t) {
      const std::array<std::uint8_t, 25> v = tickets.lotteryValues(t);
      values.insert(values.end(), v.begin(), v.end());
      completable.push_back(tickets.completableLines(t));
    }
  }
};

// The plain reference: one scalar loop over the 25 value bytes of each ticket, as a straightforward
// checker would write it (this file is compiled with -O3).
void PlainReference(const PlainTickets& tickets, const NumberSet& chosen, std::vector<std::uint16_t>& hits) {
  std::uint8_t isChosen[256] = {};
  for (int n = 1; n <= 75; ++n) isChosen[n] = chosen.contains(n) ? 1 : 0;
  const std::size_t count = tickets.completable.size();
  hits.resize(count);
  for (std::size_t t = 0; t < count; ++t) {
    const std::uint8_t* v = tickets.values.data() + t * 25;
    std::uint32_t cells = 0;
    for (int c = 0; c < 25; ++c) cells |= std::uint32_t(isChosen[v[c]]) << c;
    std::uint16_t lines = 0;
    for (int l = 0; l < kLineCount; ++l)
      lines |= std::uint16_t(((cells & kLineCellMasks[l]) == kLineCellMasks[l]) << l);
    hits[t] = lines & tickets.completable[t];
  }
}

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

void BM_PlainReference(benchmark::State& state) {
  const PlainTickets tickets(PlayerTicketList(int(state.range(0)), 1));
  const NumberSet chosen = TwentyTwoNumbers();
  std::vector<std::uint16_t> hits;
  for (auto _ : state) {
    PlainReference(tickets, chosen, hits);
    benchmark::DoNotOptimize(hits.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_PlainReference)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Every kernel this processor runs, each against the plain reference measured in the same run:
// "x_reference" is how many times faster the kernel is. A kernel whose lines differ from the
// reference's fails the benchmark.
void BM_LineKernel(benchmark::State& state) {
  const auto kernels = AvailableLineKernels();
  if (state.range(1) >= int(kernels.size())) {
    state.SkipWithError("kernel not available on this processor");
    return;
  }
  const LineKernel kernel = kernels[std::size_t(state.range(1))];
  const TicketList tickets = PlayerTicketList(int(state.range(0)), 1);
  const NumberSet chosen = TwentyTwoNumbers();
  std::vector<std::uint16_t> reference;
  const double referenceSeconds = [&] {
    const PlainTickets plain(tickets);
    return SecondsPerRun([&] { PlainReference(plain, chosen, reference); }, 7);
  }();
  LineKernelResult result;
  RunLineKernel(kernel, tickets, chosen, result);
  if (result.hits != reference) {
    state.SkipWithError("kernel differs from the reference");
    return;
  }
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    RunLineKernel(kernel, tickets, chosen, result);
    benchmark::DoNotOptimize(result.hits.data());
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  state.SetLabel(LineKernelName(kernel));
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["x_reference"] = referenceSeconds / (seconds / double(state.iterations()));
}
BENCHMARK(BM_LineKernel)->ArgsProduct({{1'000'000, 10'000'000}, {0, 1, 2}})->Unit(benchmark::kMillisecond);

void BM_EvaluateLines(benchmark::State& state) {
  const TicketList tickets = PlayerTicketList(int(state.range(0)), 1);
  const NumberSet chosen = TwentyTwoNumbers();
  std::vector<std::uint16_t> hits;
  for (auto _ : state) {
    EvaluateLines(tickets, chosen, hits);
    benchmark::DoNotOptimize(hits.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_EvaluateLines)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_LotteryCheckEvaluate(benchmark::State& state) {
  LotteryCheck check;
  check.addTickets(PlayerTicketList(int(state.range(0)), 2));
  const NumberSet chosen = TwentyTwoNumbers();
  for (int n = 1; n <= 75; ++n)
    if (chosen.contains(n)) check.chosen.toggle(n);
  for (auto _ : state) benchmark::DoNotOptimize(check.evaluate());
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["class1"] = check.totals().one;
  state.counters["class2"] = check.totals().two;
  state.counters["class3"] = check.totals().three;
}
BENCHMARK(BM_LotteryCheckEvaluate)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The plain reader: lines and commas split in one pass, each cell read with atoi-like arithmetic into
// 25 bytes per ticket. It knows nothing of quotes, blanks or texts that are not numbers.
std::size_t PlainReader(const QByteArray& bytes, std::vector<std::uint8_t>& values) {
  values.clear();
  values.reserve(std::size_t(bytes.size() / 2));
  int v = 0;
  for (char ch : bytes) {
    if (ch >= '0' && ch <= '9') {
      v = v * 10 + (ch - '0');
    } else if (ch == ',' || ch == '\n') {
      values.push_back(std::uint8_t(v));
      v = 0;
    }
  }
  return values.size() / 25;
}

void BM_ReadTicketFile(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/bench.lose";
  WriteTicketFile(path, RandomTickets(int(state.range(0)), 3));
  const QByteArray bytes = ReadWholeFile(path, kMaxTicketFileBytes);
  std::vector<std::uint8_t> plain;
  const double referenceSeconds = SecondsPerRun([&] { PlainReader(bytes, plain); }, 5);
  std::size_t heap = 0;
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) {
    const std::size_t before = mallinfo2().uordblks;
    TicketList list = ReadTicketFile(path);
    heap = mallinfo2().uordblks - before;
    benchmark::DoNotOptimize(list.count());
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  state.SetItemsProcessed(state.iterations() * state.range(0));
  state.counters["list_bytes_per_ticket"] = double(heap) / double(state.range(0));
  state.counters["file_bytes_per_ticket"] = double(bytes.size()) / double(state.range(0));
  state.counters["x_plain_reader"] = referenceSeconds / (seconds / double(state.iterations()));
}
BENCHMARK(BM_ReadTicketFile)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
