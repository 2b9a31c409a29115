// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"

#include <QDir>

#include "common/appinfo.h"

namespace {
const char* const kHelp =
    "Aufruf: ziehfix [DATEI...]\n"
    "\n"
    "Prüft Lose einer Lotterie mit 75 Zahlen.\n"
    "\n"
    "  DATEI          Lose-Dateien (*.lose) werden der Reihe nach angehängt, eine\n"
    "                 Gewinnzahlen-Datei (*.zfgz) wird eingelesen und übertragen;\n"
    "                 mit beiden läuft die Gewinnprüfung gleich.\n"
    "  -h, --help     Diese Hilfe zeigen und beenden.\n"
    "  -v, --version  Die Version zeigen und beenden.\n"
    "\n"
    "Läuft ZIEHFIX schon, bekommt das laufende Programm die Dateien.\n";
}  // namespace

CommandLine ParseCommandLine(const QStringList& args, const QString& currentDir) {
  CommandLine line;
  const QDir dir(currentDir);
  bool onlyFiles = false;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (!onlyFiles && arg == QLatin1String("--")) {
      onlyFiles = true;
    } else if (!onlyFiles && (arg == QLatin1String("-h") || arg == QLatin1String("--help"))) {
      return {{}, true, 0, QString::fromUtf8(kHelp)};
    } else if (!onlyFiles && (arg == QLatin1String("-v") || arg == QLatin1String("--version"))) {
      return {{}, true, 0, ProductName + QLatin1Char(' ') + ProgramVersion + QLatin1Char('\n')};
    } else if (!onlyFiles && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
      return {
          {}, true, 2, QStringLiteral("Unbekannte Option \"%1\". Mehr mit \"ziehfix --help\".\n").arg(arg)};
    } else if (!arg.isEmpty()) {
      line.files << QDir::cleanPath(dir.absoluteFilePath(arg));
    }
  }
  return line;
}
