// SPDX-License-Identifier: GPL-3.0-or-later
// Tickets without ruled lines, found from the layout of their numbers: numbers alone, in boxes, in
// boxes filled with a shade darker than the print threshold, or in circles, turned; a row of numbers beyond
// the five makes the ticket doubtful rather than shifted, and a calendar (seven columns of numbers) is no
// ticket at all.
#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <optional>
#include <random>

#include "photo_pictures/photo_pictures.h"
#include "photo_pictures/photo_score.h"
#include "scan/blobgrid.h"
#include "scan/scan.h"
#include "tuning_photos.h"

namespace {

using NumberGridsPhotos = TuningPhotos;
using NumberGridsPhotosUnlearnt = UnlearntPhotos;

constexpr int kCell = 56;
enum class Frame { None, Box, Filled, Circle, Tinted, Hatched };

// Rows of numbers, one per cell, cols columns, turned by degrees about the middle of a picture with
// margin pixels round them; letters, if any, one to a cell in a row above them; a square of ink over
// the cells in blotted (row * 5 + column); in face, if given, with a leading zero below 10.
QImage unruled(const std::vector<std::vector<int>>& rows, Frame frame, double degrees, int margin = 150,
               const QString& letters = {}, const std::vector<int>& blotted = {},
               const std::optional<QFont>& face = {}) {
  const int cols = int(rows.front().size());
  QImage img(cols * kCell + 2 * margin, int(rows.size()) * kCell + 2 * margin, QImage::Format_Grayscale8);
  img.fill(235);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(img.width() / 2.0, img.height() / 2.0);
  p.rotate(degrees);
  p.translate(-cols * kCell / 2.0, -int(rows.size()) * kCell / 2.0);
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(26);
  p.setFont(face.value_or(f));
  if (frame == Frame::Hatched) {
    // Grey hatching behind boxed numbers, touching both: at the print threshold one mark with them.
    p.setPen(QPen(QColor(175, 175, 175), 3));
    const double w = cols * kCell, h = double(rows.size()) * kCell;
    for (double d = -h; d < w; d += 9) p.drawLine(QPointF(d, h), QPointF(d + h, 0));
  }
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (int c = 0; c < cols; ++c) {
      const QRectF cell(c * kCell, double(r) * kCell, kCell, kCell);
      p.setPen(QPen(Qt::black, 2));
      if (frame == Frame::Box || frame == Frame::Hatched) p.drawRect(cell.adjusted(4, 4, -4, -4));
      if (frame == Frame::Filled) {
        p.setPen(QPen(QColor(60, 60, 60), 2));
        p.setBrush(QColor(150, 150, 150));
        p.drawRoundedRect(cell.adjusted(4, 4, -4, -4), 5, 5);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 2));
      }
      if (frame == Frame::Circle) p.drawEllipse(cell.adjusted(3, 3, -3, -3));
      if (frame == Frame::Tinted) {
        // A light fill, a little darker than the print threshold, in a darker outline.
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.setBrush(QColor(172, 172, 172));
        p.drawEllipse(cell.adjusted(3, 3, -3, -3));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Qt::black, 2));
      }
      const int n = rows[r][std::size_t(c)];
      const QString text = face ? QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')) : QString::number(n);
      if (n > 0) p.drawText(cell, Qt::AlignCenter, text);
    }
  for (int c = 0; c < int(letters.size()); ++c)
    p.drawText(QRectF(c * kCell, -kCell, kCell, kCell), Qt::AlignCenter, letters.mid(c, 1));
  for (int i : blotted)
    p.fillRect(QRectF(i % 5 * kCell + 6, i / 5 * kCell + 6, kCell - 12, kCell - 12), Qt::black);
  return img;
}

std::vector<std::vector<int>> ticketRows(int count) {
  std::vector<std::vector<int>> rows;
  for (int r = 0; r < count; ++r) {
    rows.emplace_back();
    for (int c = 0; c < 5; ++c) rows.back().push_back(c * 15 + 1 + (r * 3 + c) % 15);
  }
  return rows;
}

