// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pieces shared by the GUI benchmark programs.

#include <QByteArray>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <cstdio>

#include "core/evaluation.h"
#include "ui/shared/prompter.h"

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

// The plain reference for the report benchmarks: the same tickets as bare frames of numbers, drawn
// into a PDF page after page with QPdfWriter alone, perPage tickets a page.
inline void PaintPlainTicketPdf(const QString& path, const LotteryCheck& check, int tickets, int perPage,
                                int resolution) {
  QPdfWriter pdf(path);
  pdf.setPageSize(QPageSize(QPageSize::A4));
  pdf.setResolution(resolution);
  QPainter p(&pdf);
  const double scale = pdf.width() / 660.0;
  for (int t = 0; t < tickets; ++t) {
    if (t > 0 && t % perPage == 0) pdf.newPage();
    p.resetTransform();
    p.scale(scale, scale);
    const int i = t % perPage;
    const QPoint origin(i % 5 * 131 + 5, i / 5 * 91 + 5);
    p.drawRect(QRect(origin, QSize(126, 86)));
    for (int cell = 0; cell < 25; ++cell)
      p.drawText(origin + QPoint(22 + cell % 5 * 21, 13 + cell / 5 * 17), check.tickets().cellText(t, cell));
  }
}
