// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/digitshape.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <opencv2/imgproc.hpp>

namespace {

// A single digit is at most this wide for its height (a bold monospaced 0); marks wider than that
// are two digits touching.
constexpr double kWidestDigit = 0.9;

// A piece less tall than this share of the tallest one may be a part of another digit over its columns.
constexpr double kPartOfDigit = 0.7;

// Pieces, left to right, put together where one lies over the other's columns (overlapping by more
// than half the narrower one's width) and `together` agrees.
std::vector<cv::Rect> overColumns(std::vector<cv::Rect> pieces,
                                  const std::function<bool(const cv::Rect&, const cv::Rect&)>& together) {
  std::sort(pieces.begin(), pieces.end(), [](const cv::Rect& a, const cv::Rect& b) { return a.x < b.x; });
  std::vector<cv::Rect> marks;
  for (const cv::Rect& p : pieces) {
    if (!marks.empty() && ColumnsShared(marks.back(), p) * 2 > std::min(marks.back().width, p.width) &&
        together(marks.back(), p))
      marks.back() |= p;
    else
      marks.push_back(p);
  }
  return marks;
}

}  // namespace

DigitShape ShapeOfDigit(const cv::Mat& marks) {
  DigitShape out{};
  if (marks.empty()) return out;
  // Tight around the ink: the box of a digit cut from two may hold the other's height.
  double strongest = 0;
  cv::minMaxLoc(marks, nullptr, &strongest);
  if (strongest <= 0) return out;
  const cv::Mat ink = marks(cv::boundingRect(marks > strongest / 4));
  // The height fills the square; the width keeps the digit's proportions, so a 1 stays narrow.
  const int width = std::clamp(int(std::lround(double(ink.cols) * kShapeSide / ink.rows)), 1, kShapeSide);
  cv::Mat scaled;
  cv::resize(ink, scaled, cv::Size(width, kShapeSide), 0, 0,
             ink.rows > kShapeSide ? cv::INTER_AREA : cv::INTER_LINEAR);
  cv::Mat square = cv::Mat::zeros(kShapeSide, kShapeSide, CV_8UC1);
  scaled.copyTo(square(cv::Rect((kShapeSide - width) / 2, 0, width, kShapeSide)));
  // A little blur, so that a stroke one pixel off still lies close to the learnt one.
  cv::GaussianBlur(square, square, cv::Size(3, 3), 0.7);
  std::copy(square.begin<unsigned char>(), square.end<unsigned char>(), out.begin());
  return out;
}

std::vector<cv::Rect> DigitBoxes(std::vector<cv::Rect> pieces, const cv::Mat& ink) {
  std::vector<cv::Rect> digits =
      overColumns(std::move(pieces), [](const cv::Rect&, const cv::Rect&) { return true; });
  if (digits.size() == 1 && digits[0].width > digits[0].height * kWidestDigit) {
    // Two digits run together (blur, bold type): cut at the column of least ink near the middle,
    // not further out, where the inside of a 0 has less ink than the place where two digits touch.
    const cv::Rect whole = digits[0];
    cv::Mat columns;
    cv::reduce(ink(whole), columns, 0, cv::REDUCE_SUM, CV_32F);
    int cut = whole.width / 2;
    for (int x = whole.width * 4 / 10; x < whole.width * 6 / 10; ++x)
      if (columns.at<float>(x) < columns.at<float>(cut)) cut = x;
    digits = {cv::Rect(whole.x, whole.y, cut, whole.height),
              cv::Rect(whole.x + cut, whole.y, whole.width - cut, whole.height)};
  }
  if (digits.size() > 2) return {};
  return digits;
}

int ColumnsShared(const cv::Rect& a, const cv::Rect& b) {
  return std::min(a.x + a.width, b.x + b.width) - std::max(a.x, b.x);
}

int RowsShared(const cv::Rect& a, const cv::Rect& b) {
  return std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
}

int SeparateMarks(std::vector<cv::Rect> pieces) {
  int tallest = 0;
  for (const cv::Rect& p : pieces) tallest = std::max(tallest, p.height);
  return int(overColumns(std::move(pieces), [tallest](const cv::Rect& a, const cv::Rect& b) {
               return std::min(a.height, b.height) < tallest * kPartOfDigit;
             }).size());
}
