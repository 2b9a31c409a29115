// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class QApplication;

// Files waiting for the main window: the splash window comes first, and the files are opened when
// the main window has faded in. Files that arrive later (from another start) are opened at once, and
// the main window comes to the front; while a download holds the input lock, both wait for its end.
class FileArrival : public QObject {
  Q_OBJECT
 public:
  explicit FileArrival(QObject* parent = nullptr);

  // Waits for the cross-fade when the splash window is still there, else opens now.
  void deliver(const QStringList& files);
  // The main window is shown: what waited is opened.
  void mainWindowShown();

 private:
  void openWaiting();

  QStringList waiting_;
  bool shown_ = false;
};

// --help and --version, answered before any window system is opened, so that they work in a terminal
// without a display. -1: the program goes on (Qt's own options are left to QApplication).
int AnswerInfoOptions(int argc, char** argv);

// The whole program: command line, hand-over to a running program or the start-up sequence.
int RunFromCommandLine(QApplication& app);
