// SPDX-License-Identifier: GPL-3.0-or-later
// TransferLosText: pasted text into the 25 cells of an entry frame.
#include <QSet>

#include "core/text.h"
#include "core/tickettext.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::Input in(data, size);
  const int mode = in.byte();
  // Some cells hold something before the run: a number, a single space or any text.
  TicketCells cells;
  const std::uint32_t filled = std::uint32_t(in.byte()) | std::uint32_t(in.byte()) << 8 |
                               std::uint32_t(in.byte()) << 16 | std::uint32_t(in.byte()) << 24;
  for (int c = 0; c < 25; ++c)
    if (filled >> c & 1) cells[c] = (c % 3 == 0) ? QStringLiteral(" ") : QString::number(c + 1);
  const QString original = fuzz::textOf(in.rest(), mode & 1);

  QString text = original;
  QStringList messages;
  const TicketCells before = cells;
  TransferLosText(text, cells, [&](const Fault& f) { messages << FaultText(f); });

  if (text.contains(QLatin1Char('\t'))) {
    // Tab mode fills whole rows and says nothing.
    FUZZ_CHECK(messages.isEmpty());
    return 0;
  }

  // Number mode: only free (exactly empty) cells change, each receives a whole number 1..75, and no
  // number is placed twice in one run.
  QSet<int> placed;
  int freeBefore = 0;
  for (int c = 0; c < 25; ++c) {
    if (before[c].isEmpty()) ++freeBefore;
    if (cells[c] == before[c]) continue;
    FUZZ_CHECK(before[c].isEmpty());
    int v = 0;
    FUZZ_CHECK(ParseStrictInt(cells[c], &v));
    FUZZ_CHECK(v >= 1 && v <= 75);
    FUZZ_CHECK(!placed.contains(v));
    placed.insert(v);
  }
  // Cells are taken in order: no free cell is left before a newly placed one.
  bool sawFree = false;
  for (int c = 0; c < 25; ++c) {
    if (cells[c].isEmpty()) sawFree = true;
    if (cells[c] != before[c]) FUZZ_CHECK(!sawFree);
  }
  FUZZ_CHECK(placed.size() <= freeBefore);
  // Every message names a line of the field; the field keeps its number of lines.
  const qsizetype linesAfter = text.split(QStringLiteral("\r\n")).size();
  QString separated = original;
  if (separated.contains(QStringLiteral(", ")))
    separated = XStringReplace(separated, QStringLiteral(", "), QStringLiteral("\r\n"), 1);
  else if (separated.contains(QLatin1Char(',')))
    separated = XStringReplace(separated, QStringLiteral(","), QStringLiteral("\r\n"), 1);
  FUZZ_CHECK(linesAfter == separated.split(QStringLiteral("\r\n")).size());
  for (const QString& m : messages) FUZZ_CHECK(!m.isEmpty());
  return 0;
}
