// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/options.h"

namespace {

bool parseFormat(const QString& name, OutputFormat& format) {
  if (name == QLatin1String("text"))
    format = OutputFormat::Text;
  else if (name == QLatin1String("json"))
    format = OutputFormat::Json;
  else if (name == QLatin1String("csv"))
    format = OutputFormat::Csv;
  else
    return false;
  return true;
}

bool parseDate(const QString& name, const QString& text, QDate& date, QString& error) {
  date = QDate::fromString(text, Qt::ISODate);
  if (date.isValid() && text.size() == 10) return true;
  error = QStringLiteral("Ungültiges Datum \"%1\" bei \"%2\" (erwartet: JJJJ-MM-TT).").arg(text, name);
  return false;
}

bool setAction(CheckerOptions& options, ArchiveAction action, QString& error) {
  if (options.archiveAction != ArchiveAction::None && options.archiveAction != action) {
    error = QStringLiteral("Nur eine von --add-draw, --list, --all-draws und --stats angeben.");
    return false;
  }
  options.archiveAction = action;
  return true;
}

// Checks the archive options against each other once the whole command line is read.
bool checkArchiveOptions(const CheckerOptions& o, bool archiveGiven, QString& error) {
  const bool numbers = o.hasNumbersFile || o.hasNumbersText;
  switch (o.archiveAction) {
    case ArchiveAction::None:
      if (archiveGiven || o.from.isValid() || o.to.isValid() || o.hasDrawName || o.replaceDraw)
        error = QStringLiteral("Die Archiv-Optionen brauchen --add-draw, --list, --all-draws oder --stats.");
      break;
    case ArchiveAction::AddDraw:
      if (!numbers)
        error = QStringLiteral("--add-draw braucht die Gewinnzahlen (--numbers oder --numbers-text).");
      else if (o.from.isValid() || o.to.isValid())
        error = QStringLiteral("--from und --to gelten nicht für --add-draw.");
      break;
    case ArchiveAction::List:
    case ArchiveAction::Stats:
    case ArchiveAction::AllDraws:
      if (o.hasDrawName || o.replaceDraw)
        error = QStringLiteral("--name und --replace gelten nur für --add-draw.");
      else if (numbers)
        error = QStringLiteral(
            "Die Gewinnzahlen kommen hier aus dem Archiv; --numbers und --numbers-text weglassen.");
      else if (o.archiveAction != ArchiveAction::AllDraws && !o.ticketFiles.isEmpty())
        error = QStringLiteral("Lose-Dateien gelten nur für --add-draw und --all-draws.");
      else if (o.archiveAction == ArchiveAction::AllDraws && o.ticketFiles.isEmpty())
        error = QStringLiteral("--all-draws braucht Lose-Dateien.");
      else if (o.from.isValid() && o.to.isValid() && o.from > o.to)
        error = QStringLiteral("--from liegt nach --to.");
      break;
  }
  return error.isEmpty();
}

}  // namespace

bool ParseCheckerArguments(const QStringList& args, CheckerOptions& options, QString& error) {
  options = CheckerOptions{};
  bool formatGiven = false;
  bool onlyFiles = false;
  bool archiveGiven = false;
  for (qsizetype i = 0; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (onlyFiles || !arg.startsWith(QLatin1String("--"))) {
      if (!onlyFiles && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
        error = QStringLiteral("Unbekannte Option \"%1\".").arg(arg);
        return false;
      }
      options.ticketFiles << arg;
      continue;
    }
    if (arg == QLatin1String("--")) {
      onlyFiles = true;
      continue;
    }
    if (arg == QLatin1String("--help")) {
      options.help = true;
      continue;
    }
    if (arg == QLatin1String("--near")) {
      options.near = true;
      continue;
    }
    if (arg == QLatin1String("--from-image")) {
      options.fromImage = true;
      continue;
    }
    if (arg == QLatin1String("--replace")) {
      options.replaceDraw = true;
      continue;
    }
    if (arg == QLatin1String("--list") || arg == QLatin1String("--all-draws") ||
        arg == QLatin1String("--stats")) {
      const ArchiveAction action = arg == QLatin1String("--list")        ? ArchiveAction::List
                                   : arg == QLatin1String("--all-draws") ? ArchiveAction::AllDraws
                                                                         : ArchiveAction::Stats;
      if (!setAction(options, action, error)) return false;
      continue;
    }
    // The archive's file is optional: after '=', or as the next argument when that names a .db file,
    // so that "--archive a.lose" never takes a ticket file for the archive.
    if (arg == QLatin1String("--archive") || arg.startsWith(QLatin1String("--archive="))) {
      archiveGiven = true;
      if (arg.size() > 9) {
        options.archivePath = arg.mid(10);
        if (options.archivePath.isEmpty()) {
          error = QStringLiteral("Der Option \"--archive\" fehlt ihr Wert.");
          return false;
        }
      } else if (i + 1 < args.size() && !args[i + 1].startsWith(QLatin1Char('-')) &&
                 args[i + 1].endsWith(QLatin1String(".db"))) {
        options.archivePath = args[++i];
      }
      continue;
    }
    // Options with a value take it as the next argument or after '='.
    QString name = arg;
    QString value;
    bool hasValue = false;
    const qsizetype eq = arg.indexOf(QLatin1Char('='));
    if (eq > 0) {
      name = arg.left(eq);
      value = arg.mid(eq + 1);
      hasValue = true;
    }
    const bool known = name == QLatin1String("--numbers") || name == QLatin1String("--numbers-text") ||
                       name == QLatin1String("--format") || name == QLatin1String("--add-draw") ||
                       name == QLatin1String("--name") || name == QLatin1String("--from") ||
                       name == QLatin1String("--to");
    if (!known) {
      error = QStringLiteral("Unbekannte Option \"%1\".").arg(name);
      return false;
    }
    if (!hasValue) {
      if (i + 1 >= args.size()) {
        error = QStringLiteral("Der Option \"%1\" fehlt ihr Wert.").arg(name);
        return false;
      }
      value = args[++i];
    }
    if (name == QLatin1String("--format")) {
      if (formatGiven) {
        error = QStringLiteral("Die Option \"--format\" ist mehrfach angegeben.");
        return false;
      }
      formatGiven = true;
      if (!parseFormat(value, options.format)) {
        error = QStringLiteral("Unbekanntes Format \"%1\" (erlaubt: text, json, csv).").arg(value);
        return false;
      }
      continue;
    }
    if (name == QLatin1String("--add-draw")) {
      if (!setAction(options, ArchiveAction::AddDraw, error) ||
          !parseDate(name, value, options.drawDate, error))
        return false;
      continue;
    }
    if (name == QLatin1String("--name")) {
      options.drawName = value;
      options.hasDrawName = true;
      continue;
    }
    if (name == QLatin1String("--from") || name == QLatin1String("--to")) {
      if (!parseDate(name, value, name == QLatin1String("--from") ? options.from : options.to, error))
        return false;
      continue;
    }
    if (options.hasNumbersFile || options.hasNumbersText) {
      error = QStringLiteral("Gewinnzahlen nur einmal angeben: entweder --numbers oder --numbers-text.");
      return false;
    }
    if (name == QLatin1String("--numbers")) {
      options.hasNumbersFile = true;
      options.numbersFile = value;
    } else {
      options.hasNumbersText = true;
      options.numbersText = value;
    }
  }
  return checkArchiveOptions(options, archiveGiven, error);
}

