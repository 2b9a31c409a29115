// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/blobgrid.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <memory>
#include <numeric>
#include <opencv2/imgproc.hpp>
#include <optional>
#include <set>
#include <utility>

namespace {

// Numbers are searched on a copy of at most this long a side: a 12-megapixel photo whole, so that the
// digits of small cells keep enough pixels to be told from specks.
constexpr int kWorkSide = 4000;
// Print is darker than this share of the paper around it.
constexpr double kInkShare = 0.8;
// The digits kept in a cell are print darker than this share, so that a faint pattern behind them is not.
constexpr double kFirmInk = 0.8;
// A box this many shades lighter than the darkest of its number is told from the number by shade.
constexpr int kLighterBox = 60;
// A box's inside lighter than this share is the paper: the box is outlined, not filled.
constexpr double kPaperShade = 0.9;
// A mark kept as print is somewhere darker than this share of the paper.
constexpr double kFaintest = 0.5;
// A mark the search takes for a digit is somewhere darker than this share: a light circle or pattern
// round the numbers is not. Print between this and kFaintest still places its grid, though the cells
// do not keep it: its cells stay in doubt rather than the ticket going unfound.
constexpr double kSearchedInk = 0.62;
static_assert(kSearchedInk > kFaintest);
constexpr int kSmallestDigit = 6;
// A number of two digits, or a mark of two digits run together, is at most this many times as wide as
// tall: the nearly square digits of a wide bold face (a Bookman, an extended sans) make it 1.8.
constexpr double kWidestNumber = 1.9;
// Side of one straightened cell.
constexpr int kCell = 80;
// A grid holds at least this many of its 25 numbers as marks of their own.
constexpr int kLeastNumbers = 13;
// A grid found only on the print as dark as digits, with lighter print round its numbers left out, holds
// at least this many: most of a ticket's numbers stand apart once the lighter print is gone.
constexpr int kLeastFirmNumbers = 20;
// A number lies this share of the spacing from where the fitted grid puts it at most.
constexpr double kMostOff = 0.3;

struct Number {
  cv::Rect box;
  cv::Point2f centre;
  float height = 0;
  std::vector<int> labels;  // the pieces it is made of
  cv::Point2f turned;       // centre turned by the grid's slant
  cv::Point index;          // column and row in the lattice
  bool indexed = false;
};

int findRoot(std::vector<int>& parent, int i) {
  while (parent[std::size_t(i)] != i)
    i = parent[std::size_t(i)] = parent[std::size_t(parent[std::size_t(i)])];
  return i;
}

bool similarHeight(float a, float b, float most) {
  return std::max(a, b) <= most * std::min(a, b);
}

float median(std::vector<float> v) {
  if (v.empty()) return 0;
  std::nth_element(v.begin(), v.begin() + std::ptrdiff_t(v.size() / 2), v.end());
  return v[v.size() / 2];
}

// Least-squares homography from lattice points to picture points (no library here offers one without
// the camera-calibration module, which nothing else needs).
bool fitHomography(const std::vector<cv::Point2f>& from, const std::vector<cv::Point2f>& to, cv::Matx33d& h) {
  const int n = int(from.size());
  if (n < 4) return false;
  cv::Point2d mean(0, 0);
  for (const cv::Point2f& p : to) mean += cv::Point2d(p);
  mean *= 1.0 / n;
  double spread = 0;
  for (const cv::Point2f& p : to) spread += cv::norm(cv::Point2d(p) - mean);
  spread = std::max(1e-6, spread / n);
  cv::Mat a(2 * n, 8, CV_64F), b(2 * n, 1, CV_64F);
  for (int i = 0; i < n; ++i) {
    const double x = from[std::size_t(i)].x, y = from[std::size_t(i)].y;
    const double u = (to[std::size_t(i)].x - mean.x) / spread, v = (to[std::size_t(i)].y - mean.y) / spread;
    const double ra[8] = {x, y, 1, 0, 0, 0, -u * x, -u * y};
    const double rb[8] = {0, 0, 0, x, y, 1, -v * x, -v * y};
    for (int k = 0; k < 8; ++k) {
      a.at<double>(2 * i, k) = ra[k];
      a.at<double>(2 * i + 1, k) = rb[k];
    }
    b.at<double>(2 * i) = u;
    b.at<double>(2 * i + 1) = v;
  }
  cv::Mat s;
  if (!cv::solve(a, b, s, cv::DECOMP_SVD)) return false;
  const cv::Matx33d normed(s.at<double>(0), s.at<double>(1), s.at<double>(2), s.at<double>(3),
                           s.at<double>(4), s.at<double>(5), s.at<double>(6), s.at<double>(7), 1);
  const cv::Matx33d back(spread, 0, mean.x, 0, spread, mean.y, 0, 0, 1);
  h = back * normed;
  return true;
}

// The rows (or columns) beyond the grid whose first cell is (col, row) of the lattice, holding number-like
// marks as a line of a ticket would: three, or two right next to the grid, where the rest of a ticket's
// line may be hidden under another sheet. numbersAt: the lattice's cells holding a number; leaveOut: a
// line not to count.
std::vector<int> linesBeyond(const std::set<std::pair<int, int>>& numbersAt, int col, int row, bool rows,
                             int leaveOut = std::numeric_limits<int>::min()) {
  const int from = rows ? row : col, across = rows ? col : row;
  std::map<int, int> count;
  for (const auto& [c, r] : numbersAt) {
    const int along = rows ? r : c, side = rows ? c : r;
    if (side >= across && side < across + 5 && (along < from || along >= from + 5) && along != leaveOut)
      ++count[along];
  }
  std::vector<int> lines;
  for (const auto& [line, n] : count)
    if (n >= 3 || (n == 2 && (line == from - 1 || line == from + 5))) lines.push_back(line);
  return lines;
}

cv::Point2f apply(const cv::Matx33d& h, double x, double y) {
  const cv::Vec3d p = h * cv::Vec3d(x, y, 1);
  return {float(p[0] / p[2]), float(p[1] / p[2])};
}

// The bounding box of mark i of a labelling's statistics.
cv::Rect rectOf(const cv::Mat& stats, int i) {
  return {stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
          stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT)};
}

// The shades of a box's inside (the pixels of shades where mask is set): their count, their median (the
// box's own shade) and the darkest of them.
struct BoxShades {
  std::size_t count = 0;
  int shade = 255;
  int darkest = 255;
  std::size_t near = 0;  // how many lie within 25 of the median: an even fill
};

BoxShades shadesOf(const cv::Mat& shades, const cv::Mat& mask) {
  std::vector<uchar> fill;
  BoxShades out;
  for (int y = 0; y < shades.rows; ++y) {
    const uchar* m = mask.ptr<uchar>(y);
    const uchar* v = shades.ptr<uchar>(y);
    for (int x = 0; x < shades.cols; ++x)
      if (m[x]) {
        fill.push_back(v[x]);
        out.darkest = std::min(out.darkest, int(v[x]));
      }
  }
  out.count = fill.size();
  if (fill.empty()) return out;
  std::nth_element(fill.begin(), fill.begin() + std::ptrdiff_t(fill.size() / 2), fill.end());
  out.shade = fill[fill.size() / 2];
  out.near = std::size_t(
      std::count_if(fill.begin(), fill.end(), [&](uchar v) { return std::abs(int(v) - out.shade) <= 25; }));
  return out;
}

// Everything the search found in one picture.
class NumberSearch {
 public:
  NumberSearch(const cv::Mat& even, double scale, double inkShare = kInkShare)
      : even_(even), scale_(scale), inkShare_(inkShare) {}

  void findNumbers(const std::vector<std::vector<cv::Point2f>>& taken);
  std::vector<std::vector<int>> clusters(int least = kLeastNumbers);
  // True when most of the numbers lie inside one of the quadrilaterals (picture pixels).
  bool mostlyInside(const std::vector<int>& members,
                    const std::vector<std::vector<cv::Point2f>>& quads) const;
  // fitted: the lattice's map from cells (x columns, y rows) to the search's picture.
  // least: how many of its 25 numbers the grid must hold as marks of their own.
  // numbersAt: the lattice's cells holding a number, the grid's first at (0, 0) (filled, and to be
  // ignored, also when there is no grid).
  bool gridOf(const std::vector<int>& members, FoundGrid& grid, cv::Matx33d& fitted,
              std::set<std::pair<int, int>>& numbersAt, int least = kLeastNumbers);
  // The five cells of a row or column of the lattice.
  std::vector<cv::Mat> lineOf(const cv::Matx33d& h, const cv::Rect2d& lattice) const;
  // The grid of the 5 × 5 cells at (col, row) of the lattice that h maps onto the picture: its cells,
  // outline and the doubts about them.
  void placeGrid(const cv::Matx33d& h, int col, int row, FoundGrid& grid) const;

