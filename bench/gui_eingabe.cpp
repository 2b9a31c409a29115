// SPDX-License-Identifier: GPL-3.0-or-later
// The ticket entry window at scale, offscreen: making 10,000 tickets with "Lose erstellen", reading
// a 100,000-ticket file with "Lose einlesen..." and saving it again, each beside a reference in the
// same run. Counters: "ms" (median) and "ratio_to_reference".
//
//   - Making: the reference is the cost of a frame of widgets per ticket (as the window was built
//     before), measured for 200 frames and scaled to 10,000.
//   - Reading: the reference is the core reader alone on the same file.
//   - Saving: the reference is the core writer alone for the same cells; "same_bytes" is 1 when the
//     window's file equals the writer's.
#include <benchmark/benchmark.h>

#include <QtWidgets/qtestsupport_widgets.h>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <vector>

#include "bench_support.h"
#include "bench_tickets.h"
#include "common/folders.h"
#include "core/ticketfile.h"
#include "ui/eingabe/eingabe.h"
#include "ui/eingabe/frlos2.h"

namespace {

constexpr int kMade = 10'000;
constexpr int kRead = 100'000;
constexpr int kOldFrames = 200;

TFEingabe* g_window = nullptr;
BenchPrompter* g_prompter = nullptr;
QString g_file;     // kRead tickets
QString g_saved;    // where the window saves
QString g_written;  // where the reference writer writes
double g_makeRef = 0, g_readRef = 0, g_saveRef = 0;

double ms(const QElapsedTimer& t) {
  return double(t.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// Lets the window handle what the click posted, as the event loop would.
void settle() {
  for (int i = 0; i < 3; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
}

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Runs step per iteration, timed, and sets "ms" to the median.
template <typename Setup, typename Step>
double timed(benchmark::State& state, Setup setup, Step step) {
  std::vector<double> times;
  for (auto _ : state) {
    setup();
    QElapsedTimer t;
    t.start();
    step();
    const double elapsed = ms(t);
    times.push_back(elapsed);
    state.SetIterationTime(elapsed / 1e3);
  }
  const double m = median(times);
  state.counters["ms"] = m;
  return m;
}

// A frame of widgets per ticket, placed and numbered as the window did it for every ticket.
void BM_MakeReferenceFramePerTicket(benchmark::State& state) {
  QWidget content;
  content.resize(TFfrLos2::kWidth * 6 + 40, 200);
  content.show();
  (void)QTest::qWaitForWindowExposed(&content);
  std::vector<TFfrLos2*> frames;
  const double perFrame =
      timed(
          state,
          [&] {
            for (TFfrLos2* f : frames) delete f;
            frames.clear();
          },
          [&] {
            for (int n = 1; n <= kOldFrames; ++n) {
              auto* frame = new TFfrLos2(&content);
              frame->setObjectName(QStringLiteral("EinfrLos") + QString::number(n));
              frame->move(TFEingabe::framePosition(n));
              frame->PNr->setText(QString::number(n));
              frame->m1->setAccessibleName(QStringLiteral("Pro Zeile eine Zahl, Los %1").arg(n));
              frame->gLos->setAccessibleName(QStringLiteral("Los %1").arg(n));
              frame->show();
              frames.push_back(frame);
            }
            settle();
          }) /
      kOldFrames;
  for (TFfrLos2* f : frames) delete f;
  g_makeRef = perFrame * kMade;
  state.counters["ms_scaled_to_10000"] = g_makeRef;
}
BENCHMARK(BM_MakeReferenceFramePerTicket)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_Make10000(benchmark::State& state) {
  g_window->rebuildTicketsBox->setChecked(true);
  const double m = timed(
      state,
      [] {
        g_window->newTicketCountField->setText(QStringLiteral("0"));
        g_window->createTicketsButton->click();
        settle();
        g_window->newTicketCountField->setText(QString::number(kMade));
      },
      [] {
        g_window->createTicketsButton->click();
        settle();
      });
  state.counters["ratio_to_reference"] = g_makeRef / m;
  state.counters["tickets"] = g_window->EinLosCount;
  state.counters["frame_widgets"] = double(g_window->findChildren<TFfrLos2*>().size());
}
BENCHMARK(BM_Make10000)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

void BM_ReadReferenceCoreReader(benchmark::State& state) {
  int count = 0;
  g_readRef = timed(
      state, [] {}, [&] { count = ReadTicketFile(g_file).count(); });
  state.counters["tickets"] = count;
}
BENCHMARK(BM_ReadReferenceCoreReader)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

void BM_Read100000(benchmark::State& state) {
  g_window->rebuildTicketsBox->setChecked(true);
  g_prompter->path = g_file;
  const double m = timed(
      state, [] {},
      [] {
        g_window->openButton->click();
        settle();
      });
  // How many times the core reader's time the window takes (1 would be no cost beyond reading).
  state.counters["ratio_to_reference"] = m / g_readRef;
  state.counters["tickets"] = g_window->EinLosCount;
  state.counters["frame_widgets"] = double(g_window->findChildren<TFfrLos2*>().size());
  state.counters["rss_mb"] = double(memoryKb("VmRSS:")) / 1024;
}
BENCHMARK(BM_Read100000)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

void BM_SaveReferenceCoreWriter(benchmark::State& state) {
  const TicketList read = ReadTicketFile(g_file);
  std::vector<TicketCells> cells;
  cells.reserve(std::size_t(read.count()));
  for (int t = 0; t < read.count(); ++t) cells.push_back(read.cells(t));
  g_saveRef = timed(
      state, [] {}, [&] { WriteTicketFile(g_written, cells); });
}
BENCHMARK(BM_SaveReferenceCoreWriter)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

void BM_Save100000(benchmark::State& state) {
  g_prompter->path = g_saved;
  const double m = timed(
      state, [] { QFile::remove(g_saved); }, [] { g_window->saveButton->click(); });
  state.counters["ratio_to_reference"] = m / g_saveRef;
  const QByteArray saved = contents(g_saved);
  state.counters["same_bytes"] =
      !saved.isEmpty() && saved == contents(g_written) && saved == contents(g_file);
}
BENCHMARK(BM_Save100000)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The program's folders go to a throwaway place, never into the real home folder.
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  EstablishDataFolders();
  g_file = data.filePath(QStringLiteral("bench.lose"));
  g_saved = data.filePath(QStringLiteral("saved.lose"));
  g_written = data.filePath(QStringLiteral("written.lose"));
  QFile f(g_file);
  if (!f.open(QIODevice::WriteOnly) || f.write(PlayerTicketFile(kRead)) < 0) return 1;
  f.close();
  BenchPrompter prompter;
  g_prompter = &prompter;
  Prompter::install(&prompter);
  {
    TFEingabe w;
    g_window = &w;
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) return 1;
    settle();
    benchmark::RunSpecifiedBenchmarks();
    g_window = nullptr;
  }
  Prompter::install(nullptr);
  benchmark::Shutdown();
  return 0;
}
