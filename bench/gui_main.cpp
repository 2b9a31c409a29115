// SPDX-License-Identifier: GPL-3.0-or-later
// Speed and memory of the main window with many tickets, driven headless. Prints one JSON object.
//
//   bench_gui_main              runs every measurement, each size in a fresh process
//   bench_gui_main <tickets>    one size: read and show, a number click, scroll to the end, peak memory
//   bench_gui_main splash       time from the process start until the splash window is painted
#include <QtWidgets/qtestsupport_widgets.h>
#include <unistd.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>

#include "app/start.h"
#include "app/startup.h"
#include "bench_support.h"
#include "bench_tickets.h"
#include "common/folders.h"
#include "ui/main/main.h"
#include "ui/main/numberboard.h"
#include "ui/main/tickets/ticketview.h"
#include "ui/shared/prompter.h"

namespace {

// Tickets as a hall prints them: column c holds five different numbers of 15c+1 .. 15c+15.

// Seconds since this process was started, from /proc (clock-tick resolution).
double processAgeSeconds() {
  QFile stat(QStringLiteral("/proc/self/stat")), uptime(QStringLiteral("/proc/uptime"));
  if (!stat.open(QIODevice::ReadOnly) || !uptime.open(QIODevice::ReadOnly)) return -1;
  const QByteArray s = stat.readAll();
  const QList<QByteArray> fields = s.mid(s.lastIndexOf(')') + 2).split(' ');
  const double started = fields.value(19).toDouble() / double(sysconf(_SC_CLK_TCK));
  return uptime.readAll().split(' ').first().toDouble() - started;
}

double ms(const QElapsedTimer& t) {
  return double(t.nsecsElapsed()) / 1e6;
}

QJsonObject measureSize(int count) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bench.lose"));
  {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return {};
    f.write(PlayerTicketFile(count));
  }
  EstablishDataFolders();
  BenchPrompter prompter;
  prompter.path = path;
  Prompter::install(&prompter);

  TFMain w;
  w.setWindowOpacity(1.0);
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) return {};
  TicketView* box = w.ticketView();

  QElapsedTimer t;
  t.start();
  w.BOpenClick();
  box->viewport()->repaint();
  const double readMs = ms(t);

  w.findChild<QCheckBox*>(QStringLiteral("cbSofort"))->setChecked(true);
  // Clicks that choose and un-choose numbers; each evaluates, rewrites the tables and paints.
  const int numbers[] = {3, 17, 40, 52, 66, 7, 22, 45, 61, 12};
  std::vector<double> clicks;
  for (int round = 0; round < 2; ++round) {
    for (int n : numbers) {
      t.restart();
      w.Button(n)->click();
      QCoreApplication::processEvents();
      clicks.push_back(ms(t));
    }
  }
  std::sort(clicks.begin(), clicks.end());

  t.restart();
  box->verticalScrollBar()->setValue(box->verticalScrollBar()->maximum());
  box->viewport()->repaint();
  const double scrollMs = ms(t);

  Prompter::install(nullptr);
  QJsonObject o;
  o["tickets"] = count;
  o["read_and_show_ms"] = readMs;
  o["click_median_ms"] = clicks[clicks.size() / 2];
  o["click_max_ms"] = clicks.back();
  o["scroll_to_last_and_paint_ms"] = scrollMs;
  o["peak_memory_mb"] = double(memoryKb("VmHWM:")) / 1024.0;
  o["shown_tickets"] = w.LosCount();
  return o;
}

QJsonObject measureSplash(QApplication& app) {
  PrepareApplication(app);
  ShowSplashWindow();
  const double age = processAgeSeconds();
  QJsonObject o;
  o["splash_painted_ms_after_process_start"] = age * 1000.0;
  o["splash_painted"] = FStart && FStart->hasBeenPainted();
  delete FStart;
  return o;
}

QJsonObject runChild(const QString& program, const QString& arg) {
  QProcess p;
  p.start(program, {arg});
  if (!p.waitForFinished(300000)) return {{"error", "timed out"}};
  return QJsonDocument::fromJson(p.readAllStandardOutput()).object();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QString arg = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
  QTemporaryDir data;
  if (!arg.isEmpty()) {
    // The program's folders go to a throwaway place, never into the real home folder.
    qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
  }
  QApplication app(argc, argv);
  QJsonObject out;
  if (arg == QLatin1String("splash")) {
    out = measureSplash(app);
  } else if (!arg.isEmpty()) {
    out = measureSize(arg.toInt());
  } else {
    QJsonArray sizes;
    for (int n : {1000, 10000, 100000, 1000000})
      sizes.append(runChild(QCoreApplication::applicationFilePath(), QString::number(n)));
    out["sizes"] = sizes;
    out["start_up"] = runChild(QCoreApplication::applicationFilePath(), QStringLiteral("splash"));
  }
  std::printf("%s\n", QJsonDocument(out).toJson(QJsonDocument::Indented).constData());
  return 0;
}
