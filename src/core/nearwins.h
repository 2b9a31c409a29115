// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "core/linekernel.h"
#include "core/ticket.h"

// A number not chosen yet, and what choosing it next would bring.
struct WaitingNumber {
  int number = 0;
  int lines = 0;       // lines that would complete
  int tickets = 0;     // tickets that would gain a complete line
  int newWinners = 0;  // of those, tickets without any complete line now
  bool operator==(const WaitingNumber&) const = default;
};

// A ticket with at least one complete line.
struct Winner {
  int ticket = 0;  // 0-based
  std::uint8_t winClass = 0;
  std::uint16_t lines = 0;  // complete lines, bit L-1 for line L
  bool fresh = false;       // one of its lines completed with the last evaluation
};

// What an evaluation shows at a glance: the winners, the lines one number away and the numbers worth
// waiting for. Rebuilt after each evaluation from the tickets and the evaluation's line masks, in one
// pass over the tickets, so the window and the checker never derive any of it themselves.
class NearWins {
 public:
  // kernel: the evaluation just done, run with near lines (its near masks and near lines are taken
  // over, and this object's previous ones left in it for the next run to reuse); previousHits: the
  // complete-line masks of the evaluation before (shorter or empty for tickets not evaluated then).
  // chosenCount is the number of chosen numbers.
  void compute(int chosenCount, LineKernelResult& kernel, const std::vector<std::uint16_t>& hits,
               const std::vector<std::uint16_t>& previousHits);
  void clear();

  // Sorted by class (3 and more first), then by ticket.
  const std::vector<Winner>& winners() const { return winners_; }
  // Sorted by ticket, then by line.
  const std::vector<NearLine>& nearLines() const { return nearLines_; }
  // Near lines of one ticket as a mask, bit L-1 for line L; 0 for a ticket not evaluated.
  std::uint16_t nearMask(int ticket) const;
  // Sorted by tickets (descending), then by number; empty when no further number can be chosen.
  const std::vector<WaitingNumber>& waiting() const { return waiting_; }
  int chosenCount() const { return chosenCount_; }
  int winnerCount(int winClass) const;  // 1, 2 or 3
  int nearTicketCount() const { return nearTickets_; }

 private:
  std::vector<Winner> winners_;
  std::vector<NearLine> nearLines_;
  std::vector<std::uint16_t> nearMasks_;
  std::vector<WaitingNumber> waiting_;
  int byClass_[4] = {};
  int nearTickets_ = 0;
  int chosenCount_ = 0;
};

// "Zeile 1".."Zeile 5", "Spalte 1".."Spalte 5", "Diagonale 1" (top left to bottom right),
// "Diagonale 2"; line 0-based.
QString LineName(int line);
// The line names of a mask joined by ", ": "Zeile 2, Spalte 5, Diagonale 1".
QString LineNames(std::uint16_t lines);
// "17 — 3 Lose (2 neue Gewinner)"; the part in brackets only when there are new winners.
QString WaitingNumberText(const WaitingNumber& w);
