// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// `ziehfix [FILE...]`, `--help`, `--version`. Qt's own options are gone from the list by now.
struct CommandLine {
  QStringList files;  // absolute, in the order given
  bool exitNow = false;
  int exitCode = 0;
  QString output;  // for standard output when exitCode is 0, standard error otherwise
};

// args as QCoreApplication::arguments(), the program name first. Relative files are made absolute
// against currentDir, so that a running program handed them from another folder finds them.
CommandLine ParseCommandLine(const QStringList& args, const QString& currentDir);
