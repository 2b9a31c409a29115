// SPDX-License-Identifier: GPL-3.0-or-later
// Nearest neighbours over tens of thousands of rendered shapes: OpenCV's batchDistance (in its core)
// does the arithmetic, so no learning library is added; there is nothing to train, and the distance to
// the nearest glyph of another digit is the confidence the reader needs. The search is exact but
// pruned by a bound no learning library offers for this measure (see below).
#include "scan/digitclassifier.h"

#include <algorithm>
#include <cmath>
#include <limits>

extern const int kGlyphCount;
extern const unsigned char kGlyphDigits[];
extern const char kGlyphShapes[][kShapeLength + 1];

namespace {

constexpr int kPooledSide = kShapeSide / 2;
constexpr int kPooledLength = kPooledSide * kPooledSide;

// A shape's 2 × 2 blocks, each the sum of its four levels halved. For any two shapes the distance
// between these is at most the distance between the shapes (the square of a block's summed
// differences is at most four times the sum of their squares), and it costs a quarter to measure: a
// glyph whose pooled distance exceeds the nearest found so far of its digit cannot be nearer.
cv::Mat pooled(const cv::Mat& shapes) {
  cv::Mat out(shapes.rows, kPooledLength, CV_32F);
  for (int i = 0; i < shapes.rows; ++i) {
    const float* s = shapes.ptr<float>(i);
    float* o = out.ptr<float>(i);
    for (int y = 0; y < kPooledSide; ++y)
      for (int x = 0; x < kPooledSide; ++x) {
        const int at = 2 * y * kShapeSide + 2 * x;
        o[y * kPooledSide + x] = (s[at] + s[at + 1] + s[at + kShapeSide] + s[at + kShapeSide + 1]) / 2;
      }
  }
  return out;
}

struct Glyphs {
  cv::Mat shapes;  // a row of 0..255 levels per glyph
  cv::Mat pooled;  // the same, pooled
};

const Glyphs& glyphs() {
  static const Glyphs all = [] {
    Glyphs g;
    g.shapes.create(kGlyphCount, kShapeLength, CV_32F);
    for (int i = 0; i < kGlyphCount; ++i)
      for (int j = 0; j < kShapeLength; ++j)
        g.shapes.at<float>(i, j) = float(static_cast<unsigned char>(kGlyphShapes[i][j]));
    g.pooled = pooled(g.shapes);
    return g;
  }();
  return all;
}

}  // namespace

DigitGuess ClassifyDigit(const DigitShape& shape) {
  DigitGuess guess;
  cv::Mat query(1, kShapeLength, CV_32F);
  for (int j = 0; j < kShapeLength; ++j) query.at<float>(0, j) = float(shape[std::size_t(j)]);
  if (cv::countNonZero(query) == 0) return guess;
  const Glyphs& all = glyphs();
  // Kept from call to call: as large as it is, a new one would be fresh pages from the system each time,
  // cleared by it first: a fifth of the reading time of a photo went to that.
  thread_local cv::Mat bounds;
  cv::batchDistance(pooled(query), all.pooled, bounds, CV_32F, cv::noArray(), cv::NORM_L2SQR);
  const float* bound = bounds.ptr<float>(0);
  // Squared distances. Each digit's nearest is first sought among the glyphs of least bound, whose
  // distance makes a good first limit, then among every glyph under that limit.
  float nearest[10];
  std::fill(std::begin(nearest), std::end(nearest), std::numeric_limits<float>::max());
  int closest[10];
  std::fill(std::begin(closest), std::end(closest), -1);
  for (int i = 0; i < kGlyphCount; ++i) {
    const int d = kGlyphDigits[i];
    if (closest[d] < 0 || bound[i] < bound[closest[d]]) closest[d] = i;
  }
  const float* q = query.ptr<float>(0);
  const auto distance = [&](int i) {
    const float* g = all.shapes.ptr<float>(i);
    float sum = 0;
    for (int j = 0; j < kShapeLength; ++j) sum += (q[j] - g[j]) * (q[j] - g[j]);
    return sum;
  };
  for (int d = 0; d < 10; ++d)
    if (closest[d] >= 0) nearest[d] = distance(closest[d]);
  for (int i = 0; i < kGlyphCount; ++i) {
    float& n = nearest[kGlyphDigits[i]];
    if (bound[i] < n) n = std::min(n, distance(i));
  }
  int best = 0;
  for (int d = 1; d < 10; ++d)
    if (nearest[d] < nearest[best]) best = d;
  float other = std::numeric_limits<float>::max();
  for (int d = 0; d < 10; ++d)
    if (d != best) other = std::min(other, nearest[d]);
  guess.digit = best;
  guess.margin = std::sqrt(other) / std::max(std::sqrt(nearest[best]), 1.0f);
  return guess;
}
