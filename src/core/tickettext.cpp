// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/tickettext.h"

#include <QStringList>

#include "core/text.h"
#include "core/ticketfile.h"

namespace {

const QString kCrLf = QStringLiteral("\r\n");

void FillRowsFromTabLines(QStringList& lines, TicketCells& cells) {
  int row = 0;
  for (const QString& line : lines) {
    if (!line.contains(QLatin1Char('\t'))) continue;
    if (row >= 5) break;
    const RowCells parsed = ParseRowText(QString(line).replace(QLatin1Char('\t'), QLatin1Char(',')));
    for (int c = 0; c < 5; ++c) cells[row * 5 + c] = parsed[c];
    ++row;
  }
}

void PlaceNumbers(QStringList& lines, TicketCells& cells, const std::function<void(const Fault&)>& error) {
  bool seen[76] = {};
  for (QString& line : lines) {
    const QString t = Trimmed(line);
    int v = 0;
    if (!ParseStrictInt(t, &v)) continue;
    line = t;
    if (v >= 1 && v <= 75 && !seen[v]) {
      seen[v] = true;
      auto free = std::find_if(cells.begin(), cells.end(), [](const QString& c) { return c.isEmpty(); });
      if (free != cells.end())
        *free = t;
      else
        error({Fault::Kind::NoFreeCell, t});
    } else if (v < 1 || v > 75) {
      error({Fault::Kind::InvalidNumber, t});
    } else {
      error({Fault::Kind::DuplicateNumber, t});
    }
  }
}

}  // namespace

void TransferLosText(QString& text, TicketCells& cells, const std::function<void(const Fault&)>& error) {
  if (text.contains(QStringLiteral(", ")))
    text = XStringReplace(text, QStringLiteral(", "), kCrLf, 1);
  else if (text.contains(QLatin1Char(',')))
    text = XStringReplace(text, QStringLiteral(","), kCrLf, 1);

  // Every piece between CR LF pairs is visited; a piece after a final line break is empty, holds no
  // TAB and no number, and so changes nothing.
  QStringList lines = text.split(kCrLf);
  if (text.contains(QLatin1Char('\t'))) {
    FillRowsFromTabLines(lines, cells);
    return;
  }
  PlaceNumbers(lines, cells, error);
  text = lines.join(kCrLf);
}
