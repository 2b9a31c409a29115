// SPDX-License-Identifier: GPL-3.0-or-later
// Winners, near lines and waiting numbers: hand-made tickets pin the definitions, random tickets
// with invalid cells are compared with a plain reference that reads every cell's text anew.
#include "core/nearwins.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "core/evaluation.h"
#include "core/lines.h"

namespace {

// A ticket whose cell c (0..24) holds base + c; single cells replaced by the given texts.
TicketCells Numbered(int base, std::initializer_list<std::pair<int, const char*>> replaced = {}) {
  TicketCells cells;
  for (int c = 0; c < 25; ++c) cells[c] = QString::number(base + c);
  for (const auto& [cell, text] : replaced) cells[cell - 1] = QString::fromUtf8(text);
  return cells;
}

void Choose(LotteryCheck& check, std::initializer_list<int> numbers) {
  for (int n : numbers) check.chosen.toggle(n);
}

LotteryCheck CheckOf(std::initializer_list<TicketCells> tickets) {
  LotteryCheck check;
  TicketList list;
  for (const TicketCells& t : tickets) list.append(t);
  check.addTickets(list);
  return check;
}

// The definitions read straight off the cell texts, without the ticket list's precomputed data.
struct Reference {
  std::vector<NearLine> near;
  std::vector<WaitingNumber> waiting;
  std::vector<std::pair<int, int>> winners;  // (ticket, class) in the list's order
  std::set<int> fresh;

  static int linesChosen(const TicketList& tickets, int t, int l, const NumberSet& chosen, int* missing) {
    std::set<int> values;
    int hit = 0;
    for (int c : LineTable[l]) {
      const CellValue v = tickets.cellValue(t, c - 1);
      if (v.kind != CellKind::Number || v.value < 1 || v.value > 75) return -1;
      values.insert(v.value);
      if (chosen.contains(v.value))
        ++hit;
      else
        *missing = v.value;
    }
    return values.size() == 5 ? hit : -1;
  }