 private:
  // stats: the statistics of the picture's marks.
  // darkest: each mark's darkest shade.
  void numbersIn(const cv::Mat& labels, const cv::Mat& stats, const std::vector<uchar>& darkest,
                 const std::vector<std::vector<cv::Point2f>>& taken);
  cv::Mat cellsOf(const cv::Matx33d& h, cv::Rect2d lattice, std::vector<bool>* blocked = nullptr) const;
  bool printOnBox(const cv::Rect& region, const cv::Mat& labels, const cv::Mat& stats, int label,
                  uchar darkest, cv::Mat& keep) const;

  const cv::Mat even_;
  double scale_;
  double inkShare_;
  std::vector<Number> numbers_;
  std::vector<float> nearest_;
};

// A mark (8-bit, 0 where it is not) with the paper it surrounds made part of it: the holes a grainy
// fill about as light as the threshold comes out with belong to its box as much as the rest of it.
cv::Mat withHoles(const cv::Mat& mark) {
  cv::Mat solid;
  cv::copyMakeBorder(mark, solid, 1, 1, 1, 1, cv::BORDER_CONSTANT, 0);
  cv::floodFill(solid, cv::Point(0, 0), 128);
  return solid(cv::Rect(1, 1, mark.cols, mark.rows)) != 128;
}

// Boxes filled with a shade of their own, darker than the print threshold, come out of it as solid
// marks with the number hidden in them: such a box is replaced in ink by the print on it, what is darker
// than halfway between the box's shade and its darkest point, away from the box's edge (its outline).
// labels and stats are ink's marks; true when a box was replaced.
bool liftPrintOffBoxes(const cv::Mat& even, const cv::Mat& labels, const cv::Mat& stats, cv::Mat& ink) {
  const int tallest = std::max(even.cols, even.rows) / 12;
  bool lifted = false;
  for (int i = 1; i < stats.rows; ++i) {
    const cv::Rect b = rectOf(stats, i);
    // Square-ish and solid: a box turned by 20° still fills more than half its bounding box.
    if (b.height < 3 * kSmallestDigit || b.height > tallest || b.width < 0.6 * b.height ||
        b.width > 1.7 * b.height || stats.at<int>(i, cv::CC_STAT_AREA) < 0.5 * b.area())
      continue;
    const cv::Mat mark = labels(b) == i;
    cv::Mat inner;
    const int edge = std::max(3, b.height / 8) | 1;
    cv::erode(withHoles(mark), inner, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(edge, edge)));
    const cv::Mat shades = even(b);
    const BoxShades box = shadesOf(shades, inner);
    // A solid mark of one shade (a blot, an empty box, a filled star) holds no print; a box's fill is
    // one even shade over most of its inside (a patch of a patterned table is not), darker than paper
    // (the inside of a box outlined only, which bold print ran into).
    if (box.count * 3 < std::size_t(b.area()) || box.shade - box.darkest < 60 || box.near * 2 < box.count ||
        box.shade > 255 * kPaperShade)
      continue;
    ink(b).setTo(0, mark);
    ink(b).setTo(255, inner & (shades < (box.shade + box.darkest) / 2));
    lifted = true;
  }
  return lifted;
}

// Each mark's darkest shade in shades, by its label (count labels, 0 the paper's).
std::vector<uchar> darkestOf(const cv::Mat& labels, const cv::Mat& shades, int count) {
  std::vector<uchar> darkest(std::size_t(count), 255);
  for (int y = 0; y < labels.rows; ++y) {
    const int* row = labels.ptr<int>(y);
    const uchar* value = shades.ptr<uchar>(y);
    for (int x = 0; x < labels.cols; ++x)
      if (row[x] != 0) darkest[std::size_t(row[x])] = std::min(darkest[std::size_t(row[x])], value[x]);
  }
  return darkest;
}

// Share of a mark's bounds (mark: its pixels there) that is paper it surrounds.
double enclosedShare(const cv::Mat& mark) {
  return double(cv::countNonZero(withHoles(mark)) - cv::countNonZero(mark)) / double(mark.total());
}

// A circle round a number, which the number may have run into (small print, blur): about as wide as
// tall, ink all round the ellipse just inside its bounds, paper halfway in all round (or enclosed by
// it, where the number ran into it), and print in its middle. It stands for its number in the search,
// a mark of its own, not a letter of a word with the circles beside it. A wide bold digit (a Bookman
// 3, 8 or 0) is ink nearly all round its bounds too, but its strokes reach halfway in and enclose
// little; a 0's middle is paper.
bool isRing(const cv::Mat& labels, const cv::Rect& r, int label) {
  if (r.height < 2 * kSmallestDigit || r.width * 4 < r.height * 3 || r.width * 3 > r.height * 4) return false;
  constexpr int kPoints = 24;
  int on = 0, solid = 0;
  const double cx = r.x + r.width / 2.0, cy = r.y + r.height / 2.0;
  for (int k = 0; k < kPoints; ++k) {
    const double a = k * 2 * CV_PI / kPoints;
    bool hit = false;
    for (double inset : {1.0, 2.0, 3.0}) {
      const int x = int(std::lround(cx + (r.width / 2.0 - inset) * std::cos(a)));
      const int y = int(std::lround(cy + (r.height / 2.0 - inset) * std::sin(a)));
      hit = hit || labels.at<int>(y, x) == label;
    }
    on += hit;
    const int x = int(std::lround(cx + r.width / 4.0 * std::cos(a)));
    const int y = int(std::lround(cy + r.height / 4.0 * std::sin(a)));
    solid += labels.at<int>(y, x) == label;
  }
  if (on < kPoints - 2 || solid * 2 >= kPoints) return false;
  const cv::Rect middle(r.x + r.width * 3 / 10, r.y + r.height * 3 / 10, r.width * 2 / 5, r.height * 2 / 5);
  if (cv::countNonZero(labels(middle) != 0) * 12 < middle.area()) return false;
  return solid * 5 <= kPoints || enclosedShare(labels(r) == label) >= 0.3;
}

void NumberSearch::findNumbers(const std::vector<std::vector<cv::Point2f>>& taken) {
  // The labels are the size of the whole picture: they go when the numbers are found, not with the
  // search, which the grids found keep for moving along their lattice.
  cv::Mat ink, labels, stats, centroids;
  cv::threshold(even_, ink, 255 * inkShare_, 255, cv::THRESH_BINARY_INV);
  cv::connectedComponentsWithStats(ink, labels, stats, centroids, 8, CV_32S);
  // Labelled again only where boxes gave up their print: the whole picture's marks are the search's
  // costliest step.
  if (liftPrintOffBoxes(even_, labels, stats, ink))
    cv::connectedComponentsWithStats(ink, labels, stats, centroids, 8, CV_32S);
  // Each mark's darkest point: a light circle or pattern round the numbers, broken by the threshold
  // into pieces as tall as a digit, would join the digits into words.
  numbersIn(labels, stats, darkestOf(labels, even_, stats.rows), taken);
}

