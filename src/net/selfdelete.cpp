// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/selfdelete.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryFile>
#include <cstdlib>
#include <stdexcept>

#include "common/folders.h"
#include "platform/private_files.h"

namespace {

std::function<void()>& installedExit() {
  static std::function<void()> routine;
  return routine;
}

[[noreturn]] void failCreate(const QString& path, const QString& reason) {
  throw std::runtime_error(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason).toStdString());
}

void realSelfDeletingExit() {
  const QString tempDir = TempDir();
  const QString script = WriteSelfDeleteScript(QCoreApplication::applicationFilePath(), tempDir);
  if (!QDir::setCurrent(tempDir))
    throw std::runtime_error(QStringLiteral("Cannot change to folder \"%1\"").arg(tempDir).toStdString());
  if (!QProcess::startDetached(QStringLiteral("/bin/sh"), {script}, tempDir))
    throw std::runtime_error("Cannot start /bin/sh");
  // Ends here and now: no event loop, no destructors, no closing handler of any window. Everything the
  // program wrote went through QSaveFile and is complete on disk already.
  std::_Exit(0);
}

}  // namespace

QString ShellQuoted(const QString& text) {
  QString out = QStringLiteral("'");
  for (const QChar c : text) {
    if (c == QLatin1Char('\''))
      out += QStringLiteral("'\\''");
    else
      out += c;
  }
  out += QLatin1Char('\'');
  return out;
}

QByteArray SelfDeleteScript(const QString& programFile, const QString& scriptPath, int retries,
                            int pauseSeconds) {
  // The bytes a path has on disk, so that the shell passes exactly them to the system calls.
  const auto q = [](const QString& path) { return QFile::encodeName(ShellQuoted(path)); };
  const QString folder = QFileInfo(programFile).absolutePath();
  QByteArray s;
  s += "#!/bin/sh\n";
  s += "p=" + q(programFile) + "\n";
  s += "d=" + q(folder) + "\n";
  s += "n=0\n";
  s += "while :; do\n";
  s += "  rm -f -- \"$p\" 2>/dev/null\n";
  s += "  if [ ! -e \"$p\" ] && [ ! -L \"$p\" ]; then break; fi\n";
  s += "  if [ \"$n\" -ge " + QByteArray::number(qMax(0, retries)) + " ]; then break; fi\n";
  s += "  n=$((n + 1))\n";
  s += "  sleep " + QByteArray::number(qMax(0, pauseSeconds)) + "\n";
  s += "done\n";
  s += "rmdir -- \"$d\" 2>/dev/null\n";
  s += "rm -f -- " + q(scriptPath) + "\n";
  return s;
}

QString WriteSelfDeleteScript(const QString& programFile, const QString& tempDir, int retries,
                              int pauseSeconds) {
  // The empty reservation file makes the stem unique among concurrent runs (created exclusively).
  QTemporaryFile reservation(tempDir + QStringLiteral("uisXXXXXX.tmp"));
  reservation.setAutoRemove(false);
  if (!reservation.open()) failCreate(tempDir + QStringLiteral("uis.tmp"), reservation.errorString());
  const QString reserved = reservation.fileName();
  reservation.close();
  const QString scriptPath = reserved.left(reserved.size() - 4) + QStringLiteral(".sh");

  // A new file of its own: a file or link planted under the name makes this fail, never redirects it.
  WriteNewPrivateFile(scriptPath, SelfDeleteScript(programFile, scriptPath, retries, pauseSeconds), 0700);
  return scriptPath;
}

void SelfDeletingExit() {
  if (installedExit())
    installedExit()();
  else
    realSelfDeletingExit();
}

std::function<void()> InstallSelfDeletingExit(std::function<void()> routine) {
  std::function<void()> previous = std::move(installedExit());
  installedExit() = std::move(routine);
  return previous;
}
