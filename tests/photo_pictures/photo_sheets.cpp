// SPDX-License-Identifier: GPL-3.0-or-later
// Printed sheets as clubs and shops print them, drawn flat: the grid in one of four layouts, a band
// with the club's name, a row of letters, a barcode, serial number or stub, and a pattern printed
// behind the numbers.
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "photo_internal.h"

namespace photo {
namespace {

// Five distinct numbers per column, from the column's own fifteen, as the lottery's tickets hold them.
std::array<int, 25> RandomNumbers(Rng& rng, bool freeCentre) {
  std::array<int, 25> n{};
  for (int col = 0; col < 5; ++col) {
    std::vector<int> pool(15);
    for (int k = 0; k < 15; ++k) pool[std::size_t(k)] = col * 15 + k + 1;
    std::shuffle(pool.begin(), pool.end(), rng);
    // Some printers sort each column, others do not.
    if (Chance(rng, 0.5)) std::sort(pool.begin(), pool.begin() + 5);
    for (int row = 0; row < 5; ++row) n[std::size_t(row * 5 + col)] = pool[std::size_t(row)];
  }
  if (freeCentre) n[12] = 0;
  return n;
}

QFont Face(const TicketStyle& s, double pixels, bool bold) {
  QFont f(s.face);
  f.setPixelSize(std::max(4, int(std::lround(pixels))));
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferNoHinting);
  return f;
}

void DrawBackdrop(QPainter& p, const TicketStyle& s, const QRectF& grid, Rng& rng) {
  if (s.backdrop == Backdrop::None) return;
  const double c = s.cell;
  QColor tint = Chance(rng, 0.5) ? s.bandColour : s.ink;
  tint.setAlphaF(float(Uniform(rng, 0.12, 0.3)));
  p.save();
  p.setClipRect(grid.adjusted(-c * 0.3, -c * 0.3, c * 0.3, c * 0.3));
  p.setPen(Qt::NoPen);
  p.setBrush(tint);
  switch (s.backdrop) {
    case Backdrop::Watermark: {
      p.translate(grid.center());
      p.rotate(Uniform(rng, -40, 40));
      p.setPen(tint);
      p.setFont(Face(s, c * Uniform(rng, 0.9, 1.6), true));
      const QString word = Chance(rng, 0.5) ? s.club.section(' ', -1) : QStringLiteral("MUSTER");
      for (int k = -2; k <= 2; ++k)
        p.drawText(QRectF(-grid.width(), k * c * 1.6 - c, grid.width() * 2, c * 2), Qt::AlignCenter, word);
      break;
    }
    case Backdrop::Dots: {
      const double step = c * Uniform(rng, 0.1, 0.22), r = step * Uniform(rng, 0.15, 0.35);
      for (double y = grid.top(); y < grid.bottom(); y += step)
        for (double x = grid.left(); x < grid.right(); x += step) p.drawEllipse(QPointF(x, y), r, r);
      break;
    }
    case Backdrop::Hatching: {
      QPen pen(tint, std::max(1.0, c * Uniform(rng, 0.015, 0.04)));
      p.setPen(pen);
      const double step = c * Uniform(rng, 0.1, 0.25);
      const double h = grid.height();
      for (double x = grid.left() - h; x < grid.right(); x += step)
        p.drawLine(QPointF(x, grid.bottom()), QPointF(x + h, grid.top()));
      break;
    }
    case Backdrop::Logo: {
      const double r = grid.width() * Uniform(rng, 0.25, 0.45);
      const QPointF at = grid.center() + QPointF(Uniform(rng, -c, c), Uniform(rng, -c, c));
      p.drawEllipse(at, r, r);
      p.setPen(QPen(s.paper, c * 0.15));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(at, r * 0.8, r * 0.8);
      p.setFont(Face(s, r * 0.6, true));
      QString initials;
      for (const QString& w : s.club.split(' ', Qt::SkipEmptyParts)) initials += w.at(0);
      p.drawText(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r), Qt::AlignCenter, initials.left(3));
      break;
    }
    case Backdrop::None:
      break;
  }
  p.restore();
}

