// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/report.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

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

// The uncertain lines of ticket t; none for a ticket without doubtful cells, which is every ticket not
// read from a picture, so the plain reports pay one comparison per ticket.
std::uint16_t uncertainLinesOf(const ReportInput& outcome, int t) {
  if (std::size_t(t) >= outcome.origins.size()) return 0;
  const std::vector<int>& doubtful = outcome.origins[std::size_t(t)].doubtfulCells;
  return doubtful.empty() ? 0 : UncertainLines(outcome.check, t, doubtful);
}

// A ticket without a certain win that may have won shows kUncertainMark instead of "-"; a ticket that
// has won keeps its class.
bool uncertainClass(const ReportInput& outcome, int t, int winClass) {
  return winClass == 0 && uncertainLinesOf(outcome, t) != 0;
}

}  // namespace

std::uint16_t UncertainLines(const LotteryCheck& check, int ticket, const std::vector<int>& doubtfulCells) {
  std::uint32_t doubtful = 0;
  for (int c : doubtfulCells)
    if (c >= 1 && c <= 25) doubtful |= std::uint32_t(1) << (c - 1);
  // Every doubtful cell would need a drawn number not yet on its line: with the sure cells drawn,
  // that takes five drawn numbers in all.
  if (check.chosen.count() < 5) return 0;
  const std::uint16_t complete = check.lineHits(ticket);
  std::uint16_t out = 0;
  for (int line = 0; line < kLineCount; ++line) {
    const std::uint32_t cells = kLineCellMasks[std::size_t(line)];
    if (!(cells & doubtful) || (complete & (1u << line))) continue;
    NumberSet sure;
    bool possible = true;
    for (int c = 0; c < 25 && possible; ++c) {
      if (!(cells & (std::uint32_t(1) << c)) || (doubtful & (std::uint32_t(1) << c))) continue;
      const int n = check.tickets().lotteryValue(ticket, c);
      possible = n != 0 && check.chosen.contains(n) && !sure.contains(n);
      sure.include(n);
    }
    if (possible) out |= 1u << line;
  }
  return out;
}

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

namespace {

// The buffer the writers fill: reserved once, handed to the sink whenever the next piece would not
// fit. Every piece a writer puts is short (a cell, a number, a line's end), so pieces are copied
// with fixed-size copies into the slack at the buffer's end.
class OutBuffer {
 public:
  static constexpr std::size_t kSize = std::size_t(1) << 20;
  static constexpr std::size_t kSlack = 64;

  explicit OutBuffer(ReportSink& sink) : sink_(sink), data_(new char[kSize + kSlack]) {}
  ~OutBuffer() = default;
  OutBuffer(const OutBuffer&) = delete;
  OutBuffer& operator=(const OutBuffer&) = delete;

  // Room for n more bytes (n <= kSlack, or any n for put(const char*, n)).
  void need(std::size_t n) {
    if (used_ + n > kSize) flush();
  }
  void put(char c) {
    need(1);
    data_[used_++] = c;
  }
  void put(const char* text, std::size_t n) {
    if (n > kSlack) {
      flush();
      sink_.write(text, n);
      return;
    }
    need(n);
    std::memcpy(data_.get() + used_, text, n);
    used_ += n;
  }
  void put(const QByteArray& bytes) { put(bytes.constData(), std::size_t(bytes.size())); }
  void put(const char* text) { put(text, std::strlen(text)); }
  // A ready text of at most 16 bytes, stored in a 16-byte slot: one fixed copy, then the cursor
  // moves by its length.
  void putSlot(const char* slot, std::size_t n) {
    need(16);
    std::memcpy(data_.get() + used_, slot, 16);
    used_ += n;
  }
  void putNumber(long long n) {
    char digits[24];
    const int len = std::snprintf(digits, sizeof digits, "%lld", n);
    put(digits, std::size_t(len));
  }
  void flush() {
    if (used_ > 0) sink_.write(data_.get(), used_);
    used_ = 0;
  }

