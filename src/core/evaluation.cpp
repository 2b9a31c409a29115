// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/evaluation.h"

#include <utility>

#include "core/linekernel.h"
#include "core/lines.h"

ChosenNumbers::Toggle ChosenNumbers::toggle(int n) {
  if (n < 1 || n > 75) return Toggle::OutOfRange;
  if (set_.contains(n)) {
    set_.exclude(n);
    --count_;
    return Toggle::Removed;
  }
  if (count_ >= kMaxChosen) return Toggle::LimitReached;
  set_.include(n);
  ++count_;
  return Toggle::Added;
}

void ChosenNumbers::clear() {
  set_.clear();
  count_ = 0;
}

QList<int> ChosenNumbers::sorted() const {
  QList<int> out;
  for (int n = 1; n <= 75; ++n)
    if (set_.contains(n)) out.append(n);
  return out;
}

QString LimitMessage() {
  return QStringLiteral("Sie haben bereits 22 Gewinnzahlen gewählt.");
}

int WinClassOf(int completeLines) {
  if (completeLines <= 0) return 0;
  return completeLines >= 3 ? 3 : completeLines;
}

void EvaluateLines(const TicketList& tickets, const NumberSet& chosen, std::vector<std::uint16_t>& hits) {
  LineKernelResult result;
  result.hits.swap(hits);
  RunLineKernel(BestLineKernel(), tickets, chosen, result, false);
  hits.swap(result.hits);
}

void LotteryCheck::addTickets(const TicketList& more) {
  tickets_.append(more);
  lineHits_.resize(std::size_t(tickets_.count()), 0);
}

void LotteryCheck::addTickets(TicketList&& more) {
  if (tickets_.isEmpty())
    tickets_ = std::move(more);
  else
    tickets_.append(more);
  lineHits_.resize(std::size_t(tickets_.count()), 0);
}

void LotteryCheck::clearTickets() {
  tickets_.clear();
  lineHits_.clear();
  lineHits_.shrink_to_fit();
  previousHits_.clear();
  nearWins_.clear();
}

bool LotteryCheck::evaluate() {
  if (tickets_.isEmpty()) return false;
  previousHits_.swap(lineHits_);
  // The kernel writes into the buffers of the evaluation before last, so no evaluation allocates.
  kernel_.hits.swap(lineHits_);
  kernel_.classes.swap(classes_);
  RunLineKernel(BestLineKernel(), tickets_, chosen.set(), kernel_, true, true);
  lineHits_.swap(kernel_.hits);
  classes_.swap(kernel_.classes);
  totals_ = {kernel_.one, kernel_.two, kernel_.three};
  nearWins_.compute(chosen.count(), kernel_, lineHits_, previousHits_);
  hasResult_ = true;
  return true;
}

std::uint16_t LotteryCheck::lineHits(int ticket) const {
  if (ticket < 0 || std::size_t(ticket) >= lineHits_.size()) return 0;
  return lineHits_[ticket];
}

bool LotteryCheck::IsOnCompleteLine(int n, int ticketNo) const {
  const std::uint16_t hits = lineHits(ticketNo - 1);
  if (hits == 0 || n < 1 || n > 75) return false;
  // A complete line holds five distinct numbers 1..75, so its set is exactly its cells' values.
  const std::array<std::uint8_t, 25> v = tickets_.lotteryValues(ticketNo - 1);
  for (int l = 0; l < kLineCount; ++l) {
    if (!(hits & (1u << l))) continue;
    for (int c : LineTable[l])
      if (v[c - 1] == n) return true;
  }
  return false;
}

CellColour LotteryCheck::cellColour(int ticket, int cell) const {
  if (ticket < 0 || ticket >= tickets_.count() || cell < 0 || cell >= 25) return CellColour::White;
  const int v = tickets_.lotteryValue(ticket, cell);
  if (v == 0) return CellColour::White;
  if (IsOnCompleteLine(v, ticket + 1)) return CellColour::DarkGreen;
  return chosen.contains(v) ? CellColour::LightGreen : CellColour::White;
}
