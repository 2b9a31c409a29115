// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/scan.h"

#include <algorithm>
#include <cmath>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <optional>

#include "scan/blobgrid.h"
#include "scan/digitreader.h"
#include "scan/gridfind.h"

namespace {

// A grid with fewer written cells than this is a table of some other kind, not a ticket.
constexpr int kMinWrittenCells = 5;
constexpr std::size_t kFreeCell = 12;
// A row or column of a ticket holds at least this many numbers (four where the free cell lies).
// An outer one holds at most this many doubtful cells: more cells that are no number (letters, a
// band of text, a barcode) and it is no row of the ticket but what lies round it, taken in, unless
// what its marks look like most are the numbers of the ticket's columns (badlyReadLine).
constexpr int kLeastInked = 3;
constexpr int kMostDoubtful = 3;
// Without lines, a row of letters above the numbers lines up with them as well as a ticket's row does:
// an outer row or column of a grid found from its numbers holds fewer doubtful cells.
constexpr int kMostDoubtfulUnruled = 2;
// A grid found from the layout of its numbers holds at least this many read for certain.
constexpr int kLeastCertain = 12;
// The second look at blurred print, a part of the picture where no ticket was read: the blur taken
// away (its width, in pixels) and how strongly.
constexpr double kBlurSharpened = 1.5;
constexpr double kSharpening = 1.5;

// picture sharpened by an unsharp mask blur pixels wide.
cv::Mat unsharp(const cv::Mat& picture, double blur) {
  cv::Mat soft, sharp;
  cv::GaussianBlur(picture, soft, cv::Size(), blur);
  cv::addWeighted(picture, 1 + kSharpening, soft, -kSharpening, 0, sharp);
  return sharp;
}

// A number's band of fifteen: 0 for 1-15, 1 for 16-30, ...
int bandOf(int number) {
  return (number - 1) / 15;
}

// The band that the numbers of a column, except the one in cell except, share (values: 0 where none is
// known); -1 when they do not share one or fewer than least of them are known.
int sharedBand(const std::array<int, 25>& values, std::size_t column, int least, std::size_t except = 25) {
  int band = -1, others = 0;
  for (std::size_t j = column; j < 25; j += 5) {
    if (j == except || values[j] == 0) continue;
    if (band >= 0 && bandOf(values[j]) != band) return -1;
    band = bandOf(values[j]);
    ++others;
  }
  return others >= least ? band : -1;
}

// inDoubt: the cells the grid's finder put in doubt (a lone digit off its cell's middle, a number run
// into something larger); they are left empty and count as no number read.
ScannedTicket ticketOf(const std::array<CellReading, 25>& read, const std::array<bool, 25>& inDoubt,
                       const cv::Rect& place) {
  ScannedTicket t;
  t.place = QRect(place.x, place.y, place.width, place.height);
  std::array<int, 25> value{};
  for (std::size_t i = 0; i < 25; ++i) {
    const CellReading& r = read[i];
    if (inDoubt[i]) {
      t.doubtful[i] = true;
      continue;
    }
    if (!r.ink) {
      // Every cell of a ticket but the free one in the middle holds a number: one that cannot be
      // seen is unknown, not absent.
      t.doubtful[i] = i != kFreeCell;
      continue;
    }
    bool ok = false;
    const int n = r.digits.toInt(&ok);
    // Some tickets print the small numbers with a leading zero ("07"); a lone "0" or "00" is none.
    if (r.certain && ok && n >= 1 && n <= 75)
      value[i] = n;
    else
      t.doubtful[i] = true;
  }
  // A number twice on one ticket: at least one of them is misread, and which one is unknown.
  for (std::size_t i = 0; i < 25; ++i)
    for (std::size_t j = i + 1; j < 25; ++j)
      if (value[i] != 0 && value[i] == value[j]) t.doubtful[i] = t.doubtful[j] = true;
  // Printed tickets mostly give each column a band of fifteen numbers (1-15, 16-30, ...). Where the
  // other numbers of a column, at least three read for certain, share one band, a number outside it is
  // more likely what is left of a misread one ("40" whose 4 and half its 0 went with a logo behind
  // them, read as 1) than printed so: it stays in doubt. Other layouts lose little by it: about one
  // ticket in seven laid out at random has a number marked so, and none is read wrong for it.
  std::array<int, 25> certain{};
  for (std::size_t i = 0; i < 25; ++i) certain[i] = t.doubtful[i] ? 0 : value[i];
  // A number of one digit where two others of its column share a band of numbers of two digits is
  // likelier a number that lost a digit (cut off by a sheet lying over the ticket, "73" read as 7) than
  // printed so, though fewer numbers of the column are known; so are two such in one column, which is
  // why the band is that of its numbers of two digits.
  std::array<int, 25> twoDigits = certain;
  for (int& n : twoDigits)
    if (n < 10) n = 0;
  for (std::size_t i = 0; i < 25; ++i) {
    const int band = certain[i] ? sharedBand(certain, i % 5, 3, i) : -1;
    const int wide = certain[i] > 0 && certain[i] < 10 ? sharedBand(twoDigits, i % 5, 2, i) : -1;
    t.doubtful[i] = t.doubtful[i] || (band >= 0 && bandOf(certain[i]) != band) || wide > 0;
  }
  for (std::size_t i = 0; i < 25; ++i)
    if (!t.doubtful[i] && value[i] != 0) t.cells[i] = QString::number(value[i]);
  return t;
}

// A row or column of a grid.
struct Line {
  int index = 0;
  bool isRow = true;
};

std::size_t cellOf(const Line& line, int k) {
  return std::size_t(line.isRow ? line.index * 5 + k : k * 5 + line.index);
}

// A cell read for certain as a number of a ticket.
bool certainNumber(const CellReading& r) {
  const int n = r.certain ? r.digits.toInt() : 0;
  return n >= 1 && n <= 75;
}

// How many numbers of a line of a grid are read for certain.
int numbersIn(const std::array<CellReading, 25>& read, const Line& line) {
  int numbers = 0;
  for (int k = 0; k < 5; ++k) numbers += certainNumber(read[cellOf(line, k)]);
  return numbers;
}

// The numbers of a ticket read for certain, cell by cell; 0 where none is.
std::array<int, 25> certainValues(const ScannedTicket& t) {
  std::array<int, 25> out{};
  for (std::size_t i = 0; i < 25; ++i) out[i] = t.cells[i].toInt();
  return out;
}

// How many numbers of a line are read for certain and lie in the band of fifteen that the other numbers
// of their column share, or in a column whose numbers share none. A row of letters read as numbers of
// one digit (S P I E L as 8 and 1) mostly puts them in bands their columns do not share.
int numbersFitting(const std::array<CellReading, 25>& read, const ScannedTicket& t, const Line& line) {
  const std::array<int, 25> certain = certainValues(t);
  int fitting = 0;
  for (int k = 0; k < 5; ++k) {
    const std::size_t cell = cellOf(line, k);
    if (!certainNumber(read[cell])) continue;
    const int band = sharedBand(certain, cell % 5, 2, cell);
    fitting += band < 0 || band == bandOf(read[cell].digits.toInt());
  }
  return fitting;
}

// An outer line with many cells in doubt may still be the ticket's own, read badly (a face the shape
// reader hardly knows, blur): when what its marks look like most are numbers of one or two digits, in
// four of its five cells, three of them of two digits, none a number read elsewhere on the ticket, each
// in the band of fifteen that the other numbers of its column share (two at least). A column's band
// must also keep the order of the other columns' bands, so that a neighbouring ticket's column, whose
// numbers agree with each other, does not pass. A row of letters looks like a digit a cell at most; a
// band of text or a barcode like no such numbers. inDoubt: the cells the grid's finder doubts; what
// their marks look like does not count.
bool badlyReadLine(const std::array<CellReading, 25>& read, const ScannedTicket& t,
                   const std::array<bool, 25>& inDoubt, const Line& line) {
  const std::array<int, 25> certain = certainValues(t);
  // The numbers read for certain, and on the line what its marks look like most.
  std::array<int, 25> values = certain;
  for (int k = 0; k < 5; ++k) {
    const std::size_t cell = cellOf(line, k);
    const int guess = read[cell].guess.toInt();
    if (values[cell] == 0 && !inDoubt[cell] && read[cell].guess.size() <= 2 && guess >= 1 && guess <= 75 &&
        std::find(certain.begin(), certain.end(), guess) == certain.end())
      values[cell] = guess;
  }
  int like = 0, twoDigits = 0;
  for (int k = 0; k < 5; ++k) {
    const std::size_t cell = cellOf(line, k);
    const int n = values[cell];
    const bool number = n != 0 && sharedBand(values, cell % 5, 2, cell) == bandOf(n);
    like += number;
    twoDigits += number && n >= 10;
  }
  if (like < 4 || twoDigits < 3) return false;
  if (line.isRow) return true;
  const int band = sharedBand(values, std::size_t(line.index), 4);
  if (band < 0) return false;
  int ordered = 0;
  for (int column = 0; column < 5; ++column) {
    const int other = column == line.index ? -1 : sharedBand(certain, std::size_t(column), 2);
    if (other < 0) continue;
    if ((column < line.index) != (other < band) || other == band) return false;
    ++ordered;
  }
  return ordered > 0;
}

// The rows and columns of a grid that are no line of a ticket: a ticket's lines each hold numbers, the
// outer ones few doubtful cells, unless read badly (badlyReadLine). A row read badly is taken for the
// ticket's own only where no row of number-like marks lies beside the grid, a column likewise: else the
// grid may hold a line of the ticket beside it and miss one of its own (for a grid moved along the
// numbers, the line it was moved away from does not count).
std::vector<Line> linesWithoutNumbers(const std::array<CellReading, 25>& read, const ScannedTicket& t,
                                      const FoundGrid& grid) {
  const int mostDoubtful = grid.fromNumbers ? kMostDoubtfulUnruled : kMostDoubtful;
  std::vector<Line> out;
  for (int index = 0; index < 5; ++index)
    for (bool isRow : {true, false}) {
      const Line line{index, isRow};
      int inked = 0, doubtful = 0;
      for (int k = 0; k < 5; ++k) {
        inked += read[cellOf(line, k)].ink;
        doubtful += t.doubtful[cellOf(line, k)];
      }
      const bool outer = index == 0 || index == 4;
      const bool linesBeside = isRow ? grid.rowBeside : grid.columnBeside;
      if (inked < kLeastInked || (outer && doubtful > mostDoubtful &&
                                  (linesBeside || !badlyReadLine(read, t, grid.cellInDoubt, line))))
        out.push_back(line);
    }
  return out;
}

// Five cells beside a grid (the row dropped above it as its letter row, a row or column of number-like
// marks next to it) hold numbers: then the grid may be a row or column off. Three numbers read for
// certain, or two with nothing else beside them where one has two digits: a ticket's own row, the
// rest of it hidden under a shadow or ink. A row of letters passes at most for numbers of one digit
// (S P I E L read as 8 and 1); a line of text holds more than two marks.
bool lineHoldsNumbers(const std::vector<cv::Mat>& line) {
  if (line.size() != 5) return false;
  std::array<cv::Mat, 25> cells;
  const cv::Mat blank(8, 8, CV_8UC1, cv::Scalar(255));
  for (std::size_t i = 0; i < 25; ++i) cells[i] = i < 5 ? line[i] : blank;
  const std::array<CellReading, 25> read = ReadGridCells(cells);
  const int numbers = numbersIn(read, Line{0, true});
  const auto five = read.begin() + 5;
  const bool twoDigits = std::any_of(
      read.begin(), five, [](const CellReading& r) { return certainNumber(r) && r.digits.size() == 2; });
  const auto inked = std::count_if(read.begin(), five, [](const CellReading& r) { return r.ink; });
  return numbers >= kLeastInked || (numbers == 2 && inked == 2 && twoDigits);
}

int certainNumbers(const ScannedTicket& t) {
  return int(std::count_if(t.cells.begin(), t.cells.end(), [](const QString& c) { return !c.isEmpty(); }));
}

// The whole ticket is doubtful; its numbers stay unread rather than be put in another row.
void markGridDoubtful(ScannedTicket& t) {
  t.gridDoubtful = true;
  t.doubtful.fill(true);
  t.cells = TicketCells{};
}

struct Placed {
  ScannedTicket ticket;
  double x, y, height;
  double angle;
  std::vector<cv::Point2f> outline;
};

// The first ticket placed whose outline shares more than a third of the smaller one's area with quad;
// placed.end() when none does.
std::vector<Placed>::iterator overlapping(std::vector<Placed>& placed, const std::vector<cv::Point2f>& quad) {
  if (quad.size() != 4) return placed.end();
  const double area = cv::contourArea(quad);
  return std::find_if(placed.begin(), placed.end(), [&](const Placed& p) {
    if (p.outline.size() != 4) return false;
    std::vector<cv::Point2f> common;
    const double shared = cv::intersectConvexConvex(p.outline, quad, common);
    return shared * 3 > std::min(area, cv::contourArea(p.outline));
  });
}

// Rows of tickets top to bottom, each left to right, in the page's own direction: the centres are
// turned back by the grids' median slant, so a photo taken askew keeps its rows.
std::vector<ScannedTicket> inReadingOrder(std::vector<Placed> placed) {
  std::vector<ScannedTicket> out;
  if (placed.empty()) return out;
  std::vector<double> angles;
  for (const Placed& p : placed) angles.push_back(p.angle);
  std::nth_element(angles.begin(), angles.begin() + std::ptrdiff_t(angles.size() / 2), angles.end());
  const double a = angles[angles.size() / 2];
  for (Placed& p : placed) {
    const double x = std::cos(a) * p.x + std::sin(a) * p.y;
    const double y = -std::sin(a) * p.x + std::cos(a) * p.y;
    p.x = x;
    p.y = y;
  }
  std::sort(placed.begin(), placed.end(), [](const Placed& l, const Placed& r) { return l.y < r.y; });
  std::size_t rowStart = 0;
  while (rowStart < placed.size()) {
    std::size_t rowEnd = rowStart + 1;
    while (rowEnd < placed.size() && placed[rowEnd].y - placed[rowStart].y < placed[rowStart].height / 2)
      ++rowEnd;
    std::sort(placed.begin() + std::ptrdiff_t(rowStart), placed.begin() + std::ptrdiff_t(rowEnd),
              [](const Placed& l, const Placed& r) { return l.x < r.x; });
    for (std::size_t i = rowStart; i < rowEnd; ++i) out.push_back(std::move(placed[i].ticket));
    rowStart = rowEnd;
  }
  return out;
}

// A grid read: its ticket, and whether it is one at all, and one whose geometry is certain.
struct Judged {
  std::array<CellReading, 25> read;
  ScannedTicket ticket;
  std::vector<Line> faults;  // the lines that are no line of a ticket
  bool doubtful = false;     // the grid may be a line off or cut: every cell in doubt
};

// A grid found in a part of the picture, moved to where that part lies.
void shiftGrid(FoundGrid& g, cv::Point by) {
  g.place += by;
  g.centre += cv::Point2f(by);
  for (cv::Point2f& c : g.corners) c += cv::Point2f(by);
  if (g.moved)
    g.moved = [inner = std::move(g.moved), by](int columns, int rows, FoundGrid& to) {
      inner(columns, rows, to);
      shiftGrid(to, by);
    };
}

// Empty when the grid is no ticket at all.
std::optional<Judged> judge(const FoundGrid& grid) {
  Judged out;
  out.read = ReadGridCells(grid.cells);
  const int written =
      int(std::count_if(out.read.begin(), out.read.end(), [](const CellReading& r) { return r.ink; }));
  if (written < kMinWrittenCells) return std::nullopt;
  out.ticket = ticketOf(out.read, grid.cellInDoubt, grid.place);
  // A grid found from the numbers alone must show them: marks of some other kind in a 5 × 5
  // arrangement (a table, a page of text) are no ticket, not a doubtful one.
  if (grid.fromNumbers && certainNumbers(out.ticket) < kLeastCertain) return std::nullopt;
  out.faults = linesWithoutNumbers(out.read, out.ticket, grid);
  out.doubtful = grid.uncertain || !out.faults.empty() || lineHoldsNumbers(grid.droppedRow) ||
                 std::any_of(grid.besideLines.begin(), grid.besideLines.end(), lineHoldsNumbers);
  return out;
}

}  // namespace