 private:
  ReportSink& sink_;
  std::unique_ptr<char[]> data_;
  std::size_t used_ = 0;
};

// Ready texts of the numbers 0..75 (plain and as JSON strings), each in a 16-byte slot.
struct NumberTexts {
  struct Slot {
    char text[16];
    std::uint8_t size;
  };
  std::array<Slot, 76> plain{}, quoted{};
  NumberTexts() {
    for (int n = 0; n <= 75; ++n) {
      plain[n].size = std::uint8_t(std::snprintf(plain[n].text, 16, "%d", n));
      quoted[n].size = std::uint8_t(std::snprintf(quoted[n].text, 16, "\"%d\"", n));
    }
  }
  static const NumberTexts& get() {
    static const NumberTexts texts;
    return texts;
  }
};

// The ticket number of the row being written, counted up in decimal in place: no conversion per
// ticket.
class TicketNumber {
 public:
  TicketNumber() { digits_.fill('0'); }
  void next() {
    int i = kMax - 1;
    while (i >= 0 && digits_[std::size_t(i)] == '9') digits_[std::size_t(i--)] = '0';
    if (i < 0) return;  // beyond any ticket count a list can hold
    ++digits_[std::size_t(i)];
    first_ = std::min(first_, i);
  }
  const char* text() const { return digits_.data() + first_; }
  std::size_t size() const { return std::size_t(kMax - first_); }

 private:
  static constexpr int kMax = 12;
  std::array<char, kMax> digits_;
  int first_ = kMax - 1;
};

void putCellJson(OutBuffer& out, const TicketList& tickets, int ticket, int cell) {
  const std::uint8_t code = tickets.cellCode(ticket, cell);
  if (code <= 75 && code != TicketList::kEmptyCell) {
    const NumberTexts::Slot& slot = NumberTexts::get().quoted[code];
    out.putSlot(slot.text, slot.size);
  } else if (code == TicketList::kEmptyCell) {
    out.put("\"\"");
  } else if (code == TicketList::kSpaceCell) {
    out.put("\" \"");
  } else {
    out.put(JsonString(tickets.cellText(ticket, cell)));
  }
}

void putSmallNumber(OutBuffer& out, int n) {
  if (n >= 0 && n <= 75) {
    const NumberTexts::Slot& slot = NumberTexts::get().plain[n];
    out.putSlot(slot.text, slot.size);
  } else {
    out.putNumber(n);
  }
}

}  // namespace

