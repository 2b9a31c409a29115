// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/gridfind.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <optional>

#include "scan/blobgrid.h"

namespace {

// Grids are searched on a copy of at most this long a side: enough for twelve tickets on one page,
// and the search then costs the same for a scan as for a 50-megapixel photo.
constexpr int kSearchSide = 1600;
// Width of a straightened grid; each cell is a fifth of it.
constexpr int kGridWidth = 300;
// Corners this close to the picture's edge (pixels of the search copy) are where the picture cuts.
constexpr int kEdge = 3;

float distance(const cv::Point2f& a, const cv::Point2f& b) {
  return std::hypot(a.x - b.x, a.y - b.y);
}

// Corners in the order top left, top right, bottom right, bottom left.
std::array<cv::Point2f, 4> orderCorners(const std::vector<cv::Point>& quad) {
  std::array<cv::Point2f, 4> p;
  for (int i = 0; i < 4; ++i) p[std::size_t(i)] = cv::Point2f(quad[std::size_t(i)]);
  std::array<cv::Point2f, 4> out;
  auto bySum = [](const cv::Point2f& a, const cv::Point2f& b) { return a.x + a.y < b.x + b.y; };
  auto byDiff = [](const cv::Point2f& a, const cv::Point2f& b) { return a.y - a.x < b.y - b.x; };
  out[0] = *std::min_element(p.begin(), p.end(), bySum);
  out[2] = *std::max_element(p.begin(), p.end(), bySum);
  out[1] = *std::min_element(p.begin(), p.end(), byDiff);
  out[3] = *std::max_element(p.begin(), p.end(), byDiff);
  return out;
}

cv::Point2f intersection(const cv::Point2f& a1, const cv::Point2f& a2, const cv::Point2f& b1,
                         const cv::Point2f& b2, bool& ok) {
  const cv::Point2f r = a2 - a1, q = b2 - b1;
  const float cross = r.x * q.y - r.y * q.x;
  ok = std::abs(cross) > 1e-3f * cv::norm(r) * cv::norm(q);
  if (!ok) return a1;
  const float t = ((b1 - a1).x * q.y - (b1 - a1).y * q.x) / cross;
  return a1 + t * r;
}

// The four corners of a grid's outline. A grid drawn without an outer border (as the main window
// draws its tickets) has only inner lines: the hull of that "#" is a rectangle with its corners cut
// off, and its four long sides meet at the grid's real corners.
bool quadOf(const std::vector<cv::Point>& hull, std::vector<cv::Point>& quad) {
  const double perimeter = cv::arcLength(hull, true);
  std::vector<cv::Point> poly;
  cv::approxPolyDP(hull, poly, 0.015 * perimeter, true);
  if (poly.size() == 4) {
    quad = poly;
    return cv::isContourConvex(quad);
  }
  if (poly.size() < 5 || poly.size() > 8) return false;
  const std::size_t n = poly.size();
  std::vector<std::pair<double, std::size_t>> edges;
  for (std::size_t i = 0; i < n; ++i) edges.push_back({cv::norm(poly[(i + 1) % n] - poly[i]), i});
  std::sort(edges.begin(), edges.end(), std::greater<>());
  // The cut corners must be short beside the sides. Where the last cell of a grid without a border is
  // empty or holds a narrow number, the cut there runs across the whole cell: the main window's cells
  // are about 1.45 times as wide as tall, so the cut is 1.76 cell heights against a side of four
  // (2.3 times as long), less in perspective; 2.5 missed such grids.
  if (edges[4].first * 1.6 > edges[3].first) return false;
  std::vector<std::size_t> sides;
  for (int i = 0; i < 4; ++i) sides.push_back(edges[std::size_t(i)].second);
  std::sort(sides.begin(), sides.end());
  quad.clear();
  for (std::size_t i = 0; i < 4; ++i) {
    const std::size_t a = sides[i], b = sides[(i + 1) % 4];
    bool ok = false;
    const cv::Point2f p = intersection(cv::Point2f(poly[a]), cv::Point2f(poly[(a + 1) % n]),
                                       cv::Point2f(poly[b]), cv::Point2f(poly[(b + 1) % n]), ok);
    if (!ok) return false;
    quad.push_back(cv::Point(int(std::lround(p.x)), int(std::lround(p.y))));
  }
  return cv::isContourConvex(quad);
}

struct Span {
  int from;
  int to;  // exclusive
  int size() const { return to - from; }
};

// The stretches between the lines of a profile (share of line pixels per column or row). Stretches
// thinner than a thirtieth of the whole are the width of a blurred line, not a cell.
std::vector<Span> spansBetweenLines(const std::vector<float>& profile) {
  const int n = int(profile.size());
  std::vector<Span> spans;
  int start = -1;
  for (int i = 0; i <= n; ++i) {
    const bool line = i == n || profile[std::size_t(i)] > 0.5f;
    if (!line && start < 0) start = i;
    if (line && start >= 0) {
      if (i - start > n / 30) spans.push_back({start, i});
      start = -1;
    }
  }
  return spans;
}

// The largest span by the smallest; 0 unless there are five.
double unevenness(const std::vector<Span>& spans) {
  if (spans.size() != 5) return 0;
  int lo = spans[0].size(), hi = lo;
  for (const Span& s : spans) {
    lo = std::min(lo, s.size());
    hi = std::max(hi, s.size());
  }
  return double(hi) / std::max(1, lo);
}

// Cells of a ticket differ in size by no more than this (lines drawn a pixel off, perspective);
// up to kMostUneven the grid is still read, but its geometry is in doubt.
constexpr double kEvenCells = 1.25;
constexpr double kMostUneven = 1.4;

bool evenlySpaced(const std::vector<Span>& spans) {
  const double u = unevenness(spans);
  return u > 0 && u <= kMostUneven;
}

// Room without lines before the first span or after the last, beyond the width of a border: a band
// of text or an unruled row inside the outline, which may be a row of the ticket.
bool roomAtTheSides(const std::vector<Span>& spans, int length) {
  std::vector<int> sizes;
  for (const Span& s : spans) sizes.push_back(s.size());
  std::nth_element(sizes.begin(), sizes.begin() + 2, sizes.end());
  const int room = std::max(spans.front().from, length - spans.back().to);
  return room > sizes[2] * 2 / 5;
}

std::vector<float> profile(const cv::Mat& lines, bool columns) {
  cv::Mat sum;
  cv::reduce(lines, sum, columns ? 0 : 1, cv::REDUCE_SUM, CV_32F);
  const int n = columns ? lines.cols : lines.rows;
  const float full = 255.0f * float(columns ? lines.rows : lines.cols);
  std::vector<float> out(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) out[std::size_t(i)] = sum.at<float>(i) / full;
  return out;
}

// Straightens the quadrilateral and checks that a 5 × 5 grid fills it; on success fills grid.
bool readGrid(const cv::Mat& source, const std::array<cv::Point2f, 4>& c, FoundGrid& grid) {
  const float w = (distance(c[0], c[1]) + distance(c[3], c[2])) / 2;
  const float h = (distance(c[0], c[3]) + distance(c[1], c[2])) / 2;
  if (w < 20 || h < 20) return false;
  const float aspect = h / w;
  if (aspect < 0.4f || aspect > 2.0f) return false;
  const int width = kGridWidth;
  const int height = int(std::lround(kGridWidth * aspect));
  const std::array<cv::Point2f, 4> target{cv::Point2f(0, 0), cv::Point2f(float(width), 0),
                                          cv::Point2f(float(width), float(height)),
                                          cv::Point2f(0, float(height))};
  const cv::Mat m = cv::getPerspectiveTransform(c.data(), target.data());
  cv::Mat straight;
  cv::warpPerspective(source, straight, m, cv::Size(width, height), cv::INTER_LINEAR, cv::BORDER_REPLICATE);

  cv::Mat dark;
  cv::adaptiveThreshold(straight, dark, 255, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY_INV, 31, 12);
  // Only long strokes are lines (digits are short), and a line a little askew (the corners are found
  // to a pixel or two) still counts as one line.
  cv::Mat vertical, horizontal;
  cv::morphologyEx(dark, vertical, cv::MORPH_OPEN,
                   cv::getStructuringElement(cv::MORPH_RECT, cv::Size(1, height / 7)));
  cv::dilate(vertical, vertical, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(5, 1)));
  cv::morphologyEx(dark, horizontal, cv::MORPH_OPEN,
                   cv::getStructuringElement(cv::MORPH_RECT, cv::Size(width / 7, 1)));
  cv::dilate(horizontal, horizontal, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(1, 5)));
  std::vector<Span> columns = spansBetweenLines(profile(vertical, true));
  std::vector<Span> rows = spansBetweenLines(profile(horizontal, false));
  if (columns.size() < 5 || rows.size() < 5) return false;
  const bool room = roomAtTheSides(rows, height) || roomAtTheSides(columns, width);
  // A row of letters above the columns, inside the frame, is a sixth row at the top; the main
  // window's number strip a sixth column at the left.
  std::optional<Span> dropped;
  if (rows.size() == 6) {
    dropped = rows.front();
    rows.erase(rows.begin());
  }
  if (columns.size() == 6) columns.erase(columns.begin());
  // The main window's grid has no line at its left, so its first column runs into the number strip:
  // it is as wide as the others, counted from the first line.
  if (columns.size() == 5) {
    const int others = (columns[4].to - columns[1].from) / 4;
    if (columns[0].size() > others * 3 / 2) columns[0].from = std::max(0, columns[0].to - others);
  }
  if (!evenlySpaced(columns) || !evenlySpaced(rows)) return false;
  grid.uncertain = unevenness(columns) > kEvenCells || unevenness(rows) > kEvenCells || room;

  for (int r = 0; r < 5; ++r) {
    for (int col = 0; col < 5; ++col) {
      const Span& x = columns[std::size_t(col)];
      const Span& y = rows[std::size_t(r)];
      // Leave out the cell's edges, where the remains of blurred lines lie.
      const int mx = std::max(1, x.size() / 14), my = std::max(1, y.size() / 14);
      const cv::Rect cell(x.from + mx, y.from + my, x.size() - 2 * mx, y.size() - 2 * my);
      grid.cells[std::size_t(r * 5 + col)] = straight(cell).clone();
      if (r == 0 && dropped) {
        const int mdy = std::max(1, dropped->size() / 14);
        grid.droppedRow.push_back(
            straight(cv::Rect(cell.x, dropped->from + mdy, cell.width, dropped->size() - 2 * mdy)).clone());
      }
    }
  }
  grid.cellInDoubt = NumbersOffCentre(grid.cells);
  return true;
}

}  // namespace

