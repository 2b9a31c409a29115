// SPDX-License-Identifier: GPL-3.0-or-later
// Every evaluation kernel this processor runs gives the lines, classes and totals of a plain reference
// that reads the cell texts itself, on random tickets with blank, invalid, repeated and out-of-range
// cells, on partly filled blocks and on lists joined at any offset.
#include "core/linekernel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "core/lines.h"

namespace {

const char* const kOddTexts[] = {"",   " ",  "abc", "0",  "76", "80",
                                 "-5", " 7", "07",  "7 ", "+3", "99999999999"};

TicketCells RandomCells(std::mt19937& rng) {
  // Numbers from a small pool, so that many lines complete and numbers repeat on a ticket.
  TicketCells cells;
  for (QString& cell : cells) {
    if (rng() % 8 == 0)
      cell = QString::fromLatin1(kOddTexts[rng() % std::size(kOddTexts)]);
    else
      cell = QString::number(1 + int(rng() % 30));
  }
  return cells;
}

std::uint16_t ReferenceLines(const TicketCells& cells, const NumberSet& chosen) {
  std::uint16_t lines = 0;
  for (int l = 0; l < kLineCount; ++l) {
    std::set<int> numbers;
    for (int c : LineTable[l]) {
      const CellValue v = ValueOfCell(cells[std::size_t(c - 1)]);
      if (v.kind == CellKind::Number && v.value >= 1 && v.value <= 75 && chosen.contains(v.value))
        numbers.insert(v.value);
    }
    if (numbers.size() == 5) lines |= std::uint16_t(1u << l);
  }
  return lines;
}

NumberSet RandomChosen(std::mt19937& rng, int count) {
  std::vector<int> all(75);
  for (int i = 0; i < 75; ++i) all[std::size_t(i)] = i + 1;
  // Mostly numbers of the pool the tickets use, so that lines do complete.
  std::shuffle(all.begin(), all.begin() + 30, rng);
  NumberSet chosen;
  for (int i = 0; i < count; ++i) chosen.include(all[std::size_t(i)]);
  return chosen;
}

void ExpectLikeReference(const std::vector<TicketCells>& all, const TicketList& list,
                         const NumberSet& chosen) {
  ASSERT_EQ(list.count(), int(all.size()));
  int one = 0, two = 0, three = 0;
  std::vector<std::uint16_t> lines(all.size());
  for (std::size_t t = 0; t < all.size(); ++t) {
    lines[t] = ReferenceLines(all[t], chosen);
    const int n = std::popcount(unsigned(lines[t]));
    one += n == 1;
    two += n == 2;
    three += n >= 3;
  }
  for (LineKernel kernel : AvailableLineKernels()) {
    SCOPED_TRACE(LineKernelName(kernel));
    LineKernelResult result;
    result.hits.assign(all.size() + 5, 0xFFFF);  // stale outputs of a larger list must not survive
    result.classes.assign(all.size() + 5, 9);
    RunLineKernel(kernel, list, chosen, result);
    ASSERT_EQ(result.hits.size(), all.size());
    ASSERT_EQ(result.classes.size(), all.size());
    for (std::size_t t = 0; t < all.size(); ++t) {
      ASSERT_EQ(result.hits[t], lines[t]) << "ticket " << t;
      ASSERT_EQ(result.classes[t], std::min(3, std::popcount(unsigned(lines[t])))) << "ticket " << t;
    }
    EXPECT_EQ(result.one, one);
    EXPECT_EQ(result.two, two);
    EXPECT_EQ(result.three, three);
  }
}

TEST(LineKernel, EveryKernelMatchesThePlainReference) {
  std::mt19937 rng(20261209);
  for (int count : {0, 1, 63, 64, 65, 130, 1000}) {
    for (int chosenCount : {0, 5, 15, 22}) {
      SCOPED_TRACE(testing::Message() << count << " tickets, " << chosenCount << " chosen");
      std::vector<TicketCells> all;
      TicketList list;
      for (int t = 0; t < count; ++t) {
        all.push_back(RandomCells(rng));
        list.append(all.back());
      }
      ExpectLikeReference(all, list, RandomChosen(rng, chosenCount));
    }
  }
}

TEST(LineKernel, ListsJoinedAtAnyOffsetKeepTheirTicketsInPlace) {
  std::mt19937 rng(7);
  std::vector<TicketCells> all;
  TicketList joined;
  for (int part : {37, 64, 1, 90}) {
    TicketList piece;
    for (int t = 0; t < part; ++t) {
      all.push_back(RandomCells(rng));
      piece.append(all.back());
    }
    joined.append(piece);
  }
  ExpectLikeReference(all, joined, RandomChosen(rng, 22));

  joined.clear();
  EXPECT_EQ(joined.blockCount(), 0);
  ExpectLikeReference({}, joined, RandomChosen(rng, 22));
}

}  // namespace
