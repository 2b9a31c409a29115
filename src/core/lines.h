// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

constexpr int kLineCount = 12;

// The twelve winning lines as cell numbers 1..25: rows 1-5, columns 1-5, diagonal 1-7-13-19-25,
// diagonal 5-9-13-17-21.
using LineTableType = std::array<std::array<int, 5>, kLineCount>;
extern LineTableType LineTable;

constexpr LineTableType BuildLineTable() {
  LineTableType t{};
  for (int k = 1; k <= 5; ++k) {
    for (int l = 1; l <= 5; ++l) t[l - 1][k - 1] = (l - 1) * 5 + k;         // rows
    for (int l = 6; l <= 10; ++l) t[l - 1][k - 1] = (k - 1) * 5 + (l - 5);  // columns
    t[10][k - 1] = (k - 1) * 6 + 1;                                         // top left to bottom right
    t[11][k - 1] = k * 4 + 1;                                               // top right to bottom left
  }
  return t;
}

// Bit c-1 of entry L-1 is set when cell c lies on line L.
constexpr std::array<std::uint32_t, kLineCount> BuildLineCellMasks() {
  std::array<std::uint32_t, kLineCount> masks{};
  const LineTableType t = BuildLineTable();
  for (int l = 0; l < kLineCount; ++l)
    for (int c : t[l]) masks[l] |= std::uint32_t(1) << (c - 1);
  return masks;
}
constexpr std::array<std::uint32_t, kLineCount> kLineCellMasks = BuildLineCellMasks();

// Fills LineTable (also done statically; calling it again is harmless).
void InitLineTable();

// Cell number 1..25 of grid position (column, row), both 0..4.
constexpr int CellNumber(int col, int row) {
  return row * 5 + col + 1;
}
