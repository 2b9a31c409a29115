// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/tickets/ticketview.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "core/evaluation.h"
#include "ui/main/tickets/ticketaccessible.h"
#include "ui/main/tickets/ticketkeys.h"
#include "ui/shared/accessibility.h"
#include "ui/shared/drawcell.h"

namespace G = TicketFrameGeometry;

namespace {
const QColor kNumberPanel(0x00, 0x64, 0x00);
const QColor kNumberText(0xB0, 0xFF, 0xB0);
const QColor kDarkGreen(0x03, 0xC2, 0x33);
const QColor kLightGreen(0xBF, 0xFF, 0xBF);
const QColor kFrameFace(0xEC, 0xEF, 0xEA);
const QColor kShadow(0x8A, 0x91, 0x88);
const QColor kLight(0xFF, 0xFF, 0xFF);

// A lowered bevel: dark top and left edge, light bottom and right edge.
void drawLowered(QPainter& p, const QRect& r) {
  p.setPen(kShadow);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(kLight);
  p.drawLine(r.bottomLeft() + QPoint(1, 0), r.bottomRight());
  p.drawLine(r.topRight() + QPoint(0, 1), r.bottomRight());
}

QColor colourOf(CellColour c) {
  switch (c) {
    case CellColour::DarkGreen:
      return kDarkGreen;
    case CellColour::LightGreen:
      return kLightGreen;
    case CellColour::White:
      break;
  }
  return Qt::white;
}

}  // namespace

int LosFrameList::size() const {
  return check_.tickets().count();
}

LosFrame LosFrameList::at(int index) const {
  const int n = index + 1;
  return LosFrame{n, QStringLiteral("EinfrLos") + QString::number(n), G::frameRect(index)};
}

int LosGridList::size() const {
  return check_.tickets().count();
}

LosGrid LosGridList::at(int index) const {
  return LosGrid{index + 1, check_.tickets().cells(index)};
}

TicketView::TicketView(const LotteryCheck& check, QWidget* parent)
    : QScrollArea(parent), check_(check), frames_(check), grids_(check), keys_(new TicketKeys(this)) {
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFrameShape(QFrame::NoFrame);
  viewport()->setAutoFillBackground(true);
  verticalScrollBar()->setSingleStep(G::kHeight / 4);
  setFocusPolicy(Qt::StrongFocus);
  UseOwnAccessibleInterface(this);
  updateScrollRange();
}

std::pair<int, int> TicketView::visibleTickets() const {
  const int count = check_.tickets().count();
  const qint64 offset = verticalScrollBar()->value();
  const qint64 rowPitch = G::kHeight + G::kGap;
  // Row r covers r * rowPitch + kGap up to (r + 1) * rowPitch, its bottom edge excluded.
  const qint64 firstRow = offset / rowPitch;
  const qint64 lastRow = std::max<qint64>(0, offset + viewport()->height() - 1 - G::kGap) / rowPitch;
  const qint64 first = firstRow * G::kPerRow;
  const qint64 last = std::min<qint64>(count - 1, (lastRow + 1) * G::kPerRow - 1);
  return {int(std::min<qint64>(first, count)), int(last)};
}

QString TicketView::visibleTicketsText() const {
  const auto [first, last] = visibleTickets();
  QStringList tickets;
  for (int t = first; t <= last; ++t) {
    QStringList cells;
    for (int cell = 0; cell < 25; ++cell) {
      const QString text = check_.tickets().cellText(t, cell).trimmed();
      if (text.isEmpty()) continue;
      switch (check_.cellColour(t, cell)) {
        case CellColour::DarkGreen:
          cells << text + QStringLiteral(" Linie");
          break;
        case CellColour::LightGreen:
          cells << text + QStringLiteral(" gezogen");
          break;
        case CellColour::White:
          cells << text;
          break;
      }
    }
    tickets << QStringLiteral("Los %1: %2").arg(t + 1).arg(cells.join(QStringLiteral(", ")));
  }
  return tickets.join(QStringLiteral("; "));
}

void TicketView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) cellPictures_.clear();
  QScrollArea::changeEvent(event);
}

void TicketView::ticketsChanged() {
  updateScrollRange();
  keys_->ticketsChanged();
  viewport()->update();
  TicketAccessibleViewChanged(this, true);
}

void TicketView::cellsChanged() {
  viewport()->update();
  TicketAccessibleCellsChanged(this);
}

void TicketView::scrollToTicket(int index) {
  const qint64 top = G::frameTop(index) - G::kGap;
  const qint64 bottom = top + G::kHeight + 2 * G::kGap;
  QScrollBar* bar = verticalScrollBar();
  const qint64 h = viewport()->height();
  if (top < bar->value())
    bar->setValue(int(top));
  else if (bottom > bar->value() + h)
    bar->setValue(int(std::min<qint64>(bar->maximum(), bottom - h)));
}

void TicketView::updateScrollRange() {
  const qint64 content = G::contentHeight(check_.tickets().count());
  const qint64 h = viewport()->height();
  const qint64 max = std::clamp<qint64>(content - h, 0, std::numeric_limits<int>::max());
  QScrollBar* bar = verticalScrollBar();
  bar->setPageStep(std::max(1, int(h)));
  bar->setRange(0, int(max));
}

void TicketView::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  updateScrollRange();
  TicketAccessibleViewChanged(this, false);
}

void TicketView::scrollContentsBy(int, int) {
  viewport()->update();
  TicketAccessibleViewChanged(this, false);
}

