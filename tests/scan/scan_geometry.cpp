// SPDX-License-Identifier: GPL-3.0-or-later
// Grids whose geometry is not certain: a sixth ruled row below the numbers, a row without numbers, a
// row of words, a grid cut by the picture's edge. Each such ticket is doubtful as a whole, its numbers
// left unread rather than put into another row; a plain grid stays certain.
#include <gtest/gtest.h>

#include <QPainter>
#include <algorithm>

#include "scan/scan.h"

namespace {

constexpr int kCell = 64;

// A ruled grid of rows.size() rows and five columns, one text per cell, on white paper with room
// round it (left out where edgeCut is set: then the picture ends at the grid's bottom line).
QImage ruledGrid(const std::vector<std::array<QString, 5>>& rows, bool edgeCut = false) {
  const int margin = 40;
  const int height = int(rows.size()) * kCell;
  QImage img(5 * kCell + 2 * margin, height + margin + (edgeCut ? 1 : margin), QImage::Format_Grayscale8);
  img.fill(255);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 3));
  for (int i = 0; i <= 5; ++i) p.drawLine(margin + i * kCell, margin, margin + i * kCell, margin + height);
  for (int i = 0; i <= int(rows.size()); ++i)
    p.drawLine(margin, margin + i * kCell, margin + 5 * kCell, margin + i * kCell);
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(28);
  p.setFont(f);
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (int c = 0; c < 5; ++c)
      p.drawText(QRect(margin + c * kCell, margin + int(r) * kCell, kCell, kCell), Qt::AlignCenter,
                 rows[r][std::size_t(c)]);
  return img;
}

std::vector<std::array<QString, 5>> numberRows(int count) {
  std::vector<std::array<QString, 5>> rows;
  for (int r = 0; r < count; ++r) {
    std::array<QString, 5> row;
    for (int c = 0; c < 5; ++c) row[std::size_t(c)] = QString::number(c * 15 + 2 + r * 2);
    rows.push_back(row);
  }
  return rows;
}

void expectWholeTicketDoubtful(const QImage& picture, const char* what) {
  const ScanResult got = ScanImage(picture);
  ASSERT_EQ(got.tickets.size(), 1u) << what;
  const ScannedTicket& t = got.tickets[0];
  EXPECT_TRUE(t.gridDoubtful) << what;
  EXPECT_EQ(t.doubtfulCount(), 25) << what;
  for (const QString& cell : t.cells) EXPECT_TRUE(cell.isEmpty()) << what;
}

TEST(ScanGeometry, APlainGridIsCertain) {
  const ScanResult got = ScanImage(ruledGrid(numberRows(5)));
  ASSERT_EQ(got.tickets.size(), 1u);
  EXPECT_FALSE(got.tickets[0].gridDoubtful);
  EXPECT_EQ(got.tickets[0].cells[6], QStringLiteral("19"));
}

// Six ruled rows: the first is taken for a letter row and dropped. When it holds numbers, the sixth
// row below (a serial number) is no row of the ticket, and the rows read would be shifted by one.
TEST(ScanGeometry, ASixthRowBelowTheNumbersMakesTheGridDoubtful) {
  std::vector<std::array<QString, 5>> rows = numberRows(5);
  rows.push_back({QStringLiteral("Nr."), QStringLiteral("A-17"), QStringLiteral("0045"), QStringLiteral("//"),
                  QStringLiteral("Kasse")});
  expectWholeTicketDoubtful(ruledGrid(rows), "serial row below");
}

TEST(ScanGeometry, ARowWithoutNumbersOrOfWordsMakesTheGridDoubtful) {
  std::vector<std::array<QString, 5>> empty = numberRows(4);
  empty.push_back({});
  expectWholeTicketDoubtful(ruledGrid(empty), "last row empty");

  std::vector<std::array<QString, 5>> words = numberRows(4);
  words.insert(words.begin(), {QStringLiteral("Klub"), QStringLiteral("Glück"), QStringLiteral("Abend"),
                               QStringLiteral("Los"), QStringLiteral("Mai")});
  expectWholeTicketDoubtful(ruledGrid(words), "a row of words");
}

TEST(ScanGeometry, AGridReachingThePicturesEdgeIsDoubtful) {
  expectWholeTicketDoubtful(ruledGrid(numberRows(5), true), "cut at the bottom");
}

// A cell without ink where a number belongs is unknown; only the free cell in the middle is empty.
TEST(ScanGeometry, ACellWithoutANumberIsDoubtfulButTheFreeCellIsNot) {
  std::vector<std::array<QString, 5>> rows = numberRows(5);
  rows[2][2].clear();
  rows[4][0].clear();
  const ScanResult got = ScanImage(ruledGrid(rows));
  ASSERT_EQ(got.tickets.size(), 1u);
  const ScannedTicket& t = got.tickets[0];
  EXPECT_FALSE(t.gridDoubtful);
  EXPECT_FALSE(t.doubtful[12]);
  EXPECT_TRUE(t.doubtful[20]);
  EXPECT_EQ(t.doubtfulCount(), 1);
}

// "27" whose 2 did not come out (faint toner, a fold): the 7 stands where it stood in 27, off the middle
// of its cell, and is not read as 7.
TEST(ScanGeometry, ALoneDigitOffTheMiddleOfItsCellIsDoubtful) {
  std::vector<std::array<QString, 5>> rows = numberRows(5);
  rows[1][0] = QChar(0x2007) + QStringLiteral("7");  // a blank as wide as a digit, then the 7
  const ScanResult got = ScanImage(ruledGrid(rows));
  ASSERT_EQ(got.tickets.size(), 1u);
  const ScannedTicket& t = got.tickets[0];
  EXPECT_TRUE(t.doubtful[5]);
  EXPECT_TRUE(t.cells[5].isEmpty());
  EXPECT_EQ(t.doubtfulCount(), 1);
}

