// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/drawcell.h"

#include <QFontMetrics>
#include <QPainter>

void DrawCellText(QPainter& painter, const QRect& r, Qt::Alignment alignment, const QString& text,
                  const QColor& background) {
  painter.save();
  painter.fillRect(r, background);
  painter.setClipRect(r, Qt::IntersectClip);

  const QFontMetrics metrics = painter.fontMetrics();
  const int w = metrics.horizontalAdvance(text);
  // The right edge is exclusive here (left + width), as the cell rectangles are laid out.
  const int left = r.x();
  const int right = r.x() + r.width();
  int x = left + 2;
  if (alignment & Qt::AlignHCenter)
    x = left + (right - left - w) / 2;  // C++ division truncates toward zero
  else if (alignment & Qt::AlignRight)
    x = right - w - 3;
  const int baseline = r.y() + 2 + metrics.ascent();
  painter.drawText(x, baseline, text);
  painter.restore();
}
