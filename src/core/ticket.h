// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <vector>

// The 25 cell texts of one ticket, index = cell number - 1 (row by row, rows from the top).
using TicketCells = std::array<QString, 25>;
using RowCells = std::array<QString, 5>;

enum class CellKind : std::uint8_t {
  Blank,    // nothing but characters with codes 1..32 (or empty); value 0
  Number,   // blanks (codes <= 32) before an optional sign and decimal digits, nothing after; 32-bit
  Invalid,  // anything else (letters, blanks after the digits, too large): counts as blank, never coloured
};

struct CellValue {
  CellKind kind = CellKind::Blank;
  int value = 0;  // 0 unless kind == Number
};

CellValue ValueOfCell(QStringView text);
inline CellValue ValueOfCell(const QString& text) {
  return ValueOfCell(QStringView(text));
}

// All tickets of one window in a compact form: each cell is parsed once when its ticket is added.
// A cell whose text is the plain decimal of a number 1..75 (or "" or " ") costs no string; other
// texts are kept aside so that every text reads back exactly as stored.
class TicketList {
 public:
  int count() const { return int(meta_.size()); }
  bool isEmpty() const { return meta_.empty(); }
  void append(const TicketCells& cells);
  void append(const TicketList& other);  // all tickets of other, in order
  // The same as append(TicketCells) from views, so that a reader needs no string per cell.
  void appendViews(const std::array<QStringView, 25>& cells);
  // The same for a reader that has sorted the cells itself: a code 1..75 is a cell whose text is that
  // number written plainly ("7", "42"), kEmptyCell an empty one, kSpaceCell a single space, and
  // kTextCell any other text, taken from texts (moved from).
  static constexpr std::uint8_t kEmptyCell = 0, kSpaceCell = 254, kTextCell = 255;
  void appendCoded(const std::array<std::uint8_t, 25>& codes, std::array<QString, 25>& texts);
  void clear();
  void reserve(int tickets);

  QString cellText(int ticket, int cell) const;  // ticket 0-based, cell 0..24
  TicketCells cells(int ticket) const;
  CellValue cellValue(int ticket, int cell) const;
  // The cell's number when it is 1..75, else 0 (blank, invalid, outside the lottery range).
  std::uint8_t lotteryValue(int ticket, int cell) const {
    return blocked_[std::size_t(ticket / kBlockTickets) * kBlockBytes + std::size_t(cell) * kBlockTickets +
                    std::size_t(ticket % kBlockTickets)];
  }
  // The 25 lottery values of a ticket, cell 1 first.
  std::array<std::uint8_t, 25> lotteryValues(int ticket) const;
  // How the cell's text is stored, as appendCoded takes it: a code 1..75 when the text is that number
  // written plainly, kEmptyCell, kSpaceCell, or kTextCell for any other text (cellText gives it).
  std::uint8_t cellCode(int ticket, int cell) const {
    const Meta& meta = meta_[std::size_t(ticket)];
    if (meta.extra & (1u << cell)) return kTextCell;
    if (meta.spaces & (1u << cell)) return kSpaceCell;
    return lotteryValue(ticket, cell);
  }
  // Bit L-1 set: the five cells of line L hold five distinct numbers 1..75, so the line can complete.
  std::uint16_t completableLines(int ticket) const { return meta_[ticket].completable; }
  // Number of cells of kind Invalid over all tickets.
  int invalidCellCount() const { return invalidCells_; }

  // The lottery values are kept in blocks of 64 tickets, as the evaluation kernels read them (and
  // only there, a million tickets cost 38 bytes each): block b holds 25 rows
  // of 64 bytes, row c the value of cell c of tickets 64b .. 64b+63 (0 past the last ticket), and 12
  // masks, bit t of mask L-1 set when line L of ticket 64b+t can complete.
  static constexpr int kBlockTickets = 64;
  int blockCount() const { return int(blockCompletable_.size() / kLineMasks); }
  const std::uint8_t* blockValues(int block) const {
    return blocked_.data() + std::size_t(block) * kBlockBytes;
  }
  const std::uint64_t* blockCompletable(int block) const {
    return blockCompletable_.data() + std::size_t(block) * kLineMasks;
  }

 private:
  struct Meta {
    std::uint32_t extra = 0;   // bit c: the text of cell c is kept in extraTexts_
    std::uint32_t spaces = 0;  // bit c: cell c holds a single space
    std::uint16_t completable = 0;
  };
  const QString* extraText(std::uint32_t key) const;
  void placeInBlock(int ticket, const std::uint8_t* values, std::uint16_t completable);

  static constexpr int kLineMasks = 12;
  static constexpr std::size_t kBlockBytes = std::size_t(25) * kBlockTickets;

  std::vector<Meta> meta_;                                     // 1 per ticket
  std::vector<std::pair<std::uint32_t, QString>> extraTexts_;  // (ticket*25+cell, text), sorted by key
  std::vector<std::uint8_t> blocked_;                          // kBlockBytes per block
  std::vector<std::uint64_t> blockCompletable_;                // kLineMasks per block
  int invalidCells_ = 0;
};
