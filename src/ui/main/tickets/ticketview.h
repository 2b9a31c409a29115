// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QPixmap>
#include <QRect>
#include <QScrollArea>
#include <QString>
#include <array>

#include "core/ticket.h"

class LotteryCheck;
class QTimer;
class TicketKeys;

// Geometry of the read-only ticket frames of the main window: 126 x 86 pixels, five to a row, five
// pixels apart and from the edges. All positions are content coordinates of the ticket area; rows are
// placed by arithmetic only, so any number of tickets fits (Qt layouts stop at 524,287 pixels).
namespace TicketFrameGeometry {
constexpr int kWidth = 126;
constexpr int kHeight = 86;
constexpr int kGap = 5;
constexpr int kPerRow = 5;
constexpr int kStripWidth = 20;  // the left strip with the number panel
constexpr int kNumberPanel = 18;
constexpr int kCellWidth = 20;
constexpr int kCellHeight = 16;

// Frame of ticket index (0-based): left = column * 131 + 5, top = row * 91 + 5.
inline QRect frameRect(int index) {
  const int col = index % kPerRow, row = index / kPerRow;
  return QRect(col * (kWidth + kGap) + kGap, row * (kHeight + kGap) + kGap, kWidth, kHeight);
}
// The same top as a 64-bit value: the content can be taller than an int holds for a QRect's bottom.
inline qint64 frameTop(qint64 index) {
  return (index / kPerRow) * (kHeight + kGap) + kGap;
}
// Height of the content holding count tickets.
inline qint64 contentHeight(qint64 count) {
  const qint64 rows = (count + kPerRow - 1) / kPerRow;
  return rows == 0 ? 0 : rows * (kHeight + kGap) + kGap;
}
// Rectangle of cell (col, row) of the ticket grid, relative to the frame's top left corner.
inline QRect cellRect(int col, int row) {
  return QRect(kStripWidth + 1 + col * (kCellWidth + 1), 1 + row * (kCellHeight + 1), kCellWidth,
               kCellHeight);
}
inline QRect numberPanelRect() {
  return QRect(2, 2, kNumberPanel, kNumberPanel);
}
}  // namespace TicketFrameGeometry

// A ticket frame as a plain record: its number, its name "EinfrLos" + n and its place in the area.
struct LosFrame {
  int number = 0;
  QString name;
  QRect rect;
};

// A ticket grid as a plain record: its tag (the ticket number) and its 25 cell texts.
struct LosGrid {
  int tag = 0;
  TicketCells cells;
  QString cell(int col, int row) const { return cells[row * 5 + col]; }
};

// LosFrames and LosGrids: views over the check's tickets that build each record on demand, so a
// ticket costs nothing beyond its data.
class LosFrameList {
 public:
  explicit LosFrameList(const LotteryCheck& check) : check_(check) {}
  int size() const;
  LosFrame at(int index) const;
  LosFrame operator[](int index) const { return at(index); }

 private:
  const LotteryCheck& check_;
};

class LosGridList {
 public:
  explicit LosGridList(const LotteryCheck& check) : check_(check) {}
  int size() const;
  LosGrid at(int index) const;
  LosGrid operator[](int index) const { return at(index); }

 private:
  const LotteryCheck& check_;
};

// The ticket area Box1: one scroll area whose viewport paints the visible frames from the tickets'
// data. The vertical scroll bar's range is the content height, so the view holds no widget per ticket
// and no widget as tall as the content.
class TicketView : public QScrollArea {
  Q_OBJECT
 public:
  explicit TicketView(const LotteryCheck& check, QWidget* parent = nullptr);

  const LotteryCheck& check() const { return check_; }
  // The keyboard focus among the tickets.
  TicketKeys* keys() const { return keys_; }
  const LosFrameList& frames() const { return frames_; }
  const LosGridList& grids() const { return grids_; }

  // Call after tickets were added or removed: new scroll range, one repaint.
  void ticketsChanged();
  // Call after the chosen numbers or the evaluation changed: one repaint, and a screen reader hears
  // what changed.
  void cellsChanged();
  // Makes the frame of ticket index (0-based) visible.
  void scrollToTicket(int index);
  // Paints the frame of ticket index with its top left corner at origin (used by the viewport).
  void paintFrame(QPainter& p, int index, const QPoint& origin) const;
  // For a printer or PDF: the cells are drawn as text each time instead of copied as pictures.
  void setPrinting(bool on) { printing_ = on; }
  // The number panel of ticket number in a frame at origin: the 18 x 18 square while the number fits
  // across it, else a panel down the left strip with the number turned upwards, so that numbers up to
  // 999,999 are as large as short ones.
  static void paintNumberPanel(QPainter& p, const QPoint& origin, int number);
  static QRect numberPanelRect(int number);
  static QFont numberFont();
  // The tickets in view as a screen reader reads them: "Los 1: 10 Linie, 21 gezogen, 34, ..." with
  // "Linie" for a number on a complete line and "gezogen" for one that is only chosen.
  QString visibleTicketsText() const;
  // Indexes (0-based) of the first and last ticket at least partly in view; last < first when none.
  std::pair<int, int> visibleTickets() const;

  // Outlines the frame of ticket index for two seconds (ticketmarks.cpp).
  void markTicket(int index);
  int markedTicket() const { return marked_; }
  // Outlines, in amber, each cell that holds the missing number of one of its ticket's near lines.
  void setShowMissing(bool on);
  bool showsMissing() const { return showMissing_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* event) override;

 private:
  void updateScrollRange();
  // A painted cell is the same picture wherever its text and colour recur, so each is drawn once
  // (with DrawCellText) and then copied; text shaping per cell would dominate every repaint.
  const QPixmap& cellPicture(const QString& text, int colour) const;
  const QPixmap& framePicture() const;
  // The jump mark and the missing numbers' outlines over a painted frame.
  void paintMarks(QPainter& p, int index, const QPoint& origin) const;

  const LotteryCheck& check_;
  mutable QHash<QString, std::array<QPixmap, 3>> cellPictures_;
  mutable QPixmap framePicture_;
  mutable qreal pictureRatio_ = 0;
  LosFrameList frames_;
  LosGridList grids_;
  int marked_ = -1;
  bool showMissing_ = false;
  bool printing_ = false;
  QTimer* markTimer_ = nullptr;
  TicketKeys* keys_;
};
