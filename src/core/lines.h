#pragma once

#include <array>

constexpr int kLineCount = 12;

// The twelve winning lines as cell numbers 1..25: rows 1-5, columns 1-5, diagonal 1-7-13-19-25,
// diagonal 5-9-13-17-21.
using LineTableType = std::array<std::array<int, 5>, kLineCount>;
extern LineTableType LineTable;

// Fills LineTable (also done statically; calling it again is harmless).
void InitLineTable();

// Cell number 1..25 of grid position (column, row), both 0..4.
constexpr int CellNumber(int col, int row) { return row * 5 + col + 1; }