void DrawStar(QPainter& p, QPointF at, double r, QColor colour) {
  QPolygonF star;
  for (int k = 0; k < 10; ++k) {
    const double a = -M_PI / 2 + k * M_PI / 5, rr = k % 2 ? r * 0.4 : r;
    star << at + QPointF(std::cos(a) * rr, std::sin(a) * rr);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(star);
}

void DrawGridLines(QPainter& p, const TicketStyle& s, const QRectF& grid, Rng& rng) {
  const double c = s.cell;
  QColor line = Chance(rng, 0.6) ? s.ink : s.bandColour.darker(130);
  if (s.layout == Layout::Ruled) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(line, std::max(1.0, c * Uniform(rng, 0.015, 0.04))));
    for (int k = 1; k < 5; ++k) {
      p.drawLine(QPointF(grid.left() + k * c, grid.top()), QPointF(grid.left() + k * c, grid.bottom()));
      p.drawLine(QPointF(grid.left(), grid.top() + k * c), QPointF(grid.right(), grid.top() + k * c));
    }
    p.setPen(QPen(line, std::max(1.5, c * Uniform(rng, 0.03, 0.08))));
    p.drawRect(grid);
    return;
  }
  if (s.layout == Layout::Bare) return;
  const double gap = c * Uniform(rng, 0.08, 0.2), round = Chance(rng, 0.5) ? c * Uniform(rng, 0.05, 0.2) : 0;
  const bool filled = Chance(rng, 0.3);
  QColor fill = s.bandColour.lighter(170);
  fill.setAlphaF(0.5f);
  p.setPen(QPen(line, std::max(1.0, c * Uniform(rng, 0.02, 0.05))));
  p.setBrush(filled ? QBrush(fill) : QBrush(Qt::NoBrush));
  for (int row = 0; row < 5; ++row)
    for (int col = 0; col < 5; ++col) {
      const QRectF box(grid.left() + col * c + gap / 2, grid.top() + row * c + gap / 2, c - gap, c - gap);
      if (s.layout == Layout::Circles)
        p.drawEllipse(box);
      else
        p.drawRoundedRect(box, round, round);
    }
}

void DrawFooter(QPainter& p, const TicketStyle& s, const QRectF& area, Rng& rng) {
  const double c = s.cell;
  p.setPen(s.ink);
  p.setFont(Face(s, c * 0.3, false));
  const QString serial =
      QStringLiteral("Nr. %1").arg(std::uniform_int_distribution<int>(1000, 999999)(rng), 6, 10, QChar('0'));
  switch (s.footer) {
    case Footer::Barcode: {
      double x = area.left() + c * 0.2;
      const double unit = std::max(1.0, c * 0.025), top = area.top() + c * 0.1, h = area.height() * 0.55;
      p.setPen(Qt::NoPen);
      p.setBrush(s.ink);
      while (x < area.left() + area.width() * 0.7) {
        const double w = unit * (1 + Pick(rng, 3));
        p.drawRect(QRectF(x, top, w, h));
        x += w + unit * (1 + Pick(rng, 3));
      }
      p.setPen(s.ink);
      p.drawText(QRectF(area.left() + c * 0.2, top + h, area.width() * 0.7, area.height() - h - c * 0.1),
                 Qt::AlignLeft | Qt::AlignTop, serial);
      break;
    }
    case Footer::Serial:
      p.drawText(area.adjusted(c * 0.1, c * 0.1, -c * 0.1, 0), Qt::AlignLeft | Qt::AlignTop,
                 QStringLiteral("%1   Serie %2   Preis 1,50 €").arg(serial).arg(QChar('A' + Pick(rng, 6))));
      break;
    case Footer::Stub: {
      QPen dash(s.ink, std::max(1.0, c * 0.02), Qt::DashLine);
      p.setPen(dash);
      p.drawLine(QPointF(area.left(), area.top() + c * 0.25), QPointF(area.right(), area.top() + c * 0.25));
      p.setPen(s.ink);
      p.drawText(area.adjusted(c * 0.1, c * 0.35, -c * 0.1, 0), Qt::AlignLeft | Qt::AlignTop,
                 QStringLiteral("Abschnitt %1 – bitte aufbewahren").arg(serial));
      break;
    }
    case Footer::None:
      break;
  }
}