TEST(NumberGrids, NumbersWithoutLinesAreFoundAndReadAtATilt) {
  std::vector<std::vector<int>> rows = ticketRows(5);
  rows[2][2] = 0;
  for (Frame frame : {Frame::None, Frame::Box, Frame::Filled, Frame::Circle}) {
    // Filled boxes on a photo of a whole table, where each is small beside the picture.
    const ScanResult got = ScanImage(unruled(rows, frame, 17, frame == Frame::Filled ? 900 : 150));
    ASSERT_EQ(got.tickets.size(), 1u) << int(frame);
    const ScannedTicket& t = got.tickets[0];
    EXPECT_FALSE(t.gridDoubtful) << int(frame);
    for (std::size_t i = 0; i < 25; ++i) {
      const int want = rows[i / 5][i % 5];
      EXPECT_EQ(t.cells[i], want ? QString::number(want) : QString()) << int(frame) << " cell " << i;
    }
  }
}

// Grey hatching behind boxed numbers joins each number to its box and the boxes to each other at the
// print threshold: the numbers are found, and read, on the print as dark as digits.
TEST(NumberGrids, NumbersJoinedToTheirBoxesByHatchingBehindAreRead) {
  const std::vector<std::vector<int>> rows = ticketRows(5);
  const ScanResult got = ScanImage(unruled(rows, Frame::Hatched, 6));
  ASSERT_EQ(got.tickets.size(), 1u);
  EXPECT_FALSE(got.tickets[0].gridDoubtful);
  for (std::size_t i = 0; i < 25; ++i)
    EXPECT_EQ(got.tickets[0].cells[i], QString::number(rows[i / 5][i % 5])) << "cell " << i;
}

// Circles filled with a light tint on a grainy photo: the grain leaves the fill full of holes at the
// print threshold, and the numbers on it are still taken apart from it.
TEST(NumberGrids, NumbersOnAGrainyTintAreLiftedOffIt) {
  const std::vector<std::vector<int>> rows = ticketRows(5);
  // A wide margin: on a photo of a whole table each circle is small beside the picture, and its fill
  // is not taken for the paper.
  QImage img = unruled(rows, Frame::Tinted, 8, 1200);
  // Grain about normal, 18 levels wide, the same with every standard library: six even draws summed.
  std::mt19937 grain(7);
  for (int y = 0; y < img.height(); ++y) {
    uchar* line = img.scanLine(y);
    for (int x = 0; x < img.width(); ++x) {
      int noise = -72;
      for (int k = 0; k < 6; ++k) noise += int(grain() % 25);
      line[x] = uchar(std::clamp(line[x] + noise, 0, 255));
    }
  }
  const ScanResult got = ScanImage(img);
  ASSERT_EQ(got.tickets.size(), 1u);
  EXPECT_FALSE(got.tickets[0].gridDoubtful);
  for (std::size_t i = 0; i < 25; ++i)
    EXPECT_EQ(got.tickets[0].cells[i], QString::number(rows[i / 5][i % 5])) << "cell " << i;
}

// The nearly square digits of wide bold faces: a Bookman's 0, 3 or 8 is ink all round its bounds like a
// circle, yet no circle round a number; two digits of an extended sans make a number almost twice as
// wide as tall.
TEST_F(NumberGridsPhotos, WideBoldNumbersWithLeadingZerosAreFound) {
  std::vector<std::vector<int>> rows = ticketRows(5);
  for (int r = 0; r < 5; ++r) rows[std::size_t(r)][0] = 2 * r + 1;
  for (const auto& [family, stretch] : {std::pair{"URW Bookman", 100}, std::pair{"DejaVu Sans", 115}}) {
    QFont face(QString::fromLatin1(family));
    face.setBold(true);
    face.setPixelSize(26);
    face.setStretch(stretch);
    for (Frame frame : {Frame::None, Frame::Circle}) {
      const ScanResult got = ScanImage(unruled(rows, frame, 5, 150, {}, {}, face));
      ASSERT_EQ(got.tickets.size(), 1u) << family << " " << int(frame);
      for (std::size_t i = 0; i < 25; ++i)
        EXPECT_EQ(got.tickets[0].cells[i], QString::number(rows[i / 5][i % 5]))
            << family << " " << int(frame) << " cell " << i;
    }
  }
}

// Numbers in circles on small photos. Bold print runs into the circles: the circles, taken for the
// numbers' places, stand for them in the search, and the cells, enlarged, hold the numbers apart from
// their circles again. Light circles break into pieces as tall as a digit: too light for print, they
// stay out of the search rather than joining the digits into words.
TEST_F(NumberGridsPhotos, NumbersInSmallCirclesAreFoundAndReadApartFromThem) {
  const PhotoScore score = scored({13, 78, 93, 94}, true);
  EXPECT_GE(score.found, 13);
  EXPECT_GE(score.foundRight, 285);
}