QString CheckerUsage() {
  return QStringLiteral(
      "Aufruf: ziehfix-check [--numbers DATEI | --numbers-text TEXT] [--format text|json|csv] "
      "[--near] [--from-image] [LOSDATEI... | BILDDATEI...]\n"
      "       ziehfix-check [--archive[=DB]] (--add-draw DATUM [--name NAME] [--replace] | --list | "
      "--all-draws | --stats) [--from DATUM] [--to DATUM] [--format ...] [LOSDATEI...]\n"
      "\n"
      "Prüft Lose gegen Gewinnzahlen, ohne Fenster.\n"
      "\n"
      "  LOSDATEI...          Lose-Dateien (*.lose), der Reihe nach eingelesen; die Lose werden\n"
      "                       über alle Dateien hinweg von 1 an gezählt.\n"
      "  --numbers DATEI      Gewinnzahlen-Datei (*.zfgz), übertragen wie mit \"Textfeld- Transfer\".\n"
      "  --numbers-text TEXT  TEXT als Inhalt des Gewinnzahlen-Textfelds, ebenso übertragen.\n"
      "  --format FORMAT      text (Vorgabe), json oder csv.\n"
      "  --near               Dazu je Los die Linien, denen 1 Zahl fehlt, und die Wartezahlen:\n"
      "                       json \"near_lines\" und \"waiting_numbers\", csv die Spalte \"fehlt 1\",\n"
      "                       text den Abschnitt \"Wartezahlen\".\n"
      "  --from-image         Die Dateien sind Bilder (Fotos, Scans) von Losen: jedes Los im Bild\n"
      "                       wird gelesen; unsichere Zahlen sind markiert (json: \"doubtful_cells\").\n"
      "                       Ein Los, das mit ihnen gewonnen haben kann, steht als \"?\" da\n"
      "                       (json: \"class\": null und \"uncertain_lines\").\n"
      "\n"
      "Mit dem Archiv der Ziehungen (archiv.db im Datenordner des Programms):\n"
      "  --archive[=DB]       Dieses Archiv statt des eigenen; DB auch als nächstes Argument, wenn\n"
      "                       es auf .db endet.\n"
      "  --add-draw DATUM     Die Ziehung vom DATUM (JJJJ-MM-TT) mit den Gewinnzahlen und den Losen\n"
      "                       ins Archiv aufnehmen und ihr Ergebnis ausgeben.\n"
      "  --name NAME          Dazu ein Name der Ziehung (an einem Tag mehrere Ziehungen).\n"
      "  --replace            Eine Ziehung gleichen Datums und Namens ersetzen (sonst Fehler).\n"
      "  --list               Die Ziehungen auflisten, die neueste zuerst.\n"
      "  --all-draws          Die Lose gegen jede Ziehung des Archivs prüfen: je Ziehung ein\n"
      "                       Ergebnis; bei csv steht vorn die Spalte \"Ziehung\" (Datum).\n"
      "  --stats              Wie oft jede Zahl 1..75 gezogen wurde.\n"
      "  --from DATUM, --to DATUM\n"
      "                       Nur die Ziehungen von/bis zu diesem Tag (--list, --all-draws, --stats).\n"
      "\n"
      "  --help               Diese Hilfe.\n"
      "\n"
      "Erst werden die Lose eingelesen, dann die Gewinnzahlen übertragen, dann wird ausgewertet.\n"
      "Meldungen stehen bei json in \"messages\", sonst auf der Fehlerausgabe.\n"
      "\n"
      "Rückgabewert: 0 ohne Fehlermeldung, 1 mit mindestens einer Fehlermeldung (die Ausgabe\n"
      "erscheint trotzdem), 2 bei falschem Aufruf, unlesbarer oder abgelehnter Datei, beschädigtem,\n"
      "gesperrtem oder zu neuem Archiv.\n");
}