int ScannedTicket::doubtfulCount() const {
  return int(std::count(doubtful.begin(), doubtful.end(), true));
}

int ScanResult::doubtfulCount() const {
  int n = 0;
  for (const ScannedTicket& t : tickets) n += t.doubtfulCount();
  return n;
}

ScanResult ScanImage(const QImage& picture, const ScanProgress& progress) {
  ScanResult result;
  const QImage gray = picture.format() == QImage::Format_Grayscale8
                          ? picture
                          : picture.convertToFormat(QImage::Format_Grayscale8);
  if (gray.isNull()) return result;
  // OpenCV works on the picture's own pixels; nothing is copied.
  const cv::Mat mat(gray.height(), gray.width(), CV_8UC1, const_cast<uchar*>(gray.constBits()),
                    std::size_t(gray.bytesPerLine()));
  bool stop = false;
  auto keepGoing = [&](int done, int total) {
    if (!stop && progress && !progress(done, total)) stop = true;
    return !stop;
  };
  if (!keepGoing(0, 1)) {
    result.cancelled = true;
    return result;
  }
  // Progress: grids read of those found so far (and one step for the search).
  int done = 0, total = 1;
  const auto findGrids = [&](const cv::Mat& in) {
    std::vector<FoundGrid> found = FindGrids(in, [&] { return !keepGoing(done, total); });
    // Tickets without ruled lines, found from the layout of their numbers, where no ruled grid lies.
    std::vector<std::vector<cv::Point2f>> taken;
    for (const FoundGrid& g : found) taken.push_back(g.corners);
    for (FoundGrid& g : FindNumberGrids(in, taken, [&] { return !keepGoing(done, total); }))
      found.push_back(std::move(g));
    return found;
  };
  std::vector<FoundGrid> grids = findGrids(mat);
  cv::Rect refused;  // round the grids found that were no ticket, a grid's size each way
  // The tickets among grids found, each read and judged.
  const auto place = [&](std::vector<FoundGrid>& found) {
    total = done + int(found.size()) + 1;
    std::vector<Placed> placed;
    for (std::size_t g = 0; g < found.size() && !stop; ++g) {
      if (!keepGoing(++done, total)) break;
      std::optional<Judged> judged = judge(found[g]);
      if (!judged) {
        const cv::Rect r = cv::boundingRect(found[g].corners);
        const int grow = std::max(r.width, r.height);
        refused |=
            (r - cv::Point(grow, grow) + cv::Size(2 * grow, 2 * grow)) & cv::Rect(0, 0, mat.cols, mat.rows);
        continue;
      }
      // A grid found from its numbers whose one outer line holds at most one number read for certain that
      // fits its column (a letter row, where an I may pass for a 1; a band of text lined up with the
      // numbers; nothing where a row was not seen) may be a line off the ticket: moved by one away from
      // that line, along the numbers' lattice, it is the ticket if it passes every check a grid must
      // pass, and the lines round it hold no numbers. A line with more numbers may be the ticket's, badly
      // read: such a grid stays in doubt.
      const std::vector<Line>& faults = judged->faults;
      if (judged->doubtful && found[g].moved && !found[g].uncertain && faults.size() == 1 &&
          (faults[0].index == 0 || faults[0].index == 4) &&
          numbersFitting(judged->read, judged->ticket, faults[0]) <= 1) {
        const int step = faults[0].index == 0 ? 1 : -1;
        FoundGrid moved;
        found[g].moved(faults[0].isRow ? 0 : step, faults[0].isRow ? step : 0, moved);
        std::optional<Judged> better = judge(moved);
        if (better && !better->doubtful) {
          found[g] = std::move(moved);
          judged = std::move(better);
        }
      }
      const FoundGrid& grid = found[g];
      ScannedTicket ticket = std::move(judged->ticket);
      if (judged->doubtful) markGridDoubtful(ticket);
      // Two grids over much the same place are one ticket found twice (a sheet lying over another, the
      // finders taking a grid and a part of it): the one read with more numbers stands.
      const auto same = overlapping(placed, grid.corners);
      if (same != placed.end()) {
        if (certainNumbers(same->ticket) >= certainNumbers(ticket)) continue;
        placed.erase(same);
      }
      placed.push_back(
          {std::move(ticket), grid.centre.x, grid.centre.y, grid.height, grid.angle, grid.corners});
    }
    return placed;
  };
  std::vector<Placed> placed = place(grids);
  // Small print that the camera blurred (digits ten pixels tall, strokes of one or two) fades above
  // the threshold the numbers are searched at: no grid is found there, or one that is then refused.
  // Such a part of the picture is looked at once more, sharpened by an unsharp mask about as wide as
  // such blur: the whole picture where no ticket was found, else the surroundings of the grids refused
  // (a grid's size round each; the whole picture again would double the time of many photos). The
  // tickets found there that no ticket found before covers are added, their cells, and so their
  // numbers, those of the sharpened picture.
  if (!stop && (placed.empty() || !refused.empty())) {
    const cv::Rect region = placed.empty() ? cv::Rect(0, 0, mat.cols, mat.rows) : refused;
    std::vector<FoundGrid> more = findGrids(unsharp(mat(region), kBlurSharpened));
    for (FoundGrid& g : more) shiftGrid(g, region.tl());
    for (Placed& p : place(more))
      if (overlapping(placed, p.outline) == placed.end()) placed.push_back(std::move(p));
  }
  if (stop || !keepGoing(total, total)) {
    result.cancelled = true;
    return result;
  }
  result.tickets = inReadingOrder(std::move(placed));
  return result;
}

ScanResult ScanImageFile(const QString& path, const ScanProgress& progress) {
  return ScanImage(LoadScanImage(path), progress);
}