void NumberSearch::numbersIn(const cv::Mat& labels, const cv::Mat& stats, const std::vector<uchar>& darkest,
                             const std::vector<std::vector<cv::Point2f>>& taken) {
  numbers_.clear();
  const int n = stats.rows;
  const int tallest = std::max(even_.cols, even_.rows) / 12;
  struct Piece {
    cv::Rect box;
    int label;
    bool ring;
  };
  std::vector<Piece> pieces;
  for (int i = 1; i < n; ++i) {
    const cv::Rect r = rectOf(stats, i);
    const double fill = double(stats.at<int>(i, cv::CC_STAT_AREA)) / r.area();
    // A digit, or two run together: taller than a speck, narrower than a word, not a thin frame.
    if (r.height < kSmallestDigit || r.height > tallest || r.width > kWidestNumber * r.height ||
        fill < 0.12 || darkest[std::size_t(i)] >= 255 * kSearchedInk)
      continue;
    pieces.push_back({r, i, isRing(labels, r, i)});
  }
  std::sort(pieces.begin(), pieces.end(), [](const Piece& a, const Piece& b) { return a.box.x < b.box.x; });
  // Marks in a line, alike in height and close together: the digits of one number, or of neighbouring
  // numbers where a large face leaves little room between the cells, or the letters of a word.
  std::vector<int> parent(pieces.size());
  std::iota(parent.begin(), parent.end(), 0);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    const cv::Rect& a = pieces[i].box;
    for (std::size_t j = i + 1; j < pieces.size() && pieces[j].box.x <= a.x + a.width + a.height; ++j) {
      const cv::Rect& b = pieces[j].box;
      if (pieces[i].ring || pieces[j].ring) continue;
      const int across = std::min(a.y + a.height, b.y + b.height) - std::max(a.y, b.y);
      if (!similarHeight(float(a.height), float(b.height), 1.35f) ||
          across < 0.6 * std::min(a.height, b.height))
        continue;
      if (b.x - (a.x + a.width) <= std::max(a.height, b.height) * 3 / 4)
        parent[std::size_t(findRoot(parent, int(i)))] = findRoot(parent, int(j));
    }
  }
  std::map<int, std::vector<std::size_t>> lines;
  for (std::size_t i = 0; i < pieces.size(); ++i) lines[findRoot(parent, int(i))].push_back(i);
  std::vector<Number> groups;
  for (auto& [root, line] : lines) {
    // Within a number the digits stand closer than the numbers of neighbouring cells: the line is cut
    // where the gap is twice the narrowest. A word's even gaps leave it whole.
    int narrowest = std::numeric_limits<int>::max(), height = 0;
    for (std::size_t k = 0; k < line.size(); ++k) {
      height = std::max(height, pieces[line[k]].box.height);
      if (k > 0) narrowest = std::min(narrowest, pieces[line[k]].box.x - pieces[line[k - 1]].box.br().x);
    }
    Number g;
    for (std::size_t k = 0; k < line.size(); ++k) {
      const cv::Rect& b = pieces[line[k]].box;
      if (k > 0 &&
          b.x - pieces[line[k - 1]].box.br().x > std::max(height * 3 / 10, 2 * std::max(1, narrowest))) {
        groups.push_back(g);
        g = Number();
      }
      g.box = g.labels.empty() ? b : (g.box | b);
      g.labels.push_back(pieces[line[k]].label);
    }
    groups.push_back(g);
  }
  for (Number& g : groups) {
    // Three marks and more, or wider than two digits: a word, a serial number, a barcode.
    if (g.labels.size() > 2 || g.box.width > kWidestNumber * g.box.height) continue;
    g.centre = cv::Point2f(float(g.box.x) + float(g.box.width) / 2, float(g.box.y) + float(g.box.height) / 2);
    g.height = float(g.box.height);
    const cv::Point2f inPicture = g.centre * float(1.0 / scale_);
    if (std::any_of(taken.begin(), taken.end(), [&](const std::vector<cv::Point2f>& quad) {
          return cv::pointPolygonTest(quad, inPicture, false) >= 0;
        }))
      continue;
    numbers_.push_back(std::move(g));
  }
}

// Numbers linked to their neighbours at about the spacing of the nearest: the numbers of one grid
// hang together, and the next ticket on a sheet lies at least two cells further.
std::vector<std::vector<int>> NumberSearch::clusters(int least) {
  std::sort(numbers_.begin(), numbers_.end(),
            [](const Number& a, const Number& b) { return a.centre.x < b.centre.x; });
  const std::size_t n = numbers_.size();
  nearest_.assign(n, std::numeric_limits<float>::max());
  // Sorted by x, the search for the nearest stops where the distance across alone is larger.
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i + 1; j < n && numbers_[j].centre.x - numbers_[i].centre.x < nearest_[i]; ++j) {
      if (!similarHeight(numbers_[i].height, numbers_[j].height, 1.3f)) continue;
      const float d = float(cv::norm(numbers_[i].centre - numbers_[j].centre));
      nearest_[i] = std::min(nearest_[i], d);
      nearest_[j] = std::min(nearest_[j], d);
    }
  std::vector<int> parent(n);
  std::iota(parent.begin(), parent.end(), 0);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i + 1; j < n && numbers_[j].centre.x - numbers_[i].centre.x < 1.6f * nearest_[i];
         ++j) {
      if (!similarHeight(numbers_[i].height, numbers_[j].height, 1.3f)) continue;
      const float d = float(cv::norm(numbers_[i].centre - numbers_[j].centre));
      if (d < 1.6f * std::min(nearest_[i], nearest_[j]))
        parent[std::size_t(findRoot(parent, int(i)))] = findRoot(parent, int(j));
    }
  std::map<int, std::vector<int>> byRoot;
  for (std::size_t i = 0; i < n; ++i) byRoot[findRoot(parent, int(i))].push_back(int(i));
  std::vector<std::vector<int>> out;
  for (auto& [root, members] : byRoot)
    if (int(members.size()) >= least) out.push_back(std::move(members));
  // The largest first: where two clusters make one grid (circles and the numbers in them), the grid is
  // placed from the fuller.
  std::stable_sort(out.begin(), out.end(),
                   [](const std::vector<int>& a, const std::vector<int>& b) { return a.size() > b.size(); });
  return out;
}

bool NumberSearch::mostlyInside(const std::vector<int>& members,
                                const std::vector<std::vector<cv::Point2f>>& quads) const {
  for (const std::vector<cv::Point2f>& quad : quads) {
    std::size_t in = 0;
    for (int k : members)
      in += cv::pointPolygonTest(quad, numbers_[std::size_t(k)].centre * float(1.0 / scale_), false) >= 0;
    if (in * 2 > members.size()) return true;
  }
  return false;
}

// A box filled with a colour of its own, the number printed on it: the print darker than the box, at a
// threshold a third of the way from the box's shade to the darkest print (halfway cut the thin strokes
// of a serif 7 or 4 away, and left a 1), taken apart from it. Only marks wholly inside the box's inner
// part count, so the box's edge stays out; they are added to keep. False when the box holds no such
// print (an outlined box, whose inside is the paper, or paper the shade of the box).
bool NumberSearch::printOnBox(const cv::Rect& region, const cv::Mat& labels, const cv::Mat& stats, int label,
                              uchar darkest, cv::Mat& keep) const {
  const cv::Rect b = rectOf(stats, label);
  const cv::Rect inner(b.x + b.width / 8, b.y + b.height / 8, b.width - b.width / 4, b.height - b.height / 4);
  if (inner.width < 4 || inner.height < 4) return false;
  const cv::Mat shades = even_(inner + region.tl());
  const cv::Mat fill = withHoles(labels(b) == label)(inner - b.tl());
  const BoxShades box = shadesOf(shades, fill);
  if (box.count * 2 < std::size_t(inner.area()) || box.shade - darkest < 60 || box.shade > 255 * kPaperShade)
    return false;
  cv::Mat pl, ps, pc;
  const int n =
      cv::connectedComponentsWithStats(shades < box.shade - (box.shade - darkest) / 3, pl, ps, pc, 8, CV_32S);
  bool found = false;
  for (int i = 1; i < n; ++i) {
    const cv::Rect r = rectOf(ps, i);
    if (r.x == 0 || r.y == 0 || r.br().x >= inner.width || r.br().y >= inner.height ||
        r.height * 4 < inner.height)
      continue;
    keep(inner).setTo(255, pl == i);
    found = true;
  }
  return found;
}

