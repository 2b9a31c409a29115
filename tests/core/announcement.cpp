// SPDX-License-Identifier: GPL-3.0-or-later
// What is said and played after a number, for a scripted draw on real tickets and evaluations.
#include "core/announcement.h"

#include <gtest/gtest.h>

#include <cctype>
#include <ostream>

#include "core/evaluation.h"

namespace {

// A ticket whose cell c (0..24) holds base + c: row 1 is base..base+4, column 1 base, base+5, ...
TicketCells Numbered(int base) {
  TicketCells cells;
  for (int c = 0; c < 25; ++c) cells[c] = QString::number(base + c);
  return cells;
}

QList<int> Range(int from, int to) {
  QList<int> out;
  for (int n = from; n <= to; ++n) out << n;
  return out;
}

struct Step {
  const char* name;
  QList<int> tickets;  // bases of Numbered tickets
  QList<int> chosen;   // before the step
  int number;          // toggled: added unless it is among `chosen`
  QString text;
  QList<Sound> sounds;
  QString notification = {};
  int notifiedTicket = -1;
  AnnouncementOptions options = {};
};

void PrintTo(const Step& s, std::ostream* os) {
  *os << s.name;
}

const AnnouncementOptions kQuiet{false, false, false};

const Step kSteps[] = {
    {"a number that brings nothing near", {1}, {}, 1, "1", {}},
    {"a line one number away", {1}, {1, 2, 3}, 4, "4. Auf die 5 wartet 1 Los", {Sound::OneMissing}},
    {"two tickets wait on one number",
     {1, 1},
     {1, 2, 3},
     4,
     "4. Auf die 5 warten 2 Lose",
     {Sound::OneMissing}},
    {"the number most tickets wait on is named",
     {26, 1, 1},
     {1, 2, 3, 26, 27, 28},
     4,
     "4. Auf die 5 warten 2 Lose",
     {Sound::OneMissing}},
    {"a new winner",
     {26, 1},
     {1, 2, 3, 4},
     5,
     "5. Gewonnen: Los 2, eine Linie",
     {Sound::Win},
     "ZIEHFIX: Los 2 hat gewonnen (1 Linie)",
     1},
    {"one number completes two lines",
     {1},
     {2, 3, 4, 5, 6, 11, 16, 21},
     1,
     "1. Gewonnen: Los 1, zwei Linien",
     {Sound::Win},
     "ZIEHFIX: Los 1 hat gewonnen (2 Linien)",
     0},
    {"three lines",
     {1},
     {2, 3, 4, 5, 6, 11, 16, 21, 7, 13, 19, 25},
     1,
     "1. Gewonnen: Los 1, drei oder mehr Linien",
     {Sound::Win},
     "ZIEHFIX: Los 1 hat gewonnen (3 Linien)",
     0},
    {"a winner's second line is said again",
     {1},
     {1, 2, 3, 4, 5, 6, 11, 16},
     21,
     "21. Gewonnen: Los 1, zwei Linien",
     {Sound::Win},
     "ZIEHFIX: Los 1 hat gewonnen (2 Linien)",
     0},
    {"an old winner is not said again", {1}, {1, 2, 3, 4, 5}, 60, "60", {}},
    {"several new winners in one sentence",
     {1, 1, 26},
     {2, 3, 4, 5},
     1,
     "1. 2 neue Gewinner",
     {Sound::Win},
     "ZIEHFIX: Los 1 hat gewonnen (1 Linie)",
     0},
    {"a winner and a ticket still waiting",
     {1, 26},
     {1, 2, 3, 4, 26, 27, 28, 29},
     5,
     "5. Gewonnen: Los 1, eine Linie. Auf die 30 wartet 1 Los",
     {Sound::Win},
     "ZIEHFIX: Los 1 hat gewonnen (1 Linie)",
     0},
    {"waiting and sounds switched off",
     {1, 26},
     {1, 2, 3, 4, 26, 27, 28, 29},
     5,
     "5. Gewonnen: Los 1, eine Linie",
     {},
     "ZIEHFIX: Los 1 hat gewonnen (1 Linie)",
     0,
     kQuiet},
    {"with 22 numbers nobody waits", {1}, Range(1, 3) + Range(26, 43), 4, "4", {}},
    {"no tickets", {}, {1, 2, 3, 4}, 5, "5", {}},
    {"a number taken back", {1}, {1, 2, 3, 4, 5}, 5, "5 zurückgenommen", {}},
};

class Announcement : public ::testing::TestWithParam<Step> {};

TEST_P(Announcement, SaysAndPlays) {
  const Step& s = GetParam();
  LotteryCheck check;
  TicketList tickets;
  for (int base : s.tickets) tickets.append(Numbered(base));
  check.addTickets(tickets);
  for (int n : s.chosen) check.chosen.toggle(n);
  check.evaluate();
  const DrawSnapshot before = SnapshotOf(check);

  const bool added = check.chosen.toggle(s.number) == ChosenNumbers::Toggle::Added;
  check.evaluate();
  const AnnouncementPlan plan = PlanAnnouncement(before, SnapshotOf(check), s.number, added, s.options);

  EXPECT_EQ(plan.text(), s.text);
  EXPECT_EQ(plan.sounds, s.sounds);
  EXPECT_EQ(plan.notification, s.notification);
  EXPECT_EQ(plan.notifiedTicket, s.notifiedTicket);
  EXPECT_LE(plan.sentences.size(), 3);
}

INSTANTIATE_TEST_SUITE_P(ScriptedDraw, Announcement, ::testing::ValuesIn(kSteps), [](const auto& info) {
  std::string name = info.param.name;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

}  // namespace
