// SPDX-License-Identifier: GPL-3.0-or-later
// Printed pages that hold no ticket but look a little like one to a reader: rows of text, a table of
// figures, a month's calendar (a grid of numbers seven wide), a label with a barcode.
#include <QFont>
#include <QPainter>
#include <cmath>

#include "photo_internal.h"

namespace photo {
namespace {

const char* const kWords[] = {"Verein",     "Abend",    "Spiel", "Kugel",    "Gewinn", "Preis",
                              "Karte",      "Runde",    "Halle", "Eintritt", "Uhr",    "Samstag",
                              "Kasse",      "Zahlen",   "Glück", "Tombola",  "Kaffee", "Kuchen",
                              "Mitglieder", "Vorstand", "bitte", "und",      "für",    "den"};

QFont Font(const QString& face, double px, bool bold = false) {
  QFont f(face);
  f.setPixelSize(std::max(4, int(std::lround(px))));
  f.setBold(bold);
  return f;
}

QString Sentence(Rng& rng, int words) {
  QString s;
  for (int k = 0; k < words; ++k) {
    if (k) s += ' ';
    s += QString::fromUtf8(kWords[Pick(rng, int(std::size(kWords)))]);
    if (Chance(rng, 0.15)) s += QString::number(1 + Pick(rng, 99));
  }
  return s;
}

void TextPage(QPainter& p, Rng& rng, QSizeF size, const QString& face) {
  const double line = size.width() / 28;
  p.setFont(Font(face, line * 1.4, true));
  p.drawText(QRectF(line, line, size.width() - 2 * line, line * 2), Qt::AlignLeft, Sentence(rng, 3));
  p.setFont(Font(face, line * 0.8));
  for (double y = line * 4; y < size.height() - line * 2; y += line * 1.3) {
    if (Chance(rng, 0.1)) continue;
    p.drawText(QRectF(line, y, size.width() - 2 * line, line * 1.2), Qt::AlignLeft,
               Sentence(rng, 8 + Pick(rng, 4)));
  }
}

void TablePage(QPainter& p, Rng& rng, QSizeF size, const QString& face) {
  const int cols = 3 + Pick(rng, 5), rows = 8 + Pick(rng, 10);
  const double m = size.width() * 0.06, w = (size.width() - 2 * m) / cols, h = (size.height() - 2 * m) / rows;
  p.setFont(Font(face, std::min(h * 0.45, w * 0.16)));
  for (int r = 0; r <= rows; ++r) p.drawLine(QPointF(m, m + r * h), QPointF(size.width() - m, m + r * h));
  for (int c = 0; c <= cols; ++c) p.drawLine(QPointF(m + c * w, m), QPointF(m + c * w, m + rows * h));
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) {
      const QString text =
          c == 0   ? Sentence(rng, 1)
          : r == 0 ? Sentence(rng, 1)
                   : QStringLiteral("%1,%2").arg(Pick(rng, 500)).arg(Pick(rng, 100), 2, 10, QChar('0'));
      p.drawText(QRectF(m + c * w, m + r * h, w, h), Qt::AlignCenter,
                 p.fontMetrics().elidedText(text, Qt::ElideRight, int(w * 0.9)));
    }
}

void CalendarPage(QPainter& p, Rng& rng, QSizeF size, const QString& face) {
  static const char* const kDays[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
  static const char* const kMonths[] = {"Januar", "März", "Mai", "August", "Oktober", "Dezember"};
  const double m = size.width() * 0.06, w = (size.width() - 2 * m) / 7;
  p.setFont(Font(face, w * 0.5, true));
  p.drawText(QRectF(m, m, size.width() - 2 * m, w), Qt::AlignCenter,
             QStringLiteral("%1 2027").arg(QString::fromUtf8(kMonths[Pick(rng, 6)])));
  const double top = m + w * 1.2;
  p.setFont(Font(face, w * 0.3, true));
  for (int d = 0; d < 7; ++d) p.drawText(QRectF(m + d * w, top, w, w * 0.6), Qt::AlignCenter, kDays[d]);
  const int first = Pick(rng, 7), days = 28 + Pick(rng, 4);
  const int rows = (first + days + 6) / 7;
  const bool ruled = Chance(rng, 0.6);
  p.setFont(Font(face, w * 0.38));
  for (int k = 0; k < rows * 7; ++k) {
    const QRectF box(m + (k % 7) * w, top + w * 0.6 + (k / 7) * w, w, w);
    if (ruled) p.drawRect(box);
    const int day = k - first + 1;
    if (day >= 1 && day <= days) p.drawText(box, Qt::AlignCenter, QString::number(day));
  }
}

void BarcodeLabel(QPainter& p, Rng& rng, QSizeF size, const QString& face) {
  const double m = size.width() * 0.08;
  p.setFont(Font(face, size.width() / 20, true));
  p.drawText(QRectF(m, m, size.width() - 2 * m, size.width() / 10), Qt::AlignLeft, Sentence(rng, 2));
  const double unit = size.width() / 220, top = m + size.width() / 8, h = size.height() * 0.3;
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 20, 20));
  for (double x = m; x < size.width() - m;) {
    const double bar = unit * (1 + Pick(rng, 4));
    p.drawRect(QRectF(x, top, bar, h));
    x += bar + unit * (1 + Pick(rng, 4));
  }
  p.setPen(QColor(20, 20, 20));
  p.setFont(Font(face, size.width() / 18));
  QString digits;
  for (int k = 0; k < 13; ++k) digits += QChar('0' + Pick(rng, 10));
  p.drawText(QRectF(m, top + h, size.width() - 2 * m, size.width() / 12), Qt::AlignCenter, digits);
  p.setFont(Font(face, size.width() / 30));
  for (int k = 0; k < 5; ++k)
    p.drawText(QRectF(m, top + h + size.width() / 10 + k * size.width() / 22, size.width() - 2 * m,
                      size.width() / 22),
               Qt::AlignLeft, Sentence(rng, 6));
}

}  // namespace

QImage DrawPageWithoutTicket(Rng& rng, int width, const QString& face, QColor paper, QString* what) {
  const int kind = Pick(rng, 4);
  const QSize size(width, int(width * (kind == 3 ? 0.9 : 1.35)));
  QImage page(size, QImage::Format_ARGB32_Premultiplied);
  page.fill(paper);
  QPainter p(&page);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(25, 25, 25), std::max(1.0, width / 400.0)));
  switch (kind) {
    case 0:
      TextPage(p, rng, size, face);
      *what = QStringLiteral("text page");
      break;
    case 1:
      TablePage(p, rng, size, face);
      *what = QStringLiteral("table");
      break;
    case 2:
      CalendarPage(p, rng, size, face);
      *what = QStringLiteral("calendar");
      break;
    default:
      BarcodeLabel(p, rng, size, face);
      *what = QStringLiteral("barcode label");
      break;
  }
  return page;
}

}  // namespace photo
