// SPDX-License-Identifier: GPL-3.0-or-later
// The checker as a whole process: start, read the ticket file, evaluate, write the report to
// /dev/null. The reference, run in the same benchmark, is a plain C checker (reference/) that reads
// the same file and writes the same CSV; "x_reference" is how many times faster the checker is
// (below 1: slower).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <vector>

#include "bench_tickets.h"

extern char** environ;

namespace {

const char* const kNumbers[] = {"3",  "7",  "12", "17", "22", "28", "33", "40", "41", "45", "52",
                                "55", "60", "61", "66", "68", "70", "72", "1",  "9",  "14", "30"};

struct Run {
  double seconds = -1;
};

// Starts the program with its output going to outPath, waits, and measures the wall time.
Run RunProcess(std::vector<std::string> args, const char* outPath = "/dev/null") {
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath, O_WRONLY | O_CREAT | O_TRUNC, 0600);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  Run run;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    if (waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0)
      run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  posix_spawn_file_actions_destroy(&actions);
  return run;
}

// One ticket file per size, written once for every case.
const QString& TicketFile(int tickets) {
  static QTemporaryDir dir;
  static std::map<int, QString> files;
  QString& path = files[tickets];
  if (path.isEmpty()) {
    path = dir.filePath(QStringLiteral("tickets-%1.lose").arg(tickets));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(PlayerTicketFile(tickets));
  }
  return path;
}

std::vector<std::string> CheckerArgs(const QString& file, const char* format) {
  std::string numbers;
  for (const char* n : kNumbers) numbers += std::string(numbers.empty() ? "" : "\n") + n;
  return {ZIEHFIX_CHECK_PROGRAM, "--format", format, "--numbers-text", numbers, file.toStdString()};
}

std::vector<std::string> ReferenceArgs(const QString& file) {
  std::vector<std::string> args = {PLAIN_CHECKER_PROGRAM, file.toStdString()};
  args.insert(args.end(), std::begin(kNumbers), std::end(kNumbers));
  return args;
}

double MedianSeconds(const std::vector<std::string>& args, int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) times.push_back(RunProcess(args).seconds);
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

QByteArray OutputOf(const std::vector<std::string>& args) {
  static QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("out"));
  if (RunProcess(args, path.toLocal8Bit().constData()).seconds < 0) return {};
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// range(0): tickets; range(1): 0 csv, 1 text, 2 json.
void BM_CheckerProcess(benchmark::State& state) {
  const int tickets = int(state.range(0));
  const char* format = state.range(1) == 0 ? "csv" : state.range(1) == 1 ? "text" : "json";
  const QString& file = TicketFile(tickets);
  const std::vector<std::string> args = CheckerArgs(file, format);
  if (state.range(1) == 0 && OutputOf(args) != OutputOf(ReferenceArgs(file))) {
    state.SkipWithError("the checker's CSV differs from the reference's");
    return;
  }
  const double reference = MedianSeconds(ReferenceArgs(file), 5);
  double total = 0;
  for (auto _ : state) {
    const Run run = RunProcess(args);
    if (run.seconds < 0) {
      state.SkipWithError("the checker failed");
      return;
    }
    state.SetIterationTime(run.seconds);
    total += run.seconds;
  }
  state.SetLabel(format);
  state.counters["reference_ms"] = reference * 1000;
  state.counters["x_reference"] = reference / (total / double(state.iterations()));
}
BENCHMARK(BM_CheckerProcess)
    ->ArgsProduct({{100'000, 1'000'000}, {0, 1, 2}})
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