// Three tickets of bold numbers in circles that touch each other, photographed a little blurred: a
// circle's arc, cut by the edge of its cell, is left beside the circle taken away, and a line of small
// print under a ticket lines up with its columns below the letter row above it. Every ticket is found.
TEST_F(NumberGridsPhotos, TicketsBetweenALetterRowAndALineOfSmallPrintAreFound) {
  const PhotoScore score = scored({57}, true);
  EXPECT_EQ(score.found, 3);
  EXPECT_GE(score.foundRight, 38);
}

// Six rows of numbers: which five are the ticket cannot be told, and none may be read into another row.
TEST(NumberGrids, ASixthRowOfNumbersMakesTheTicketDoubtful) {
  const ScanResult got = ScanImage(unruled(ticketRows(6), Frame::Box, 0));
  ASSERT_EQ(got.tickets.size(), 1u);
  EXPECT_TRUE(got.tickets[0].gridDoubtful);
  EXPECT_EQ(got.tickets[0].doubtfulCount(), 25);
}

// Six rows of numbers, three of the first hidden under ink: the last five rows are the fuller, but the
// first still shows two numbers of two digits and nothing else, as no row of letters or text does.
// Which five rows are the ticket cannot be told.
TEST(NumberGrids, AFirstRowPartlyHiddenOverASixthRowMakesTheTicketDoubtful) {
  const ScanResult got = ScanImage(unruled(ticketRows(6), Frame::None, 3, 150, {}, {0, 2, 4}));
  ASSERT_EQ(got.tickets.size(), 1u);
  EXPECT_TRUE(got.tickets[0].gridDoubtful);
}

// A letter row above the numbers, and two numbers of the last row hidden under ink: the letters line
// up with the numbers better than the last row does, and the grid first taken is a row too high. The
// ticket is the grid a row further down, its hidden numbers in doubt and no others.
TEST(NumberGrids, ALetterRowTakenForTheFirstRowIsLeftForTheRowBelow) {
  std::vector<std::vector<int>> rows = ticketRows(5);
  rows[2][2] = 0;
  // Letters that read as no number, and letters some of which read as numbers of one digit, outside the
  // bands of fifteen their columns share.
  for (const QString& letters : {QStringLiteral("ZAHLE"), QStringLiteral("SIEBS")}) {
    const ScanResult got = ScanImage(unruled(rows, Frame::None, 4, 150, letters, {21, 23}));
    ASSERT_EQ(got.tickets.size(), 1u) << letters.toStdString();
    const ScannedTicket& t = got.tickets[0];
    EXPECT_FALSE(t.gridDoubtful) << letters.toStdString();
    for (std::size_t i = 0; i < 25; ++i) {
      const int want = i == 21 || i == 23 ? 0 : rows[i / 5][i % 5];
      EXPECT_EQ(t.cells[i], want ? QString::number(want) : QString())
          << letters.toStdString() << " cell " << i;
      EXPECT_EQ(t.doubtful[i], i == 21 || i == 23) << letters.toStdString() << " cell " << i;
    }
  }
}

// A grid first taken a row too high, its letter row for its first row, is moved down onto the ticket,
// whose last row (filled boxes near a barcode) is read badly: three numbers in doubt, each looking most
// like the number of its column's band it is. With no row of numbers beyond it, that row is the
// ticket's own, as for any grid, and the ticket is read with those three marked.
TEST_F(NumberGridsPhotos, AGridMovedOffItsLetterRowKeepsABadlyReadLastRow) {
  const PhotoScore score = scored({23});
  EXPECT_GE(score.foundRight, 114);
}

// A sheet of six tickets in bold print, each number in a box it runs into where the photo's light and
// blur join them: the numbers are read apart from their boxes (lost with them, two in five were marked),
// and none is read wrong.
TEST_F(NumberGridsPhotos, BoldNumbersRunIntoTheirBoxesAreReadApartFromThem) {
  const PhotoScore score = scored({6});
  EXPECT_EQ(score.found, 6);
  EXPECT_GE(score.foundRight * 10, score.foundNumbers * 9);
}

