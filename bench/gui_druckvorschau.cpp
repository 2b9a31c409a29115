// SPDX-License-Identifier: GPL-3.0-or-later
// The print preview of "Alle Lose" for 100,000 tickets, offscreen: the time to the first page on
// screen, a turn to the last page, printing every page to a PDF file printer, and the growth of the
// peak resident memory over all of it. Two references in the same run: a plain painter writing the
// same number of pages with each ticket as a rectangle and its numbers (the time printing should
// take), and Qt's own preview widget over the same report for 10,000 tickets (what the preview cost
// before: it records every page as a picture).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>

#include "bench_support.h"
#include "bench_tickets.h"
#include "common/folders.h"
#include "common/settings.h"
#include "core/evaluation.h"
#include "ui/uebersicht/bericht.h"
#include "ui/uebersicht/druckvorschau.h"

namespace {

constexpr int kTickets = 100'000;
constexpr int kQtTickets = 10'000;
LotteryCheck* g_check = nullptr;
QTemporaryDir* g_dir = nullptr;
int g_pages = 0;
double g_printSeconds = 0, g_peakMb = 0;

void fill(LotteryCheck& check, int count) {
  check.addTickets(PlayerTicketList(count, 4711));
  for (int n = 1; n <= 22; ++n) check.chosen.toggle(n * 3);
  check.evaluate();
}

// Sets the peak resident memory back to what is resident now, so that each benchmark sees its own
// peak; false where the kernel does not allow it (the order of the benchmarks then still keeps the
// largest last).
bool resetPeak() {
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

// Runs the event loop until done() or seconds have passed; false on the deadline.
template <typename Done>
bool waitFor(Done done, double seconds) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > seconds * 1000) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 10);
  }
  return true;
}

void BM_PreviewAndPrintAllTickets(benchmark::State& state) {
  for (auto _ : state) {
    const bool reset = resetPeak();
    const qint64 before = memoryKb("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    ReportPreview preview(*g_check, QStringLiteral("bench.lose"));
    int shown = 0;
    QObject::connect(&preview, &ReportPreview::pageShown, [&](int page) { shown = page; });
    preview.show();
    if (!waitFor([&] { return shown == 1; }, 30)) state.SkipWithError("the first page was not shown");
    const double firstPage = timer.elapsed() / 1000.0;
    preview.setCurrentPage(preview.pageCount());
    if (!waitFor([&] { return shown == preview.pageCount(); }, 30))
      state.SkipWithError("the last page was not shown");

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(preview.printer().pageLayout());
    printer.setOutputFileName(g_dir->filePath("vorschau.pdf"));
    timer.restart();
    if (!preview.print(printer)) state.SkipWithError("printing stopped");
    g_printSeconds = timer.elapsed() / 1000.0;
    g_pages = preview.pageCount();
    g_peakMb = (memoryKb("VmHWM:") - before) / 1024.0;
    state.counters["first_page_s"] = firstPage;
    state.counters["print_s"] = g_printSeconds;
    state.counters["pages"] = g_pages;
    state.counters["peak_growth_MB"] = g_peakMb;
    state.counters["file_MB"] = QFileInfo(g_dir->filePath("vorschau.pdf")).size() / 1048576.0;
    state.counters["peak_reset"] = reset;
  }
}

void BM_ReferencePlainPdf(benchmark::State& state) {
  for (auto _ : state) {
    resetPeak();
    const qint64 before = memoryKb("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const int perPage = std::max(5, kTickets / std::max(1, g_pages) / 5 * 5);
    PaintPlainTicketPdf(g_dir->filePath("reference.pdf"), *g_check, kTickets, perPage, 1200);
    const double seconds = timer.elapsed() / 1000.0;
    state.counters["seconds"] = seconds;
    state.counters["print_to_reference"] = seconds > 0 ? g_printSeconds / seconds : 0;
    state.counters["peak_growth_MB"] = (memoryKb("VmHWM:") - before) / 1024.0;
  }
}

void BM_ReferenceQtPreview10k(benchmark::State& state) {
  LotteryCheck check;
  fill(check, kQtTickets);
  for (auto _ : state) {
    resetPeak();
    const qint64 before = memoryKb("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(ReportPageLayout());
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
                     [&](QPrinter* p) { PaintReport(*p, check, QStringLiteral("bench.lose"), true); });
    preview.resize(720, 900);
    preview.show();
    preview.updatePreview();
    QApplication::processEvents();
    const double seconds = timer.elapsed() / 1000.0;
    const double growth = (memoryKb("VmHWM:") - before) / 1024.0;
    state.counters["first_page_s"] = seconds;
    state.counters["pages"] = preview.pageCount();
    state.counters["peak_growth_MB"] = growth;
    // The pictures grow with the tickets: ten times the tickets, ten times the memory.
    state.counters["at_100k_MB"] = growth * kTickets / kQtTickets;
    state.counters["at_100k_to_ours"] = g_peakMb > 0 ? growth * kTickets / kQtTickets / g_peakMb : 0;
  }
}

}  // namespace

// Ours first: the references use its page count and figures, and their peaks must not hide its own
// where the peak cannot be reset.
BENCHMARK(BM_PreviewAndPrintAllTickets)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferencePlainPdf)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReferenceQtPreview10k)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir data;
  qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
  QApplication app(argc, argv);
  QTemporaryDir dir;
  LotteryCheck check;
  fill(check, kTickets);
  g_check = &check;
  g_dir = &dir;
  EstablishDataFolders();
  Settings::set(Setting::kReportAllTickets, true);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