void TicketView::paintEvent(QPaintEvent* event) {
  QPainter p(viewport());
  const int count = check_.tickets().count();
  if (count == 0) return;
  const qint64 offset = verticalScrollBar()->value();
  const QRect dirty = event->rect();
  const qint64 rowPitch = G::kHeight + G::kGap;
  const qint64 firstRow = std::max<qint64>(0, (offset + dirty.top() - G::kGap) / rowPitch);
  const qint64 lastRow = (offset + dirty.bottom()) / rowPitch;
  for (qint64 row = firstRow; row <= lastRow; ++row) {
    for (int col = 0; col < G::kPerRow; ++col) {
      const qint64 index = row * G::kPerRow + col;
      if (index >= count) break;
      const QPoint origin(col * (G::kWidth + G::kGap) + G::kGap, int(G::frameTop(index) - offset));
      if (!dirty.intersects(QRect(origin, QSize(G::kWidth, G::kHeight)))) continue;
      paintFrame(p, int(index), origin);
    }
  }
  keys_->paint(p, offset);
}

const QPixmap& TicketView::framePicture() const {
  const qreal ratio = devicePixelRatioF();
  if (ratio != pictureRatio_) {
    cellPictures_.clear();
    framePicture_ = QPixmap();
    pictureRatio_ = ratio;
  }
  if (!framePicture_.isNull()) return framePicture_;
  QPixmap pm(QSize(G::kWidth, G::kHeight) * ratio);
  pm.setDevicePixelRatio(ratio);
  QPainter p(&pm);
  const QRect frame(0, 0, G::kWidth, G::kHeight);
  p.fillRect(frame, kFrameFace);
  drawLowered(p, frame.adjusted(0, 0, -1, -1));
  drawLowered(p, QRect(1, 1, G::kStripWidth - 1, G::kHeight - 3));
  // The grid lines, in the window-text colour, show between the cells.
  p.fillRect(QRect(G::kStripWidth + 1, 1, 5 * G::kCellWidth + 4, 5 * G::kCellHeight + 4), Qt::black);
  p.end();
  framePicture_ = pm;
  return framePicture_;
}

const QPixmap& TicketView::cellPicture(const QString& text, int colour) const {
  framePicture();  // drops the pictures when the device pixel ratio changed
  if (cellPictures_.size() > 4096) cellPictures_.clear();
  std::array<QPixmap, 3>& pictures = cellPictures_[text];
  QPixmap& pm = pictures[colour];
  if (pm.isNull()) {
    const qreal ratio = pictureRatio_;
    pm = QPixmap(QSize(G::kCellWidth, G::kCellHeight) * ratio);
    pm.setDevicePixelRatio(ratio);
    QPainter p(&pm);
    QFont cellFont = font();
    cellFont.setBold(false);
    p.setFont(cellFont);
    p.setPen(Qt::black);
    DrawCellText(p, QRect(0, 0, G::kCellWidth, G::kCellHeight), Qt::AlignHCenter, text,
                 colourOf(CellColour(colour)));
  }
  return pm;
}

void TicketView::paintFrame(QPainter& p, int index, const QPoint& origin) const {
  p.drawPixmap(origin, framePicture());
  paintNumberPanel(p, origin, index + 1);

  const TicketList& tickets = check_.tickets();
  if (printing_) {
    // On paper the cells are drawn as text: sharp at any resolution and found by a text search. The
    // size is fixed in pixels, so the printer's resolution does not enlarge a point size.
    QFont cellFont = font();
    cellFont.setBold(false);
    cellFont.setPixelSize(QFontInfo(font()).pixelSize());
    p.setFont(cellFont);
    p.setPen(Qt::black);
  }
  for (int row = 0; row < 5; ++row) {
    for (int col = 0; col < 5; ++col) {
      const int cell = row * 5 + col;
      const QString text = tickets.cellText(index, cell);
      const CellColour colour = check_.cellColour(index, cell);
      if (printing_)
        DrawCellText(p, G::cellRect(col, row).translated(origin), Qt::AlignHCenter, text, colourOf(colour));
      else
        p.drawPixmap(G::cellRect(col, row).topLeft() + origin, cellPicture(text, int(colour)));
    }
  }
  paintMarks(p, index, origin);
}

QFont TicketView::numberFont() {
  QFont f(QStringLiteral("Calibri"));
  f.setBold(true);
  f.setPixelSize(11);
  return f;
}

QRect TicketView::numberPanelRect(int number) {
  const QRect square = G::numberPanelRect();
  const QFontMetrics metrics(numberFont());
  const int advance = metrics.horizontalAdvance(QString::number(number));
  if (advance <= square.width() - 2) return square;
  // Too long to lie across the square: the panel grows down the strip (never past it) and the
  // number runs upwards along it, at the same size as a short one.
  const int stripBottom = G::kHeight - 4;  // above the strip's lower bevel
  return QRect(square.topLeft(), QPoint(square.right(), std::min(stripBottom, square.top() + advance + 5)));
}

void TicketView::paintNumberPanel(QPainter& p, const QPoint& origin, int number) {
  const QRect panel = numberPanelRect(number).translated(origin);
  p.fillRect(panel, kNumberPanel);
  drawLowered(p, panel.adjusted(0, 0, -1, -1));
  p.setFont(numberFont());
  p.setPen(kNumberText);
  const QString text = QString::number(number);
  if (panel.height() == G::kNumberPanel) {
    p.drawText(panel, Qt::AlignCenter, text);
    return;
  }
  p.save();
  p.translate(panel.bottomLeft() + QPoint(0, 1));
  p.rotate(-90);
  p.drawText(QRect(0, 0, panel.height(), panel.width()), Qt::AlignCenter, text);
  p.restore();
}
