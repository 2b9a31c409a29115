// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/evaluation.h"

// One message of the program, as a message box would have shown it.
struct CheckMessage {
  enum class Kind { Information, Warning, Error };
  Kind kind;
  QString text;
};

// Where a ticket read from a picture came from, and which of its cells (1..25, ascending) were
// doubtful: left empty, or holding the number read when the grid itself was uncertain.
struct TicketOrigin {
  QString image;
  std::vector<int> doubtfulCells;
};

// What a report is written from: the check (tickets, chosen numbers, the evaluation's results) and
// what the checker adds around it. The window passes its own check, so no ticket is copied.
struct ReportInput {
  const LotteryCheck& check;
  QString fieldText;                  // the winning-number field (CR LF line breaks)
  QList<CheckMessage> messages;       // in the order they arose
  bool near = false;                  // add near lines and waiting numbers
  std::vector<TicketOrigin> origins;  // per ticket, when the tickets come from pictures
};

// The checker's three output forms and the window's CSV file, as UTF-8 bytes with LF line ends.
// One writer for all of them, so the checker and the window can never disagree.

// Where a report's bytes go. The writers fill a buffer reserved once and hand it on whenever it is
// full, so a report of a million tickets is never held whole; write may throw to stop the report.
class ReportSink {
 public:
  virtual ~ReportSink() = default;
  virtual void write(const char* data, std::size_t size) = 0;
};

void WriteJsonReport(const ReportInput& outcome, ReportSink& sink);
void WriteTextReport(const ReportInput& outcome, ReportSink& sink);
void WriteCsvReport(const ReportInput& outcome, ReportSink& sink);

// The same reports as one byte array each.

// One JSON object: field_text, numbers, messages, tickets, totals.
QByteArray JsonReport(const ReportInput& outcome);

// The result table as the main window shows it ("Los", "1 x", "2 x", "3 x"), the totals row "Ges.:"
// and the chosen numbers.
QByteArray TextReport(const ReportInput& outcome);

// Semicolon-separated: the header "ticket;1 x;2 x;3 x", one row per ticket, the totals row.
QByteArray CsvReport(const ReportInput& outcome);

// The messages for the error output of the text and CSV forms, one line each.
QByteArray MessageLines(const ReportInput& outcome);

// The mark in column "1 x" (1), "2 x" (2) or "3 x" (3) of the result table for a ticket of winClass:
// "x" in its class's column, "-" in all three for a ticket without a win.
const char* ResultMark(int winClass, int column);
// The mark in all three columns for a ticket without a certain win that may have won: one of its
// lines holds a doubtful cell and the rest of that line is drawn.
constexpr const char* kUncertainMark = "?";
// The lines (bit L-1 = line L) of ticket that are not complete but may be: each holds at least one of
// the doubtful cells (1..25), every other cell of it holds a drawn number, those numbers are distinct,
// and enough drawn numbers are left to fill the doubtful ones.
std::uint16_t UncertainLines(const LotteryCheck& check, int ticket, const std::vector<int>& doubtfulCells);

// A total as the totals row shows it: the count, or "-" for none.
QByteArray TotalText(int count);

// text as a JSON string literal: quotes, backslash and control characters escaped, the rest UTF-8.
QByteArray JsonString(const QString& text);
