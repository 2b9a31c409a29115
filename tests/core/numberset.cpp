// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/numberset.h"

#include <gtest/gtest.h>

#include "core/lines.h"

namespace {

TEST(NumberSet, ValuesOutsideTheRangeAreNeverMembers) {
  NumberSet s;
  for (int v : {-1, 256, 1000, -256}) {
    s.include(v);
    EXPECT_FALSE(s.contains(v)) << v;
  }
  EXPECT_TRUE(s.isEmpty());
  s.include(0);
  s.include(255);
  EXPECT_TRUE(s.contains(0));
  EXPECT_TRUE(s.contains(255));
  EXPECT_EQ(s.count(), 2);
  s.exclude(0);
  s.exclude(-3);
  EXPECT_FALSE(s.contains(0));
  EXPECT_EQ(s.count(), 1);
}

TEST(NumberSet, BytesHoldValueNAtBitNMod8OfByteNDiv8) {
  NumberSet s;
  s.include(0);
  s.include(9);
  s.include(75);
  s.include(255);
  const auto b = s.bytes();
  EXPECT_EQ(b[0], 0x01);
  EXPECT_EQ(b[1], 0x02);
  EXPECT_EQ(b[9], 0x08);
  EXPECT_EQ(b[31], 0x80);
  int others = 0;
  for (int i = 0; i < 32; ++i)
    if (i != 0 && i != 1 && i != 9 && i != 31) others += b[i];
  EXPECT_EQ(others, 0);
}

TEST(NumberSet, IntersectionKeepsCommonMembers) {
  NumberSet a, b;
  for (int v : {1, 5, 70, 200}) a.include(v);
  for (int v : {5, 70, 71}) b.include(v);
  const NumberSet both = a.intersected(b);
  EXPECT_EQ(both.count(), 2);
  EXPECT_TRUE(both.contains(5));
  EXPECT_TRUE(both.contains(70));
  EXPECT_FALSE(both.contains(1));
}

TEST(SetCount, CountsTheBitsOfTheGivenBytes) {
  NumberSet empty, all, oneToFive;
  for (int v = 0; v <= 255; ++v) all.include(v);
  for (int v = 1; v <= 5; ++v) oneToFive.include(v);
  EXPECT_EQ(SetCount(empty.bytes().data(), 32), 0);
  EXPECT_EQ(SetCount(all.bytes().data(), 32), 256);
  EXPECT_EQ(SetCount(oneToFive.bytes().data(), 32), 5);
  EXPECT_EQ(SetCount(all.bytes().data(), 0), 0);
  EXPECT_EQ(all.count(), 256);
  const std::uint8_t mixed[] = {0xF0, 0x0F, 0x81, 0x7E};
  EXPECT_EQ(SetCount(mixed, 4), 4 + 4 + 2 + 6);
}

TEST(LineTable, HoldsTheTwelveLinesInOrder) {
  InitLineTable();
  const LineTableType expected = {{{1, 2, 3, 4, 5},
                                   {6, 7, 8, 9, 10},
                                   {11, 12, 13, 14, 15},
                                   {16, 17, 18, 19, 20},
                                   {21, 22, 23, 24, 25},
                                   {1, 6, 11, 16, 21},
                                   {2, 7, 12, 17, 22},
                                   {3, 8, 13, 18, 23},
                                   {4, 9, 14, 19, 24},
                                   {5, 10, 15, 20, 25},
                                   {1, 7, 13, 19, 25},
                                   {5, 9, 13, 17, 21}}};
  EXPECT_EQ(LineTable, expected);
  InitLineTable();
  EXPECT_EQ(LineTable, expected);
}

TEST(LineTable, CentreLiesOnFourLinesCornersAndDiagonalsOnThreeOthersOnTwo) {
  int lines[26] = {};
  for (const auto& line : LineTable)
    for (int c : line) ++lines[c];
  for (int c = 1; c <= 25; ++c) {
    const bool corner = c == 1 || c == 5 || c == 21 || c == 25;
    const bool diagonal = c == 7 || c == 19 || c == 9 || c == 17;
    const int expected = c == 13 ? 4 : (corner || diagonal) ? 3 : 2;
    EXPECT_EQ(lines[c], expected) << "cell " << c;
  }
}

TEST(LineTable, CellNumbersCountRowByRow) {
  EXPECT_EQ(CellNumber(4, 0), 5);
  EXPECT_EQ(CellNumber(0, 4), 21);
  EXPECT_EQ(CellNumber(2, 2), 13);
  for (int l = 0; l < kLineCount; ++l) {
    std::uint32_t mask = 0;
    for (int c : LineTable[l]) mask |= 1u << (c - 1);
    EXPECT_EQ(kLineCellMasks[l], mask) << "line " << l + 1;
  }
}

}  // namespace
