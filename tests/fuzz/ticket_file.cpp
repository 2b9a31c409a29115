// SPDX-License-Identifier: GPL-3.0-or-later
// Ticket files: the reader on any bytes, Parse row text on every line, and written rows and files
// reading back to the same cells.
#include <stdexcept>

#include <QSet>

#include "core/lines.h"
#include "core/text.h"
#include "core/ticketfile.h"
#include "fuzz_support.h"

namespace {

const QString kSpace = QStringLiteral(" ");

// What a row of cells reads back as once written: an empty cell comes back as a single space, and a
// line break inside a cell is written as a space.
RowCells expectedAfterWriting(RowCells row) {
  for (QString& cell : row) {
    cell.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (cell.isEmpty()) cell = kSpace;
  }
  return row;
}

void checkParsedRow(const RowCells& row) {
  // Entries fill the cells from the left, and a stored entry is never empty.
  bool gap = false;
  for (const QString& cell : row) {
    if (cell.isEmpty()) gap = true;
    FUZZ_CHECK(!(gap && !cell.isEmpty()));
  }
}

void checkRowRoundTrip(const RowCells& row) {
  const QString line = RowText(row);
  FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
  FUZZ_CHECK(ParseRowText(line) == expectedAfterWriting(row));
}

bool representableInUtf8(const QString& text) {
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      ++i;
      continue;
    }
    if (c.isSurrogate()) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const int mode = in.byte();
  const QByteArray bytes = in.rest();

  // Five cells of any text, cut from the input at the byte 0x1F.
  if (mode & 1) {
    const QList<QByteArray> parts = bytes.split('\x1f');
    RowCells row;
    for (int c = 0; c < 5 && c < parts.size(); ++c) row[c] = fuzz::textOf(parts[c], mode & 2);
    checkRowRoundTrip(row);
  }

  // Every line of the decoded text parses into a well-formed row that survives writing.
  const QString text = DecodeText(bytes);
  const QStringList lines = SplitFileLines(text);
  FUZZ_CHECK(lines.size() == CountFileLines(text));
  std::vector<RowCells> rows;
  for (const QString& line : lines) {
    FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
    const RowCells row = ParseRowText(line);
    checkParsedRow(row);
    checkRowRoundTrip(row);
    rows.push_back(row);
  }

  // The file reader: a clear refusal or exactly the parsed rows, five to a ticket.
  static const QString path = fuzz::scratchFile("tickets.lose");
  fuzz::writeFile(path, bytes);
  TicketList tickets;
  try {
    tickets = ReadTicketFile(path);
  } catch (const std::runtime_error&) {
    FUZZ_CHECK(lines.size() % 5 != 0);
    return 0;
  }
  FUZZ_CHECK(lines.size() % 5 == 0);
  FUZZ_CHECK(tickets.count() == lines.size() / 5);
  std::vector<TicketCells> all;
  bool writable = true;
  for (int t = 0; t < tickets.count(); ++t) {
    const TicketCells cells = tickets.cells(t);
    for (int c = 0; c < 25; ++c) {
      FUZZ_CHECK(cells[c] == rows[std::size_t(t) * 5 + c / 5][c % 5]);
      FUZZ_CHECK(tickets.cellText(t, c) == cells[c]);
      const CellValue value = tickets.cellValue(t, c);
      FUZZ_CHECK(value.kind == ValueOfCell(cells[c]).kind && value.value == ValueOfCell(cells[c]).value);
      const int lottery = tickets.lotteryValue(t, c);
      FUZZ_CHECK(lottery ==
                 (value.kind == CellKind::Number && value.value >= 1 && value.value <= 75 ? value.value : 0));
      writable = writable && representableInUtf8(cells[c]);
    }
    // A line can complete exactly when its five cells hold five distinct numbers 1..75.
    std::uint16_t completable = 0;
    for (int l = 0; l < kLineCount; ++l) {
      QSet<int> numbers;
      for (int c : LineTable[l])
        if (tickets.lotteryValue(t, c - 1) != 0) numbers.insert(tickets.lotteryValue(t, c - 1));
      if (numbers.size() == 5) completable |= std::uint16_t(1u << l);
    }
    FUZZ_CHECK(tickets.completableLines(t) == completable);
    all.push_back(cells);
  }

  // Written and read again, the tickets keep their cells (an empty cell comes back as a space).
  if (!writable) return 0;
  fuzz::writeFile(path, TicketFileBytes(all));
  const TicketList again = ReadTicketFile(path);
  FUZZ_CHECK(again.count() == tickets.count());
  for (int t = 0; t < again.count(); ++t)
    for (int c = 0; c < 25; ++c) {
      const QString& before = all[std::size_t(t)][c];
      FUZZ_CHECK(again.cellText(t, c) == (before.isEmpty() ? kSpace : before));
    }
  return 0;
}
