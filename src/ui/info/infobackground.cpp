// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/info/infobackground.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {
struct Ball {
  int x, y, number;
  QColor colour;
};

void drawBall(QPainter& p, const Ball& b) {
  constexpr int r = 24;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 50));
  p.drawEllipse(QPoint(b.x + 3, b.y + 4), r, r);
  p.setBrush(b.colour);
  p.drawEllipse(QPoint(b.x, b.y), r, r);
  QRadialGradient shine(QPointF(b.x - 8, b.y - 9), 1.6 * r);
  shine.setColorAt(0, QColor(255, 255, 255, 140));
  shine.setColorAt(0.45, QColor(255, 255, 255, 0));
  shine.setColorAt(1, QColor(0, 0, 0, 90));
  p.setBrush(shine);
  p.drawEllipse(QPoint(b.x, b.y), r, r);
  p.setBrush(Qt::white);
  p.drawEllipse(QPoint(b.x, b.y), 12, 12);
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setPixelSize(12);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(0x20, 0x20, 0x20));
  p.drawText(QRect(b.x - 12, b.y - 12, 24, 24), Qt::AlignCenter, QString::number(b.number));
}
}  // namespace

QPixmap InfoBackground(const QString& productName) {
  QPixmap pixmap(400, 300);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sea(0, 0, 400, 300);
  sea.setColorAt(0, QColor(0x4f, 0xb8, 0xb0));
  sea.setColorAt(1, QColor(0x0b, 0x4f, 0x55));
  p.fillRect(pixmap.rect(), sea);

  const Ball balls[] = {{222, 92, 7, QColor(0xe5, 0x39, 0x35)},   {270, 118, 19, QColor(0xfd, 0xd8, 0x35)},
                        {318, 92, 38, QColor(0x1e, 0x88, 0xe5)},  {366, 118, 52, QColor(0x43, 0xa0, 0x47)},
                        {246, 170, 61, QColor(0xfb, 0x8c, 0x00)}, {342, 170, 75, QColor(0x8e, 0x24, 0xaa)}};
  for (const Ball& b : balls) drawBall(p, b);

  QFont title(QStringLiteral("DejaVu Sans"));
  title.setPixelSize(40);
  title.setBold(true);
  QPainterPath name;
  name.addText(16, 52, title, productName);
  p.setPen(QPen(QColor(0x2e, 0x6b, 0x1a), 1.2));
  p.setBrush(QColor(0x7e, 0xd9, 0x57));
  p.drawPath(name);
  return pixmap;
}