// The straightened cells of a part of the lattice (in cells, x columns and y rows): the print lying
// wholly inside a cell and smaller than it, white paper everywhere else, so that boxes, circles, lines
// and patterns round the numbers are gone and no digit of a number is lost.
cv::Mat NumberSearch::cellsOf(const cv::Matx33d& h, cv::Rect2d lattice, std::vector<bool>* blocked) const {
  const cv::Size size(int(std::lround(lattice.width)) * kCell, int(std::lround(lattice.height)) * kCell);
  const cv::Matx33d toLattice(1.0 / kCell, 0, lattice.x, 0, 1.0 / kCell, lattice.y, 0, 0, 1);
  const cv::Matx33d toPicture = h * toLattice;
  cv::Mat straight;
  cv::warpPerspective(even_, straight, cv::Mat(toPicture), size, cv::INTER_LINEAR | cv::WARP_INVERSE_MAP,
                      cv::BORDER_CONSTANT, cv::Scalar(255));
  const cv::Rect all(0, 0, even_.cols, even_.rows);
  const int cols = int(std::lround(lattice.width)), rows = int(std::lround(lattice.height));
  const cv::Rect region =
      cv::boundingRect(std::vector<cv::Point2f>{
          apply(h, lattice.x, lattice.y), apply(h, lattice.x + cols, lattice.y),
          apply(h, lattice.x + cols, lattice.y + rows), apply(h, lattice.x, lattice.y + rows)}) &
      all;
  // Cells wholly off the picture hold nothing that could be read.
  if (blocked) blocked->assign(std::size_t(rows * cols), region.empty());
  if (region.empty()) return straight;
  // The marks of the grid's region counted again, at the cells' own threshold: each mark is kept whole
  // in its cell or left out.
  cv::Mat labels, stats, centroids;
  cv::connectedComponentsWithStats(even_(region) < 255 * kFirmInk, labels, stats, centroids, 8, CV_32S);
  // Each mark's darkest point: dots or hatching printed faintly behind the numbers are never as dark as
  // the numbers' print.
  const std::vector<uchar> darkest = darkestOf(labels, even_(region), stats.rows);
  cv::Mat keep = cv::Mat::zeros(region.size(), CV_8UC1);
  const cv::Point2f origin(region.tl());
  // The print of the cell at (r, c) lying wholly inside it and smaller than it, marked in into (marks
  // of the labelling marks, its statistics marksStats, their darkest points marksDarkest); true when
  // print where its number stands was left out, lost in something larger. spread, if given, tells
  // whether that was more than one and a half cells across (a pattern joining it to its neighbours)
  // rather than its own box or circle.
  const auto keepCell = [&](const cv::Mat& marks, const cv::Mat& marksStats,
                            const std::vector<uchar>& marksDarkest, int r, int c, cv::Mat& into,
                            bool* spread = nullptr) {
    const double x = lattice.x + c, y = lattice.y + r;
    // A little inside the cell: a box round the number lies near its edge.
    constexpr double kIn = 0.04;
    const std::vector<cv::Point2f> quad{
        apply(h, x + kIn, y + kIn) - origin, apply(h, x + 1 - kIn, y + kIn) - origin,
        apply(h, x + 1 - kIn, y + 1 - kIn) - origin, apply(h, x + kIn, y + 1 - kIn) - origin};
    const cv::Rect area = cv::boundingRect(quad) & cv::Rect(0, 0, region.width, region.height);
    if (area.empty()) return false;
    const double side = std::sqrt(cv::contourArea(quad));
    // Where the number stands: print there that is not kept ran into something larger (a pattern
    // behind the numbers, a line), and a digit of the number may have gone with it.
    const cv::Rect middle = cv::boundingRect(
        std::vector<cv::Point2f>{apply(h, x + 0.3, y + 0.3) - origin, apply(h, x + 0.7, y + 0.7) - origin});
    int lost = 0;
    // Per mark: 0 left out, 1 kept, 2 a box whose inside was taken apart from it, 3 left out and
    // larger than the cell.
    std::map<int, int> inside;
    for (int yy = area.y; yy < area.y + area.height; ++yy) {
      const int* row = marks.ptr<int>(yy);
      uchar* out = into.ptr<uchar>(yy);
      for (int xx = area.x; xx < area.x + area.width; ++xx) {
        const int l = row[xx];
        if (l == 0) continue;
        auto it = inside.find(l);
        if (it == inside.end()) {
          const cv::Rect b = rectOf(marksStats, l);
          // A circle or frame round the number is as large as the cell; no digit is.
          bool in =
              b.height < 0.7 * side && b.width < 0.8 * side && marksDarkest[std::size_t(l)] < 255 * kFaintest;
          for (const cv::Point& p : {b.tl(), cv::Point(b.x + b.width - 1, b.y), b.br() - cv::Point(1, 1),
                                     cv::Point(b.x, b.y + b.height - 1)})
            in = in && cv::pointPolygonTest(quad, cv::Point2f(p), false) >= 0;
          int verdict = in ? 1 : 0;
          // A box round the number, as large as the cell and wholly in it, that the number lies on.
          if (!in && b.width >= side / 2 && b.height >= side / 2 &&
              cv::pointPolygonTest(quad, cv::Point2f(float(b.x + b.width / 2), float(b.y + b.height / 2)),
                                   false) >= 0 &&
              printOnBox(region, marks, marksStats, l, marksDarkest[std::size_t(l)], into))
            verdict = 2;
          else if (!in && std::max(b.width, b.height) > 1.5 * side)
            verdict = 3;
          it = inside.emplace(l, verdict).first;
        }
        if (it->second == 1) {
          out[xx] = 255;
        } else if ((it->second == 0 || it->second == 3) && middle.contains(cv::Point(xx, yy))) {
          ++lost;
          if (spread && it->second == 3) *spread = true;
        }
      }
    }
    return lost * 25 > middle.area();
  };
  // Per cell: its number lost in something larger, and that more than a cell across.
  std::vector<bool> lost(std::size_t(rows * cols), false), spread(std::size_t(rows * cols), false);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      bool wide = false;
      lost[std::size_t(r * cols + c)] = keepCell(labels, stats, darkest, r, c, keep, &wide);
      spread[std::size_t(r * cols + c)] = wide;
    }
  // The numbers of cells lost in something larger: taken out of their boxes or circles while the cells
  // are still as straightened (they replace those cells once everything else not kept is white), or
  // with the marks counted once more on the print that the search takes for digits, so that lighter
  // print round them (a pattern behind the numbers) no longer joins them to their neighbours. The
  // first keeps a number's soft edges, which the firmer print loses; the second is tried first where
  // what the number was lost in reaches beyond its cell.
  std::vector<std::pair<cv::Rect, cv::Mat>> outOfBoxes;
  if (std::count(lost.begin(), lost.end(), true) > 0) {
    cv::Mat firmLabels, firmStats;
    cv::connectedComponentsWithStats(even_(region) < 255 * kSearchedInk, firmLabels, firmStats, centroids, 8,
                                     CV_32S);
    const std::vector<uchar> firmDarkest = darkestOf(firmLabels, even_(region), firmStats.rows);
    // What the cells' own threshold left out of them.
    const cv::Mat lostInk = (labels != 0) & (keep == 0);
    cv::Mat firm = cv::Mat::zeros(region.size(), CV_8UC1);
    const cv::Rect inRegion(0, 0, region.width, region.height);
    // The cell's number on the firm print, added to keep; false when it is lost there too, or when what
    // it was lost in is solid over a quarter of the cell beside the digits the firm print shows
    // (another sheet lying over the ticket, rather than a pattern printed behind its numbers): a digit
    // under it may be missing ("75" read as 7).
    const auto takeFirm = [&](int r, int c) {
      const double x = lattice.x + c, y = lattice.y + r;
      const std::vector<cv::Point2f> corners{apply(h, x, y) - origin, apply(h, x + 1, y) - origin,
                                             apply(h, x + 1, y + 1) - origin, apply(h, x, y + 1) - origin};
      const double side = std::sqrt(cv::contourArea(corners));
      const cv::Rect near = (cv::boundingRect(corners) + cv::Size(int(side), int(side)) -
                             cv::Point(int(side / 2), int(side / 2))) &
                            inRegion;
      const cv::Rect inside = cv::boundingRect(std::vector<cv::Point2f>{
                                  apply(h, x + 0.1, y + 0.1) - origin, apply(h, x + 0.9, y + 0.9) - origin}) &
                              inRegion;
      firm(near).setTo(0);
      if (near.empty() || inside.empty() || keepCell(firmLabels, firmStats, firmDarkest, r, c, firm))
        return false;
      cv::Mat digits, solid;
      const int grow = std::max(3, int(side / 10)) | 1, core = std::max(3, int(side / 4)) | 1;
      cv::dilate(firm(inside), digits, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(grow, grow)));
      cv::erode(lostInk(inside) & ~digits, solid,
                cv::getStructuringElement(cv::MORPH_RECT, cv::Size(core, core)), cv::Point(-1, -1), 1,
                cv::BORDER_CONSTANT, cv::Scalar(0));
      if (cv::countNonZero(solid) > 0) return false;
      keep(near) |= firm(near);
      return true;
    };
    const auto outOfFrame = [&](const cv::Rect& cell) {
      cv::Mat number = NumberOutOfBox(straight(cell));
      return number.empty() ? NumberOutOfRing(straight(cell)) : number;
    };
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) {
        const std::size_t i = std::size_t(r * cols + c);
        if (!lost[i]) continue;
        const cv::Rect cell(c * kCell, r * kCell, kCell, kCell);
        cv::Mat number = spread[i] ? cv::Mat() : outOfFrame(cell);
        if (number.empty() && takeFirm(r, c)) {
          lost[i] = false;
          continue;
        }
        if (number.empty() && spread[i]) number = outOfFrame(cell);
        if (number.empty()) continue;
        outOfBoxes.emplace_back(cell, std::move(number));
        lost[i] = false;
      }
  }
  if (blocked) *blocked = lost;
  // The cells with only what was kept of their print, and the numbers taken out of their boxes.
  cv::dilate(keep, keep, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3)));
  const cv::Matx33d shift(1, 0, -region.x, 0, 1, -region.y, 0, 0, 1);
  cv::Mat kept;
  cv::warpPerspective(keep, kept, cv::Mat(shift * toPicture), size, cv::INTER_LINEAR | cv::WARP_INVERSE_MAP,
                      cv::BORDER_CONSTANT, cv::Scalar(0));
  straight.setTo(255, kept == 0);
  for (const auto& [cell, number] : outOfBoxes) number.copyTo(straight(cell));
  return straight;
}

