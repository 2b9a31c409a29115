// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/nearwins.h"

class LotteryCheck;

enum class Sound { Win, OneMissing };

// What an evaluation found, kept by the window from one number to the next so that the next
// announcement can tell what is new.
struct DrawSnapshot {
  int chosenCount = 0;
  int ticketCount = 0;
  std::vector<std::pair<int, std::uint16_t>> winners;  // (ticket 0-based, complete lines), by ticket
  std::vector<std::pair<int, int>> nearLines;          // (ticket, line), sorted
  WaitingNumber topWaiting;  // the number most tickets wait on; number 0 when there is none
};

// The state after the last evaluation; an empty result when there are no tickets or no result yet.
DrawSnapshot SnapshotOf(const LotteryCheck& check);

struct AnnouncementOptions {
  bool sayWaiting = true;
  bool winChime = true;
  bool oneMissingChime = true;
};

struct AnnouncementPlan {
  QStringList sentences;  // at most three: the number, the winners, the waiting tickets
  QList<Sound> sounds;
  QString notification;     // for the first new winner; empty when nobody newly won
  int notifiedTicket = -1;  // 0-based ticket the notification is about

  // Speech and the line on screen say the same; the full stops give the voice its pauses.
  QString text() const { return sentences.join(QStringLiteral(". ")); }
};

// What to say and play after `number` was added (added == true) or taken back, from the evaluation
// before and after that change.
AnnouncementPlan PlanAnnouncement(const DrawSnapshot& before, const DrawSnapshot& after, int number,
                                  bool added, const AnnouncementOptions& options = {});