// Bold numbers run into boxes printed lighter than them, on pink paper: at the search's threshold the
// boxes join the numbers, and neighbouring boxes each other, into marks of no number's shape; no grid
// was found. The print as dark as the search takes digits to be stands apart.
TEST_F(NumberGridsPhotos, NumbersRunIntoLighterBoxesAreFoundApartFromThem) {
  const PhotoScore score = scored({53});
  EXPECT_GE(score.found, 4);
}

// Numbers in boxes printed faint and grainy, joined to them by the blur of photos of sheets of three
// (a wide monospaced face): the box was found with its four sides only, and a side fell out of the
// threshold or broke into dashes. Every number lost with its box was in doubt, and with four in a column
// the tickets went into doubt as a whole (41 and 73 of their numbers read).
TEST_F(NumberGridsPhotos, NumbersJoinedToFaintGrainyBoxesAreRead) {
  const PhotoScore score = scored({0, 3});
  EXPECT_EQ(score.found, 9);
  EXPECT_GE(score.foundRight, 150);
}

// A bold serif face whose thin joints break in small cells: the ball of a 2, the flag of a 5 came
// apart as marks as large as a digit, and a number of more marks than digits was not read. Every
// ticket of a sheet of five went into doubt. (Such numbers now need Tesseract's word as well.)
TEST_F(NumberGridsPhotos, BrokenJointsOfBoldSerifDigitsAreNoDigitsOfTheirOwn) {
  const PhotoScore score = scored({142});
  EXPECT_EQ(score.found, 5);
  EXPECT_GE(score.foundRight, 80);
}

// Small numbers in circles (digits ten pixels tall) in a light ink on pink paper, blurred by the camera:
// their strokes faded above the search's threshold and no grid was found at all. The picture is looked
// at once more, sharpened. (A photo of the part in faces the reader never learnt.)
TEST_F(NumberGridsPhotosUnlearnt, SmallBlurredNumbersAreFoundOnASecondSharpenedLook) {
  const PhotoScore score = scored({123});
  EXPECT_EQ(score.found, 1);
  EXPECT_GE(score.foundRight, 18);
}

// Four tickets of small print (cells 36 pixels wide), where the first look found only a stray grid,
// which was then refused: the sharpened second look is taken whenever no ticket was found, not only
// where no grid was.
TEST_F(NumberGridsPhotos, TheSecondLookIsTakenWhenEveryGridFoundWasRefused) {
  EXPECT_EQ(scored({36}, true).found, 4);
}

// Three tickets read on the first look, and a grid found but refused (small numbers, cells 39 pixels
// wide): the part of the picture round it is looked at once more, sharpened, and the fourth ticket is
// read there.
TEST_F(NumberGridsPhotos, RoundAGridRefusedTheSecondLookFindsTheTicketMissing) {
  EXPECT_EQ(scored({97}).found, 4);
}

// Serif numbers on boxes filled with a light colour, slightly blurred: cut from the fill halfway between
// its shade and the print's, the thin foot of a 7 or bar of a 4 was lost and the rest read as 1 (57 as
// 51, 44 as 41).
TEST_F(NumberGridsPhotos, SerifNumbersOnFilledBoxesKeepTheirThinStrokes) {
  const PhotoScore score = scored({89, 118});
  EXPECT_GE(score.found, 10);
  EXPECT_GE(score.foundRight * 20, score.foundNumbers * 19);
}

// One straightened cell: a box inset pixels in from its edges (or none) in shade boxShade, "27" drawn
// pixelSize tall in its middle, or from x = left when that is given.
cv::Mat boxedCell(bool box, int pixelSize, int left = -1, int boxShade = 0, int inset = 5) {
  QImage img(80, 80, QImage::Format_Grayscale8);
  img.fill(255);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(boxShade, boxShade, boxShade), 3));
  if (box) p.drawRect(QRectF(inset, inset, 80 - 2 * inset, 80 - 2 * inset));
  p.setPen(QPen(Qt::black, 3));
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setBold(true);
  f.setPixelSize(pixelSize);
  p.setFont(f);
  if (left < 0)
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("27"));
  else
    p.drawText(QRect(left, 0, 80 - left, 80), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("27"));
  p.end();
  return cv::Mat(img.height(), img.width(), CV_8UC1, img.bits(), std::size_t(img.bytesPerLine())).clone();
}