bool NumberSearch::gridOf(const std::vector<int>& members, FoundGrid& grid, cv::Matx33d& fitted,
                          std::set<std::pair<int, int>>& numbersAt, int least) {
  // The slant: the directions between neighbours, folded onto a quarter turn.
  double c4 = 0, s4 = 0;
  std::vector<std::pair<int, int>> links;
  for (std::size_t a = 0; a < members.size(); ++a)
    for (std::size_t b = a + 1; b < members.size(); ++b) {
      const Number& p = numbers_[std::size_t(members[a])];
      const Number& q = numbers_[std::size_t(members[b])];
      const cv::Point2f d = q.centre - p.centre;
      const float length = float(cv::norm(d));
      const float reach = std::min(nearest_[std::size_t(members[a])], nearest_[std::size_t(members[b])]);
      if (length >= 1.6f * reach) continue;
      links.push_back({members[a], members[b]});
      if (length < 1.2f * reach) {
        const double phi = std::atan2(d.y, d.x);
        c4 += std::cos(4 * phi);
        s4 += std::sin(4 * phi);
      }
    }
  const double slant = std::atan2(s4, c4) / 4;
  const float cs = float(std::cos(slant)), sn = float(std::sin(slant));
  for (int k : members) {
    Number& num = numbers_[std::size_t(k)];
    num.turned = cv::Point2f(cs * num.centre.x + sn * num.centre.y, -sn * num.centre.x + cs * num.centre.y);
    num.indexed = false;
  }
  std::vector<float> across, down;
  for (const auto& [a, b] : links) {
    const cv::Point2f d = numbers_[std::size_t(b)].turned - numbers_[std::size_t(a)].turned;
    if (std::abs(d.y) < 0.3f * std::abs(d.x)) across.push_back(std::abs(d.x));
    if (std::abs(d.x) < 0.3f * std::abs(d.y)) down.push_back(std::abs(d.y));
  }
  float px = median(across), py = median(down);
  if (px <= 0 && py <= 0) return false;
  if (px <= 0) px = py;
  if (py <= 0) py = px;
  // Each number's place in the lattice, step by step from its neighbours, so that perspective and
  // a curled sheet, which change the spacing slowly, do not add up.
  std::map<int, std::vector<std::pair<int, cv::Point2f>>> near;
  for (const auto& [a, b] : links) {
    near[a].push_back({b, numbers_[std::size_t(b)].turned - numbers_[std::size_t(a)].turned});
    near[b].push_back({a, numbers_[std::size_t(a)].turned - numbers_[std::size_t(b)].turned});
  }
  int start = members.front();
  for (int k : members)
    if (near[k].size() > near[start].size()) start = k;
  numbers_[std::size_t(start)].indexed = true;
  numbers_[std::size_t(start)].index = {0, 0};
  std::vector<int> queue{start};
  for (std::size_t q = 0; q < queue.size(); ++q) {
    const Number& from = numbers_[std::size_t(queue[q])];
    for (const auto& [to, d] : near[queue[q]]) {
      const float fx = d.x / px, fy = d.y / py;
      const float rx = std::round(fx), ry = std::round(fy);
      if (std::abs(fx - rx) > kMostOff || std::abs(fy - ry) > kMostOff || (rx == 0 && ry == 0)) continue;
      Number& next = numbers_[std::size_t(to)];
      if (next.indexed) continue;
      next.indexed = true;
      next.index = from.index + cv::Point(int(rx), int(ry));
      queue.push_back(to);
    }
  }
  std::map<std::pair<int, int>, std::vector<int>> at;
  int c0 = 0, c1 = 0, r0 = 0, r1 = 0;
  for (int k : queue) {
    const cv::Point i = numbers_[std::size_t(k)].index;
    at[{i.x, i.y}].push_back(k);
    c0 = std::min(c0, i.x), c1 = std::max(c1, i.x), r0 = std::min(r0, i.y), r1 = std::max(r1, i.y);
  }
  // The five rows and columns holding most numbers; between equals the lower rows, since a letter row
  // or a band sits above a ticket.
  auto count = [&](int col, int row, int cols, int rows) {
    int n = 0;
    for (int r = row; r < row + rows; ++r)
      for (int c = col; c < col + cols; ++c) n += at.count({c, r}) ? 1 : 0;
    return n;
  };
  int best = -1, bc = 0, br = 0;
  for (int row = std::min(r0, r1 - 4); row <= std::max(r0, r1 - 4); ++row)
    for (int col = std::min(c0, c1 - 4); col <= std::max(c0, c1 - 4); ++col) {
      const int n = count(col, row, 5, 5);
      if (n >= best) {
        best = n;
        bc = col;
        br = row;
      }
    }
  if (best < least) return false;
  // Rows and columns of numbers beyond the five, to be read: one may be a ticket's row left out.
  numbersAt.clear();
  for (const auto& [place, numbers] : at) numbersAt.insert({place.first - bc, place.second - br});
  std::vector<cv::Rect2d> beside;
  for (int r : linesBeyond(numbersAt, 0, 0, true)) beside.push_back(cv::Rect2d(0, r, 5, 1));
  for (int c : linesBeyond(numbersAt, 0, 0, false)) beside.push_back(cv::Rect2d(c, 0, 1, 5));
  auto numbersIn = [&](int col, int row, int cols, int rows) {
    std::vector<int> out;
    for (int r = row; r < row + rows; ++r)
      for (int c = col; c < col + cols; ++c) {
        const auto it = at.find({c, r});
        if (it != at.end()) out.insert(out.end(), it->second.begin(), it->second.end());
      }
    return out;
  };

  // The lattice fitted to the numbers' centres; numbers far off it are left out.
  std::vector<int> inside = numbersIn(bc, br, 5, 5);
  bool crowded = false;
  for (int r = br; r < br + 5; ++r)
    for (int c = bc; c < bc + 5; ++c) crowded = crowded || (at.count({c, r}) && at[{c, r}].size() > 1);
  cv::Matx33d h;
  int dropped = 0;
  const double pitch = (px + py) / 2;
  for (int round = 0;; ++round) {
    std::vector<cv::Point2f> from, to;
    for (int k : inside) {
      const Number& num = numbers_[std::size_t(k)];
      from.push_back(cv::Point2f(float(num.index.x - bc) + 0.5f, float(num.index.y - br) + 0.5f));
      to.push_back(num.centre);
    }
    if (!fitHomography(from, to, h)) return false;
    double worst = 0;
    std::size_t worstAt = 0;
    for (std::size_t i = 0; i < inside.size(); ++i) {
      const double off = cv::norm(apply(h, from[i].x, from[i].y) - to[i]);
      if (off > worst) worst = off, worstAt = i;
    }
    if (worst <= kMostOff * pitch) break;
    if (round >= 4 || int(inside.size()) <= kLeastNumbers) return false;
    inside.erase(inside.begin() + std::ptrdiff_t(worstAt));
    ++dropped;
  }
  // Rows and columns of numbers beyond the five, lying on the lattice as the grid's own numbers do: one
  // may be a letter row or a ticket's row left out; more and this is a table or a calendar, not a
  // ticket. The pieces of a line of small text under a ticket (a serial number, a notice) may line up
  // with its columns, but they stand off the lattice's points.
  auto onLattice = [&](int col, int row, int cols, int rows) {
    int n = 0;
    for (int r = row; r < row + rows; ++r)
      for (int c = col; c < col + cols; ++c) {
        const auto it = at.find({c, r});
        const cv::Point2f point = apply(h, c - bc + 0.5, r - br + 0.5);
        n += it != at.end() && std::any_of(it->second.begin(), it->second.end(), [&](int k) {
               return cv::norm(numbers_[std::size_t(k)].centre - point) <= kMostOff * pitch;
             });
      }
    return n;
  };
  int rowsBeyond = 0, colsBeyond = 0;
  for (int r = r0; r <= r1; ++r) rowsBeyond += (r < br || r >= br + 5) && onLattice(bc, r, 5, 1) >= 3;
  for (int c = c0; c <= c1; ++c) colsBeyond += (c < bc || c >= bc + 5) && onLattice(c, br, 1, 5) >= 3;
  if (rowsBeyond > 1 || colsBeyond > 1) return false;
  for (const cv::Rect2d& lattice : beside) {
    grid.besideLines.push_back(lineOf(h, lattice));
    (lattice.width > 1 ? grid.rowBeside : grid.columnBeside) = true;
  }
  placeGrid(h, 0, 0, grid);
  grid.uncertain = grid.uncertain || crowded || dropped > 1;
  fitted = h;
  return true;
}

