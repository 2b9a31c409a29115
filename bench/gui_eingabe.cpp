// Speed and memory of the ticket entry window with many frames, driven headless. Prints one JSON
// object per size.
//
//   bench_gui_eingabe            sizes 100, 1000 and 2000 (the window's bound), each in this process
//   bench_gui_eingabe <frames>   one size
#include <QtWidgets/qtestsupport_widgets.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "bench_support.h"
#include "common/folders.h"
#include "common/prompter.h"
#include "ui/eingabe.h"
#include "ui/frlos2.h"

namespace {

// Lets the window handle what making the frames posted, as the event loop would after a click.
void settle() {
  for (int i = 0; i < 5; ++i) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
  }
}

QJsonObject measure(int frames, BenchPrompter& prompter, const QString& folder) {
  TFEingabe window;
  window.show();
  (void)QTest::qWaitForWindowExposed(&window);
  settle();
  const qint64 before = memoryKb("VmRSS:");
  QElapsedTimer clock;

  // Made in clicks of at most 1,000, as the window allows.
  clock.start();
  for (int left = frames; left > 0; left -= TFEingabe::kMaxFramesAtOnce) {
    window.cbDran->setChecked(window.EinLosCount > 0);
    window.eAnz->setText(QString::number(std::min(left, TFEingabe::kMaxFramesAtOnce)));
    window.bsSkinSpeedButton2->click();
    settle();
  }
  const qint64 makeMs = clock.elapsed();
  const qint64 after = memoryKb("VmRSS:");

  for (TFfrLos2* frame : window.EinLosFrames) frame->setMemoText("4, 17, 33, 48, 62");
  clock.restart();
  for (TFfrLos2* frame : window.EinLosFrames) frame->bsSkinSpeedButton2Click();
  const qint64 transferMs = clock.elapsed();

  prompter.path = folder + QStringLiteral("/bench.lose");
  clock.restart();
  window.BSave->click();
  const qint64 saveMs = clock.elapsed();

  clock.restart();
  window.BDelLose->click();
  settle();
  const qint64 removeMs = clock.elapsed();

  window.cbNeu->setChecked(true);
  clock.restart();
  window.BOpen->click();
  settle();
  const qint64 readMs = clock.elapsed();

  QJsonObject out;
  out[QStringLiteral("frames")] = frames;
  out[QStringLiteral("make_ms")] = makeMs;
  out[QStringLiteral("kb_per_frame")] = frames ? double(after - before) / frames : 0.0;
  out[QStringLiteral("transfer_all_ms")] = transferMs;
  out[QStringLiteral("save_ms")] = saveMs;
  out[QStringLiteral("remove_all_ms")] = removeMs;
  out[QStringLiteral("read_back_ms")] = readMs;
  out[QStringLiteral("read_back_frames")] = window.EinLosCount;
  out[QStringLiteral("peak_rss_kb")] = memoryKb("VmHWM:");
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir root(QDir::tempPath() + QStringLiteral("/ziehfix-bench-XXXXXX"));
  qputenv("XDG_DATA_HOME", root.path().toLocal8Bit());
  QApplication app(argc, argv);
  EstablishDataFolders();
  BenchPrompter prompter;
  Prompter::install(&prompter);

  QList<int> sizes = {100, 1000, TFEingabe::kMaxFrames};
  if (argc > 1) sizes = {QString::fromLocal8Bit(argv[1]).toInt()};
  for (int frames : sizes) {
    const QJsonObject result = measure(frames, prompter, root.path());
    std::printf("%s\n", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    std::fflush(stdout);
  }
  return 0;
}