void WriteJsonReport(const ReportInput& outcome, ReportSink& sink) {
  OutBuffer out(sink);
  out.put("{\n  \"field_text\": ");
  out.put(JsonString(outcome.fieldText));
  out.put(",\n");

  out.put("  \"numbers\": [");
  const QList<int> numbers = outcome.check.chosen.sorted();
  for (qsizetype i = 0; i < numbers.size(); ++i) {
    if (i) out.put(", ");
    putSmallNumber(out, numbers[i]);
  }
  out.put("],\n");

  out.put("  \"messages\": [");
  for (qsizetype i = 0; i < outcome.messages.size(); ++i) {
    const CheckMessage& m = outcome.messages[i];
    out.put(i ? ",\n    " : "\n    ");
    out.put("{\"kind\": \"" + QByteArray(kindName(m.kind)) + "\", \"text\": " + JsonString(m.text) + "}");
  }
  out.put(outcome.messages.isEmpty() ? "],\n" : "\n  ],\n");

  out.put("  \"tickets\": [");
  const TicketList& tickets = outcome.check.tickets();
  NearCursor near(outcome);
  TicketNumber number;
  for (int t = 0; t < tickets.count(); ++t) {
    number.next();
    out.put(t ? ",\n    {\"ticket\": " : "\n    {\"ticket\": ");
    out.put(number.text(), number.size());
    out.put(", \"cells\": [");
    for (int row = 0; row < 5; ++row) {
      out.put(row ? ", [" : "[");
      for (int col = 0; col < 5; ++col) {
        if (col) out.put(", ");
        putCellJson(out, tickets, t, CellNumber(col, row) - 1);
      }
      out.put(']');
    }
    out.put("], \"complete_lines\": [");
    const std::uint16_t hits = outcome.check.lineHits(t);
    bool first = true;
    for (int line = 0; hits && line < kLineCount; ++line) {
      if (!(hits & (1u << line))) continue;
      if (!first) out.put(", ");
      putSmallNumber(out, line + 1);
      first = false;
    }
    out.put("], \"class\": ");
    const int winClass = classOf(outcome, t);
    if (uncertainClass(outcome, t, winClass))
      out.put("null");
    else
      putSmallNumber(out, winClass);
    if (outcome.near) {
      out.put(", \"near_lines\": [");
      bool firstNear = true;
      for (const NearLine& n : near.take(t)) {
        out.put(firstNear ? "{\"line\": " : ", {\"line\": ");
        putSmallNumber(out, n.line + 1);
        out.put(", \"missing\": ");
        putSmallNumber(out, n.missing);
        out.put('}');
        firstNear = false;
      }
      out.put(']');
    }
    if (std::size_t(t) < outcome.origins.size()) {
      const TicketOrigin& origin = outcome.origins[std::size_t(t)];
      out.put(", \"image\": ");
      out.put(JsonString(origin.image));
      out.put(", \"doubtful_cells\": [");
      for (std::size_t i = 0; i < origin.doubtfulCells.size(); ++i) {
        if (i) out.put(", ");
        putSmallNumber(out, origin.doubtfulCells[i]);
      }
      out.put(']');
      if (!origin.doubtfulCells.empty()) {
        out.put(", \"uncertain_lines\": [");
        const std::uint16_t uncertain = uncertainLinesOf(outcome, t);
        bool firstLine = true;
        for (int line = 0; line < kLineCount; ++line) {
          if (!(uncertain & (1u << line))) continue;
          if (!firstLine) out.put(", ");
          putSmallNumber(out, line + 1);
          firstLine = false;
        }
        out.put(']');
      }
    }
    out.put('}');
  }
  out.put(tickets.isEmpty() ? "],\n" : "\n  ],\n");

  const std::array<int, 3> totals = totalsOf(outcome);
  out.put("  \"totals\": [" + QByteArray::number(totals[0]) + ", " + QByteArray::number(totals[1]) + ", " +
          QByteArray::number(totals[2]) + "]");
  if (outcome.near) {
    out.put(",\n  \"waiting_numbers\": [");
    const std::vector<WaitingNumber>& waiting = outcome.check.nearWins().waiting();
    for (std::size_t i = 0; i < waiting.size(); ++i) {
      const WaitingNumber& w = waiting[i];
      out.put((i ? ",\n    " : "\n    ") + QByteArray("{\"number\": ") + QByteArray::number(w.number) +
              ", \"lines\": " + QByteArray::number(w.lines) + ", \"tickets\": " +
              QByteArray::number(w.tickets) + ", \"new_winners\": " + QByteArray::number(w.newWinners) + "}");
    }
    out.put(waiting.empty() ? "]" : "\n  ]");
  }
  out.put("\n}\n");
  out.flush();
}