std::vector<cv::Mat> NumberSearch::lineOf(const cv::Matx33d& h, const cv::Rect2d& lattice) const {
  const cv::Mat line = cellsOf(h, lattice);
  std::vector<cv::Mat> cells;
  for (int k = 0; k < 5; ++k)
    cells.push_back(line(lattice.width > 1
                             ? cv::Rect(k * kCell + kCell / 10, kCell / 10, kCell * 4 / 5, kCell * 4 / 5)
                             : cv::Rect(kCell / 10, k * kCell + kCell / 10, kCell * 4 / 5, kCell * 4 / 5))
                        .clone());
  return cells;
}

void NumberSearch::placeGrid(const cv::Matx33d& h, int col, int row, FoundGrid& grid) const {
  std::vector<bool> blocked;
  const cv::Mat straight = cellsOf(h, cv::Rect2d(col, row, 5, 5), &blocked);
  for (int r = 0; r < 5; ++r)
    for (int c = 0; c < 5; ++c) {
      // The middle of the cell, where the number stands: its digits then fill as much of the cell as a
      // ruled grid's do, and the reader's measures of a digit's size hold for them.
      const cv::Mat cell =
          straight(cv::Rect(c * kCell + kCell / 10, r * kCell + kCell / 10, kCell * 4 / 5, kCell * 4 / 5));
      grid.cells[std::size_t(r * 5 + c)] = cell.clone();
    }
  const std::array<bool, 25> offCentre = NumbersOffCentre(grid.cells);
  for (std::size_t i = 0; i < 25; ++i) grid.cellInDoubt[i] = blocked[i] || offCentre[i];
  const std::array<cv::Point2f, 4> corners{apply(h, col, row), apply(h, col + 5, row),
                                           apply(h, col + 5, row + 5), apply(h, col, row + 5)};
  const cv::Rect2f frame(2, 2, float(even_.cols - 4), float(even_.rows - 4));
  bool cut = false;
  grid.corners.clear();
  for (const cv::Point2f& p : corners) {
    cut = cut || !frame.contains(p);
    grid.corners.push_back(p * float(1.0 / scale_));
  }
  grid.uncertain = cut;
  grid.place = cv::boundingRect(grid.corners);
  grid.centre = (grid.corners[0] + grid.corners[2]) * 0.5f;
  grid.angle = std::atan2(corners[1].y - corners[0].y, corners[1].x - corners[0].x);
  grid.height = float((cv::norm(corners[3] - corners[0]) + cv::norm(corners[2] - corners[1])) / 2 / scale_);
  grid.fromNumbers = true;
}

}  // namespace

cv::Mat EvenPaper(const cv::Mat& gray) {
  const double f = std::min(1.0, 480.0 / std::max(gray.cols, gray.rows));
  cv::Mat small;
  cv::resize(gray, small, cv::Size(), f, f, cv::INTER_AREA);
  // Larger than the tallest printed number at this scale, so that closing takes all print away.
  const int k = std::max(3, int(std::lround(std::max(small.cols, small.rows) / 32.0)) | 1);
  cv::Mat paper;
  cv::morphologyEx(small, paper, cv::MORPH_CLOSE,
                   cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(k, k)));
  cv::blur(paper, paper, cv::Size(k, k));
  cv::resize(paper, paper, gray.size(), 0, 0, cv::INTER_LINEAR);
  cv::Mat even;
  cv::divide(gray, paper, even, 255.0);
  return even;
}

namespace {

// How far the middle of a cell's marks as tall as a digit lies right of the cell's middle, in pixels;
// empty when the cell holds none.
std::optional<double> marksOffset(const cv::Mat& cell) {
  // Ink darker than a fixed shade on paper made even, and on a shaded cell of a ruled grid, which
  // keeps the photo's light, darker than the same share of the way from its darkest ink to its paper.
  double lo = 0, hi = 0;
  cv::minMaxLoc(cell, &lo, &hi);
  if (hi - lo < 50) return std::nullopt;
  cv::Mat labels, stats, centroids;
  const int n = cv::connectedComponentsWithStats(cell < std::min(170.0, lo + (hi - lo) * 0.62), labels, stats,
                                                 centroids, 8, CV_32S);
  // The remains of a ruled grid's lines, thin along the cell's edge, are no marks of its number.
  std::vector<bool> lineRemains(std::size_t(std::max(n, 1)), false);
  int tallest = 0;
  for (int i = 1; i < n; ++i) {
    const cv::Rect b = rectOf(stats, i);
    const bool side = b.x == 0 || b.x + b.width >= cell.cols, end = b.y == 0 || b.y + b.height >= cell.rows;
    // Along most of the edge: a narrow 1 at the side is a digit of the number.
    lineRemains[std::size_t(i)] = (side && b.width * 6 < cell.cols && b.height * 10 > cell.rows * 7) ||
                                  (end && b.height * 4 < cell.rows && b.width * 10 > cell.cols * 7);
    if (!lineRemains[std::size_t(i)]) tallest = std::max(tallest, b.height);
  }
  int left = cell.cols, right = 0;
  for (int i = 1; i < n; ++i)
    if (!lineRemains[std::size_t(i)] && stats.at<int>(i, cv::CC_STAT_HEIGHT) * 5 >= tallest * 2) {
      left = std::min(left, stats.at<int>(i, cv::CC_STAT_LEFT));
      right = std::max(right, stats.at<int>(i, cv::CC_STAT_LEFT) + stats.at<int>(i, cv::CC_STAT_WIDTH));
    }
  if (right <= left) return std::nullopt;
  return (left + right - cell.cols) / 2.0;
}

}  // namespace

