// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <opencv2/core.hpp>
#include <vector>

#include "scan/gridfind.h"

// The paper of a photo made even: each pixel divided by the brightness of the paper around it (the
// picture closed over marks the size of a printed number, at a small scale), so that shadows, uneven
// light and coloured paper become white and only the print stays dark. 8-bit grey, the picture's size.
cv::Mat EvenPaper(const cv::Mat& gray);

// 5 × 5 grids found from the numbers themselves, for tickets without ruled lines (numbers in boxes, in
// circles or alone): marks the size of a printed number, set out in five rows and five columns at even
// spacing, turned and in perspective. Numbers inside the quadrilaterals in taken (picture pixels) are
// left out: their grids were found already. The cells hold the numbers' marks alone on white paper;
// rows and columns of number-like marks just outside the grid come in besideLines to be read.
std::vector<FoundGrid> FindNumberGrids(const cv::Mat& gray,
                                       const std::vector<std::vector<cv::Point2f>>& taken,
                                       const std::function<bool()>& cancelled = {});

// A number run into the box round it (bold print in a tight box, blur) is one mark with the box. In a
// straightened cell (8-bit grey, the box about its edges) the box's sides are runs of ink along its
// rows and columns, longer than any digit is wide or tall: taken away, the number stands apart again.
// Returns the cell with the number alone on white paper; empty when the cell holds no such box, no
// number in its middle, or a digit the sides cut (what is left of it may read as another digit).
cv::Mat NumberOutOfBox(const cv::Mat& cell);

// The same for a number lost with the circle round it, where the two were one mark at the picture's
// size but stand apart in the enlarged, straightened cell (square, 8-bit grey): the circle is fitted to
// the outermost ink along rays from the cell's middle and taken away as thick as it is. Empty when the
// outermost ink is no circle about the middle, when a digit touches the circle, when print outside it
// reaches the cell's middle or a mark as tall as a digit reaches out of its inner three quarters, or
// when nothing as tall as a digit is left.
cv::Mat NumberOutOfRing(const cv::Mat& cell);

// Tickets print each number in the middle of its cell. A number's marks off the middle (by more than a
// fourteenth of the cell's width) are what is left of a number whose other digit ran into something
// printed behind it or into the cell's line, or came out too faint, and was not kept: "7" of 27. Unless the
// numbers of its row or of its column lie as far off, as on a curled sheet, whose rows and columns bend away
// from the lattice fitted to them all: a lone digit stands off on its own. For a grid's 25 cells, cell 1
// first: which are so off.
std::array<bool, 25> NumbersOffCentre(const std::array<cv::Mat, 25>& cells);
