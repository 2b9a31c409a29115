// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/uebersicht/bericht.h"

#include <QDateTime>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <stdexcept>

#include "core/evaluation.h"
#include "core/nearwins.h"
#include "core/report.h"
#include "ui/main/tickets/ticketview.h"

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

ReportPages::ReportPages(const LotteryCheck& check, const QString& fileNames, bool allTickets,
                         QSizeF printable)
    : check_(check),
      fileNames_(fileNames),
      stamp_(QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy, HH:mm 'Uhr'"))),
      pageHeight_(printable.height() / (printable.width() / ReportLayout::kPageWidth)),
      layout_(check, allTickets, pageHeight_),
      painter_(std::make_unique<TicketView>(check)) {
  painter_->setPrinting(true);
}

ReportPages::~ReportPages() = default;

void ReportPages::paint(QPainter& p, int pg) const {
  if (pg < 0 || pg >= layout_.pageCount()) return;
  const int tableRows = std::max(1, int(layout_.winners().size()));
  const int ticketRows = (int(layout_.drawn().size()) + G::kPerRow - 1) / G::kPerRow;
  const QFont text = fontOf(11), bold = fontOf(11, true);
  p.save();
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.setPen(Qt::black);
  const ReportLayout::Page& page = layout_.page(pg);
  const int tableEnd = pg + 1 < layout_.pageCount() ? layout_.page(pg + 1).tableRow : tableRows;
  const int ticketEnd = pg + 1 < layout_.pageCount() ? layout_.page(pg + 1).ticketRow : ticketRows;
  int y = 0;
  if (pg == 0) {
    drawLine(p, y, QStringLiteral("ZIEHFIX"), fontOf(20, true));
    drawLine(p, y + 28, stamp_, text);
    drawLine(p, y + 44, QStringLiteral("Lose: ") + fileNames_, text);
    QString numbers;
    for (int n : check_.chosen.sorted()) numbers += QLatin1Char(' ') + QString::number(n);
    drawLine(p, y + 60,
             QStringLiteral("Gewinnzahlen (%1):%2")
                 .arg(check_.chosen.count())
                 .arg(numbers.isEmpty() ? QStringLiteral(" -") : numbers),
             text);
    const Totals t = check_.totals();
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
    const auto& classes = check_.resultClasses();
    for (int r = page.tableRow; r < tableEnd; ++r, y += kTableRow) {
      if (layout_.winners().empty()) {
        p.drawText(QPointF(G::kGap, y + ascent), QStringLiteral("Kein Los hat gewonnen."));
        continue;
      }
      const int t = layout_.winners()[std::size_t(r)];
      p.drawText(QPointF(G::kGap, y + ascent), QString::number(t + 1));
      if (std::size_t(t) < classes.size())
        p.drawText(QPointF(70, y + ascent), classText(classes[std::size_t(t)]));
      p.drawText(QPointF(130, y + ascent), LineNames(check_.lineHits(t)));
    }
    if (tableEnd >= tableRows) y += kGapBeforeTickets;
  }
  const int tickets = check_.tickets().count();
  for (int row = page.ticketRow; row < ticketEnd; ++row, y += kRowPitch) {
    for (int col = 0; col < G::kPerRow; ++col) {
      const std::size_t i = std::size_t(row) * G::kPerRow + col;
      // A ticket removed since the layout was made is left out rather than read.
      if (i >= layout_.drawn().size() || layout_.drawn()[i] >= tickets) break;
      painter_->paintFrame(p, layout_.drawn()[i], QPoint(col * (G::kWidth + G::kGap) + G::kGap, y));
    }
  }
  p.setFont(text);
  p.drawText(QRectF(0, pageHeight_ - kFooter, ReportLayout::kPageWidth, kFooter),
             Qt::AlignHCenter | Qt::AlignBottom,
             QStringLiteral("Seite %1 von %2").arg(pg + 1).arg(layout_.pageCount()));
  p.restore();
}

QPageLayout ReportPageLayout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                     QPageLayout::Millimeter);
}

bool PaintReport(QPagedPaintDevice& device, const LotteryCheck& check, const QString& fileNames,
                 bool allTickets, ReportProgress* progress, int first, int last) {
  const ReportPages pages(check, fileNames, allTickets, QSizeF(device.width(), device.height()));
  first = std::clamp(first, 1, pages.pageCount());
  last = last <= 0 ? pages.pageCount() : std::clamp(last, first, pages.pageCount());
  QPainter p;
  if (!p.begin(&device)) throw std::runtime_error("Der Bericht kann nicht ausgegeben werden");
  const double scale = device.width() / double(ReportLayout::kPageWidth);
  for (int pg = first; pg <= last; ++pg) {
    if (pg > first) device.newPage();
    p.resetTransform();
    p.scale(scale, scale);
    pages.paint(p, pg - 1);
    if (progress && !progress->pagePainted(pg - first + 1, last - first + 1)) {
      p.end();
      return false;
    }
  }
  p.end();
  return true;
}