std::array<bool, 25> NumbersOffCentre(const std::array<cv::Mat, 25>& cells) {
  std::array<std::optional<double>, 25> offset;
  for (std::size_t i = 0; i < 25; ++i) offset[i] = marksOffset(cells[i]);
  // The offset the numbers of each row and of each column share (their median), where it holds any.
  std::array<double, 5> row{}, column{};
  for (std::size_t k = 0; k < 5; ++k)
    for (const bool isRow : {true, false}) {
      std::vector<double> all;
      for (std::size_t j = 0; j < 5; ++j)
        if (const auto& o = offset[isRow ? k * 5 + j : j * 5 + k]) all.push_back(*o);
      if (all.empty()) continue;
      std::nth_element(all.begin(), all.begin() + std::ptrdiff_t(all.size() / 2), all.end());
      (isRow ? row : column)[k] = all[all.size() / 2];
    }
  std::array<bool, 25> out{};
  for (std::size_t i = 0; i < 25; ++i) {
    if (!offset[i]) continue;
    const double most = cells[i].cols / 14.0;
    out[i] = std::abs(*offset[i]) > most && std::abs(*offset[i] - row[i / 5]) > most &&
             std::abs(*offset[i] - column[i % 5]) > most;
  }
  return out;
}

namespace {

// The cell's shades where the number's marks are kept (and their soft edges), but not on its frame,
// white paper everywhere else.
cv::Mat numberAlone(const cv::Mat& cell, cv::Mat keep, const cv::Mat& frame) {
  cv::dilate(keep, keep, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3)));
  cv::Mat out(cell.size(), CV_8UC1, cv::Scalar(255));
  cell.copyTo(out, keep & ~frame);
  return out;
}

// The number inside a box whose sides are known (sides: the box, grown by a pixel), from its print
// ink; empty when a digit touched the box (a piece of it went with the sides) or there is none.
cv::Mat printInBox(const cv::Mat& cell, const cv::Mat& ink, const cv::Mat& sides) {
  const int w = cell.cols, h = cell.rows;
  cv::Mat labels, stats, centroids;
  const int n = cv::connectedComponentsWithStats(ink & ~sides, labels, stats, centroids, 8, CV_32S);
  // Ink taken away with the sides: where a digit touched the box, a piece of it went too, and what is
  // left may read as another digit ("68" as "63"). Such a number stays in doubt.
  cv::Mat cut;
  cv::dilate(ink & sides, cut, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3)));
  // The number's marks: as tall as a digit, wholly inside the middle of the cell. What touched the
  // sides out by the edge is left of the box (a rounded corner); what touched them and reaches the
  // cell's inner half is a digit cut, and a mark as tall as a digit that reaches out of the middle
  // may be one: then the number stays in doubt.
  const cv::Rect middle(w / 8, h / 8, w * 3 / 4, h * 3 / 4), inner(w / 4, h / 4, w / 2, h / 2);
  cv::Mat keep = cv::Mat::zeros(cell.size(), CV_8UC1);
  bool found = false;
  for (int i = 1; i < n; ++i) {
    const cv::Rect b = rectOf(stats, i);
    const cv::Mat mark = labels == i;
    const bool touched = cv::countNonZero(mark & cut) > 0;
    if (touched && !(b & inner).empty()) return {};
    if (touched || b.height * 5 < h) continue;
    if ((b & middle) != b) return {};
    keep.setTo(255, mark);
    found = true;
  }
  if (!found) return {};
  return numberAlone(cell, keep, sides);
}

// The number inside a box round the cell: the box's sides found in lines (ink where no digit lies) and
// the number in print. Empty when there is no such box or no number clear of it.
cv::Mat numberInBox(const cv::Mat& cell, const cv::Mat& lines, const cv::Mat& print) {
  // A thin side, grainy in the photo, breaks into dashes at the threshold: gaps of a few pixels along it
  // are closed before the runs are measured.
  const int longest = cell.cols * 11 / 20, gap = std::max(3, cell.cols / 16);
  cv::Mat across, down;
  cv::morphologyEx(lines, across, cv::MORPH_CLOSE,
                   cv::getStructuringElement(cv::MORPH_RECT, cv::Size(gap, 1)));
  cv::morphologyEx(across, across, cv::MORPH_OPEN,
                   cv::getStructuringElement(cv::MORPH_RECT, cv::Size(longest, 1)));
  cv::morphologyEx(lines, down, cv::MORPH_CLOSE, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(1, gap)));
  cv::morphologyEx(down, down, cv::MORPH_OPEN,
                   cv::getStructuringElement(cv::MORPH_RECT, cv::Size(1, longest)));
  // Only a box round the cell: a side near at least three of its edges (a faint side may fall out of
  // the threshold) and none across its middle (a lattice a half cell off cuts through two boxes, and
  // what is left of a broken side would pass for a 1).
  const int w = cell.cols, h = cell.rows;
  const cv::Rect left(0, 0, w / 4, h), right(w - w / 4, 0, w / 4, h);
  const bool top = cv::countNonZero(across(cv::Rect(0, 0, w, h / 4))) >= w / 3;
  const bool bottom = cv::countNonZero(across(cv::Rect(0, h - h / 4, w, h / 4))) >= w / 3;
  const bool leftSide = cv::countNonZero(down(left)) >= h / 3;
  const bool rightSide = cv::countNonZero(down(right)) >= h / 3;
  if (int(top) + int(bottom) + int(leftSide) + int(rightSide) < 3 ||
      cv::countNonZero((across | down)(cv::Rect(w / 4, h / 4, w / 2, h / 2))) != 0)
    return {};
  // What is left of a side not found, upright and as tall as a digit's fifth, would be taken for a 1
  // ("2" read as 12): then it is no box found.
  for (const auto& [found, band] : {std::pair{leftSide, left}, std::pair{rightSide, right}}) {
    if (found) continue;
    cv::Mat upright;
    cv::morphologyEx(lines(band), upright, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_RECT, cv::Size(1, h / 5)));
    if (cv::countNonZero(upright) > 0) return {};
  }
  cv::Mat sides = across | down;
  cv::dilate(sides, sides, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3)));
  return printInBox(cell, print, sides);
}

}  // namespace

cv::Mat NumberOutOfBox(const cv::Mat& cell) {
  const cv::Mat ink = cell < 255 * kFirmInk;
  cv::Mat number = numberInBox(cell, ink, ink);
  if (!number.empty()) return number;
  // A box printed lighter than its number (a coloured outline, a thin line that the blur lightened),
  // which the number ran into: the print darker than halfway from the box's shade (the ink round the
  // cell's middle) to the number's darkest stands apart from it, and the box is what is left of the ink
  // away from the digits.
  const int w = cell.cols, h = cell.rows;
  cv::Mat round = ink.clone();
  round(cv::Rect(w / 8, h / 8, w * 3 / 4, h * 3 / 4)).setTo(0);
  const BoxShades outside = shadesOf(cell, round);
  if (outside.count == 0) return {};
  const int box = outside.shade;
  double darkest = 255;
  cv::minMaxLoc(cell(cv::Rect(w / 4, h / 4, w / 2, h / 2)), &darkest);
  if (box - darkest < kLighterBox) return {};
  const cv::Mat print = cell < (box + darkest) / 2;
  cv::Mat labels, stats, centroids;
  const int n = cv::connectedComponentsWithStats(print, labels, stats, centroids, 8, CV_32S);
  cv::Mat digits = cv::Mat::zeros(cell.size(), CV_8UC1);
  for (int i = 1; i < n; ++i)
    if (stats.at<int>(i, cv::CC_STAT_HEIGHT) * 5 >= h) digits.setTo(255, labels == i);
  // The digits' soft edges go with them; the box's grain, which breaks its sides, is smoothed.
  cv::dilate(digits, digits, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(5, 5)));
  cv::Mat smooth;
  cv::blur(cell, smooth, cv::Size(3, 3));
  return numberInBox(cell, (smooth < 255 * kFirmInk) & ~digits, print);
}

