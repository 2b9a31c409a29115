// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/digitreader.h"

#include <tesseract/baseapi.h>
#include <tesseract/resultiterator.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <opencv2/imgproc.hpp>
#include <vector>

#include "scan/digitclassifier.h"
#include "scan/digitshape.h"
#include "scan/scan.h"

namespace {

// Digits are drawn this tall into the line Tesseract reads; its recogniser works best at 30-40 px.
constexpr int kDigitHeight = 36;
constexpr int kMargin = 12;
constexpr int kGap = 48;
// A digit whose shape is not this much closer to its own glyphs than to another digit's is doubtful.
constexpr float kMinMargin = 1.1f;
// A digit this much closer to its own glyphs than to any other digit's is read by its shape alone.
constexpr float kSureMargin = 1.6f;
// Below this margin the shape reader's choice is little better than its second: Tesseract must read the
// same twice, in the line of the ticket's numbers and alone. Once is not enough: a blurred 9 both read
// as 4, the damaged 5 of a 56 both read as 0.
constexpr float kFirmMargin = 1.21f;
constexpr double kInkLevel = 0.62;
// Print fainter than that but darker than this share of the way is print all the same.
constexpr double kFaintLevel = 0.85;
// The picture Tesseract reads is made this much steeper in contrast; the shade this share of the way
// from ink to paper becomes its middle grey (the edge of a stroke).
constexpr double kSteeper = 2.5;
constexpr double kEdgeLevel = 0.35;

// The marks in a cell as black on white, with the remains of grid lines at its edges and specks
// removed; pieces counts the separate marks (about one per digit).
struct Marks {
  cv::Mat picture;  // empty when the cell holds nothing
  int pieces = 0;
  double aspect = 0;             // width by height of all marks together
  QString shapes;                // the digits the shape classifier sees, empty when the marks are no number
  cv::Mat grey;                  // the cell's shades the digits were read from (black on white)
  std::vector<cv::Rect> digits;  // in grey, each of the digits the shape classifier saw alone
  bool cutMoved = false;         // two digits run together were cut where they read best
  float margin = 0;              // its least sure digit's margin
  bool hidden = false;           // marks in the middle of the cell were taken for grid lines: unreadable
};

// The shape reader's reading is never sure enough alone: Tesseract must agree with it.
void needTesseract(Marks& marks) {
  marks.margin = std::min(marks.margin, std::nextafter(kSureMargin, 0.0f));
}

// The second reader: the marks cut into digits, each recognised by its shape.
// Its digits' boxes, empty when there are none.
std::vector<cv::Rect> classifyShapes(const cv::Mat& ink, const std::vector<cv::Rect>& pieces, Marks& out) {
  const auto classify = [&](const std::vector<cv::Rect>& boxes, QString& shapes, float& margin) {
    shapes.clear();
    margin = boxes.empty() ? 0.0f : std::numeric_limits<float>::max();
    for (const cv::Rect& box : boxes) {
      const DigitGuess g = ClassifyDigit(ShapeOfDigit(ink(box)));
      if (g.digit < 0) {
        shapes.clear();
        margin = 0;
        return;
      }
      shapes += QChar(u'0' + g.digit);
      margin = std::min(margin, g.margin);
    }
  };
  std::vector<cv::Rect> boxes = DigitBoxes(pieces, ink);
  classify(boxes, out.shapes, out.margin);
  // Two digits run together were cut where the ink is least, which blur and bold print move: unless
  // the reader is sure of both, the cut is moved, a step at a time and while it leaves both digits more
  // like digits, within the middle third of the marks. The best of several tries is surer than any one
  // of them by chance too: the number still needs Tesseract's word, on the whole number, not only on
  // the digits as cut here.
  if (boxes.size() == 2 && boxes[0].br().x == boxes[1].x && boxes[0].y == boxes[1].y &&
      boxes[0].height == boxes[1].height && !out.shapes.isEmpty() && out.margin < kSureMargin) {
    const cv::Rect whole = boxes[0] | boxes[1];
    const int step = std::max(1, whole.width / 20), least = whole.width / 3, most = whole.width * 2 / 3;
    const auto tryCut = [&](int cut) {
      if (cut < least || cut > most) return false;
      const std::vector<cv::Rect> tried{cv::Rect(whole.x, whole.y, cut, whole.height),
                                        cv::Rect(whole.x + cut, whole.y, whole.width - cut, whole.height)};
      QString shapes;
      float margin = 0;
      classify(tried, shapes, margin);
      if (shapes.isEmpty() || margin <= out.margin) return false;
      out.shapes = shapes;
      out.margin = margin;
      boxes = tried;
      return true;
    };
    const int first = boxes[0].width;
    const int direction = tryCut(first - step) ? -1 : tryCut(first + step) ? 1 : 0;
    if (direction != 0) {
      int cut = first + 2 * direction * step;
      while (tryCut(cut)) cut += direction * step;
    }
    out.cutMoved = direction != 0;
    if (out.cutMoved) needTesseract(out);
  }
  return out.shapes.isEmpty() ? std::vector<cv::Rect>{} : boxes;
}

// Marks (grey, black on white) as Tesseract reads them: kDigitHeight tall and steeper between ink and
// paper. The soft edges of blurred or small print, kept with the marks and enlarged with them, would
// otherwise thicken every stroke and close the holes of a 0, 6, 8 or 9, which Tesseract, trained on
// sharp print, then misreads or drops.
cv::Mat forTesseract(const cv::Mat& grey) {
  const int width = std::max(1, int(std::lround(double(grey.cols) * kDigitHeight / grey.rows)));
  cv::Mat out;
  cv::resize(grey, out, cv::Size(width, kDigitHeight), 0, 0,
             grey.rows > kDigitHeight ? cv::INTER_AREA : cv::INTER_CUBIC);
  out.convertTo(out, CV_8UC1, kSteeper, 127.5 - kSteeper * kEdgeLevel * 255);
  return out;
}

Marks marksOf(const cv::Mat& cell) {
  Marks out;
  cv::Mat smooth;
  cv::GaussianBlur(cell, smooth, cv::Size(3, 3), 0);
  double lo = 0, hi = 0;
  cv::minMaxLoc(smooth, &lo, &hi);
  // Paper alone: too little contrast for any writing.
  if (hi - lo < 50) return out;
  // Ink is what is darker than this share of the way from the darkest ink to the paper: past the
  // middle, so that the thin strokes of a light serif face (the joints of a 9, the flag of a 5) hold
  // together, short of the paper's own grain.
  cv::Mat ink;
  cv::threshold(smooth, ink, lo + kInkLevel * (hi - lo), 255, cv::THRESH_BINARY_INV);
  cv::Mat labels, stats, centroids;
  const int n = cv::connectedComponentsWithStats(ink, labels, stats, centroids, 8, CV_32S);
  const int w = cell.cols, h = cell.rows;
  cv::Mat keep = cv::Mat::zeros(ink.size(), CV_8UC1);
  cv::Rect all;
  std::vector<cv::Rect> pieces;
  std::vector<int> small;
  // Inside the bands where the remains of grid lines lie.
  const cv::Rect inside(w / 6, h / 6, w - 2 * (w / 6), h - 2 * (h / 6));
  auto take = [&](int i, const cv::Rect& r) {
    keep.setTo(255, labels == i);
    all = all.empty() ? r : (all | r);
    pieces.push_back(r);
  };
  for (int i = 1; i < n; ++i) {
    const int x = stats.at<int>(i, cv::CC_STAT_LEFT), y = stats.at<int>(i, cv::CC_STAT_TOP);
    const int cw = stats.at<int>(i, cv::CC_STAT_WIDTH), ch = stats.at<int>(i, cv::CC_STAT_HEIGHT);
    const int area = stats.at<int>(i, cv::CC_STAT_AREA);
    const bool touchesSide = x == 0 || x + cw >= w;
    const bool touchesEnd = y == 0 || y + ch >= h;
    if (area < w * h / 150 || ch < h / 5) {
      if (!touchesSide && !touchesEnd && area >= w * h / 400) small.push_back(i);
      continue;
    }
    // Remains of a neighbouring grid line: thin and along the cell's edge. Digits run together with
    // such remains look the same from outside, but they have ink further in: then the cell cannot be
    // read, and it must not pass for an empty one, nor "17" for 7.
    const bool lineRemains = (touchesSide && cw < w / 6) || (touchesEnd && ch < h / 4) ||
                             (touchesSide && touchesEnd && (cw > w * 0.8 || ch > h * 0.9));
    if (lineRemains) {
      out.hidden = out.hidden || cv::countNonZero(labels(inside) == i) >= w * h / 100;
      continue;
    }
    take(i, cv::Rect(x, y, cw, ch));
  }
  // The thin top and bottom of a 0 in a bold face of strong contrast (a Times-like bold) stay out of the
  // threshold, and its sides come apart as marks of their own, as tall as each other like the 1s of an
  // "11". Fainter print joins the sides of a 0 along its top and its bottom round paper: then they are
  // one digit. Between two 1s there is paper at least at the top, where each stands narrow.
  cv::Mat faint;
  cv::threshold(smooth, faint, lo + kFaintLevel * (hi - lo), 255, cv::THRESH_BINARY_INV);
  std::sort(pieces.begin(), pieces.end(), [](const cv::Rect& a, const cv::Rect& b) { return a.x < b.x; });
  for (std::size_t k = 0; k + 1 < pieces.size(); ++k) {
    const cv::Rect a = pieces[k], b = pieces[k + 1];
    const int tall = std::max(a.height, b.height);
    const int across = RowsShared(a, b);
    const int gap = b.x - (a.x + a.width);
    // Together no wider than one digit: two narrow digits side by side (a condensed 23) are wider.
    if (across * 10 < tall * 9 || gap < 1 || gap > std::max(a.width, b.width) || a.width * 2 > tall ||
        b.width * 2 > tall || (b.x + b.width - a.x) * 10 > tall * 9)
      continue;
    const cv::Rect between(a.x + a.width, std::max(a.y, b.y), gap, across);
    const cv::Mat joint = faint(between);
    const int band = std::max(1, across / 4);
    bool joined = true;
    for (int x = 0; x < gap && joined; ++x) {
      const cv::Mat column = joint.col(x);
      joined = cv::countNonZero(column.rowRange(0, band)) > 0 &&
               cv::countNonZero(column.rowRange(across - band, across)) > 0 &&
               cv::countNonZero(column.rowRange(across / 3, across - across / 3)) == 0;
    }
    if (!joined) continue;
    keep(between).setTo(255, joint);
    pieces[k] = a | b;
    pieces.erase(pieces.begin() + std::ptrdiff_t(k + 1));
  }
  // A thin joint of a bold serif digit can break in the threshold: the flag of a 5 comes apart from
  // its bowl, and the bowl alone reads as a 3. A small piece right above or below a digit, over its
  // columns, belongs to it; specks elsewhere stay out.
  const std::size_t digitsFound = pieces.size();
  out.pieces = SeparateMarks(pieces);
  for (int i : small) {
    const cv::Rect r(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
                     stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT));
    const bool partOfDigit = std::any_of(
        pieces.begin(), pieces.begin() + std::ptrdiff_t(digitsFound),
        [&](const cv::Rect& d) { return ColumnsShared(r, d) * 2 >= r.width && -RowsShared(r, d) <= h / 10; });
    if (partOfDigit) take(i, r);  // a part of a digit already counted
  }
  // A digit much fainter than the others (a gap in the toner, a worn stroke) stays out of the threshold,
  // and "73" with a faint 7 would read as 3: fainter print beside the digits, left out by the threshold
  // and looking like another digit of the number, makes the cell unreadable.
  cv::Mat near, faintLabels, faintStats, faintCentres;
  // The soft edges of the digits read, as wide as a blurred photo makes them, are no other print.
  const int edge = std::max(3, h / 8) | 1;
  cv::dilate(keep, near, cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(edge, edge)));
  const int faintCount =
      cv::connectedComponentsWithStats(faint & ~near, faintLabels, faintStats, faintCentres, 8, CV_32S);
  for (int i = 1; i < faintCount && !out.hidden; ++i) {
    const int x = faintStats.at<int>(i, cv::CC_STAT_LEFT), y = faintStats.at<int>(i, cv::CC_STAT_TOP);
    const int cw = faintStats.at<int>(i, cv::CC_STAT_WIDTH), ch = faintStats.at<int>(i, cv::CC_STAT_HEIGHT);
    // A digit of the number: as tall as the digits read, beside them in their line (a faint stroke of
    // a digit read, the thin diagonal of a 4, lies within them).
    const cv::Rect faintMark(x, y, cw, ch);
    const int across = RowsShared(faintMark, all), gap = -ColumnsShared(faintMark, all);
    out.hidden = !all.empty() && ch * 4 >= all.height * 3 && ch * 3 <= all.height * 4 && cw <= all.height &&
                 across * 10 >= all.height * 7 && gap > 0 && gap <= all.height / 2 && x > 0 && x + cw < w;
  }
  if (out.pieces == 0) return out;
  out.aspect = double(all.width) / all.height;
  // The cell's own shades, stretched to full contrast, everything but the marks (and their soft edges)
  // white: the shape reader learns from such grey digits, and a hard black and white would close the
  // holes of bold ones.
  cv::dilate(keep, keep, cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(3, 3)));
  cv::Mat grey;
  smooth.convertTo(grey, CV_8UC1, 255.0 / (hi - lo), -lo * 255.0 / (hi - lo));
  grey.setTo(255, keep == 0);
  cv::Mat bright;
  cv::subtract(cv::Scalar(255), grey, bright);
  const std::vector<cv::Rect> digits = classifyShapes(bright, pieces, out);
  // Pieces taken for one mark may be a digit's broken joints, or a fragment of another mark: the shape
  // reader alone is then not sure enough, and Tesseract must agree.
  if (out.pieces < int(digitsFound)) needTesseract(out);
  const cv::Rect frame(0, 0, w, h);
  // Tesseract gets the same grey digits. (What it reads must agree with the shape reader.)
  out.picture = forTesseract(grey((all - cv::Point(1, 1) + cv::Size(2, 2)) & frame));
  if (digits.size() > 1) {
    out.grey = grey;
    for (const cv::Rect& d : digits) out.digits.push_back(d & frame);
  }
  return out;
}

