// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/nearwins.h"

#include <algorithm>
#include <bit>

#include "core/evaluation.h"
#include "core/lines.h"

void NearWins::clear() {
  winners_.clear();
  nearLines_.clear();
  nearMasks_.clear();
  waiting_.clear();
  std::fill(std::begin(byClass_), std::end(byClass_), 0);
  nearTickets_ = 0;
  chosenCount_ = 0;
}

void NearWins::compute(const TicketList& tickets, const NumberSet& chosen, int chosenCount,
                       const std::vector<std::uint16_t>& hits,
                       const std::vector<std::uint16_t>& previousHits) {
  const std::size_t reserveNear = nearLines_.size();
  clear();
  chosenCount_ = chosenCount;
  std::uint32_t isChosen[256] = {};
  for (int n = 1; n <= 75; ++n) isChosen[n] = chosen.contains(n) ? 1 : 0;

  const int count = std::min(tickets.count(), int(hits.size()));
  nearMasks_.assign(std::size_t(count), 0);
  nearLines_.reserve(reserveNear);
  std::vector<Winner> byClass[4];
  int lines[76] = {}, gains[76] = {}, newWinners[76] = {};

  for (int t = 0; t < count; ++t) {
    const std::uint16_t completable = tickets.completableLines(t);
    if (completable == 0) continue;
    const std::uint16_t hit = hits[std::size_t(t)];
    if (hit != 0) {
      const std::uint16_t before = std::size_t(t) < previousHits.size() ? previousHits[std::size_t(t)] : 0;
      const int cls = WinClassOf(std::popcount(unsigned(hit)));
      byClass[cls].push_back(Winner{t, std::uint8_t(cls), hit, (hit & ~before) != 0});
    }
    const std::uint8_t* v = tickets.lotteryValues(t);
    std::uint32_t cells = 0;
    for (int c = 0; c < 25; ++c) cells |= isChosen[v[c]] << c;
    // A line is near when exactly one of its cells is not chosen: that cell's mask is a single bit.
    std::uint16_t near = 0;
    for (int l = 0; l < kLineCount; ++l) {
      const std::uint32_t open = kLineCellMasks[l] & ~cells;
      near |= std::uint16_t((open != 0 && (open & (open - 1)) == 0) << l);
    }
    near &= completable;
    if (near == 0) continue;
    nearMasks_[std::size_t(t)] = near;
    ++nearTickets_;
    // A ticket gains once per number, however many of its lines that number would complete.
    std::uint64_t counted[2] = {0, 0};
    for (unsigned rest = near; rest != 0; rest &= rest - 1) {
      const int l = std::countr_zero(rest);
      const int cell = std::countr_zero(kLineCellMasks[l] & ~cells);
      const int missing = v[cell];
      nearLines_.push_back(NearLine{t, std::uint8_t(l), std::uint8_t(missing)});
      ++lines[missing];
      std::uint64_t& word = counted[missing >> 6];
      const std::uint64_t bit = std::uint64_t(1) << (missing & 63);
      if (word & bit) continue;
      word |= bit;
      ++gains[missing];
      if (hit == 0) ++newWinners[missing];
    }
  }

  for (int cls = 3; cls >= 1; --cls) {
    byClass_[cls] = int(byClass[cls].size());
    winners_.insert(winners_.end(), byClass[cls].begin(), byClass[cls].end());
  }
  if (chosenCount >= kMaxChosen) return;
  for (int n = 1; n <= 75; ++n)
    if (lines[n] > 0) waiting_.push_back(WaitingNumber{n, lines[n], gains[n], newWinners[n]});
  std::stable_sort(waiting_.begin(), waiting_.end(),
                   [](const WaitingNumber& a, const WaitingNumber& b) { return a.tickets > b.tickets; });
}

std::uint16_t NearWins::nearMask(int ticket) const {
  if (ticket < 0 || std::size_t(ticket) >= nearMasks_.size()) return 0;
  return nearMasks_[std::size_t(ticket)];
}

int NearWins::winnerCount(int winClass) const {
  return winClass >= 1 && winClass <= 3 ? byClass_[winClass] : 0;
}

QString LineName(int line) {
  if (line < 5) return QStringLiteral("Zeile %1").arg(line + 1);
  if (line < 10) return QStringLiteral("Spalte %1").arg(line - 4);
  return QStringLiteral("Diagonale %1").arg(line - 9);
}

QString LineNames(std::uint16_t lines) {
  QStringList names;
  for (int l = 0; l < kLineCount; ++l)
    if (lines & (1u << l)) names << LineName(l);
  return names.join(QStringLiteral(", "));
}

QString WaitingNumberText(const WaitingNumber& w) {
  QString text = QStringLiteral("%1 — %2 %3")
                     .arg(w.number)
                     .arg(w.tickets)
                     .arg(w.tickets == 1 ? QStringLiteral("Los") : QStringLiteral("Lose"));
  if (w.newWinners > 0)
    text += w.newWinners == 1 ? QStringLiteral(" (1 neuer Gewinner)")
                              : QStringLiteral(" (%1 neue Gewinner)").arg(w.newWinners);
  return text;
}
