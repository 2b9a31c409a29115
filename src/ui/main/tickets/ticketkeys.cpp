// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/tickets/ticketkeys.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "core/evaluation.h"
#include "ui/main/tickets/ticketaccessible.h"
#include "ui/main/tickets/ticketview.h"

namespace G = TicketFrameGeometry;

namespace {
const QColor kMark(0xE6, 0x51, 0x00);

// Frame of ticket index as drawn in the viewport.
QRect frameInViewport(int index, qint64 offset) {
  const QRect r = G::frameRect(index % G::kPerRow);
  return QRect(r.left(), int(G::frameTop(index) - offset), r.width(), r.height());
}
}  // namespace

TicketCursor MoveTicketCursor(TicketCursor c, int key, int count, int pageTickets) {
  if (count <= 0) return {};
  const int row = c.cell / 5, col = c.cell % 5;
  const int perRow = G::kPerRow;
  switch (key) {
    case Qt::Key_Right:
      if (col < 4) return {c.ticket, c.cell + 1};
      if (c.ticket + 1 < count) return {c.ticket + 1, row * 5};
      return c;
    case Qt::Key_Left:
      if (col > 0) return {c.ticket, c.cell - 1};
      if (c.ticket > 0) return {c.ticket - 1, row * 5 + 4};
      return c;
    case Qt::Key_Down:
      if (row < 4) return {c.ticket, c.cell + 5};
      // Below the last ticket of a shorter last row of frames, the last ticket takes the step.
      if (c.ticket / perRow < (count - 1) / perRow) return {std::min(c.ticket + perRow, count - 1), col};
      return c;
    case Qt::Key_Up:
      if (row > 0) return {c.ticket, c.cell - 5};
      if (c.ticket >= perRow) return {c.ticket - perRow, 20 + col};
      return c;
    case Qt::Key_PageDown:
      return {std::min(c.ticket + pageTickets, count - 1), c.cell};
    case Qt::Key_PageUp:
      return {std::max(c.ticket - pageTickets, 0), c.cell};
    case Qt::Key_Home:
      return {0, c.cell};
    case Qt::Key_End:
      return {count - 1, c.cell};
    default:
      return c;
  }
}

TicketKeys::TicketKeys(TicketView* view) : QObject(view), view_(view) {
  view_->installEventFilter(this);
}

int TicketKeys::pageTickets() const {
  const int rows = std::max(1, view_->viewport()->height() / (G::kHeight + G::kGap));
  return rows * G::kPerRow;
}

void TicketKeys::setCursor(TicketCursor c) {
  const int count = view_->check().tickets().count();
  c.ticket = std::clamp(c.ticket, 0, std::max(0, count - 1));
  c.cell = std::clamp(c.cell, 0, 24);
  const TicketCursor old = cursor_;
  cursor_ = c;
  if (count == 0) return;
  view_->scrollToTicket(c.ticket);
  repaintCursor(old);
  repaintCursor(c);
  if (view_->hasFocus()) TicketAccessibleFocusMoved(view_);
}

void TicketKeys::ticketsChanged() {
  const int count = view_->check().tickets().count();
  if (cursor_.ticket >= count) cursor_ = TicketCursor{std::max(0, count - 1), cursor_.cell};
}

void TicketKeys::repaintCursor(TicketCursor c) const {
  view_->viewport()->update(
      frameInViewport(c.ticket, view_->verticalScrollBar()->value()).adjusted(-3, -3, 3, 3));
}

void TicketKeys::paint(QPainter& p, qint64 offset) const {
  if (!markShown_ || !view_->hasFocus() || view_->check().tickets().count() == 0) return;
  const QRect frame = frameInViewport(cursor_.ticket, offset);
  p.save();
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kMark, 1, Qt::DashLine));
  p.drawRect(frame.adjusted(-2, -2, 1, 1));
  // A two-pixel edge inside the cell, over the grid lines, so it shows on every cell colour.
  const QRect cell =
      G::cellRect(cursor_.cell % 5, cursor_.cell / 5).translated(frame.topLeft()).adjusted(-1, -1, 1, 1);
  p.fillRect(QRect(cell.topLeft(), QSize(cell.width(), 2)), kMark);
  p.fillRect(QRect(cell.left(), cell.bottom() - 1, cell.width(), 2), kMark);
  p.fillRect(QRect(cell.topLeft(), QSize(2, cell.height())), kMark);
  p.fillRect(QRect(cell.right() - 1, cell.top(), 2, cell.height()), kMark);
  p.restore();
}

bool TicketKeys::eventFilter(QObject* watched, QEvent* event) {
  // The view's base destructor still sends it a focus-out; by then it is no TicketView.
  if (watched != view_ || !qobject_cast<TicketView*>(watched)) return false;
  switch (event->type()) {
    case QEvent::FocusIn: {
      // A click into the area shows no mark until a key moves it, so the mouse user's view stays as
      // it was; Tab shows it; a window coming back to the front keeps what was shown.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::MouseFocusReason) markShown_ = false;
      if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
          reason == Qt::ShortcutFocusReason)
        markShown_ = true;
      setCursor(cursor_);
      return false;
    }
    case QEvent::FocusOut:
      repaintCursor(cursor_);
      return false;
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
      switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
          markShown_ = true;
          setCursor(MoveTicketCursor(cursor_, key->key(), view_->check().tickets().count(), pageTickets()));
          return true;
        default:
          return false;
      }
    }
    default:
      return false;
  }
}