struct TesseractDeleter {
  void operator()(tesseract::TessBaseAPI* api) const {
    api->End();
    delete api;
  }
};

// One recogniser per thread, made on first use: loading the English model takes a tenth of a second.
tesseract::TessBaseAPI& recogniser() {
  thread_local std::unique_ptr<tesseract::TessBaseAPI, TesseractDeleter> api;
  if (!api) {
    auto made = std::unique_ptr<tesseract::TessBaseAPI, TesseractDeleter>(new tesseract::TessBaseAPI);
    // Dictionaries only hurt numbers; they can be switched off only while loading.
    std::vector<std::string> names{"load_system_dawg", "load_freq_dawg"};
    std::vector<std::string> values{"0", "0"};
    if (made->Init(nullptr, "eng", tesseract::OEM_LSTM_ONLY, nullptr, 0, &names, &values, false) != 0)
      throw ScanError(
          "Die Texterkennung kann nicht starten: Tesseract findet seine englischen Daten (eng.traineddata) "
          "nicht. Bitte das Paket tesseract-ocr-eng installieren.");
    made->SetVariable("tessedit_char_whitelist", "0123456789 ");
    made->SetVariable("debug_file", "/dev/null");
    made->SetPageSegMode(tesseract::PSM_SINGLE_LINE);
    api = std::move(made);
  }
  return *api;
}

