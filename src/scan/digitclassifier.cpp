// SPDX-License-Identifier: GPL-3.0-or-later
// Nearest neighbours over tens of thousands of rendered shapes: OpenCV's batchDistance and PCA (in its
// core) do the arithmetic, so no learning library is added; there is nothing to train, and the distance
// to the nearest glyph of another digit is the confidence the reader needs. The search is exact but
// pruned by a bound that approximate nearest-neighbour libraries do not keep (see below).
#include "scan/digitclassifier.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <opencv2/core.hpp>

extern const int kGlyphCount;
extern const unsigned char kGlyphDigits[];
extern const char kGlyphShapes[][kShapeLength + 1];

namespace {

// Glyphs measured for the basis of the bound below: every this many-th.
constexpr int kBasisSample = 16;
// Directions the bound measures along.
constexpr int kBasisSize = 24;
// A bound is taken for this share of itself, less one.
constexpr float kRounding = 0.999f;

// The glyphs, and each projected onto a few orthonormal directions: for any two shapes the distance
// between their projections is at most the distance between the shapes, and along the directions in
// which the glyphs differ most (their principal components) it is most of it, at a tenth of the cost.
// A glyph whose projected distance exceeds the nearest found so far of its digit cannot be nearer.
struct Glyphs {
  cv::Mat shapes;     // a row of 0..255 levels per glyph
  cv::PCA basis;      // the directions, as rows, orthonormal
  cv::Mat projected;  // the glyphs projected
};

const Glyphs& glyphs() {
  static const Glyphs all = [] {
    Glyphs g;
    g.shapes.create(kGlyphCount, kShapeLength, CV_32F);
    for (int i = 0; i < kGlyphCount; ++i)
      for (int j = 0; j < kShapeLength; ++j)
        g.shapes.at<float>(i, j) = float(static_cast<unsigned char>(kGlyphShapes[i][j]));
    // Any orthonormal directions give a true bound; those of a sample of the glyphs give a close one.
    cv::Mat sample;
    for (int i = 0; i < kGlyphCount; i += kBasisSample) sample.push_back(g.shapes.row(i));
    g.basis = cv::PCA(sample, cv::noArray(), cv::PCA::DATA_AS_ROW, kBasisSize);
    g.projected = g.basis.project(g.shapes);
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
  cv::batchDistance(all.basis.project(query), all.projected, bounds, CV_32F, cv::noArray(), cv::NORM_L2SQR);
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
    // (The projections' rounding may put a bound a hair above the distance it bounds.)
    if (bound[i] * kRounding - 1 < n) n = std::min(n, distance(i));
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
