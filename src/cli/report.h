#pragma once

#include <QByteArray>
#include <QString>

#include "cli/checkrun.h"

// The checker's three output forms, as UTF-8 bytes with LF line ends.

// One JSON object: field_text, numbers, messages, tickets, totals.
QByteArray JsonReport(const CheckOutcome& outcome);

// The result table as the main window shows it ("Los", "1 x", "2 x", "3 x"), the totals row "Ges.:"
// and the chosen numbers.
QByteArray TextReport(const CheckOutcome& outcome);

// Semicolon-separated: the header "ticket;1 x;2 x;3 x", one row per ticket, the totals row.
QByteArray CsvReport(const CheckOutcome& outcome);

// The messages for the error output of the text and CSV forms, one line each.
QByteArray MessageLines(const CheckOutcome& outcome);

// text as a JSON string literal: quotes, backslash and control characters escaped, the rest UTF-8.
QByteArray JsonString(const QString& text);
