// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <cstdint>

#include "core/ticket.h"

// One entry of a row text: [begin, end) of its characters, without the quotes of a quoted entry.
struct RowEntry {
  qsizetype begin = 0, end = 0;
  bool doubledQuotes = false;  // a quoted entry in which "" stands for one quote
};

// The row rules on characters of any width (UTF-16 units or UTF-8 bytes: every character the rules
// look at is ASCII, and no byte of a multi-byte UTF-8 sequence is): entries separated by commas,
// blanks (codes 1..32) around them dropped, a quoted entry running to its closing quote or to the end
// of the line, a comma at the very end opening one more, empty entry. At most five are stored.
template <class Ch>
int ScanRowEntries(const Ch* s, qsizetype n, std::array<RowEntry, 5>& out) {
  const auto blank = [](Ch c) { return c >= 1 && c <= 32; };
  int stored = 0;
  const auto store = [&](qsizetype b, qsizetype e, bool doubled) {
    if (stored < 5) out[stored++] = RowEntry{b, e, doubled};
  };
  qsizetype i = 0;
  const auto skipBlanks = [&] {
    while (i < n && blank(s[i])) ++i;
  };
  skipBlanks();
  while (i < n) {
    if (s[i] == Ch('"')) {
      const qsizetype begin = ++i;
      bool doubled = false;
      qsizetype end = n;
      while (i < n) {
        if (s[i] == Ch('"')) {
          if (i + 1 < n && s[i + 1] == Ch('"')) {
            doubled = true;
            i += 2;
            continue;
          }
          end = i;
          ++i;
          break;
        }
        ++i;
      }
      store(begin, end, doubled);
    } else {
      const qsizetype begin = i;
      while (i < n && s[i] != Ch(',') && !blank(s[i])) ++i;
      store(begin, i, false);
    }
    skipBlanks();
    if (i < n && s[i] == Ch(',')) {
      if (i == n - 1) store(i + 1, i + 1, false);
      ++i;
      skipBlanks();
    }
  }
  return stored;
}

// Parses a UTF-8 ticket file piece by piece, so that a large file need not be held whole: every
// piece holds whole lines (it ends with a line break, or it is the file's last), the byte-order mark
// already taken off. Tickets go to the list as their fifth line arrives.
class Utf8TicketParser {
 public:
  explicit Utf8TicketParser(TicketList& tickets);
  // False, having added nothing of this piece, when the piece is not valid UTF-8.
  bool feed(QByteArrayView lines);
  qsizetype lineCount() const { return lineCount_; }

 private:
  TicketList& tickets_;
  std::array<std::uint8_t, 25> codes_{};
  std::array<QString, 25> texts_;
  int row_ = 0;
  qsizetype lineCount_ = 0;
};

// Parses the bytes of a ticket file that is valid UTF-8 (with or without its byte-order mark) in
// one pass, appending every complete ticket to tickets and counting the file's lines. Returns false,
// having added nothing, for bytes in any other encoding: they must be decoded first.
bool ParseUtf8TicketBytes(const QByteArray& bytes, TicketList& tickets, qsizetype& lineCount);
