// SPDX-License-Identifier: GPL-3.0-or-later
// How the entry frame's grid paints its cells: white, text unchanged and centred, no colours.
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>

#include "ui/eingabe/frlos2.h"

namespace {

// The bounding box of the non-white pixels inside r.
QRect inkBox(const QImage& image, const QRect& r) {
  QRect box;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x)
      if (image.pixelColor(x, y) != QColor(Qt::white)) box |= QRect(x, y, 1, 1);
  return box;
}

QImage gridImage(TFfrLos2& frame) {
  frame.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&frame));
  return frame.gLos->viewport()->grab().toImage();
}

struct PaintCase {
  const char* name;
  QString text;
};

class CellPainting : public ::testing::TestWithParam<PaintCase> {};

TEST_P(CellPainting, draws_the_text_centred_on_white) {
  TFfrLos2 frame;
  frame.gLos->setCellText(2, 2, GetParam().text);
  const QImage image = gridImage(frame);
  const QRect cell = frame.gLos->visualRect(frame.gLos->model()->index(2, 2));
  const QRect ink = inkBox(image, cell);
  ASSERT_TRUE(ink.isValid()) << "nothing drawn";
  // Centred: the ink stands as far from the left edge as from the right, within rounding and the
  // glyphs' side bearings.
  const int leftGap = ink.left() - cell.left();
  const int rightGap = cell.right() - ink.right();
  EXPECT_LE(std::abs(leftGap - rightGap), 3) << "left " << leftGap << " right " << rightGap;
  // The corners of the cell are white whatever the text is.
  EXPECT_EQ(image.pixelColor(cell.topLeft()), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(cell.bottomRight()), QColor(Qt::white));
}

INSTANTIATE_TEST_SUITE_P(Frame, CellPainting,
                         ::testing::Values(PaintCase{"one_digit", "7"}, PaintCase{"two_digits", "75"},
                                           PaintCase{"letters_typed_by_the_user", "ab"},
                                           PaintCase{"a_number_beyond_the_lottery", "99"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Frame, empty_cells_are_painted_plain_white) {
  TFfrLos2 frame;
  const QImage image = gridImage(frame);
  const QRect cell = frame.gLos->visualRect(frame.gLos->model()->index(1, 3));
  EXPECT_FALSE(inkBox(image, cell).isValid());
}

TEST(Frame, the_grid_has_five_columns_of_20_and_five_rows_of_16_pixels) {
  TFfrLos2 frame;
  frame.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(frame.gLos->columnWidth(i), 20);
    EXPECT_EQ(frame.gLos->rowHeight(i), 16);
  }
  // All 25 cells are visible without scrolling.
  const QRect last = frame.gLos->visualRect(frame.gLos->model()->index(4, 4));
  EXPECT_TRUE(frame.gLos->viewport()->rect().contains(last));
  EXPECT_EQ(frame.size(), QSize(126, 166));
}

}  // namespace
