// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <vector>

#include "core/ticket.h"

// Ticket files (*.lose): five lines per ticket, each the comma text of one row.
constexpr qint64 kMaxTicketFileBytes = 96LL * 1024 * 1024;  // a million tickets take about 75 MB

// The line as written: cells separated by commas; a cell containing a double quote, a comma or a
// character with a code 1..32, or beginning with U+FEFF, is quoted with inner quotes doubled.
QString RowText(const RowCells& row);

// Parses one row text into five cells; an empty entry is stored as a single space, entries after the
// fifth are dropped.
RowCells ParseRowText(const QString& line);

// The same parse without copies: cells become views into line, or into scratch for a quoted entry
// with doubled quotes; cells without an entry are empty views. Returns the number of entries stored.
int ParseRowEntries(QStringView line, std::array<QStringView, 5>& cells, std::array<QString, 5>& scratch);

// Reads a whole ticket file. Throws std::runtime_error on a file that cannot be opened ("Cannot open
// file ..."), is too large, or whose line count is not a multiple of five (German message naming the
// file); nothing is returned then. An empty file gives no ticket.
TicketList ReadTicketFile(const QString& path);

// The same from the file's bytes, and from its decoded text (fileName names it in messages). Files
// in UTF-8 or ASCII are parsed from their bytes in one pass, without a decoded copy; any other
// encoding is decoded first. Both give the same tickets.
TicketList ParseTicketBytes(const QByteArray& bytes, const QString& fileName);
TicketList ParseTicketText(QStringView text, const QString& fileName);

// Bytes of a ticket file for the tickets in order (UTF-8, CR LF after every line).
QByteArray TicketFileBytes(const std::vector<TicketCells>& tickets);

// Writes a ticket file atomically; throws std::runtime_error("Cannot create file ...") on failure.
void WriteTicketFile(const QString& path, const std::vector<TicketCells>& tickets);

// Warning shown once after reading a file with cells that hold no number.
QString InvalidCellsWarning(const QString& fileName, int invalidCells);
