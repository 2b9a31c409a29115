// SPDX-License-Identifier: GPL-3.0-or-later
// Marks over the ticket frames that the overview asks for: the frame of a ticket jumped to, and the
// cells whose numbers would complete a line.
#include <QPainter>
#include <QTimer>
#include <algorithm>

#include "core/evaluation.h"
#include "core/lines.h"
#include "ui/main/tickets/ticketview.h"

namespace G = TicketFrameGeometry;

namespace {
const QColor kJumpMark(0x1E, 0x5A, 0xE0);
const QColor kMissingMark(0xFF, 0xBF, 0x00);
constexpr int kMarkMilliseconds = 2000;
}  // namespace

void TicketView::markTicket(int index) {
  if (!markTimer_) {
    markTimer_ = new QTimer(this);
    markTimer_->setSingleShot(true);
    connect(markTimer_, &QTimer::timeout, this, [this] {
      marked_ = -1;
      viewport()->update();
    });
  }
  marked_ = index;
  markTimer_->start(kMarkMilliseconds);
  viewport()->update();
}

void TicketView::setShowMissing(bool on) {
  if (showMissing_ == on) return;
  showMissing_ = on;
  viewport()->update();
}

void TicketView::paintMarks(QPainter& p, int index, const QPoint& origin) const {
  if (showMissing_ && check_.nearWins().nearMask(index) != 0) {
    const std::vector<NearLine>& lines = check_.nearWins().nearLines();
    auto it = std::lower_bound(lines.begin(), lines.end(), index,
                               [](const NearLine& n, int ticket) { return n.ticket < ticket; });
    p.setPen(QPen(kMissingMark, 2));
    p.setBrush(Qt::NoBrush);
    for (; it != lines.end() && it->ticket == index; ++it) {
      for (int c : LineTable[it->line]) {
        if (check_.tickets().lotteryValue(index, c - 1) != it->missing) continue;
        const QRect cell = G::cellRect((c - 1) % 5, (c - 1) / 5).translated(origin);
        p.drawRect(cell.adjusted(1, 1, -1, -1));
      }
    }
  }
  if (index == marked_) {
    p.setPen(QPen(kJumpMark, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(origin, QSize(G::kWidth, G::kHeight)).adjusted(1, 1, -2, -2));
  }
}
