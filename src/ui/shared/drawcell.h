// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

// Fills r with background, then draws text with the painter's current font and pen, clipped to r:
// x = left + 2 (left), left + (width - textWidth) / 2 (centre, truncated), right - textWidth - 3
// (right); y = top + 2 (text top).
void DrawCellText(QPainter& painter, const QRect& r, Qt::Alignment alignment, const QString& text,
                  const QColor& background);