TEST(NumberOutOfBox, TakesTheNumberFromItsBoxUnlessTheBoxCutItOrThereIsNone) {
  const cv::Mat apart = NumberOutOfBox(boxedCell(true, 30));
  ASSERT_FALSE(apart.empty());
  // The box is gone, the number is whole: its ink is the ink of the same number drawn without a box.
  const cv::Mat alone = boxedCell(false, 30);
  EXPECT_EQ(cv::countNonZero(apart(cv::Rect(0, 0, 80, 10)) < 200), 0);
  EXPECT_EQ(cv::countNonZero(apart(cv::Rect(0, 0, 10, 80)) < 200), 0);
  EXPECT_NEAR(cv::countNonZero(apart < 128), cv::countNonZero(alone < 128), 10);
  // Digits run into the box's side lose a piece to it, whether both are as wide as the box or the 2
  // alone touches it ("7" must not pass for 27); no box, nothing to take.
  EXPECT_TRUE(NumberOutOfBox(boxedCell(true, 60)).empty());
  EXPECT_TRUE(NumberOutOfBox(boxedCell(true, 30, 5)).empty());
  EXPECT_TRUE(NumberOutOfBox(boxedCell(false, 30)).empty());
  // Blur joins the number to a box close by, printed lighter than it: told apart by shade, the number
  // is taken whole.
  cv::Mat near = boxedCell(true, 30, 7, 130);
  cv::GaussianBlur(near, near, cv::Size(), 1.5);
  const cv::Mat light = NumberOutOfBox(near);
  ASSERT_FALSE(light.empty());
  EXPECT_EQ(cv::countNonZero(light(cv::Rect(0, 0, 80, 10)) < 230), 0);
  cv::Mat nearAlone = boxedCell(false, 30, 7);
  cv::GaussianBlur(nearAlone, nearAlone, cv::Size(), 1.5);
  EXPECT_NEAR(cv::countNonZero(light < 128), cv::countNonZero(nearAlone < 128), 10);
}

// A box printed faint and grainy: one side falls out of the threshold, two others break into dashes.
// It is a box still, and the number is taken from it; but not where the side left has pieces a digit's
// fifth tall, which would pass for a 1, nor with two sides alone.
TEST(NumberOutOfBox, TakesTheNumberFromAFaintGrainyBox) {
  cv::Mat grainy = boxedCell(true, 30);
  grainy(cv::Rect(0, 0, 12, 80)).setTo(255);
  for (int x = 0; x < 80; x += 6) grainy(cv::Rect(x, 0, 2, 10)).setTo(255);
  for (int y = 0; y < 80; y += 6) grainy(cv::Rect(68, y, 12, 2)).setTo(255);
  const cv::Mat apart = NumberOutOfBox(grainy);
  ASSERT_FALSE(apart.empty());
  EXPECT_NEAR(cv::countNonZero(apart < 128), cv::countNonZero(boxedCell(false, 30) < 128), 10);
  cv::Mat dashed = boxedCell(true, 26, -1, 0, 12);
  for (int y = 0; y < 80; y += 28) dashed(cv::Rect(0, y, 16, 8)).setTo(255);
  EXPECT_TRUE(NumberOutOfBox(dashed).empty());
  cv::Mat twoSides = grainy.clone();
  twoSides(cv::Rect(0, 68, 80, 12)).setTo(255);
  EXPECT_TRUE(NumberOutOfBox(twoSides).empty());
}

// One straightened cell: a circle about its edges, "27" drawn pixelSize tall in its middle.
cv::Mat ringedCell(int pixelSize, const QRectF& ring = QRectF(6, 5, 70, 70)) {
  QImage img(80, 80, QImage::Format_Grayscale8);
  img.fill(255);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 3));
  p.drawEllipse(ring);
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setBold(true);
  f.setPixelSize(pixelSize);
  p.setFont(f);
  p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("27"));
  p.end();
  return cv::Mat(img.height(), img.width(), CV_8UC1, img.bits(), std::size_t(img.bytesPerLine())).clone();
}

