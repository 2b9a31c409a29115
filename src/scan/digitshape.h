// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <opencv2/core.hpp>
#include <vector>

// The shape of one printed digit, as the digit classifier compares it: the digit's ink scaled to a
// fixed height, centred in a square. The same code makes the shapes of the glyphs the classifier
// learns from (at build time) and of the digits in a picture, so both are cut and scaled alike.

constexpr int kShapeSide = 16;
constexpr int kShapeLength = kShapeSide * kShapeSide;
using DigitShape = std::array<unsigned char, kShapeLength>;

// ink: the digit's marks bright on black (0 paper .. 255 full ink), cropped to the digit.
DigitShape ShapeOfDigit(const cv::Mat& ink);

// The boxes of the digits among the separate marks of a number (boxes of its pieces, in the cell's
// pixels), left to right: pieces above each other are one digit (a broken stroke), and a piece as wide
// as two digits is cut where it has least ink. Empty when the marks are more than two digits.
std::vector<cv::Rect> DigitBoxes(std::vector<cv::Rect> pieces, const cv::Mat& ink);

// How many columns (rows) two boxes share; less than none: the width (height) of the gap between them.
int ColumnsShared(const cv::Rect& a, const cv::Rect& b);
int RowsShared(const cv::Rect& a, const cv::Rect& b);

// How many separate marks pieces make: as in DigitBoxes, a piece over the same columns as another is a
// part of the same digit (a thin joint of a bold serif digit broken in the threshold, the ball of a 2,
// the flag of a 5), but not where both are as tall as a digit: a 1 kerned under the arm of a 7 is a
// digit of its own.
int SeparateMarks(std::vector<cv::Rect> pieces);
