// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The command line of the checker:
//   ziehfix-check [--numbers FILE | --numbers-text TEXT] [--format text|json|csv] [--near]
//                 [--from-image] [TICKETFILE... | IMAGEFILE...]
//   with the draw archive: [--archive[=DB]] --add-draw DATE [--name NAME] [--replace] | --list |
//                          --all-draws | --stats, and [--from DATE] [--to DATE] for the last three
#include <QDate>

enum class OutputFormat { Text, Json, Csv };
enum class ArchiveAction { None, AddDraw, List, AllDraws, Stats };

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

  ArchiveAction archiveAction = ArchiveAction::None;
  QString archivePath;  // empty: the program's own archive in its data folder
  QDate drawDate;       // --add-draw
  QString drawName;     // --name
  bool hasDrawName = false;
  bool replaceDraw = false;
  QDate from, to;  // invalid: open end
};

// Parses the arguments (without the program name). On a wrong command line returns false and sets
// error to a one-line German reason.
bool ParseCheckerArguments(const QStringList& args, CheckerOptions& options, QString& error);

// The usage text printed by --help.
QString CheckerUsage();