  Reference(const TicketList& tickets, const NumberSet& chosen, const NumberSet& before, int chosenCount) {
    std::map<int, WaitingNumber> byNumber;
    std::vector<std::pair<int, int>> classed;
    for (int t = 0; t < tickets.count(); ++t) {
      int complete = 0;
      bool newLine = false;
      std::set<int> gains;
      for (int l = 0; l < kLineCount; ++l) {
        int missing = 0, ignored = 0;
        const int hit = linesChosen(tickets, t, l, chosen, &missing);
        if (hit == 5) {
          ++complete;
          if (linesChosen(tickets, t, l, before, &ignored) != 5) newLine = true;
        }
        if (hit != 4) continue;
        near.push_back(NearLine{t, std::uint8_t(l), std::uint8_t(missing)});
        WaitingNumber& w = byNumber[missing];
        w.number = missing;
        ++w.lines;
        gains.insert(missing);
      }
      for (int n : gains) {
        ++byNumber[n].tickets;
        if (complete == 0) ++byNumber[n].newWinners;
      }
      if (complete > 0) classed.push_back({t, std::min(complete, 3)});
      if (newLine) fresh.insert(t);
    }
    if (chosenCount < 22)
      for (const auto& [n, w] : byNumber) waiting.push_back(w);
    std::sort(waiting.begin(), waiting.end(), [](const WaitingNumber& a, const WaitingNumber& b) {
      return a.tickets != b.tickets ? a.tickets > b.tickets : a.number < b.number;
    });
    for (int cls = 3; cls >= 1; --cls)
      for (const auto& [t, c] : classed)
        if (c == cls) winners.push_back({t, c});
  }
};

void ExpectMatchesReference(const LotteryCheck& check, const NumberSet& before, const std::string& where) {
  const Reference ref(check.tickets(), check.chosen.set(), before, check.chosen.count());
  const NearWins& got = check.nearWins();
  EXPECT_EQ(got.nearLines(), ref.near) << where;
  EXPECT_EQ(got.waiting(), ref.waiting) << where;
  ASSERT_EQ(got.winners().size(), ref.winners.size()) << where;
  for (std::size_t i = 0; i < ref.winners.size(); ++i) {
    const Winner& w = got.winners()[i];
    EXPECT_EQ(w.ticket, ref.winners[i].first) << where;
    EXPECT_EQ(w.winClass, ref.winners[i].second) << where;
    EXPECT_EQ(w.lines, check.lineHits(w.ticket)) << where;
    EXPECT_EQ(w.fresh, ref.fresh.count(w.ticket) == 1) << where << " ticket " << w.ticket;
  }
  for (const NearLine& n : ref.near) EXPECT_TRUE(got.nearMask(n.ticket) & (1u << n.line)) << where;
}

// Mostly numbers of 1..75 with many repeats, so that lines come near; some cells blank, invalid,
// 0, out of range or written in a form the list keeps as text.
TicketList RandomTickets(std::mt19937& rng, int count) {
  const char* odd[] = {"", " ", "abc", "0", "76", "300", "-5", " 7", "007", "12 ", "99999999999"};
  std::uniform_int_distribution<int> number(1, 30), kind(0, 19), oddPick(0, 10);
  TicketList list;
  for (int t = 0; t < count; ++t) {
    TicketCells cells;
    for (auto& cell : cells)
      cell = kind(rng) == 0 ? QString::fromUtf8(odd[oddPick(rng)]) : QString::number(number(rng));
    list.append(cells);
  }
  return list;
}

TEST(NearWins, MatchesThePlainReferenceOnRandomTicketsDrawnNumberByNumber) {
  std::mt19937 rng(1405);
  for (int round = 0; round < 4; ++round) {
    LotteryCheck check;
    check.addTickets(RandomTickets(rng, 400));
    std::vector<int> draw(30);
    for (int i = 0; i < 30; ++i) draw[std::size_t(i)] = i + 1;
    std::shuffle(draw.begin(), draw.end(), rng);
    NumberSet before;
    for (int i = 0; i < 23; ++i) {
      // Now and then a number is taken back, so that "won just now" also sees lines that went away.
      if (i % 7 == 6) check.chosen.toggle(draw[std::size_t(i - 2)]);
      check.chosen.toggle(draw[std::size_t(i)]);
      ASSERT_TRUE(check.evaluate());
      ExpectMatchesReference(check, before, "round " + std::to_string(round) + " step " + std::to_string(i));
      before = check.chosen.set();
    }
  }
}

TEST(NearWins, ALineThatCanNeverCompleteIsNeverNear) {
  struct Case {
    const char* name;
    TicketCells ticket;
    int nearLines;
  };
  // Row 1 is 1..5 with 1..4 chosen: near, unless a cell spoils it.
  const Case cases[] = {
      {"plain", Numbered(1), 1},
      {"duplicate number", Numbered(1, {{5, "4"}}), 0},
      {"blank cell", Numbered(1, {{5, " "}}), 0},
      {"invalid cell", Numbered(1, {{5, "x"}}), 0},
      {"out of range", Numbered(1, {{5, "80"}}), 0},
      {"zero", Numbered(1, {{5, "0"}}), 0},
  };
  for (const Case& c : cases) {
    LotteryCheck check = CheckOf({c.ticket});
    Choose(check, {1, 2, 3, 4});
    ASSERT_TRUE(check.evaluate());
    EXPECT_EQ(int(check.nearWins().nearLines().size()), c.nearLines) << c.name;
  }
}

TEST(NearWins, ANumberCountsLinesButEachTicketOnce) {
  // On tickets 1 and 2 (both 1..25), 13 completes row 3 and column 3; row 1 is complete already.
  // Ticket 3 holds nothing in range.
  LotteryCheck check = CheckOf({Numbered(1), Numbered(1), Numbered(100)});
  Choose(check, {11, 12, 14, 15, 3, 8, 18, 23, 1, 2, 4, 5});
  ASSERT_TRUE(check.evaluate());
  const auto& waiting = check.nearWins().waiting();
  const auto thirteen =
      std::find_if(waiting.begin(), waiting.end(), [](const WaitingNumber& w) { return w.number == 13; });
  ASSERT_NE(thirteen, waiting.end());
  EXPECT_EQ(*thirteen, (WaitingNumber{13, 4, 2, 0}));
  EXPECT_EQ(check.nearWins().winnerCount(1), 2);
  EXPECT_EQ(check.nearWins().nearTicketCount(), 2);
  EXPECT_EQ(LineNames(check.nearWins().winners().front().lines), "Zeile 1");
}

TEST(NearWins, NothingIsWaitedForOnce22AreChosenButNearLinesStay) {
  LotteryCheck check = CheckOf({Numbered(1)});
  Choose(check, {1, 2, 3, 4, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46});
  ASSERT_TRUE(check.evaluate());
  EXPECT_EQ(check.chosen.count(), 21);
  ASSERT_EQ(check.nearWins().waiting().size(), 1u);
  EXPECT_EQ(WaitingNumberText(check.nearWins().waiting()[0]), "5 — 1 Los (1 neuer Gewinner)");
  check.chosen.toggle(47);
  ASSERT_TRUE(check.evaluate());
  EXPECT_TRUE(check.nearWins().waiting().empty());
  EXPECT_EQ(check.nearWins().nearLines(), (std::vector<NearLine>{{0, 0, 5}}));
}

TEST(NearWins, AWinIsFreshOnlyWithTheEvaluationThatCompletedIt) {
  LotteryCheck check = CheckOf({Numbered(1)});
  Choose(check, {1, 2, 3, 4, 5});
  ASSERT_TRUE(check.evaluate());
  EXPECT_TRUE(check.nearWins().winners().at(0).fresh);
  ASSERT_TRUE(check.evaluate());
  EXPECT_FALSE(check.nearWins().winners().at(0).fresh);
  Choose(check, {6, 11, 16, 21});  // column 1 joins row 1: a new line is a new win
  ASSERT_TRUE(check.evaluate());
  EXPECT_TRUE(check.nearWins().winners().at(0).fresh);
  check.clearTickets();
  EXPECT_TRUE(check.nearWins().winners().empty());
  EXPECT_EQ(check.nearWins().nearMask(0), 0);
}

TEST(LineNames, NameRowsColumnsAndDiagonals) {
  EXPECT_EQ(LineNames(0), "");
  EXPECT_EQ(LineNames((1u << 1) | (1u << 9) | (1u << 10)), "Zeile 2, Spalte 5, Diagonale 1");
  EXPECT_EQ(LineName(11), "Diagonale 2");
  EXPECT_EQ(WaitingNumberText({17, 5, 3, 2}), "17 — 3 Lose (2 neue Gewinner)");
  EXPECT_EQ(WaitingNumberText({17, 1, 2, 0}), "17 — 2 Lose");
}

}  // namespace
