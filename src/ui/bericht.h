// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <vector>

class LotteryCheck;
class QPagedPaintDevice;

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

// Paints the whole report onto device (a QPrinter or a QPdfWriter), A4 portrait unless the device
// was set up otherwise. fileNames: the ticket files as the main window names them. Returns false
// when progress stopped it.
bool PaintReport(QPagedPaintDevice& device, const LotteryCheck& check, const QString& fileNames,
                 bool allTickets, ReportProgress* progress = nullptr);
