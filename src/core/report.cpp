// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "core/lines.h"

namespace {

const char* kindName(CheckMessage::Kind kind) {
  switch (kind) {
    case CheckMessage::Kind::Information:
      return "information";
    case CheckMessage::Kind::Warning:
      return "warning";
    case CheckMessage::Kind::Error:
      return "error";
  }
  return "error";
}

const char* kindLabel(CheckMessage::Kind kind) {
  switch (kind) {
    case CheckMessage::Kind::Information:
      return "Hinweis";
    case CheckMessage::Kind::Warning:
      return "Warnung";
    case CheckMessage::Kind::Error:
      return "Fehler";
  }
  return "Fehler";
}

std::array<int, 3> totalsOf(const ReportInput& outcome) {
  const Totals t = outcome.check.totals();
  return {t.one, t.two, t.three};
}

int classOf(const ReportInput& outcome, int ticket) {
  const auto& classes = outcome.check.resultClasses();
  return std::size_t(ticket) < classes.size() ? classes[std::size_t(ticket)] : 0;
}

// Left-pads (width > 0) or right-pads (width < 0) to |width| characters.
QByteArray padded(const QByteArray& text, int width) {
  const int fill = std::max(0, std::abs(width) - int(text.size()));
  return width > 0 ? QByteArray(fill, ' ') + text : text + QByteArray(fill, ' ');
}

QByteArray centred(const QByteArray& text, int width) {
  const int fill = std::max(0, width - int(text.size()));
  return QByteArray(fill / 2, ' ') + text + QByteArray(fill - fill / 2, ' ');
}

QByteArray withoutTrailingBlanks(QByteArray line) {
  while (line.endsWith(' ')) line.chop(1);
  return line;
}

// The near lines of each ticket in turn: the list is sorted by ticket, so one cursor walks it once.
class NearCursor {
 public:
  explicit NearCursor(const ReportInput& outcome) : lines_(outcome.check.nearWins().nearLines()) {}
  // The near lines of ticket t; tickets are asked in ascending order.
  std::vector<NearLine> take(int t) {
    while (next_ < lines_.size() && lines_[next_].ticket < t) ++next_;
    std::vector<NearLine> out;
    for (; next_ < lines_.size() && lines_[next_].ticket == t; ++next_) out.push_back(lines_[next_]);
    return out;
  }

 private:
  const std::vector<NearLine>& lines_;
  std::size_t next_ = 0;
};

// The numbers missing on a ticket's near lines, each once, ascending and blank-separated.
QByteArray missingNumbers(const std::vector<NearLine>& lines) {
  NumberSet missing;
  for (const NearLine& l : lines) missing.include(l.missing);
  QByteArray out;
  for (int n = 1; n <= 75; ++n)
    if (missing.contains(n)) out += (out.isEmpty() ? "" : " ") + QByteArray::number(n);
  return out;
}

}  // namespace

const char* ResultMark(int winClass, int column) {
  if (column < 1 || column > 3) return "";
  if (winClass < 1 || winClass > 3) return "-";
  return winClass == column ? "x" : "";
}

QByteArray TotalText(int count) {
  return count > 0 ? QByteArray::number(count) : QByteArray("-");
}

QByteArray JsonString(const QString& text) {
  const QByteArray utf8 = text.toUtf8();
  QByteArray out;
  out.reserve(utf8.size() + 2);
  out += '"';
  for (const char ch : utf8) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '"')
      out += "\\\"";
    else if (c == '\\')
      out += "\\\\";
    else if (c == '\n')
      out += "\\n";
    else if (c == '\r')
      out += "\\r";
    else if (c == '\t')
      out += "\\t";
    else if (c < 0x20) {
      static const char hex[] = "0123456789abcdef";
      out += "\\u00";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else
      out += ch;
  }
  out += '"';
  return out;
}