cv::Mat NumberOutOfRing(const cv::Mat& cell) {
  const cv::Mat ink = cell < 255 * kFirmInk;
  const int w = cell.cols, h = cell.rows;
  const cv::Point2d middle(w / 2.0, h / 2.0);
  const double reach = std::min(w, h) / 2.0 - 1, least = std::min(w, h) / 6.0;
  // Along rays from the cell's middle, the outermost ink and how deep the run of ink from it goes.
  constexpr int kRays = 72;
  std::vector<cv::Point2d> outer;
  std::vector<double> depth;
  for (int k = 0; k < kRays; ++k) {
    const double a = k * 2 * CV_PI / kRays, dx = std::cos(a), dy = std::sin(a);
    auto inkAt = [&](double r) {
      const int x = int(std::lround(middle.x + r * dx)), y = int(std::lround(middle.y + r * dy));
      return x >= 0 && y >= 0 && x < w && y < h && ink.at<uchar>(y, x) != 0;
    };
    double r = reach;
    while (r > least && !inkAt(r)) r -= 0.5;
    if (r <= least) continue;
    const double out = r;
    while (r > least && inkAt(r)) r -= 0.5;
    outer.push_back(middle + cv::Point2d(out * dx, out * dy));
    depth.push_back(out - r);
  }
  if (outer.size() * 10 < kRays * 9) return {};
  // The circle through the outermost ink, least squares (x² + y² + Dx + Ey + F = 0).
  cv::Mat a(int(outer.size()), 3, CV_64F), b(int(outer.size()), 1, CV_64F), sol;
  for (std::size_t i = 0; i < outer.size(); ++i) {
    a.at<double>(int(i), 0) = outer[i].x;
    a.at<double>(int(i), 1) = outer[i].y;
    a.at<double>(int(i), 2) = 1;
    b.at<double>(int(i)) = -(outer[i].x * outer[i].x + outer[i].y * outer[i].y);
  }
  if (!cv::solve(a, b, sol, cv::DECOMP_SVD)) return {};
  const cv::Point2d centre(-sol.at<double>(0) / 2, -sol.at<double>(1) / 2);
  const double radius2 = centre.x * centre.x + centre.y * centre.y - sol.at<double>(2);
  if (radius2 <= 0) return {};
  const double radius = std::sqrt(radius2);
  if (radius < 0.3 * w || radius > 0.55 * w || cv::norm(centre - middle) > 0.1 * w) return {};
  int onRing = 0;
  for (const cv::Point2d& p : outer) onRing += std::abs(cv::norm(p - centre) - radius) <= 0.03 * w;
  if (onRing * 10 < kRays * 9) return {};
  std::nth_element(depth.begin(), depth.begin() + std::ptrdiff_t(depth.size() / 2), depth.end());
  const double thick = depth[depth.size() / 2];
  cv::Mat ring = cv::Mat::zeros(cell.size(), CV_8UC1);
  cv::circle(ring, cv::Point(int(std::lround(centre.x * 16)), int(std::lround(centre.y * 16))),
             int(std::lround((radius - thick / 2) * 16)), cv::Scalar(255), int(std::lround(thick + 3)),
             cv::LINE_8, 4);
  cv::Mat labels, stats, centroids;
  const int n = cv::connectedComponentsWithStats(ink & ~ring, labels, stats, centroids, 8, CV_32S);
  // Ink taken away with the circle, grown by a pixel: a mark it touches ran into the circle, and a
  // digit cut by it may read as another (an 8 cut at its side as 3). Such a number stays in doubt.
  cv::Mat cut;
  cv::dilate(ink & ring, cut, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3)));
  const cv::Rect inner(w / 8, h / 8, w * 3 / 4, h * 3 / 4), core(w / 4, h / 4, w / 2, h / 2);
  cv::Mat keep = cv::Mat::zeros(cell.size(), CV_8UC1);
  bool found = false;
  for (int i = 1; i < n; ++i) {
    const cv::Rect r = rectOf(stats, i);
    const cv::Point2d mid(r.x + r.width / 2.0, r.y + r.height / 2.0);
    // Outside the circle: what is left of the circle itself, or a neighbour's print; unless it reaches
    // into the middle, where it hides the number (a pattern behind it). An arc left of the circle spans
    // the middle with its bounds, not with its ink.
    if (cv::norm(mid - centre) > radius - thick) {
      if (cv::countNonZero(labels(core) == i) > 0) return {};
      continue;
    }
    const bool touched = cv::countNonZero(cut(r) & (labels(r) == i)) > 0;
    // Small marks are kept for the reader, which knows a broken digit's pieces from specks.
    if (r.height * 5 < h) {
      if (touched && r.height * 10 >= h) return {};
      if (!touched) keep.setTo(255, labels == i);
      continue;
    }
    // As tall as a digit: wholly inside the middle and clear of the circle.
    if (touched || (r & inner) != r) return {};
    keep.setTo(255, labels == i);
    found = true;
  }
  if (!found) return {};
  return numberAlone(cell, keep, ring);
}

namespace {

// True when quad (a grid's corners) shares any area with one of quads.
bool overlapsAny(const std::vector<cv::Point2f>& quad, const std::vector<std::vector<cv::Point2f>>& quads) {
  return std::any_of(quads.begin(), quads.end(), [&](const std::vector<cv::Point2f>& other) {
    std::vector<cv::Point2f> common;
    return other.size() == 4 && cv::intersectConvexConvex(quad, other, common) > 0;
  });
}

}  // namespace

std::vector<FoundGrid> FindNumberGrids(const cv::Mat& gray,
                                       const std::vector<std::vector<cv::Point2f>>& taken,
                                       const std::function<bool()>& cancelled) {
  std::vector<FoundGrid> found;
  if (gray.empty() || gray.type() != CV_8UC1) return found;
  const double scale = std::min(1.0, double(kWorkSide) / std::max(gray.cols, gray.rows));
  cv::Mat work;
  if (scale < 1.0)
    cv::resize(gray, work, cv::Size(), scale, scale, cv::INTER_AREA);
  else
    work = gray;
  const cv::Mat even = EvenPaper(work);
  // firm: the second look, on the print as dark as digits (see below).
  const auto pass = [&](bool firm) {
    std::vector<std::vector<cv::Point2f>> known = taken;
    for (const FoundGrid& g : found) known.push_back(g.corners);
    // Shared with the grids found, which may yet be moved along their lattice.
    const auto search = std::make_shared<NumberSearch>(even, scale, firm ? kSearchedInk : kInkShare);
    search->findNumbers(known);
    for (const std::vector<int>& members : search->clusters()) {
      if (cancelled && cancelled()) return false;
      // The circles of a ticket and the numbers in them make two clusters of one grid.
      std::vector<std::vector<cv::Point2f>> here;
      for (const FoundGrid& g : found) here.push_back(g.corners);
      if (search->mostlyInside(members, here)) continue;
      FoundGrid grid;
      cv::Matx33d h;
      std::set<std::pair<int, int>> numbersAt;
      if (!search->gridOf(members, grid, h, numbersAt, firm ? kLeastFirmNumbers : kLeastNumbers)) continue;
      if (firm && (grid.uncertain || overlapsAny(grid.corners, known))) continue;
      grid.moved = [search, h, numbersAt](int columns, int rows, FoundGrid& to) {
        CV_Assert(std::abs(columns) + std::abs(rows) == 1);
        search->placeGrid(h, columns, rows, to);
        // The lines round the moved grid but the one it was moved away from.
        to.besideLines.clear();
        if (rows <= 0) to.besideLines.push_back(search->lineOf(h, cv::Rect2d(columns, rows - 1, 5, 1)));
        if (rows >= 0) to.besideLines.push_back(search->lineOf(h, cv::Rect2d(columns, rows + 5, 5, 1)));
        if (columns <= 0) to.besideLines.push_back(search->lineOf(h, cv::Rect2d(columns - 1, rows, 1, 5)));
        if (columns >= 0) to.besideLines.push_back(search->lineOf(h, cv::Rect2d(columns + 5, rows, 1, 5)));
        // Rows and columns of number-like marks beyond the moved grid, as the search counts them for any
        // grid, but for the line it was moved away from, which was no line of the ticket: with none, a
        // badly read outer line may be the ticket's own.
        const auto awayFrom = [](int from) {
          return from > 0 ? from - 1 : from < 0 ? from + 5 : std::numeric_limits<int>::min();
        };
        to.rowBeside = !linesBeyond(numbersAt, columns, rows, true, awayFrom(rows)).empty();
        to.columnBeside = !linesBeyond(numbersAt, columns, rows, false, awayFrom(columns)).empty();
      };
      found.push_back(std::move(grid));
    }
    return true;
  };
  if (!pass(false)) return {};
  // Where lighter print (a box, a circle, a pattern) joined the digits into larger marks, the search
  // again on the print that it takes for digits alone finds the numbers apart, in places where no grid
  // lies yet. A grid seen only so must show most of its numbers and fit its lattice without doubt: its
  // numbers, cut from what was round them, could as well be a calendar's or a table's, and lie clear of
  // every grid found: beside a ticket found already, its window could take in a column of that one.
  if (!pass(true)) return {};
  return found;
}
