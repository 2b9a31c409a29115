// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <opencv2/core.hpp>
#include <vector>

// A 5 × 5 grid found in a picture, straightened: the inside of each cell as a grey picture, cell 1
// first, and the grid's bounding box in the picture.
struct FoundGrid {
  cv::Rect place;
  cv::Point2f centre;
  double angle = 0;  // of the top edge, in radians, clockwise from the horizontal
  float height = 0;
  std::array<cv::Mat, 25> cells;
  // The grid's geometry leaves room for doubt: it touches the picture's edge (cells may be cut off),
  // its rows or columns are unevenly spaced, or space without lines is left at a side.
  bool uncertain = false;
  // Where a sixth row was dropped as a letter row, that row's cells: if they hold numbers, the row
  // dropped was one of the ticket's.
  std::vector<cv::Mat> droppedRow;
  // Rows or columns of number-like marks found just outside the grid, five cells each: if one holds
  // numbers, the grid chosen may be a row or column off, and its geometry is in doubt.
  std::vector<std::vector<cv::Mat>> besideLines;
  // Rows, columns of number-like marks lie beyond the grid (for a moved grid, beyond the line it was
  // moved away from).
  bool rowBeside = false, columnBeside = false;
  // The grid's outline in the picture, top left first, clockwise.
  std::vector<cv::Point2f> corners;
  // Found from the numbers' layout, with no lines round them.
  bool fromNumbers = false;
  // A cell whose marks may not be its whole number.
  std::array<bool, 25> cellInDoubt{};
  // For a grid found from its numbers: fills to with the grid moved by one cell along the lattice of the
  // numbers, across (columns ±1) or down (rows ±1), its besideLines the lines round it but the one it
  // was moved away from; for when an outer line of this grid turns out to be no line of the ticket.
  std::function<void(int columns, int rows, FoundGrid& to)> moved;
};

// Every 5 × 5 grid in an 8-bit grey picture: quadrilaterals whose inside is crossed by four lines each
// way at even spacing (a sixth row at the top, a letter row, is dropped). Grids inside a found grid are
// not reported again. cancelled is polled between candidates.
std::vector<FoundGrid> FindGrids(const cv::Mat& gray, const std::function<bool()>& cancelled = {});
