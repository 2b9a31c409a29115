// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pieces shared by the GUI benchmark programs.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <cstdio>

#include "common/prompter.h"

// Answers every file dialog with one path; information and errors go to stderr, never to the
// results on stdout.
class BenchPrompter : public Prompter {
 public:
  QString path;
  void information(const QString& text) override { std::fprintf(stderr, "info: %s\n", qPrintable(text)); }
  void warning(const QString&) override {}
  void error(const QString& text) override { std::fprintf(stderr, "error: %s\n", qPrintable(text)); }
  bool confirm(const QString&) override { return false; }
  QString openFileName(const QString&, const QString&, const QString&, const QString&) override {
    return path;
  }
  QString saveFileName(const QString&, const QString&, const QString&, const QString&, const QString&,
                       bool) override {
    return path;
  }
  QString textInput(const QString&, const QString&, const QString&) override { return {}; }
};

// A value in kB from /proc/self/status, e.g. key "VmHWM:"; -1 when it cannot be read.
inline qint64 memoryKb(const char* key) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(key)) return line.mid(qstrlen(key)).trimmed().split(' ').first().toLongLong();
  return -1;
}
