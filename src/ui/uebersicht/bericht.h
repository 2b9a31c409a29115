// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <memory>
#include <vector>

class LotteryCheck;
class QPagedPaintDevice;
class QPainter;
class TicketView;

// Told after each painted page; false stops the report (the window shows a progress dialog with it).
class ReportProgress {
 public:
  virtual ~ReportProgress() = default;
  virtual bool pagePainted(int page, int pages) = 0;  // page 1-based
};

// The printed report over a check: a header with the ticket files, the chosen numbers and totals,
// the table of winning tickets, then the tickets drawn by the ticket area's own painter, five to a
// row. All positions are in units of the ticket area's pixels; a page is as wide as a row of five
// tickets, and pages are laid out by arithmetic and painted one at a time, so memory stays bounded
// at any number of tickets.
class ReportLayout {
 public:
  // pageHeight: the printable height in units (the width is always kPageWidth).
  ReportLayout(const LotteryCheck& check, bool allTickets, double pageHeight);

  static constexpr int kPageWidth = 5 * 131 + 5;
  int pageCount() const { return int(pages_.size()); }
  // Tickets drawn (0-based indexes) and the winning tickets of the table, both ascending.
  const std::vector<int>& drawn() const { return drawn_; }
  const std::vector<int>& winners() const { return winners_; }

  struct Page {
    int tableRow = 0;   // first row of the winners' table on the page
    int ticketRow = 0;  // first row of drawn tickets on the page
  };
  const Page& page(int index) const { return pages_[std::size_t(index)]; }
  double bodyHeight() const { return bodyHeight_; }

 private:
  std::vector<int> drawn_, winners_;
  std::vector<Page> pages_;
  double bodyHeight_ = 0;
};

// The report's pages for one printable area, each painted on its own: a printer or a PDF writer
// takes them one after the other, the preview only the one in view, so no page is ever kept.
class ReportPages {
 public:
  // printable: the device's width() and height() (its printable area in device pixels).
  ReportPages(const LotteryCheck& check, const QString& fileNames, bool allTickets, QSizeF printable);
  ~ReportPages();
  ReportPages(const ReportPages&) = delete;
  ReportPages& operator=(const ReportPages&) = delete;

  int pageCount() const { return layout_.pageCount(); }
  // The printable area in units: kPageWidth wide, pageHeight() high.
  double pageHeight() const { return pageHeight_; }
  // Paints page index (0-based) with p scaled to units, its origin at the printable area's corner.
  void paint(QPainter& p, int index) const;

 private:
  const LotteryCheck& check_;
  QString fileNames_, stamp_;
  double pageHeight_;
  ReportLayout layout_;
  std::unique_ptr<TicketView> painter_;  // draws the frames exactly as the ticket area does
};

// The report's paper: A4 portrait with 15 mm margins.
QPageLayout ReportPageLayout();

// Paints the report onto device (a QPrinter or a QPdfWriter), pages first..last (1-based; last 0 =
// to the end), A4 portrait unless the device was set up otherwise. fileNames: the ticket files as the
// main window names them. Returns false when progress stopped it.
bool PaintReport(QPagedPaintDevice& device, const LotteryCheck& check, const QString& fileNames,
                 bool allTickets, ReportProgress* progress = nullptr, int first = 1, int last = 0);