std::vector<FoundGrid> FindGrids(const cv::Mat& gray, const std::function<bool()>& cancelled) {
  std::vector<FoundGrid> found;
  if (gray.empty() || gray.type() != CV_8UC1) return found;
  const double scale = std::min(1.0, double(kSearchSide) / std::max(gray.cols, gray.rows));
  cv::Mat small;
  if (scale < 1.0)
    cv::resize(gray, small, cv::Size(), scale, scale, cv::INTER_AREA);
  else
    small = gray;

  // Local thresholds: shadows and uneven light change the brightness across a photo.
  const int block = std::max(15, (std::max(small.cols, small.rows) / 40) | 1);
  cv::Mat dark;
  cv::adaptiveThreshold(small, dark, 255, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY_INV, block, 10);
  std::vector<std::vector<cv::Point>> contours;
  cv::findContours(dark, contours, cv::RETR_LIST, cv::CHAIN_APPROX_SIMPLE);

  struct Candidate {
    double area;
    std::vector<cv::Point> quad;
  };
  std::vector<Candidate> candidates;
  const double minArea = std::max(900.0, 0.002 * small.cols * small.rows);
  for (const auto& contour : contours) {
    if (contour.size() < 4) continue;
    const cv::Rect bounds = cv::boundingRect(contour);
    if (double(bounds.width) * bounds.height < minArea) continue;
    std::vector<cv::Point> hull;
    cv::convexHull(contour, hull);
    const double area = cv::contourArea(hull);
    if (area < minArea) continue;
    std::vector<cv::Point> quad;
    if (!quadOf(hull, quad)) continue;
    candidates.push_back({area, quad});
  }
  std::sort(candidates.begin(), candidates.end(),
            [](const Candidate& a, const Candidate& b) { return a.area > b.area; });

  std::vector<std::vector<cv::Point>> accepted;
  for (const Candidate& cand : candidates) {
    if (cancelled && cancelled()) return {};
    const cv::Moments mo = cv::moments(cand.quad);
    const cv::Point2f centre(float(mo.m10 / mo.m00), float(mo.m01 / mo.m00));
    const bool inside = std::any_of(accepted.begin(), accepted.end(), [&](const std::vector<cv::Point>& q) {
      return cv::pointPolygonTest(q, centre, false) >= 0;
    });
    if (inside) continue;
    std::array<cv::Point2f, 4> corners = orderCorners(cand.quad);
    // Straighten from the full picture when the search copy has fewer pixels than the grid needs.
    const cv::Rect box = cv::boundingRect(cand.quad);
    const bool useFull = scale < 1.0 && box.width < kGridWidth * 1.2;
    if (useFull)
      for (cv::Point2f& p : corners) p *= float(1.0 / scale);
    FoundGrid grid;
    if (!readGrid(useFull ? gray : small, corners, grid)) continue;
    // A grid reaching the picture's edge may go on beyond it: cells cut off, a row missing.
    const cv::Rect inner(kEdge, kEdge, small.cols - 2 * kEdge, small.rows - 2 * kEdge);
    if (std::any_of(cand.quad.begin(), cand.quad.end(),
                    [&](const cv::Point& p) { return !inner.contains(p); }))
      grid.uncertain = true;
    grid.place =
        cv::Rect(int(box.x / scale), int(box.y / scale), int(box.width / scale), int(box.height / scale));
    const std::array<cv::Point2f, 4> at = orderCorners(cand.quad);
    grid.centre = centre * float(1.0 / scale);
    grid.angle = std::atan2(at[1].y - at[0].y, at[1].x - at[0].x);
    grid.height = float((distance(at[0], at[3]) + distance(at[1], at[2])) / 2 / scale);
    for (const cv::Point2f& p : at) grid.corners.push_back(p * float(1.0 / scale));
    accepted.push_back(cand.quad);
    found.push_back(std::move(grid));
  }
  return found;
}
