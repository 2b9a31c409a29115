// SPDX-License-Identifier: GPL-3.0-or-later
// Where a cell text lands: the text is rendered into an image and its ink is compared with the ink of
// the same text drawn at a known origin.
#include "ui/shared/drawcell.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace {

const QColor kPage(Qt::white);
const QColor kCell(0xF0, 0xE6, 0x8C);

QFont cellFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(13);
  return font;
}

// Bounding box of every pixel that is neither page nor cell colour.
QRect inkOf(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c != kPage && c != kCell) box |= QRect(x, y, 1, 1);
    }
  return box;
}

QImage page() {
  QImage image(200, 60, QImage::Format_RGB32);
  image.fill(kPage);
  return image;
}

// Ink of text drawn with its origin (left end of the baseline) at (50, 40), as an offset from there.
QPoint inkOffset(const QString& text) {
  QImage image = page();
  QPainter p(&image);
  p.fillRect(image.rect(), kCell);
  p.setFont(cellFont());
  p.setPen(Qt::black);
  p.drawText(50, 40, text);
  p.end();
  return inkOf(image).topLeft() - QPoint(50, 40);
}

struct Case {
  const char* name;
  QRect cell;
  Qt::Alignment alignment;
  const char* text;
  friend void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }
};

class CellTextPosition : public ::testing::TestWithParam<Case> {};

TEST_P(CellTextPosition, TextStartsWhereTheAlignmentPutsIt) {
  const Case& c = GetParam();
  const QString text = QString::fromLatin1(c.text);
  const int w = QFontMetrics(cellFont()).horizontalAdvance(text);
  const int ascent = QFontMetrics(cellFont()).ascent();
  const int left = c.cell.x(), right = c.cell.x() + c.cell.width();
  int x = left + 2;
  if (c.alignment & Qt::AlignHCenter) x = left + (right - left - w) / 2;
  if (c.alignment & Qt::AlignRight) x = right - w - 3;

  QImage image = page();
  QPainter p(&image);
  p.setFont(cellFont());
  p.setPen(Qt::black);
  DrawCellText(p, c.cell, c.alignment, text, kCell);
  p.end();

  EXPECT_EQ(inkOf(image).topLeft(), QPoint(x, c.cell.y() + 2 + ascent) + inkOffset(text));
  EXPECT_EQ(image.pixelColor(c.cell.topLeft()), kCell);
  EXPECT_EQ(image.pixelColor(c.cell.bottomRight()), kCell);
  EXPECT_EQ(image.pixelColor(c.cell.topLeft() - QPoint(1, 1)), kPage);
  EXPECT_EQ(image.pixelColor(c.cell.bottomRight() + QPoint(1, 1)), kPage);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CellTextPosition,
    ::testing::Values(Case{"LeftStartsTwoPixelsIn", QRect(10, 5, 60, 22), Qt::AlignLeft, "17"},
                      Case{"CentreOfAnEvenGap", QRect(10, 5, 60, 22), Qt::AlignHCenter, "17"},
                      Case{"CentreOfAnOddGapRoundsDown", QRect(11, 7, 61, 21), Qt::AlignHCenter, "17"},
                      Case{"CentreOfASingleDigit", QRect(30, 3, 25, 25), Qt::AlignHCenter, "4"},
                      Case{"RightEndsThreePixelsBeforeTheEdge", QRect(10, 5, 60, 22), Qt::AlignRight, "75"}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(DrawCellText, ClipsTextWiderThanTheCellToTheCell) {
  QImage image = page();
  QPainter p(&image);
  p.setFont(cellFont());
  p.setPen(Qt::black);
  const QRect cell(40, 10, 12, 20);
  DrawCellText(p, cell, Qt::AlignHCenter, "12345678", kCell);
  p.end();
  const QRect ink = inkOf(image);
  ASSERT_FALSE(ink.isEmpty());
  EXPECT_TRUE(cell.contains(ink)) << ink.x() << "," << ink.y() << " " << ink.width() << "x" << ink.height();
}

TEST(DrawCellText, LeavesThePainterAsItWas) {
  QImage image = page();
  QPainter p(&image);
  p.setFont(cellFont());
  p.setPen(Qt::blue);
  DrawCellText(p, QRect(0, 0, 20, 20), Qt::AlignHCenter, "1", kCell);
  EXPECT_FALSE(p.hasClipping());
  EXPECT_EQ(p.pen().color(), QColor(Qt::blue));
  p.fillRect(QRect(100, 30, 5, 5), Qt::red);
  p.end();
  EXPECT_EQ(image.pixelColor(102, 32), QColor(Qt::red));
}

}  // namespace
