#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

// The 25 cell texts of one ticket, index = cell number - 1 (row by row, rows from the top).
using TicketCells = std::array<QString, 25>;
using RowCells = std::array<QString, 5>;

enum class CellKind : std::uint8_t {
  Blank,    // empty after Trimmed; value 0
  Number,   // blanks (codes <= 32) before an optional sign and decimal digits, nothing after; 32-bit
  Invalid,  // anything else (letters, blanks after the digits, too large): counts as blank, never coloured
};

struct CellValue {
  CellKind kind = CellKind::Blank;
  int value = 0;  // 0 unless kind == Number
};

CellValue ValueOfCell(const QString& text);

// All tickets of one window in a compact form: each cell is parsed once when its ticket is added.
// A cell whose text is the plain decimal of a number 1..75 (or "" or " ") costs no string; other
// texts are kept aside so that every text reads back exactly as stored.
class TicketList {
 public:
  int count() const;
  bool isEmpty() const { return count() == 0; }
  void append(const TicketCells& cells);
  void append(const TicketList& other);  // all tickets of other, in order
  void clear();
  void reserve(int tickets);

  QString cellText(int ticket, int cell) const;  // ticket 0-based, cell 0..24
  TicketCells cells(int ticket) const;
  CellValue cellValue(int ticket, int cell) const;
  // The cell's number when it is 1..75, else 0 (blank, invalid, outside the lottery range).
  std::uint8_t lotteryValue(int ticket, int cell) const;
  // Bit L-1 set: the five cells of line L hold five distinct numbers 1..75, so the line can complete.
  std::uint16_t completableLines(int ticket) const;
  // Number of cells of kind Invalid over all tickets.
  int invalidCellCount() const;

 private:
  struct Compact;  // defined in ticket.cpp
  std::vector<std::uint8_t> values_;        // 25 per ticket: lottery value or 0
  std::vector<std::uint8_t> codes_;         // 25 per ticket: how the text is stored
  std::vector<std::uint16_t> completable_;  // 1 per ticket
  std::vector<std::pair<std::uint32_t, QString>> extraTexts_;  // (ticket*25+cell, text), sorted by key
  std::vector<std::pair<std::uint32_t, int>> extraValues_;     // values outside 1..75 of Number cells
  int invalidCells_ = 0;
};
