// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/launch.h"

#include <QApplication>
#include <QDir>
#include <cstdio>
#include <utility>

#include "app/commandline.h"
#include "app/instance.h"
#include "app/start.h"
#include "app/startup.h"
#include "ui/main/main.h"
#include "ui/update/input_lock.h"

FileArrival::FileArrival(QObject* parent) : QObject(parent) {}

void FileArrival::deliver(const QStringList& files) {
  waiting_ << files;
  if (!shown_) {
    if (FStart) FStart->raise();
    return;
  }
  // A hand-over can arrive while a download turns the event loop with input locked to its window; a
  // message about a file it opened then would come up under that lock. So it waits for the end.
  InputLock::whenReleased(this, [this] {
    if (!FMain) return;
    FMain->showNormal();
    FMain->raise();
    FMain->activateWindow();
    openWaiting();
  });
}

void FileArrival::mainWindowShown() {
  shown_ = true;
  InputLock::whenReleased(this, [this] { openWaiting(); });
}

void FileArrival::openWaiting() {
  const QStringList files = std::exchange(waiting_, {});
  if (FMain && !files.isEmpty()) FMain->openFiles(files);
}

int AnswerInfoOptions(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  const CommandLine line = ParseCommandLine(args, QDir::currentPath());
  if (!line.exitNow || line.exitCode != 0) return -1;
  std::fputs(line.output.toLocal8Bit().constData(), stdout);
  return 0;
}

int RunFromCommandLine(QApplication& app) {
  const CommandLine line = ParseCommandLine(QCoreApplication::arguments(), QDir::currentPath());
  if (line.exitNow) {
    std::fputs(line.output.toLocal8Bit().constData(), line.exitCode == 0 ? stdout : stderr);
    return line.exitCode;
  }
  SingleInstance instance(SingleInstance::defaultSocketPath());
  if (instance.handOver(line.files)) return 0;
  instance.listen();
  FileArrival arrival;
  QObject::connect(&instance, &SingleInstance::filesReceived, &arrival, &FileArrival::deliver);
  return RunProgram(app, CreateWindows, [&] {
    arrival.deliver(line.files);
    if (FStart)
      // Queued: messages about the files come after the fade has ended, not inside its last step.
      QObject::connect(FStart, &TFStart::crossFadeFinished, &arrival, &FileArrival::mainWindowShown,
                       Qt::QueuedConnection);
    else
      arrival.mainWindowShown();
  });
}
