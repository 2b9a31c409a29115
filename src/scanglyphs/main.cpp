// SPDX-License-Identifier: GPL-3.0-or-later
// ziehfix-digitglyphs OUTPUT: renders the digits 0-9 in the type faces tickets are commonly printed in,
// in many sizes, slants and degrees of blur, and writes their shapes as C++ source for the picture
// reader's digit classifier. Run at build time (offscreen), so the classifier learns from the fonts
// installed with the program (scripts/deps.sh) and no generated data lives in the repository.
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cstdio>
#include <opencv2/imgproc.hpp>
#include <random>
#include <vector>

#include "scan/digitshape.h"

namespace {

// Printed digits are drawn about this tall in a straightened cell of the picture reader.
constexpr int kCellFontSize = 28;

enum class Defect { None, Blur, InkSpread, TonerGaps };

// Two shapes this close (root of the summed squared differences of 0..255 levels) are one glyph.
constexpr double kSameGlyph = 180;

// A glyph as the reader would see it in a straightened cell: drawn at size px, turned by angle
// degrees, scaled to the cell's font size (smoothly, as a small print photographed is enlarged), with
// a print's defect: blurred, its ink spread by a worn printer, or gaps in the toner.
cv::Mat renderGlyph(const QFont& font, char digit, int size, double angle, Defect defect, std::mt19937& rng) {
  const int side = size * 3;
  QImage img(side, side, QImage::Format_Grayscale8);
  img.fill(255);
  {
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f(font);
    f.setPixelSize(size);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(img.rect(), Qt::AlignCenter, QString(QChar::fromLatin1(digit)));
  }
  const cv::Mat drawn(img.height(), img.width(), CV_8UC1, img.bits(), std::size_t(img.bytesPerLine()));
  cv::Mat turned;
  const cv::Mat m = cv::getRotationMatrix2D(cv::Point2f(side / 2.0f, side / 2.0f), angle, 1.0);
  cv::warpAffine(drawn, turned, m, drawn.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT, cv::Scalar(255));
  const double f = double(kCellFontSize) / size;
  cv::Mat cell;
  cv::resize(turned, cell, cv::Size(), f, f, f > 1 ? cv::INTER_CUBIC : cv::INTER_AREA);
  if (defect == Defect::Blur) cv::GaussianBlur(cell, cell, cv::Size(0, 0), 1.2);
  if (defect == Defect::InkSpread)
    cv::erode(cell, cell, cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(3, 3)));
  if (defect == Defect::TonerGaps) {
    // Specks of paper in the ink, as thin as a third of a stroke.
    std::uniform_int_distribution<int> x(0, cell.cols - 1), y(0, cell.rows - 1);
    for (int i = 0; i < cell.cols * cell.rows / 60; ++i)
      cv::circle(cell, cv::Point(x(rng), y(rng)), 1, cv::Scalar(235), cv::FILLED);
  }
  // As the reader does with a cell: smoothed, stretched to full contrast, ink bright.
  cv::GaussianBlur(cell, cell, cv::Size(3, 3), 0);
  double lo = 0, hi = 0;
  cv::minMaxLoc(cell, &lo, &hi);
  cv::Mat ink;
  cell.convertTo(ink, CV_8UC1, -255.0 / std::max(1.0, hi - lo), hi * 255.0 / std::max(1.0, hi - lo));
  return ink;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: ziehfix-digitglyphs OUTPUT.cpp\n");
    return 2;
  }
  // The faces tickets are printed in, or faces shaped like them: DejaVu; Carlito (Calibri's
  // measures); Liberation (Arial's, Times' and Courier's); URW's base 35 (Century Schoolbook, Palatino,
  // Bookman, Helvetica and Helvetica Narrow, Times, Courier, Avant Garde); Noto; the common screen and
  // web faces; GNU FreeFont. Faces that copy another's shapes (TeX Gyre, Croscore) would only add the
  // same glyphs. A ticket may be printed in any face at all, so the reader also learns from the text
  // faces Debian packages beyond these, of every kind: old-style and modern serifs, slab serifs,
  // humanist, grotesque and geometric sans, condensed and narrow faces, typewriter and OCR faces. The
  // more kinds of 4 and 7 and 1 it has seen, the better it knows one it has not.
  const char* const faces[] = {"DejaVu Sans",
                               "DejaVu Sans Condensed",
                               "DejaVu Serif",
                               "DejaVu Serif Condensed",
                               "DejaVu Sans Mono",
                               "Carlito",
                               "Liberation Sans",
                               "Liberation Serif",
                               "Liberation Mono",
                               "C059",
                               "P052",
                               "URW Bookman",
                               "Nimbus Sans",
                               "Nimbus Sans Narrow",
                               "Nimbus Roman",
                               "Nimbus Mono PS",
                               "URW Gothic",
                               "Noto Sans",
                               "Noto Serif",
                               "Cantarell",
                               "Lato",
                               "Open Sans",
                               "Roboto",
                               "Roboto Condensed",
                               "Roboto Slab",
                               "FreeSans",
                               "FreeSerif",
                               "FreeMono",
                               "Baskervald ADF Std",
                               "Romande ADF Std",
                               "Universalis ADF Std",
                               "Switzera ADF",
                               "Switzera ADF Cd",
                               "Gillius ADF",
                               "Gillius ADF Cond",
                               "Verana Sans",
                               "Cabin",
                               "Clear Sans",
                               "Inter",
                               "Karla",
                               "Manrope",
                               "PT Sans",
                               "PT Sans Narrow",
                               "PT Serif",
                               "PT Mono",
                               "Century Catalogue",
                               "Fanwood Text",
                               "Goudy Bookletter 1911",
                               "Cardo",
                               "CMU Serif",
                               "CMU Sans Serif",
                               "CMU Typewriter Text",
                               "Vollkorn",
                               "Old Standard TT",
                               "Quattrocento",
                               "STIXGeneral",
                               "Yrsa",
                               "Oxygen-Sans",
                               "Junction",
                               "Tuffy",
                               "OSP-DIN",
                               "B612",
                               "Andika",
                               "Yanone Kaffeesatz",
                               "Courier Prime",
                               "Hack",
                               "Inconsolata",
                               "JetBrains Mono",
                               "OCR B",
                               "League Spartan",
                               "Sora",
                               "Play",
                               "Jura",
                               "Quicksand"};
  // Qt would quietly draw a missing face in another, and the reader learn the wrong shapes.
  // (A face installed twice, as Type 1 and OpenType, is listed with its foundry: hasFamily finds it.)
  for (const char* face : faces)
    if (!QFontDatabase::hasFamily(QString::fromLatin1(face))) {
      std::fprintf(stderr,
                   "ziehfix-digitglyphs: the font \"%s\" is not installed (scripts/deps.sh installs it)\n",
                   face);
      return 1;
    }
  const int sizes[] = {9, 12, 16, 24, 36};
  const double angles[] = {-4, 0, 4};
  const Defect defects[] = {Defect::None, Defect::Blur, Defect::InkSpread, Defect::TonerGaps};

  // Glyphs that hardly differ from one already kept for the same digit (the larger sizes, a face
  // drawn alike in another) only slow the search down: they are left out.
  std::array<cv::Mat, 10> kept;  // per digit, a row of 0..255 levels per glyph kept
  std::mt19937 rng(75);
  QByteArray digits, shapes;
  int count = 0, rendered = 0;
  for (const char* face : faces)
    for (bool bold : {false, true}) {
      QFont font(QString::fromLatin1(face));
      font.setBold(bold);
      for (char digit = '0'; digit <= '9'; ++digit)
        for (int size : sizes)
          for (double angle : angles)
            for (Defect defect : defects) {
              const DigitShape shape = ShapeOfDigit(renderGlyph(font, digit, size, angle, defect, rng));
              ++rendered;
              cv::Mat& same = kept[std::size_t(digit - '0')];
              cv::Mat row(1, kShapeLength, CV_32F);
              for (int j = 0; j < kShapeLength; ++j) row.at<float>(0, j) = float(shape[std::size_t(j)]);
              if (!same.empty()) {
                cv::Mat distances;
                cv::batchDistance(row, same, distances, CV_32F, cv::noArray(), cv::NORM_L2);
                double nearest = 0;
                cv::minMaxLoc(distances, &nearest);
                if (nearest < kSameGlyph) continue;
              }
              same.push_back(row);
              digits += QByteArray::number(digit - '0') + ',';
              shapes += "\n    \"";
              for (unsigned char v : shape)
                shapes += QByteArray::number(v, 8).rightJustified(3, '0').prepend('\\');
              shapes += "\",";
              ++count;
            }
    }
  std::fprintf(stderr, "ziehfix-digitglyphs: %d of %d glyphs kept\n", count, rendered);

  QSaveFile out(QString::fromLocal8Bit(argv[1]));
  if (!out.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "ziehfix-digitglyphs: cannot write %s\n", argv[1]);
    return 1;
  }
  out.write(
      "// Generated at build time by ziehfix-digitglyphs: the shapes of rendered digits.\n"
      "#include \"scan/digitshape.h\"\n\n");
  out.write("extern const int kGlyphCount = " + QByteArray::number(count) + ";\n");
  out.write("extern const unsigned char kGlyphDigits[] = {" + digits + "};\n");
  out.write("extern const char kGlyphShapes[][kShapeLength + 1] = {" + shapes + "\n};\n");
  return out.commit() ? 0 : 1;
}