// Where three or more other numbers of a column, read for certain, share a band of fifteen, as on most
// printed tickets, a number outside it is marked (more likely misread than printed so); with two, or
// in a column of mixed numbers, none is, unless it has one digit and they two.
TEST(ScanGeometry, ANumberOutsideTheBandItsColumnSharesIsDoubtful) {
  std::vector<std::array<QString, 5>> rows = numberRows(5);
  rows[3][0] = QStringLiteral("50");
  rows[1][0].clear();                                                                 // 2, -, 6, 50, 10
  for (int r = 0; r < 5; ++r) rows[std::size_t(r)][4] = QString::number(1 + r * 17);  // 1, 18, 35, 52, 69
  ScanResult got = ScanImage(ruledGrid(rows));
  ASSERT_EQ(got.tickets.size(), 1u);
  EXPECT_TRUE(got.tickets[0].doubtful[15]);
  EXPECT_TRUE(got.tickets[0].cells[15].isEmpty());
  EXPECT_EQ(got.tickets[0].doubtfulCount(), 2);  // and the empty cell
  EXPECT_EQ(got.tickets[0].cells[24], QStringLiteral("69"));

  rows[0][0].clear();  // -, -, 6, 50, 10: two others only
  got = ScanImage(ruledGrid(rows));
  ASSERT_EQ(got.tickets.size(), 1u);
  EXPECT_EQ(got.tickets[0].cells[15], QStringLiteral("50"));

  // But a number of one digit where two others share a band of two digits lost a digit, more likely;
  // two such in one column as well.
  rows[1][2] = QStringLiteral("8");
  rows[2][2].clear();                // the free cell
  rows[3][2] = QStringLiteral("7");  // 32, 8, -, 7, 40
  got = ScanImage(ruledGrid(rows));
  ASSERT_EQ(got.tickets.size(), 1u);
  EXPECT_TRUE(got.tickets[0].doubtful[7]);
  EXPECT_TRUE(got.tickets[0].doubtful[17]);
  EXPECT_EQ(got.tickets[0].cells[15], QStringLiteral("50"));
}

// A last row or column of numbers drawn so wide that the reader is sure of few of them, though each
// looks most like the number it is: the line is the ticket's own, read badly, and only its cells are
// in doubt. Looking like numbers of another column's band, or a column out of the order of the others'
// bands (a neighbouring ticket's), it may be no line of the ticket: all of it in doubt.
TEST(ScanGeometry, ABadlyReadLineOfNumbersKeepsTheTicket) {
  auto drawnWide = [](std::vector<std::array<QString, 5>> rows, bool lastColumn) {
    std::vector<std::array<QString, 5>> wide(5);
    for (std::size_t r = 0; r < 5; ++r)
      for (std::size_t c = 0; c < 5; ++c)
        if (lastColumn ? c == 4 : r == 4) std::swap(wide[r][c], rows[r][c]);
    QImage img = ruledGrid(rows);
    QPainter p(&img);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(28);
    f.setStretch(190);
    p.setFont(f);
    for (int r = 0; r < 5; ++r)
      for (int c = 0; c < 5; ++c)
        p.drawText(QRect(40 + c * kCell, 40 + r * kCell, kCell, kCell), Qt::AlignCenter,
                   wide[std::size_t(r)][std::size_t(c)]);
    return img;
  };
  auto expectLineInDoubt = [](const QImage& picture, const std::vector<std::array<QString, 5>>& rows,
                              bool lastColumn) {
    const ScanResult got = ScanImage(picture);
    ASSERT_EQ(got.tickets.size(), 1u);
    const ScannedTicket& t = got.tickets[0];
    EXPECT_FALSE(t.gridDoubtful);
    EXPECT_EQ(t.cells[0], QStringLiteral("2"));
    int inDoubt = 0;
    for (std::size_t i = 0; i < 25; ++i) {
      const bool inLine = lastColumn ? i % 5 == 4 : i >= 20;
      inDoubt += t.doubtful[i];
      // A number of the line the reader is sure of is read right.
      if (inLine && !t.doubtful[i]) {
        EXPECT_EQ(t.cells[i], rows[i / 5][i % 5]) << i;
      }
      if (!inLine) {
        EXPECT_FALSE(t.doubtful[i]) << i;
      }
    }
    EXPECT_GE(inDoubt, 4) << (lastColumn ? "last column" : "last row");
  };
  std::vector<std::array<QString, 5>> rows = numberRows(5);  // last row 10 25 40 55 70
  expectLineInDoubt(drawnWide(rows, false), rows, false);
  expectLineInDoubt(drawnWide(rows, true), rows, true);  // last column 62 64 66 68 70

  std::vector<std::array<QString, 5>> otherBands = rows;
  std::reverse(otherBands[4].begin(), otherBands[4].end());  // 70 55 40 25 10
  expectWholeTicketDoubtful(drawnWide(otherBands, false), "numbers of other columns");
  for (std::size_t r = 0; r < 5; ++r) otherBands[r][4] = QString::number(17 + r * 3);  // 17 20 23 26 29
  expectWholeTicketDoubtful(drawnWide(otherBands, true), "a column out of order");
}

}  // namespace
