// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/announcement.h"

#include <algorithm>
#include <bit>

#include "core/evaluation.h"

namespace {

int LineCount(std::uint16_t lines) {
  return std::popcount(lines);
}

QString LinesSpoken(int lines) {
  switch (WinClassOf(lines)) {
    case 1:
      return QStringLiteral("eine Linie");
    case 2:
      return QStringLiteral("zwei Linien");
    default:
      return QStringLiteral("drei oder mehr Linien");
  }
}

QString LinesWritten(int lines) {
  return lines == 1 ? QStringLiteral("1 Linie") : QStringLiteral("%1 Linien").arg(lines);
}

// Tickets that have more complete lines than before, in ticket order; a ticket that gains a second
// line has won a higher class and is worth saying again.
std::vector<std::pair<int, std::uint16_t>> NewWinners(const DrawSnapshot& before, const DrawSnapshot& after) {
  std::vector<std::pair<int, std::uint16_t>> out;
  for (const auto& w : after.winners) {
    const auto old =
        std::lower_bound(before.winners.begin(), before.winners.end(), std::pair(w.first, std::uint16_t(0)));
    const int had = (old != before.winners.end() && old->first == w.first) ? LineCount(old->second) : 0;
    if (LineCount(w.second) > had) out.push_back(w);
  }
  return out;
}

bool HasNewNearLine(const DrawSnapshot& before, const DrawSnapshot& after) {
  return std::any_of(after.nearLines.begin(), after.nearLines.end(), [&](const auto& l) {
    return !std::binary_search(before.nearLines.begin(), before.nearLines.end(), l);
  });
}

}  // namespace

DrawSnapshot SnapshotOf(const LotteryCheck& check) {
  DrawSnapshot s;
  s.chosenCount = check.chosen.count();
  if (!check.hasResult() || check.tickets().isEmpty()) return s;
  s.ticketCount = check.tickets().count();
  const NearWins& nw = check.nearWins();
  for (const Winner& w : nw.winners()) s.winners.emplace_back(w.ticket, w.lines);
  std::sort(s.winners.begin(), s.winners.end());
  for (const NearLine& l : nw.nearLines()) s.nearLines.emplace_back(l.ticket, int(l.line));
  std::sort(s.nearLines.begin(), s.nearLines.end());
  if (!nw.waiting().empty() && nw.waiting().front().tickets > 0) s.topWaiting = nw.waiting().front();
  return s;
}

AnnouncementPlan PlanAnnouncement(const DrawSnapshot& before, const DrawSnapshot& after, int number,
                                  bool added, const AnnouncementOptions& options) {
  AnnouncementPlan plan;
  if (!added) {
    // A number entered by mistake: whatever it had won is void, and saying so would only confuse.
    plan.sentences << QStringLiteral("%1 zurückgenommen").arg(number);
    return plan;
  }
  plan.sentences << QString::number(number);

  const auto fresh = NewWinners(before, after);
  if (fresh.size() == 1) {
    const auto& [ticket, lines] = fresh.front();
    plan.sentences
        << QStringLiteral("Gewonnen: Los %1, %2").arg(ticket + 1).arg(LinesSpoken(LineCount(lines)));
  } else if (fresh.size() > 1) {
    plan.sentences << QStringLiteral("%1 neue Gewinner").arg(fresh.size());
  }
  if (!fresh.empty()) {
    const auto& [ticket, lines] = fresh.front();
    plan.notification = QStringLiteral("ZIEHFIX: Los %1 hat gewonnen (%2)")
                            .arg(ticket + 1)
                            .arg(LinesWritten(LineCount(lines)));
    plan.notifiedTicket = ticket;
    if (options.winChime) plan.sounds << Sound::Win;
  }

  // With 22 numbers no further one can be chosen: the evaluation names no waiting number then, and a
  // line one number away is no news worth a chime.
  const bool more = after.chosenCount < kMaxChosen;
  const WaitingNumber& w = after.topWaiting;
  if (options.sayWaiting && w.number > 0 && w.tickets > 0) {
    plan.sentences << (w.tickets == 1
                           ? QStringLiteral("Auf die %1 wartet 1 Los").arg(w.number)
                           : QStringLiteral("Auf die %1 warten %2 Lose").arg(w.number).arg(w.tickets));
  }
  if (options.oneMissingChime && more && HasNewNearLine(before, after)) plan.sounds << Sound::OneMissing;

  return plan;
}
