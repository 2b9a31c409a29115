// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/bericht.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

#include "core/evaluation.h"
#include "core/nearwins.h"
#include "core/report.h"
#include "ui/ticketview.h"

namespace G = TicketFrameGeometry;

namespace {
constexpr int kHeaderHeight = 104;
constexpr int kTableHeading = 18;
constexpr int kTableRow = 15;
constexpr int kGapBeforeTickets = 12;
constexpr int kRowPitch = G::kHeight + G::kGap;
constexpr int kFooter = 24;
// Below this a page holds not even one row of tickets after a fresh top, and the layout could not end.
constexpr double kMinBody = 2 * kRowPitch;

QFont fontOf(int pixelSize, bool bold = false) {
  QFont f;
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  return f;
}

void drawLine(QPainter& p, int y, const QString& text, const QFont& font) {
  p.setFont(font);
  const QFontMetrics m(font);
  p.drawText(QPointF(G::kGap, y + m.ascent()), m.elidedText(text, Qt::ElideRight, ReportLayout::kPageWidth));
}

QString classText(int winClass) {
  return QStringLiteral("%1 x").arg(winClass);
}
}  // namespace

ReportLayout::ReportLayout(const LotteryCheck& check, bool allTickets, double pageHeight)
    : bodyHeight_(std::max(kMinBody, pageHeight - kFooter)) {
  const auto& classes = check.resultClasses();
  const int count = check.tickets().count();
  for (int t = 0; t < count; ++t) {
    const bool wins = std::size_t(t) < classes.size() && classes[std::size_t(t)] > 0;
    if (wins) winners_.push_back(t);
    if (wins || allTickets) drawn_.push_back(t);
  }
  // The table has one row even without winners: it says so.
  const int tableRows = std::max(1, int(winners_.size()));
  const int ticketRows = (int(drawn_.size()) + G::kPerRow - 1) / G::kPerRow;
  Page next;
  for (bool first = true;; first = false) {
    pages_.push_back(next);
    double y = first ? kHeaderHeight : 0;
    if (next.tableRow < tableRows) {
      y += kTableHeading;
      const int fit = std::max(1, int((bodyHeight_ - y) / kTableRow));
      const int take = std::min(fit, tableRows - next.tableRow);
      next.tableRow += take;
      y += take * kTableRow;
      if (next.tableRow < tableRows) continue;
      y += kGapBeforeTickets;
    }
    const int fit = std::max(0, int((bodyHeight_ - y + G::kGap) / kRowPitch));
    next.ticketRow += std::min(fit, ticketRows - next.ticketRow);
    if (next.ticketRow >= ticketRows) break;
  }
}

bool PaintReport(QPagedPaintDevice& device, const LotteryCheck& check, const QString& fileNames,
                 bool allTickets, ReportProgress* progress) {
  QPainter p;
  if (!p.begin(&device)) throw std::runtime_error("Der Bericht kann nicht ausgegeben werden");
  const double scale = device.width() / double(ReportLayout::kPageWidth);
  const ReportLayout layout(check, allTickets, device.height() / scale);
  TicketView painter(check);  // draws the frames exactly as the ticket area does
  painter.setPrinting(true);
  const int tableRows = std::max(1, int(layout.winners().size()));
  const int ticketRows = (int(layout.drawn().size()) + G::kPerRow - 1) / G::kPerRow;
  const QFont text = fontOf(11), bold = fontOf(11, true);
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy, HH:mm 'Uhr'"));

  for (int pg = 0; pg < layout.pageCount(); ++pg) {
    if (pg > 0) device.newPage();
    p.resetTransform();
    p.scale(scale, scale);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setPen(Qt::black);
    const ReportLayout::Page& page = layout.page(pg);
    const int tableEnd = pg + 1 < layout.pageCount() ? layout.page(pg + 1).tableRow : tableRows;
    const int ticketEnd = pg + 1 < layout.pageCount() ? layout.page(pg + 1).ticketRow : ticketRows;
    int y = 0;
    if (pg == 0) {
      drawLine(p, y, QStringLiteral("ZIEHFIX"), fontOf(20, true));
      drawLine(p, y + 28, stamp, text);
      drawLine(p, y + 44, QStringLiteral("Lose: ") + fileNames, text);
      QString numbers;
      for (int n : check.chosen.sorted()) numbers += QLatin1Char(' ') + QString::number(n);
      drawLine(p, y + 60,
               QStringLiteral("Gewinnzahlen (%1):%2")
                   .arg(check.chosen.count())
                   .arg(numbers.isEmpty() ? QStringLiteral(" -") : numbers),
               text);
      const Totals t = check.totals();
      drawLine(p, y + 76,
               QStringLiteral("1 x: %1     2 x: %2     3 x: %3")
                   .arg(QString::fromLatin1(TotalText(t.one)), QString::fromLatin1(TotalText(t.two)),
                        QString::fromLatin1(TotalText(t.three))),
               bold);
      y = kHeaderHeight;
    }
    if (page.tableRow < tableRows) {
      p.setFont(bold);
      const int base = y + QFontMetrics(bold).ascent();
      p.drawText(QPointF(G::kGap, base), QStringLiteral("Los"));
      p.drawText(QPointF(70, base), QStringLiteral("Klasse"));
      p.drawText(QPointF(130, base), QStringLiteral("Gewonnen mit"));
      p.drawLine(QPointF(G::kGap, y + kTableHeading - 3),
                 QPointF(ReportLayout::kPageWidth, y + kTableHeading - 3));
      y += kTableHeading;
      p.setFont(text);
      const int ascent = QFontMetrics(text).ascent();
      for (int r = page.tableRow; r < tableEnd; ++r, y += kTableRow) {
        if (layout.winners().empty()) {
          p.drawText(QPointF(G::kGap, y + ascent), QStringLiteral("Kein Los hat gewonnen."));
          continue;
        }
        const int t = layout.winners()[std::size_t(r)];
        p.drawText(QPointF(G::kGap, y + ascent), QString::number(t + 1));
        p.drawText(QPointF(70, y + ascent), classText(check.resultClasses()[std::size_t(t)]));
        p.drawText(QPointF(130, y + ascent), LineNames(check.lineHits(t)));
      }
      if (tableEnd >= tableRows) y += kGapBeforeTickets;
    }
    for (int row = page.ticketRow; row < ticketEnd; ++row, y += kRowPitch) {
      for (int col = 0; col < G::kPerRow; ++col) {
        const std::size_t i = std::size_t(row) * G::kPerRow + col;
        if (i >= layout.drawn().size()) break;
        painter.paintFrame(p, layout.drawn()[i], QPoint(col * (G::kWidth + G::kGap) + G::kGap, y));
      }
    }
    p.setFont(text);
    const double bottom = device.height() / scale;
    p.drawText(QRectF(0, bottom - kFooter, ReportLayout::kPageWidth, kFooter),
               Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("Seite %1 von %2").arg(pg + 1).arg(layout.pageCount()));
    if (progress && !progress->pagePainted(pg + 1, layout.pageCount())) {
      p.end();
      return false;
    }
  }
  p.end();
  return true;
}