// One cell's marks, or one digit, read by Tesseract on their own, with the line's white margin around
// them.
QString readAlone(tesseract::TessBaseAPI& api, const cv::Mat& picture) {
  cv::Mat padded;
  cv::copyMakeBorder(picture, padded, kMargin, kMargin, kMargin, kMargin, cv::BORDER_CONSTANT,
                     cv::Scalar(255));
  api.SetImage(padded.data, padded.cols, padded.rows, 1, int(padded.step));
  api.SetSourceResolution(300);
  std::unique_ptr<char[]> text(api.GetUTF8Text());
  api.Clear();
  if (!text) return {};
  return QString::fromUtf8(text.get()).remove(QLatin1Char(' ')).trimmed();
}

}  // namespace

std::array<CellReading, 25> ReadGridCells(const std::array<cv::Mat, 25>& cells) {
  std::array<CellReading, 25> out;
  std::array<Marks, 25> marks;
  // All cells of a ticket go side by side into one line, far enough apart to be separate words:
  // one call to the recogniser per ticket instead of one per cell.
  std::array<int, 25> left{}, right{};
  int width = kMargin;
  std::array<bool, 25> inLine{};
  for (std::size_t i = 0; i < 25; ++i) {
    marks[i] = marksOf(cells[i]);
    out[i].ink = marks[i].pieces > 0 || marks[i].hidden;
    // Only the numbers the shape reader is not sure of go to the recogniser, the only call here that
    // takes time: the others it reads alone, and a cell it cannot read at all stays doubtful whatever
    // Tesseract reads.
    inLine[i] = marks[i].pieces > 0 && !marks[i].hidden && marks[i].margin >= kMinMargin &&
                marks[i].margin < kSureMargin;
    if (!inLine[i]) continue;
    left[i] = width;
    width += marks[i].picture.cols;
    right[i] = width;
    width += kGap;
  }
  tesseract::TessBaseAPI& api = recogniser();
  std::array<int, 25> stray{};
  if (width > kMargin) {
    cv::Mat line(kDigitHeight + 2 * kMargin, width - kGap + kMargin, CV_8UC1, cv::Scalar(255));
    for (std::size_t i = 0; i < 25; ++i)
      if (inLine[i])
        marks[i].picture.copyTo(line(cv::Rect(left[i], kMargin, marks[i].picture.cols, kDigitHeight)));

    api.SetImage(line.data, line.cols, line.rows, 1, int(line.step));
    api.SetSourceResolution(300);
    if (api.Recognize(nullptr) != 0) return out;
    // Symbol by symbol: the recogniser's word breaks are unreliable with digits only, but every
    // symbol's box says in which cell it lies.
    std::unique_ptr<tesseract::ResultIterator> it(api.GetIterator());
    if (it) {
      do {
        std::unique_ptr<char[]> text(it->GetUTF8Text(tesseract::RIL_SYMBOL));
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (!text || !it->BoundingBox(tesseract::RIL_SYMBOL, &x1, &y1, &x2, &y2)) continue;
        const int middle = (x1 + x2) / 2;
        bool placed = false;
        for (std::size_t i = 0; i < 25 && !placed; ++i) {
          if (!inLine[i] || middle < left[i] - kGap / 4 || middle >= right[i] + kGap / 4) continue;
          out[i].digits += QString::fromUtf8(text.get()).trimmed();
          placed = true;
        }
        // A symbol between the cells belongs to none; the nearest cell is in doubt.
        if (!placed)
          for (std::size_t i = 0; i < 25; ++i)
            if (inLine[i] && middle >= right[i] && middle < right[i] + kGap) ++stray[i];
      } while (it->Next(tesseract::RIL_SYMBOL));
    }
    api.Clear();
  }
  for (std::size_t i = 0; i < 25; ++i) {
    CellReading& r = out[i];
    const Marks& m = marks[i];
    // A mark left unread would silently drop a digit ("17" read as "7").
    // Digits are narrower than tall: marks as wide as tall are two digits, and touching digits
    // (one piece) are caught by their width.
    auto fits = [&](const QString& digits) {
      return !digits.isEmpty() && m.pieces <= digits.size() &&
             (digits.size() == 1 ? m.aspect < 0.95 : m.aspect > 0.8);
    };
    if (m.hidden || stray[i] != 0 || m.shapes.isEmpty() || !fits(m.shapes)) continue;
    r.guess = m.shapes;
    // Two readers: the shape reader, which knows the faces of printed tickets and reads them better
    // than Tesseract (which takes the dotted zero of a monospaced face for a 6 and adds digits that are
    // not there), decides alone when it is sure. When it is less sure, Tesseract must read the same;
    // where they differ, neither is trusted. In a line of 25 numbers Tesseract now and then adds a
    // digit from its neighbours' context ("645" for 45) or drops one; read alone, the number is often
    // read right.
    if (m.margin >= kSureMargin) {
      r.digits = m.shapes;
      r.certain = true;
    } else if (m.margin >= kMinMargin) {
      // Two digits run together (bold print, blur) Tesseract often reads as one; digit by digit, each
      // as the shape reader cut it, it reads them both.
      const auto digitByDigit = [&] {
        if (m.cutMoved || m.digits.size() != std::size_t(m.shapes.size())) return false;
        for (qsizetype d = 0; d < m.shapes.size(); ++d)
          if (readAlone(api, forTesseract(m.grey(m.digits[std::size_t(d)]))) != m.shapes.at(d)) return false;
        return true;
      };
      if (m.margin < kFirmMargin)
        r.certain = r.digits == m.shapes && readAlone(api, m.picture) == m.shapes;
      else
        r.certain = r.digits == m.shapes || readAlone(api, m.picture) == m.shapes || digitByDigit();
      if (r.certain) r.digits = m.shapes;
    }
  }
  return out;
}