// One ticket with its top left corner at origin; returns its grid on the sheet. The numbers come from
// rng; the look from a copy of the sheet's, so that every ticket of a sheet is printed alike.
FlatTicket DrawTicket(QPainter& p, const TicketStyle& s, QPointF origin, Rng& rng, Rng look) {
  const double c = s.cell, margin = c * 0.4;
  double y = origin.y() + margin;
  const double x = origin.x() + margin;
  if (s.band) {
    const QRectF band(x - margin * 0.5, y, 5 * c + margin, c * 0.9);
    p.setPen(Qt::NoPen);
    p.setBrush(s.bandColour);
    p.drawRect(band);
    p.setPen(s.bandColour.lightness() < 140 ? QColor(Qt::white) : s.ink);
    p.setFont(Face(s, c * 0.42, true));
    p.drawText(band.adjusted(c * 0.15, 0, -c * 0.15, 0), Qt::AlignCenter,
               p.fontMetrics().elidedText(s.club, Qt::ElideRight, int(band.width() - c * 0.3)));
    y += c * 0.9 + c * 0.1;
  }
  if (s.letterRow) {
    p.setPen(s.band && Chance(look, 0.5) ? s.bandColour.darker(150) : s.ink);
    p.setFont(Face(s, c * 0.55, true));
    for (int col = 0; col < 5; ++col)
      p.drawText(QRectF(x + col * c, y, c, c * 0.8), Qt::AlignCenter, s.letters.mid(col, 1));
    y += c * 0.8;
  }
  const QRectF grid(x, y, 5 * c, 5 * c);
  FlatTicket t;
  t.numbers = RandomNumbers(rng, s.freeCentre);
  t.grid = QPolygonF({grid.topLeft(), grid.topRight(), grid.bottomRight(), grid.bottomLeft()});
  DrawBackdrop(p, s, grid, look);
  DrawGridLines(p, s, grid, look);
  const double size =
      c * (s.layout == Layout::Circles ? Uniform(look, 0.38, 0.48) : Uniform(look, 0.42, 0.62));
  p.setFont(Face(s, size, s.bold));
  p.setPen(s.ink);
  const int freeKind = Pick(look, 3);
  for (int cell = 0; cell < 25; ++cell) {
    const QRectF box(grid.left() + (cell % 5) * c, grid.top() + (cell / 5) * c, c, c);
    const int n = t.numbers[std::size_t(cell)];
    if (n == 0) {
      if (freeKind == 1) DrawStar(p, box.center(), c * 0.3, s.bandColour);
      if (freeKind == 2) {
        p.save();
        p.setFont(Face(s, c * 0.24, true));
        p.drawText(box, Qt::AlignCenter, QStringLiteral("FREI"));
        p.restore();
      }
      p.setPen(s.ink);
      continue;
    }
    const QString text = s.leadingZeros ? QStringLiteral("%1").arg(n, 2, 10, QChar('0')) : QString::number(n);
    p.drawText(box, Qt::AlignCenter, text);
  }
  if (s.footer != Footer::None) DrawFooter(p, s, QRectF(x, grid.bottom() + c * 0.15, 5 * c, c * 1.2), rng);
  return t;
}

QSizeF TicketSize(const TicketStyle& s) {
  const double c = s.cell;
  return {5 * c + 0.8 * c, 0.8 * c + 5 * c + (s.band ? c : 0) + (s.letterRow ? 0.8 * c : 0) +
                               (s.footer != Footer::None ? 1.4 * c : 0)};
}

}  // namespace

FlatSheet DrawSheet(Rng& rng, const TicketStyle& style, int count) {
  static const int kColumns[] = {0, 1, 2, 3, 2, 3, 3};
  int cols = kColumns[std::clamp(count, 1, 6)];
  if (count == 2 && Chance(rng, 0.4)) cols = 1;
  const int rows = (count + cols - 1) / cols;
  const double c = style.cell, gap = c * Uniform(rng, 0.3, 1.0), border = c * Uniform(rng, 0.3, 0.9);
  const bool title = count > 1 && Chance(rng, 0.6);
  const Rng look(rng());
  const bool cutMarks = count > 1 && Chance(rng, 0.3);
  const QSizeF ticket = TicketSize(style);
  const double top = border + (title ? c * 0.9 : 0);
  const QSize size(int(std::ceil(2 * border + cols * ticket.width() + (cols - 1) * gap)),
                   int(std::ceil(top + border + rows * ticket.height() + (rows - 1) * gap)));
  FlatSheet sheet;
  sheet.image = QImage(size, QImage::Format_ARGB32_Premultiplied);
  sheet.image.fill(style.paper);
  QPainter p(&sheet.image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  if (title) {
    p.setPen(style.ink);
    p.setFont(Face(style, c * 0.45, true));
    p.drawText(QRectF(border, border, size.width() - 2 * border, c * 0.8), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("%1 – Spielabend %2").arg(style.club).arg(1 + Pick(rng, 28)));
  }
  for (int k = 0; k < count; ++k) {
    const QPointF at(border + (k % cols) * (ticket.width() + gap),
                     top + (k / cols) * (ticket.height() + gap));
    // Cut marks between tickets on some sheets.
    if (cutMarks) {
      p.setPen(QPen(QColor(120, 120, 120), 1, Qt::DotLine));
      p.setBrush(Qt::NoBrush);
      p.drawRect(QRectF(at, ticket).adjusted(-gap / 3, -gap / 3, gap / 3, gap / 3));
    }
    sheet.tickets.push_back(DrawTicket(p, style, at, rng, look));
  }
  // Worn toner leaves small gaps in the ink.
  if (Chance(rng, 0.3)) {
    p.setPen(Qt::NoPen);
    p.setBrush(style.paper);
    const int specks = int(double(size.width()) * size.height() / (c * c) * Uniform(rng, 5, 25));
    for (int k = 0; k < specks; ++k) {
      const double r = std::max(0.6, c * Uniform(rng, 0.008, 0.025));
      p.drawEllipse(QPointF(Uniform(rng, 0, size.width()), Uniform(rng, 0, size.height())), r, r);
    }
  }
  return sheet;
}

}  // namespace photo
