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

}  // namespace

bool ParseCheckerArguments(const QStringList& args, CheckerOptions& options, QString& error) {
  options = CheckerOptions{};
  bool formatGiven = false;
  bool onlyFiles = false;
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
                       name == QLatin1String("--format");
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
  return true;
}

QString CheckerUsage() {
  return QStringLiteral(
      "Aufruf: ziehfix-check [--numbers DATEI | --numbers-text TEXT] [--format text|json|csv] "
      "[--near] [--from-image] [LOSDATEI... | BILDDATEI...]\n"
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
      "  --help               Diese Hilfe.\n"
      "\n"
      "Erst werden die Lose eingelesen, dann die Gewinnzahlen übertragen, dann wird ausgewertet.\n"
      "Meldungen stehen bei json in \"messages\", sonst auf der Fehlerausgabe.\n"
      "\n"
      "Rückgabewert: 0 ohne Fehlermeldung, 1 mit mindestens einer Fehlermeldung (die Ausgabe\n"
      "erscheint trotzdem), 2 bei falschem Aufruf, unlesbarer oder abgelehnter Datei.\n");
}