TEST(NumberOutOfRing, TakesTheNumberFromItsCircleUnlessTheCircleCutItOrThereIsNone) {
  const cv::Mat apart = NumberOutOfRing(ringedCell(28));
  ASSERT_FALSE(apart.empty());
  // The circle is gone, the number is whole: its ink is the ink of the same number drawn alone.
  const cv::Mat alone = boxedCell(false, 28);
  EXPECT_EQ(cv::countNonZero(apart(cv::Rect(0, 0, 80, 14)) < 200), 0);
  EXPECT_EQ(cv::countNonZero(apart(cv::Rect(0, 0, 14, 80)) < 200), 0);
  EXPECT_NEAR(cv::countNonZero(apart < 128), cv::countNonZero(alone < 128), 10);
  // A circle off the cell's middle, its side cut by the cell's edge: an arc of it is left beside the
  // circle fitted, and that arc's bounds take in the middle of the cell.
  const cv::Mat off = NumberOutOfRing(ringedCell(28, QRectF(5, 2, 76, 76)));
  ASSERT_FALSE(off.empty());
  EXPECT_NEAR(cv::countNonZero(off < 128), cv::countNonZero(alone < 128), 10);
  // Digits run into the circle lose a piece to it; a box is no circle; nothing round the number.
  EXPECT_TRUE(NumberOutOfRing(ringedCell(46)).empty());
  EXPECT_TRUE(NumberOutOfRing(boxedCell(true, 30)).empty());
  EXPECT_TRUE(NumberOutOfRing(boxedCell(false, 30)).empty());
}

// A cell's middle as the reader gets it: "27" drawn shift pixels right of its middle, in type size
// pixels tall, or its 7 alone where it stands in 27.
cv::Mat numberCell(int shift, bool sevenAlone = false, int size = 26) {
  QImage img(64, 64, QImage::Format_Grayscale8);
  img.fill(255);
  QPainter p(&img);
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(size);
  p.setFont(f);
  p.setPen(Qt::black);
  const QFontMetrics m(f);
  int x = (64 - m.horizontalAdvance(QStringLiteral("27"))) / 2 + shift;
  if (sevenAlone) x += m.horizontalAdvance(QStringLiteral("2"));
  p.drawText(QRect(x, 0, 64, 64), Qt::AlignLeft | Qt::AlignVCenter,
             sevenAlone ? QStringLiteral("7") : QStringLiteral("27"));
  p.end();
  return cv::Mat(img.height(), img.width(), CV_8UC1, img.bits(), std::size_t(img.bytesPerLine())).clone();
}

// The lone 7 of 27 is off its cell's middle, in large print or small; a row or column of numbers all as
// far off, as on a curled sheet, is not.
TEST(NumbersOffCentre, TellsTheLoneDigitOfANumberFromARowOrColumnBentAway) {
  std::array<cv::Mat, 25> cells;
  auto offCells = [&] {
    std::vector<int> off;
    const std::array<bool, 25> got = NumbersOffCentre(cells);
    for (int i = 0; i < 25; ++i)
      if (got[std::size_t(i)]) off.push_back(i);
    return off;
  };
  for (cv::Mat& c : cells) c = numberCell(0);
  EXPECT_TRUE(offCells().empty());
  for (int c = 0; c < 5; ++c) cells[std::size_t(20 + c)] = numberCell(6);
  for (int r = 0; r < 4; ++r) cells[std::size_t(r * 5)] = numberCell(-6);
  EXPECT_TRUE(offCells().empty());
  cells[7] = numberCell(0, true);
  cells[13] = numberCell(0, true, 16);
  cells[22] = numberCell(6, true);
  EXPECT_EQ(offCells(), (std::vector<int>{7, 13, 22}));
}

TEST(NumberGrids, ACalendarIsNoTicket) {
  std::vector<std::vector<int>> month(5, std::vector<int>(7, 0));
  for (int day = 1; day <= 31; ++day) month[std::size_t((day + 2) / 7)][std::size_t((day + 2) % 7)] = day;
  EXPECT_TRUE(ScanImage(unruled(month, Frame::None, 3)).tickets.empty());
  // Photographed, its lines lighter than its days: the days stand apart only on the firm print, where
  // a part of the month, fitting a lattice of its own, once passed for a doubtful ticket.
  if (MissingPhotoFaces(PhotoPart::Tuning).isEmpty()) {
    EXPECT_TRUE(ScanImage(QImage::fromData(GeneratePhoto(PhotoPart::Tuning, 95).jpeg)).tickets.empty());
  }
}

}  // namespace
