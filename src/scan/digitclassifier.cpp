// SPDX-License-Identifier: GPL-3.0-or-later
// Nearest neighbours over a few thousand rendered shapes: OpenCV's batchDistance (in its core) does the
// search, so no learning library is added; there is nothing to train, and the distance to the nearest
// glyph of another digit is the confidence the reader needs.
#include "scan/digitclassifier.h"

#include <limits>

extern const int kGlyphCount;
extern const unsigned char kGlyphDigits[];
extern const char kGlyphShapes[][kShapeLength + 1];

namespace {

const cv::Mat& glyphs() {
  static const cv::Mat all = [] {
    cv::Mat m(kGlyphCount, kShapeLength, CV_32F);
    for (int i = 0; i < kGlyphCount; ++i)
      for (int j = 0; j < kShapeLength; ++j)
        m.at<float>(i, j) = float(static_cast<unsigned char>(kGlyphShapes[i][j]));
    return m;
  }();
  return all;
}

}  // namespace

DigitGuess ClassifyDigit(const DigitShape& shape) {
  DigitGuess guess;
  cv::Mat query(1, kShapeLength, CV_32F);
  for (int j = 0; j < kShapeLength; ++j) query.at<float>(0, j) = float(shape[std::size_t(j)]);
  if (cv::countNonZero(query) == 0) return guess;
  cv::Mat distances;
  cv::batchDistance(query, glyphs(), distances, CV_32F, cv::noArray(), cv::NORM_L2);
  float nearest[10];
  std::fill(std::begin(nearest), std::end(nearest), std::numeric_limits<float>::max());
  for (int i = 0; i < kGlyphCount; ++i) {
    float& n = nearest[kGlyphDigits[i]];
    n = std::min(n, distances.at<float>(0, i));
  }
  int best = 0;
  for (int d = 1; d < 10; ++d)
    if (nearest[d] < nearest[best]) best = d;
  float other = std::numeric_limits<float>::max();
  for (int d = 0; d < 10; ++d)
    if (d != best) other = std::min(other, nearest[d]);
  guess.digit = best;
  guess.margin = other / std::max(nearest[best], 1.0f);
  return guess;
}
