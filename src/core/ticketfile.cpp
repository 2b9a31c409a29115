// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ticketfile.h"

#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "core/text.h"
#include "core/ticketbytes.h"

namespace {

bool IsBlankCode(QChar c) {
  return c.unicode() >= 1 && c.unicode() <= 32;
}

bool NeedsQuotes(const QString& cell) {
  // A file that begins with U+FEFF loses it to the reader, which takes it for a byte-order mark; in
  // quotes the first cell keeps it.
  if (cell.startsWith(QChar(0xFEFF))) return true;
  for (QChar c : cell)
    if (c == QLatin1Char('"') || c == QLatin1Char(',') || IsBlankCode(c)) return true;
  return false;
}

const QString kSpace = QStringLiteral(" ");

}  // namespace

QString RowText(const RowCells& row) {
  QString line;
  for (int c = 0; c < 5; ++c) {
    if (c > 0) line += QLatin1Char(',');
    QString cell = row[c];
    // A line break inside a cell would split the row over two lines of the file and shift every
    // following ticket, so it is written as a space.
    if (cell.contains(QLatin1Char('\r')) || cell.contains(QLatin1Char('\n'))) {
      cell.replace(QLatin1Char('\r'), QLatin1Char(' '));
      cell.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    if (NeedsQuotes(cell)) {
      line += QLatin1Char('"');
      line += QString(cell).replace(QStringLiteral("\""), QStringLiteral("\"\""));
      line += QLatin1Char('"');
    } else {
      line += cell;
    }
  }
  return line;
}

int ParseRowEntries(QStringView line, std::array<QStringView, 5>& cells, std::array<QString, 5>& scratch) {
  cells = {};
  std::array<RowEntry, 5> entries;
  const int stored = ScanRowEntries(line.utf16(), line.size(), entries);
  for (int c = 0; c < stored; ++c) {
    const RowEntry& e = entries[c];
    const QStringView raw = line.mid(e.begin, e.end - e.begin);
    if (raw.isEmpty()) {
      cells[c] = kSpace;
    } else if (e.doubledQuotes) {
      QString& buf = scratch[c];
      buf = raw.toString();
      buf.replace(QStringLiteral("\"\""), QStringLiteral("\""));
      cells[c] = buf;
    } else {
      cells[c] = raw;
    }
  }
  return stored;
}

RowCells ParseRowText(const QString& line) {
  std::array<QStringView, 5> views;
  std::array<QString, 5> scratch;
  ParseRowEntries(line, views, scratch);
  RowCells row;
  for (int c = 0; c < 5; ++c) row[c] = views[c].toString();
  return row;
}

namespace {

void ThrowIfNotWholeTickets(qsizetype lineCount, const QString& fileName) {
  if (lineCount % 5 == 0) return;
  const QString lines =
      lineCount == 1 ? QStringLiteral("1 Zeile") : QStringLiteral("%1 Zeilen").arg(lineCount);
  throw std::runtime_error(
      QStringLiteral(
          "Die Datei \"%1\" ist keine gültige Lose-Datei: Sie hat %2, das ist kein Vielfaches von 5.")
          .arg(fileName, lines)
          .toStdString());
}

}  // namespace

TicketList ParseTicketText(QStringView text, const QString& fileName) {
  const qsizetype lineCount = CountFileLines(text);
  ThrowIfNotWholeTickets(lineCount, fileName);
  TicketList tickets;
  tickets.reserve(int(lineCount / 5));
  std::array<QStringView, 25> cells;
  std::array<std::array<QString, 5>, 5> scratch;
  int row = 0;
  ForEachFileLine(text, [&](QStringView line) {
    std::array<QStringView, 5> rowCells;
    ParseRowEntries(line, rowCells, scratch[row]);
    std::copy(rowCells.begin(), rowCells.end(), cells.begin() + row * 5);
    if (++row == 5) {
      tickets.appendViews(cells);
      row = 0;
    }
  });
  return tickets;
}

TicketList ParseTicketBytes(const QByteArray& bytes, const QString& fileName) {
  TicketList tickets;
  qsizetype lineCount = 0;
  if (ParseUtf8TicketBytes(bytes, tickets, lineCount)) {
    ThrowIfNotWholeTickets(lineCount, fileName);
    return tickets;
  }
  return ParseTicketText(DecodeText(bytes), fileName);
}

TicketList ReadTicketFile(const QString& path) {
  const QString name = QFileInfo(path).fileName();
  BoundedFileReader reader(path, kMaxTicketFileBytes);
  const auto readWhole = [&] { return ParseTicketBytes(ReadWholeFile(path, kMaxTicketFileBytes), name); };
  // The bytes of a pipe or a device cannot be read a second time, should they turn out not to be UTF-8.
  if (reader.knownSize() < 0) return readWhole();

  // A UTF-8 file is parsed a piece of whole lines at a time, so that only the ticket list and one
  // piece are held, never the whole file; other encodings are read whole and decoded.
  TicketList tickets;
  tickets.reserve(int(reader.knownSize() / 60) + 1);
  Utf8TicketParser parser(tickets);
  // One buffer for the whole file: the part of a line left over from a piece moves to its front
  // and the next piece is read in behind it; it grows only for a line longer than itself.
  std::vector<char> buffer(std::size_t(1) << 20);
  std::size_t held = 0;
  bool atStart = true;
  for (;;) {
    if (held == buffer.size()) buffer.resize(buffer.size() * 2);
    const qint64 got = reader.readInto(buffer.data() + held, qint64(buffer.size() - held));
    const std::size_t before = held;
    held += std::size_t(got);
    QByteArrayView bytes(buffer.data(), qsizetype(held));
    std::size_t skip = 0;
    if (atStart && (held >= 3 || got == 0)) {
      atStart = false;
      if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) return readWhole();
      if (bytes.startsWith("\xEF\xBB\xBF")) skip = 3;
    } else if (atStart) {
      continue;  // too few bytes yet to see a byte-order mark
    }
    bytes = bytes.sliced(qsizetype(skip));
    qsizetype take = bytes.size();
    if (got > 0) {
      // Whole lines only: up to the last line feed of this piece, or of what was held before.
      const qsizetype fresh = qsizetype(held - std::max(before, skip));
      take = bytes.last(fresh).lastIndexOf('\n');
      take = take < 0 ? 0 : bytes.size() - fresh + take + 1;
    }
    if (take > 0 && !parser.feed(bytes.first(take))) return readWhole();
    const std::size_t used = skip + std::size_t(take);
    std::memmove(buffer.data(), buffer.data() + used, held - used);
    held -= used;
    if (got == 0) break;
  }
  ThrowIfNotWholeTickets(parser.lineCount(), name);
  return tickets;
}

QByteArray TicketFileBytes(const std::vector<TicketCells>& tickets) {
  QString text;
  for (const TicketCells& ticket : tickets) {
    for (int r = 0; r < 5; ++r) {
      RowCells row;
      std::copy(ticket.begin() + r * 5, ticket.begin() + r * 5 + 5, row.begin());
      text += RowText(row);
      text += QStringLiteral("\r\n");
    }
  }
  return text.toUtf8();
}

void WriteTicketFile(const QString& path, const std::vector<TicketCells>& tickets) {
  WriteFileAtomically(path, TicketFileBytes(tickets));
}

QString InvalidCellsWarning(const QString& fileName, int invalidCells) {
  if (invalidCells == 1)
    return QStringLiteral(
               "Die Datei \"%1\" enthält ein Feld ohne gültige Zahl. Es zählt bei der Auswertung als leer.")
        .arg(fileName);
  return QStringLiteral(
             "Die Datei \"%1\" enthält %2 Felder ohne gültige Zahl. Sie zählen bei der Auswertung als leer.")
      .arg(fileName)
      .arg(invalidCells);
}
