// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Files for tests. Each returns false when the file could not be written completely.
bool WriteTestFile(const QString& path, const QByteArray& bytes);
// A file of the given size that takes no room on disk (its bytes are all NUL).
bool MakeSparseFile(const QString& path, qint64 size);
// The whole file, or an empty array when it cannot be read.
QByteArray ReadTestFile(const QString& path);

// A program run to its end (at most a minute; a hang is a test failure), with what it printed.
struct ProgramRun {
  int exitCode = -1;  // -1 when it crashed or did not finish
  QByteArray out, err;
};
ProgramRun RunProgram(const QString& program, const QStringList& args, const QString& folder = QString(),
                      const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
