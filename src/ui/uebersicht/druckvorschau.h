// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QPrinter>
#include <memory>

class LotteryCheck;
class QAction;
class QComboBox;
class QLabel;
class QScrollArea;
class QSpinBox;
class ReportPages;

// The report's print preview. Qt's QPrintPreviewDialog records every page as a picture before it
// shows the first one (about 13 kB a ticket with "Alle Lose": 1.3 GB for 100,000 tickets). This one
// keeps no page: it paints only the page in view, straight from the report's page painter, and
// "Drucken..." sends the pages to the printer one at a time, as the PDF writer does. The page count
// comes from the report's layout, which is arithmetic only.
// The paper is the printer's, so a paper chosen in the print dialog is shown afterwards.
// Settings: section "Druckvorschau" (Links, Oben, Breite, Hoehe).
class ReportPreview : public QDialog {
  Q_OBJECT
 public:
  ReportPreview(const LotteryCheck& check, const QString& fileNames, QWidget* parent = nullptr);
  ~ReportPreview() override;

  int pageCount() const;
  int currentPage() const { return page_; }  // 1-based
  void setCurrentPage(int page);             // clamped to 1..pageCount()

  enum class Fit { None, Width, Page };
  // 1 shows the paper at its true size on the screen.
  double zoom() const { return zoom_; }
  void setZoom(double zoom);  // leaves fitting
  void fit(Fit how);
  Fit fitting() const { return fit_; }

  // The printer behind "Drucken..." (A4 portrait with 15 mm margins until the print dialog changes it).
  QPrinter& printer() { return printer_; }
  // Prints what printer's range says (all pages, from..to, or the page in view), one page at a time;
  // false when the user cancelled. Throws std::runtime_error when the printer cannot be opened.
  bool print(QPrinter& printer);

  // Used by the page view: the pages at the printer's paper, and where the paper lies.
  const ReportPages& pages() const { return *pages_; }
  QSizeF paperSize() const;  // in screen pixels at the current zoom
  QRectF printable() const;  // within the paper, in screen pixels

 signals:
  // After page (1-based) was painted on screen.
  void pageShown(int page);

 protected:
  void hideEvent(QHideEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void openPrintDialog();
  void relayout();  // the pages anew, for the printer's paper and the ticket choice
  void zoomBy(double factor);
  void applyZoom();
  void updateControls();
  bool layoutIsStale() const;
  void placeWindow();

  const LotteryCheck& check_;
  QString fileNames_;
  QPrinter printer_{QPrinter::HighResolution};
  std::unique_ptr<ReportPages> pages_;
  // What the pages were laid out from: the check can change while the preview is open.
  struct Source {
    int tickets = 0;
    std::size_t classes = 0;
    int one = 0, two = 0, three = 0;
    bool operator==(const Source&) const = default;
  } source_;
  int page_ = 1;
  double zoom_ = 1;
  Fit fit_ = Fit::Page;

  QScrollArea* scroll_ = nullptr;
  QWidget* view_ = nullptr;
  QSpinBox* pageField_ = nullptr;
  QLabel* pageTotal_ = nullptr;
  QLabel* zoomLabel_ = nullptr;
  QComboBox* choice_ = nullptr;
  QAction *first_ = nullptr, *previous_ = nullptr, *next_ = nullptr, *last_ = nullptr;
  QAction *fitWidth_ = nullptr, *fitPage_ = nullptr;

  friend class ReportPageView;
};
