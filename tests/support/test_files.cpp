// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>

bool WriteTestFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

bool MakeSparseFile(const QString& path, qint64 size) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.resize(size);
}

QByteArray ReadTestFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ProgramRun RunProgram(const QString& program, const QStringList& args, const QString& folder,
                      const QProcessEnvironment& environment) {
  QProcess process;
  if (!folder.isEmpty()) process.setWorkingDirectory(folder);
  process.setProcessEnvironment(environment);
  process.start(program, args);
  ProgramRun run;
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << program.toStdString() << " did not finish";
    return run;
  }
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = process.readAllStandardOutput();
  run.err = process.readAllStandardError();
  return run;
}
