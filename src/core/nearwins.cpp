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

void NearWins::compute(int chosenCount, LineKernelResult& kernel, const std::vector<std::uint16_t>& hits,
                       const std::vector<std::uint16_t>& previousHits) {
  clear();
  chosenCount_ = chosenCount;
  nearMasks_.swap(kernel.near);
  nearLines_.swap(kernel.nearLines);

  const int count = int(hits.size());
  std::vector<Winner> byClass[4];
  for (int t = 0; t < count; ++t) {
    const std::uint16_t hit = hits[std::size_t(t)];
    if (hit == 0) continue;
    const std::uint16_t before = std::size_t(t) < previousHits.size() ? previousHits[std::size_t(t)] : 0;
    const int cls = WinClassOf(std::popcount(unsigned(hit)));
    byClass[cls].push_back(Winner{t, std::uint8_t(cls), hit, (hit & ~before) != 0});
  }
  for (int cls = 3; cls >= 1; --cls) {
    byClass_[cls] = int(byClass[cls].size());
    winners_.insert(winners_.end(), byClass[cls].begin(), byClass[cls].end());
  }

  // The near lines come sorted by ticket; a ticket gains once per number, however many of its lines
  // that number would complete.
  int lines[76] = {}, gains[76] = {}, newWinners[76] = {};
  std::uint64_t counted[2] = {0, 0};
  int current = -1;
  for (const NearLine& n : nearLines_) {
    if (n.ticket != current) {
      current = n.ticket;
      counted[0] = counted[1] = 0;
      ++nearTickets_;
    }
    ++lines[n.missing];
    std::uint64_t& word = counted[n.missing >> 6];
    const std::uint64_t bit = std::uint64_t(1) << (n.missing & 63);
    if (word & bit) continue;
    word |= bit;
    ++gains[n.missing];
    if (hits[std::size_t(n.ticket)] == 0) ++newWinners[n.missing];
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