QByteArray JsonReport(const ReportInput& outcome) {
  QByteArray out;
  out += "{\n  \"field_text\": " + JsonString(outcome.fieldText) + ",\n";

  out += "  \"numbers\": [";
  const QList<int> numbers = outcome.check.chosen.sorted();
  for (qsizetype i = 0; i < numbers.size(); ++i) out += (i ? ", " : "") + QByteArray::number(numbers[i]);
  out += "],\n";

  out += "  \"messages\": [";
  for (qsizetype i = 0; i < outcome.messages.size(); ++i) {
    const CheckMessage& m = outcome.messages[i];
    out += i ? ",\n    " : "\n    ";
    out += "{\"kind\": \"" + QByteArray(kindName(m.kind)) + "\", \"text\": " + JsonString(m.text) + "}";
  }
  out += outcome.messages.isEmpty() ? "],\n" : "\n  ],\n";

  out += "  \"tickets\": [";
  const TicketList& tickets = outcome.check.tickets();
  NearCursor near(outcome);
  for (int t = 0; t < tickets.count(); ++t) {
    out += t ? ",\n    " : "\n    ";
    out += "{\"ticket\": " + QByteArray::number(t + 1) + ", \"cells\": [";
    for (int row = 0; row < 5; ++row) {
      out += row ? ", [" : "[";
      for (int col = 0; col < 5; ++col)
        out += (col ? ", " : "") + JsonString(tickets.cellText(t, CellNumber(col, row) - 1));
      out += "]";
    }
    out += "], \"complete_lines\": [";
    const std::uint16_t hits = outcome.check.lineHits(t);
    bool first = true;
    for (int line = 0; line < kLineCount; ++line) {
      if (!(hits & (1u << line))) continue;
      out += (first ? "" : ", ") + QByteArray::number(line + 1);
      first = false;
    }
    out += "], \"class\": " + QByteArray::number(classOf(outcome, t));
    if (outcome.near) {
      out += ", \"near_lines\": [";
      bool firstNear = true;
      for (const NearLine& n : near.take(t)) {
        out += (firstNear ? "" : ", ") + QByteArray("{\"line\": ") + QByteArray::number(n.line + 1) +
               ", \"missing\": " + QByteArray::number(n.missing) + "}";
        firstNear = false;
      }
      out += "]";
    }
    if (std::size_t(t) < outcome.origins.size()) {
      const TicketOrigin& origin = outcome.origins[std::size_t(t)];
      out += ", \"image\": " + JsonString(origin.image) + ", \"doubtful_cells\": [";
      for (std::size_t i = 0; i < origin.doubtfulCells.size(); ++i)
        out += (i ? ", " : "") + QByteArray::number(origin.doubtfulCells[i]);
      out += "]";
    }
    out += "}";
  }
  out += tickets.isEmpty() ? "],\n" : "\n  ],\n";

  const std::array<int, 3> totals = totalsOf(outcome);
  out += "  \"totals\": [" + QByteArray::number(totals[0]) + ", " + QByteArray::number(totals[1]) + ", " +
         QByteArray::number(totals[2]) + "]";
  if (outcome.near) {
    out += ",\n  \"waiting_numbers\": [";
    const std::vector<WaitingNumber>& waiting = outcome.check.nearWins().waiting();
    for (std::size_t i = 0; i < waiting.size(); ++i) {
      const WaitingNumber& w = waiting[i];
      out += (i ? ",\n    " : "\n    ") + QByteArray("{\"number\": ") + QByteArray::number(w.number) +
             ", \"lines\": " + QByteArray::number(w.lines) +
             ", \"tickets\": " + QByteArray::number(w.tickets) +
             ", \"new_winners\": " + QByteArray::number(w.newWinners) + "}";
    }
    out += waiting.empty() ? "]" : "\n  ]";
  }
  out += "\n}\n";
  return out;
}

QByteArray TextReport(const ReportInput& outcome) {
  const int count = outcome.check.tickets().count();
  // The ticket column is as wide as "Ges.:" or the largest ticket number.
  const int numberWidth = std::max(5, int(QByteArray::number(count).size()));
  constexpr int kMarkWidth = 5;

  QByteArray out;
  const QList<int> numbers = outcome.check.chosen.sorted();
  out += "Gewinnzahlen (" + QByteArray::number(numbers.size()) + "):";
  if (numbers.isEmpty()) out += " -";
  for (int n : numbers) out += ' ' + QByteArray::number(n);
  out += "\n\n";

  QByteArray header = padded("Los", numberWidth);
  for (const char* title : {"1 x", "2 x", "3 x"}) header += ' ' + centred(title, kMarkWidth);
  out += withoutTrailingBlanks(header) + '\n';
  for (int t = 0; t < count; ++t) {
    QByteArray line = padded(QByteArray::number(t + 1), numberWidth);
    for (int column = 1; column <= 3; ++column)
      line += ' ' + centred(ResultMark(classOf(outcome, t), column), kMarkWidth);
    out += withoutTrailingBlanks(line) + '\n';
  }
  QByteArray totalsLine = padded("Ges.:", -numberWidth);
  for (int total : totalsOf(outcome)) totalsLine += ' ' + centred(TotalText(total), kMarkWidth);
  out += withoutTrailingBlanks(totalsLine) + '\n';
  if (outcome.near) {
    out += "\nWartezahlen:";
    const std::vector<WaitingNumber>& waiting = outcome.check.nearWins().waiting();
    if (waiting.empty()) out += " -";
    out += '\n';
    for (const WaitingNumber& w : waiting)
      out += WaitingNumberText(w).toUtf8() + ", " + QByteArray::number(w.lines) +
             (w.lines == 1 ? " Linie" : " Linien") + '\n';
  }
  return out;
}

QByteArray CsvReport(const ReportInput& outcome) {
  QByteArray out = outcome.near ? "ticket;1 x;2 x;3 x;fehlt 1\n" : "ticket;1 x;2 x;3 x\n";
  const int count = outcome.check.tickets().count();
  NearCursor near(outcome);
  for (int t = 0; t < count; ++t) {
    const int winClass = classOf(outcome, t);
    out += QByteArray::number(t + 1);
    for (int column = 1; column <= 3; ++column) out += ';' + QByteArray(ResultMark(winClass, column));
    if (outcome.near) out += ';' + missingNumbers(near.take(t));
    out += '\n';
  }
  const std::array<int, 3> totals = totalsOf(outcome);
  out += "Ges.:;" + TotalText(totals[0]) + ';' + TotalText(totals[1]) + ';' + TotalText(totals[2]);
  out += outcome.near ? ";\n" : "\n";
  return out;
}

QByteArray MessageLines(const ReportInput& outcome) {
  QByteArray out;
  for (const CheckMessage& m : outcome.messages) {
    // A message may hold line breaks ("\r" in the program's texts); each message stays on one line.
    QString text = m.text;
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    out += QByteArray(kindLabel(m.kind)) + ": " + text.toUtf8() + '\n';
  }
  return out;
}
