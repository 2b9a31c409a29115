// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ticketbytes.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <cstdint>

namespace {

constexpr std::uint8_t kEmpty = TicketList::kEmptyCell, kSpace = TicketList::kSpaceCell,
                       kText = TicketList::kTextCell;

int PlainNumber(const char* s, qsizetype n) {
  if (n == 1) return s[0] >= '1' && s[0] <= '9' ? s[0] - '0' : 0;
  if (n == 2 && s[0] >= '1' && s[0] <= '7' && s[1] >= '0' && s[1] <= '9') {
    const int v = (s[0] - '0') * 10 + (s[1] - '0');
    return v <= 75 ? v : 0;
  }
  return 0;
}

inline bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The row as nearly every file writes it: entries of one or two digits 1..75 or a quoted single
// space, separated by single commas, nothing else up to the line break. Returns false, having decided
// nothing, for any other line; otherwise codes[0..4] are set and p stands at the line's end.
inline bool PlainRow(const char*& p, const char* end, std::uint8_t* codes) {
  const char* q = p;
  int c = 0;
  for (;;) {
    if (q < end && *q >= '1' && *q <= '9') {
      int v = *q++ - '0';
      if (q < end && IsDigit(*q)) v = v * 10 + (*q++ - '0');
      if (v > 75 || (q < end && IsDigit(*q))) return false;
      if (c < 5) codes[c] = std::uint8_t(v);
    } else if (end - q >= 3 && q[0] == '"' && q[1] == ' ' && q[2] == '"') {
      q += 3;
      if (c < 5) codes[c] = kSpace;
    } else {
      return false;
    }
    ++c;
    if (q == end || *q == '\r' || *q == '\n') break;
    if (*q != ',' || q + 1 == end || q[1] == '\r' || q[1] == '\n') return false;
    ++q;
  }
  for (; c < 5; ++c) codes[c] = kEmpty;
  p = q;
  return true;
}

// Any other row, by the general rules.
void GeneralRow(const char* line, qsizetype n, std::uint8_t* codes, QString* texts) {
  std::array<RowEntry, 5> entries;
  const int stored = ScanRowEntries(line, n, entries);
  for (int c = 0; c < 5; ++c) {
    if (c >= stored) {
      codes[c] = kEmpty;
      continue;
    }
    const RowEntry& e = entries[std::size_t(c)];
    const char* text = line + e.begin;
    const qsizetype len = e.end - e.begin;
    if (len == 0 || (len == 1 && *text == ' ')) {
      codes[c] = kSpace;
    } else if (const int v = e.doubledQuotes ? 0 : PlainNumber(text, len)) {
      codes[c] = std::uint8_t(v);
    } else {
      // fromUtf8 would drop leading U+FEFF characters as byte-order marks; in a cell they are text.
      if (len >= 3 && QByteArrayView(text, 3) == "\xEF\xBB\xBF") {
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        texts[c] = utf8.decode(QByteArrayView(text, len));
      } else {
        texts[c] = QString::fromUtf8(text, len);
      }
      if (e.doubledQuotes) texts[c].replace(QStringLiteral("\"\""), QStringLiteral("\""));
      codes[c] = kText;
    }
  }
}

}  // namespace

Utf8TicketParser::Utf8TicketParser(TicketList& tickets) : tickets_(tickets) {}

bool Utf8TicketParser::feed(QByteArrayView lines) {
  if (!lines.isValidUtf8()) return false;
  const char* p = lines.data();
  const char* const end = p + lines.size();
  while (p < end) {
    std::uint8_t* rowCodes = codes_.data() + row_ * 5;
    const char* lineStart = p;
    if (!PlainRow(p, end, rowCodes)) {
      while (p < end && *p != '\r' && *p != '\n') ++p;
      GeneralRow(lineStart, p - lineStart, rowCodes, texts_.data() + row_ * 5);
    }
    ++lineCount_;
    if (p < end) p += (*p == '\r' && p + 1 < end && p[1] == '\n') ? 2 : 1;
    if (++row_ == 5) {
      tickets_.appendCoded(codes_, texts_);
      row_ = 0;
    }
  }
  return true;
}

bool ParseUtf8TicketBytes(const QByteArray& bytes, TicketList& tickets, qsizetype& lineCount) {
  QByteArrayView data(bytes);
  if (data.startsWith("\xEF\xBB\xBF"))
    data = data.sliced(3);
  else if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF"))
    return false;
  // About 60 bytes a ticket in the usual form; a close guess saves the list's reallocations.
  tickets.reserve(tickets.count() + int(data.size() / 60) + 1);
  Utf8TicketParser parser(tickets);
  // The parser checks the encoding before it takes any line.
  if (!parser.feed(data)) return false;
  lineCount = parser.lineCount();
  return true;
}