void WriteTextReport(const ReportInput& outcome, ReportSink& sink) {
  const int count = outcome.check.tickets().count();
  // The ticket column is as wide as "Ges.:" or the largest ticket number.
  const int numberWidth = std::max(5, int(QByteArray::number(count).size()));
  constexpr int kMarkWidth = 5;

  OutBuffer out(sink);
  const QList<int> numbers = outcome.check.chosen.sorted();
  out.put("Gewinnzahlen (" + QByteArray::number(numbers.size()) + "):");
  if (numbers.isEmpty()) out.put(" -");
  for (int n : numbers) {
    out.put(' ');
    putSmallNumber(out, n);
  }
  out.put("\n\n");

  QByteArray header = padded("Los", numberWidth);
  for (const char* title : {"1 x", "2 x", "3 x"}) header += ' ' + centred(title, kMarkWidth);
  out.put(withoutTrailingBlanks(header) + '\n');
  // What follows the ticket number on its line, for each class: the marks, blanks at the end dropped.
  std::array<QByteArray, 4> rest;
  for (int winClass = 0; winClass <= 3; ++winClass) {
    QByteArray line = "#";
    for (int column = 1; column <= 3; ++column)
      line += ' ' + centred(ResultMark(winClass, column), kMarkWidth);
    rest[std::size_t(winClass)] = withoutTrailingBlanks(line).mid(1) + '\n';
  }
  QByteArray uncertainRest = "#";
  for (int column = 1; column <= 3; ++column) uncertainRest += ' ' + centred(kUncertainMark, kMarkWidth);
  uncertainRest = withoutTrailingBlanks(uncertainRest).mid(1) + '\n';
  const QByteArray blanks(numberWidth, ' ');
  // Read once: the loop's writes could otherwise make the compiler fetch it again for every ticket.
  const bool fromPictures = !outcome.origins.empty();
  TicketNumber number;
  for (int t = 0; t < count; ++t) {
    number.next();
    if (number.size() < std::size_t(numberWidth))
      out.put(blanks.constData(), std::size_t(numberWidth) - number.size());
    out.put(number.text(), number.size());
    const int winClass = std::clamp(classOf(outcome, t), 0, 3);
    out.put(fromPictures && uncertainClass(outcome, t, winClass) ? uncertainRest
                                                                 : rest[std::size_t(winClass)]);
  }
  QByteArray totalsLine = padded("Ges.:", -numberWidth);
  for (int total : totalsOf(outcome)) totalsLine += ' ' + centred(TotalText(total), kMarkWidth);
  out.put(withoutTrailingBlanks(totalsLine) + '\n');
  if (outcome.near) {
    out.put("\nWartezahlen:");
    const std::vector<WaitingNumber>& waiting = outcome.check.nearWins().waiting();
    if (waiting.empty()) out.put(" -");
    out.put('\n');
    for (const WaitingNumber& w : waiting)
      out.put(WaitingNumberText(w).toUtf8() + ", " + QByteArray::number(w.lines) +
              (w.lines == 1 ? " Linie" : " Linien") + '\n');
  }
  out.flush();
}

void WriteCsvReport(const ReportInput& outcome, ReportSink& sink) {
  OutBuffer out(sink);
  out.put(outcome.near ? "ticket;1 x;2 x;3 x;fehlt 1\n" : "ticket;1 x;2 x;3 x\n");
  // What follows the ticket number, for each class.
  std::array<QByteArray, 4> marks;
  for (int winClass = 0; winClass <= 3; ++winClass)
    for (int column = 1; column <= 3; ++column)
      marks[std::size_t(winClass)] += ';' + QByteArray(ResultMark(winClass, column));
  const QByteArray uncertainMarks =
      QByteArray(";") + kUncertainMark + ';' + kUncertainMark + ';' + kUncertainMark;
  const int count = outcome.check.tickets().count();
  NearCursor near(outcome);
  const bool fromPictures = !outcome.origins.empty();
  TicketNumber number;
  for (int t = 0; t < count; ++t) {
    number.next();
    out.put(number.text(), number.size());
    const int winClass = std::clamp(classOf(outcome, t), 0, 3);
    out.put(fromPictures && uncertainClass(outcome, t, winClass) ? uncertainMarks
                                                                 : marks[std::size_t(winClass)]);
    if (outcome.near) {
      out.put(';');
      out.put(missingNumbers(near.take(t)));
    }
    out.put('\n');
  }
  const std::array<int, 3> totals = totalsOf(outcome);
  out.put("Ges.:;" + TotalText(totals[0]) + ';' + TotalText(totals[1]) + ';' + TotalText(totals[2]));
  out.put(outcome.near ? ";\n" : "\n");
  out.flush();
}

namespace {

class ByteArraySink : public ReportSink {
 public:
  QByteArray bytes;
  void write(const char* data, std::size_t size) override { bytes.append(data, qsizetype(size)); }
};

template <void (*Writer)(const ReportInput&, ReportSink&)>
QByteArray reportBytes(const ReportInput& outcome) {
  ByteArraySink sink;
  Writer(outcome, sink);
  return sink.bytes;
}

}  // namespace

QByteArray JsonReport(const ReportInput& outcome) {
  return reportBytes<WriteJsonReport>(outcome);
}

QByteArray TextReport(const ReportInput& outcome) {
  return reportBytes<WriteTextReport>(outcome);
}

QByteArray CsvReport(const ReportInput& outcome) {
  return reportBytes<WriteCsvReport>(outcome);
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
