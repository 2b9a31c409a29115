// SPDX-License-Identifier: GPL-3.0-or-later
// The second digit reader: a number's marks cut into digits, and each digit recognised by its shape
// among the glyphs rendered at build time.
#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <opencv2/imgproc.hpp>

#include "scan/digitclassifier.h"
#include "scan/digitshape.h"

// The glyphs the classifier learnt, as generated at build time.
extern const int kGlyphCount;
extern const unsigned char kGlyphDigits[];
extern const char kGlyphShapes[][kShapeLength + 1];

namespace {

// A digit as the reader cuts it from a cell: drawn, turned a little, ink bright on black.
cv::Mat drawnDigit(const QString& family, bool bold, int digit, int size, double angle) {
  QImage img(size * 3, size * 3, QImage::Format_Grayscale8);
  img.fill(255);
  {
    QPainter p(&img);
    QFont f(family);
    f.setBold(bold);
    f.setPixelSize(size);
    p.setFont(f);
    p.drawText(img.rect(), Qt::AlignCenter, QString::number(digit));
  }
  const cv::Mat drawn(img.height(), img.width(), CV_8UC1, img.bits(), std::size_t(img.bytesPerLine()));
  cv::Mat turned;
  cv::warpAffine(drawn, turned, cv::getRotationMatrix2D(cv::Point2f(size * 1.5f, size * 1.5f), angle, 1.0),
                 drawn.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT, cv::Scalar(255));
  cv::Mat ink;
  cv::subtract(cv::Scalar(255), turned, ink);
  return ink;
}

TEST(DigitBoxes, BrokenStrokesAreOneDigitTouchingDigitsAreCutAndMoreThanTwoAreNoNumber) {
  const cv::Mat blank = cv::Mat::zeros(40, 80, CV_8UC1);
  // The upper and lower half of a broken 8, then a 1.
  std::vector<cv::Rect> boxes =
      DigitBoxes({cv::Rect(30, 5, 8, 24), cv::Rect(5, 5, 12, 12), cv::Rect(6, 16, 11, 13)}, blank);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0], cv::Rect(5, 5, 12, 24));
  EXPECT_EQ(boxes[1], cv::Rect(30, 5, 8, 24));

  // "00" run together by blur: one piece twice as wide as tall, its thinnest ink a little off middle.
  cv::Mat ink = cv::Mat::zeros(40, 80, CV_8UC1);
  cv::ellipse(ink, cv::Point(20, 20), cv::Size(9, 14), 0, 0, 360, cv::Scalar(255), 4);
  cv::ellipse(ink, cv::Point(40, 20), cv::Size(9, 14), 0, 0, 360, cv::Scalar(255), 4);
  boxes = DigitBoxes({cv::Rect(9, 4, 43, 33)}, ink);
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NEAR(boxes[1].x, 31, 2);
  EXPECT_EQ(boxes[0].x + boxes[0].width, boxes[1].x);

  EXPECT_TRUE(
      DigitBoxes({cv::Rect(0, 0, 8, 20), cv::Rect(10, 0, 8, 20), cv::Rect(20, 0, 8, 20)}, blank).empty());
}

TEST(DigitShapes, DigitsInSizesAndSlantsNotRenderedForLearningAreRecognised) {
  const struct {
    const char* family;
    bool bold;
  } faces[] = {
      {"DejaVu Sans", false}, {"DejaVu Sans Mono", true}, {"DejaVu Serif", true}, {"Carlito", false}};
  for (const auto& face : faces)
    for (int digit = 0; digit <= 9; ++digit)
      for (const auto& [size, angle] : {std::pair{19, 2.5}, std::pair{30, -1.5}}) {
        const DigitGuess g =
            ClassifyDigit(ShapeOfDigit(drawnDigit(face.family, face.bold, digit, size, angle)));
        EXPECT_EQ(g.digit, digit) << face.family << (face.bold ? " bold " : " ") << size << " px";
        EXPECT_GT(g.margin, 1.0f);
      }
  EXPECT_EQ(ClassifyDigit(DigitShape{}).digit, -1) << "no ink, no digit";
}

// The search skips glyphs by a bound on their distance; it must find what measuring every glyph finds.
// Digits of faces it never learnt, smudged, make the nearest glyphs of several digits lie close.
TEST(DigitShapes, ThePrunedSearchFindsWhatMeasuringEveryGlyphFinds) {
  cv::RNG rng(23);
  for (const char* family : {"Go", "Linux Libertine O", "Caladea"})
    for (int digit = 0; digit <= 9; ++digit) {
      cv::Mat ink =
          drawnDigit(QString::fromLatin1(family), digit % 2 == 0, digit, 22, rng.uniform(-6.0, 6.0));
      cv::GaussianBlur(ink, ink, cv::Size(0, 0), rng.uniform(0.5, 2.0));
      const DigitShape shape = ShapeOfDigit(ink);
      float nearest[10];
      std::fill(std::begin(nearest), std::end(nearest), std::numeric_limits<float>::max());
      for (int i = 0; i < kGlyphCount; ++i) {
        float sum = 0;
        for (int j = 0; j < kShapeLength; ++j) {
          const float d =
              float(shape[std::size_t(j)]) - float(static_cast<unsigned char>(kGlyphShapes[i][j]));
          sum += d * d;
        }
        float& n = nearest[kGlyphDigits[i]];
        n = std::min(n, std::sqrt(sum));
      }
      const int best = int(std::min_element(std::begin(nearest), std::end(nearest)) - std::begin(nearest));
      float other = std::numeric_limits<float>::max();
      for (int d = 0; d < 10; ++d)
        if (d != best) other = std::min(other, nearest[d]);
      const DigitGuess g = ClassifyDigit(shape);
      EXPECT_EQ(g.digit, best) << family << " " << digit;
      EXPECT_NEAR(g.margin, other / std::max(nearest[best], 1.0f), 1e-3f) << family << " " << digit;
    }
}

}  // namespace

TEST(SeparateMarks, BrokenJointsAreOnePieceButATallDigitOverAnotherIsItsOwn) {
  // The flag of a 5 come apart from its bowl, then a 6: two marks, not three.
  EXPECT_EQ(SeparateMarks({cv::Rect(2, 2, 10, 8), cv::Rect(1, 11, 12, 15), cv::Rect(16, 2, 12, 24)}), 2);
  // A 1 kerned under the arm of a 7, both a digit tall: two marks over the same columns.
  EXPECT_EQ(SeparateMarks({cv::Rect(2, 2, 14, 24), cv::Rect(10, 3, 8, 23)}), 2);
  // A speck beside a digit, not over its columns, is a mark of its own.
  EXPECT_EQ(SeparateMarks({cv::Rect(2, 2, 12, 24), cv::Rect(15, 20, 3, 3)}), 2);
}
