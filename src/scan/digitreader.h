// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <array>
#include <opencv2/core.hpp>

// What the digit reader made of one cell.
struct CellReading {
  bool ink = false;      // something is written in the cell
  QString digits;        // the digits read, empty when nothing could be read
  bool certain = false;  // the shape reader is sure, or it and Tesseract agree; the marks match the digits
  // The shape reader's digits, also when it is unsure: what the marks look like most, for telling a
  // badly read line of numbers from a line of letters. Empty where the marks are no digits or do not
  // fit them (more marks than digits, too wide or narrow), or are hidden in part.
  QString guess;
};

// Reads the numbers of one straightened grid's 25 cells. Throws ScanError when Tesseract or its
// English data are missing.
std::array<CellReading, 25> ReadGridCells(const std::array<cv::Mat, 25>& cells);
