#pragma once

#include <QString>
#include <QStringList>

// The command line of the checker:
//   ziehfix-check [--numbers FILE | --numbers-text TEXT] [--format text|json|csv] [--near]
//                 [--from-image] [TICKETFILE... | IMAGEFILE...]
enum class OutputFormat { Text, Json, Csv };

struct CheckerOptions {
  bool help = false;
  bool hasNumbersFile = false;
  bool hasNumbersText = false;
  QString numbersFile;
  QString numbersText;
  OutputFormat format = OutputFormat::Text;
  bool near = false;        // near lines and waiting numbers in the output
  QStringList ticketFiles;  // pictures of tickets with fromImage
  bool fromImage = false;
};

// Parses the arguments (without the program name). On a wrong command line returns false and sets
// error to a one-line German reason.
bool ParseCheckerArguments(const QStringList& args, CheckerOptions& options, QString& error);

// The usage text printed by --help.
QString CheckerUsage();
