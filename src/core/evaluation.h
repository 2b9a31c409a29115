// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <vector>

#include "core/linekernel.h"
#include "core/nearwins.h"
#include "core/numberset.h"
#include "core/ticket.h"

constexpr int kMaxChosen = 22;

// The chosen winning numbers (GZSet) and their count (GZCount); only 1..75 ever enter.
class ChosenNumbers {
 public:
  enum class Toggle { Added, Removed, LimitReached, OutOfRange };
  Toggle toggle(int n);  // LimitReached: 22 chosen already, nothing changes
  void clear();
  bool contains(int n) const { return set_.contains(n); }
  const NumberSet& set() const { return set_; }
  int count() const { return count_; }
  QList<int> sorted() const;

 private:
  NumberSet set_;
  int count_ = 0;
};

// "Sie haben bereits 22 Gewinnzahlen gewählt."
QString LimitMessage();

// Win class by number h of complete lines: 0 none, 1, 2, 3 for three and more.
int WinClassOf(int completeLines);

struct Totals {
  int one = 0, two = 0, three = 0;
};

enum class CellColour { White, LightGreen, DarkGreen };

// The state of a check, owned by the main window and by the checker: chosen numbers, tickets,
// and the line data and results of the last evaluation.
class LotteryCheck {
 public:
  ChosenNumbers chosen;

  const TicketList& tickets() const { return tickets_; }
  // Adds tickets; they have no line data until the next evaluation. The second form takes the list
  // over without a copy when there are no tickets yet.
  void addTickets(const TicketList& more);
  void addTickets(TicketList&& more);
  // Removes every ticket and its line data; the last results stay (the tables keep showing them).
  void clearTickets();

  // Evaluates every ticket against the chosen numbers. With no tickets nothing changes and false
  // is returned.
  bool evaluate();

  // Line data: bit L-1 of lineHits(t) is set when line L of ticket t (0-based) was complete at the
  // last evaluation.
  std::uint16_t lineHits(int ticket) const;
  // True when n lies on a complete line of ticket number ticketNo (1-based), as of the last evaluation.
  bool IsOnCompleteLine(int n, int ticketNo) const;
  // Dark green: on a complete line as of the last evaluation; light green: chosen now; else white.
  CellColour cellColour(int ticket, int cell) const;

  // Results of the last evaluation with tickets: one class per ticket (0..3), the totals.
  bool hasResult() const { return hasResult_; }
  const std::vector<std::uint8_t>& resultClasses() const { return classes_; }
  Totals totals() const { return totals_; }
  // Winners, near lines and waiting numbers of the last evaluation; empty again once the tickets
  // are removed.
  const NearWins& nearWins() const { return nearWins_; }

 private:
  TicketList tickets_;
  std::vector<std::uint16_t> lineHits_;
  std::vector<std::uint16_t> previousHits_;  // of the evaluation before, for "won just now"
  NearWins nearWins_;
  LineKernelResult kernel_;  // buffers the kernel reuses from one evaluation to the next
  std::vector<std::uint8_t> classes_;
  Totals totals_;
  bool hasResult_ = false;
};

// Evaluation without state, for the benchmark and the checker: complete-line masks of all tickets.
void EvaluateLines(const TicketList& tickets, const NumberSet& chosen, std::vector<std::uint16_t>& hits);
