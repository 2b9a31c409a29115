// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/uebersicht/druckvorschau.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "common/settings.h"
#include "core/evaluation.h"
#include "ui/shared/guard.h"
#include "ui/shared/onscreen.h"
#include "ui/uebersicht/bericht.h"
#include "ui/uebersicht/berichtdatei.h"

namespace {
constexpr int kBorder = 12;  // grey around the paper
constexpr double kMinZoom = 0.1, kMaxZoom = 4.0, kZoomStep = 1.25;

QIcon icon(const char* theme, QStyle::StandardPixmap fallback, const QStyle* style) {
  return QIcon::fromTheme(QString::fromLatin1(theme), style->standardIcon(fallback));
}
}  // namespace

// The paper with the page in view: painted afresh on every paint event, nothing kept.
class ReportPageView : public QWidget {
 public:
  explicit ReportPageView(ReportPreview* preview) : QWidget(preview), preview_(preview) {
    setObjectName(QStringLiteral("Seitenansicht"));
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (preview_->layoutIsStale()) preview_->relayout();
    QPainter p(this);
    const QRectF paper(QPointF(kBorder, kBorder), preview_->paperSize());
    p.fillRect(paper.translated(3, 3), QColor(0, 0, 0, 60));
    p.fillRect(paper, Qt::white);
    const QRectF area = preview_->printable().translated(paper.topLeft());
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.setClipRect(area);
    p.translate(area.topLeft());
    const double scale = area.width() / ReportLayout::kPageWidth;
    p.scale(scale, scale);
    preview_->pages().paint(p, preview_->currentPage() - 1);
    p.end();
    emit preview_->pageShown(preview_->currentPage());
  }

 private:
  ReportPreview* preview_;
};

ReportPreview::ReportPreview(const LotteryCheck& check, const QString& fileNames, QWidget* parent)
    : QDialog(parent), check_(check), fileNames_(fileNames) {
  setObjectName(QStringLiteral("FDruckvorschau"));
  setWindowTitle(QStringLiteral("Druckvorschau"));
  printer_.setPageLayout(ReportPageLayout());
  printer_.setCreator(QStringLiteral("ZIEHFIX"));
  printer_.setDocName(QStringLiteral("ZIEHFIX"));

  auto* bar = new QToolBar(this);
  bar->setAccessibleName(QStringLiteral("Seiten und Größe"));
  const auto action = [&](const char* name, const QString& text, const QIcon& picture,
                          const QKeySequence& key, auto handler) {
    QAction* a = bar->addAction(picture, text);
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(key);
    a->setToolTip(key.isEmpty() ? text
                                : text + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) + ')');
    connect(a, &QAction::triggered, this, [handler] { runGuarded(handler); });
    // Picture-only buttons: a screen reader needs their names, the keyboard reaches them by Tab.
    QWidget* button = bar->widgetForAction(a);
    button->setAccessibleName(text);
    button->setFocusPolicy(Qt::TabFocus);
    return a;
  };
  const QStyle* s = style();
  first_ =
      action("AErsteSeite", QStringLiteral("Erste Seite"), icon("go-first", QStyle::SP_MediaSkipBackward, s),
             QKeySequence(Qt::CTRL | Qt::Key_Home), [this] { setCurrentPage(1); });
  previous_ =
      action("AVorigeSeite", QStringLiteral("Vorige Seite"), icon("go-previous", QStyle::SP_ArrowLeft, s),
             QKeySequence(Qt::Key_PageUp), [this] { setCurrentPage(page_ - 1); });

  auto* pageLabel = new QLabel(QStringLiteral("&Seite"), bar);
  pageField_ = new QSpinBox(bar);
  pageField_->setObjectName(QStringLiteral("SESeite"));
  pageField_->setAccessibleName(QStringLiteral("Seite"));
  pageField_->setKeyboardTracking(false);
  pageField_->setButtonSymbols(QAbstractSpinBox::NoButtons);
  pageField_->setAlignment(Qt::AlignRight);
  pageLabel->setBuddy(pageField_);
  pageTotal_ = new QLabel(bar);
  pageTotal_->setObjectName(QStringLiteral("LSeiten"));
  bar->addWidget(pageLabel);
  bar->addWidget(pageField_);
  bar->addWidget(pageTotal_);
  connect(pageField_, &QSpinBox::valueChanged, this, [this](int page) { setCurrentPage(page); });

  next_ = action("ANaechsteSeite", QStringLiteral("Nächste Seite"), icon("go-next", QStyle::SP_ArrowRight, s),
                 QKeySequence(Qt::Key_PageDown), [this] { setCurrentPage(page_ + 1); });
  last_ =
      action("ALetzteSeite", QStringLiteral("Letzte Seite"), icon("go-last", QStyle::SP_MediaSkipForward, s),
             QKeySequence(Qt::CTRL | Qt::Key_End), [this] { setCurrentPage(pageCount()); });
  bar->addSeparator();
  fitWidth_ = action("ASeitenbreite", QStringLiteral("Seitenbreite"), QIcon(),
                     QKeySequence(Qt::CTRL | Qt::Key_1), [this] { fit(Fit::Width); });
  fitPage_ = action("AGanzeSeite", QStringLiteral("Ganze Seite"), QIcon(), QKeySequence(Qt::CTRL | Qt::Key_0),
                    [this] { fit(Fit::Page); });
  fitWidth_->setCheckable(true);
  fitPage_->setCheckable(true);
  QAction* smaller =
      action("AVerkleinern", QStringLiteral("Verkleinern"), QIcon::fromTheme(QStringLiteral("zoom-out")),
             QKeySequence::ZoomOut, [this] { zoomBy(1 / kZoomStep); });
  zoomLabel_ = new QLabel(bar);
  zoomLabel_->setObjectName(QStringLiteral("LZoom"));
  zoomLabel_->setMinimumWidth(zoomLabel_->fontMetrics().horizontalAdvance(QStringLiteral("0000 %")));
  zoomLabel_->setAlignment(Qt::AlignCenter);
  bar->addWidget(zoomLabel_);
  QAction* larger =
      action("AVergroessern", QStringLiteral("Vergrößern"), QIcon::fromTheme(QStringLiteral("zoom-in")),
             QKeySequence::ZoomIn, [this] { zoomBy(kZoomStep); });
  // Without an icon theme the style has no magnifier: the buttons then show the signs.
  smaller->setIconText(QStringLiteral("−"));
  larger->setIconText(QStringLiteral("+"));
  // Ctrl++ needs Shift on an English keyboard, where Ctrl+= means the same.
  larger->setShortcuts({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)});
  smaller->setShortcuts(QKeySequence::ZoomOut);
  bar->addSeparator();
  auto* choiceLabel = new QLabel(QStringLiteral("&Lose:"), bar);
  choice_ = ReportFiles::ticketChoice(bar);
  choiceLabel->setBuddy(choice_);
  bar->addWidget(choiceLabel);
  bar->addWidget(choice_);
  connect(choice_, &QComboBox::currentIndexChanged, this, [this] { runGuarded([this] { relayout(); }); });

  scroll_ = new QScrollArea(this);
  scroll_->setObjectName(QStringLiteral("Seitenfeld"));
  scroll_->setBackgroundRole(QPalette::Dark);
  scroll_->setAlignment(Qt::AlignCenter);
  view_ = new ReportPageView(this);
  scroll_->setWidget(view_);
  scroll_->viewport()->installEventFilter(this);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* print = buttons->addButton(QStringLiteral("&Drucken..."), QDialogButtonBox::ActionRole);
  print->setObjectName(QStringLiteral("BDrucken"));
  QPushButton* close = buttons->addButton(QStringLiteral("Schließen"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("BSchliessen"));
  // Return in the page field only turns the page; it must not open the print dialog.
  print->setAutoDefault(false);
  close->setAutoDefault(false);
  connect(print, &QPushButton::clicked, this, [this] { runGuarded([this] { openPrintDialog(); }); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* printKey = new QAction(this);
  printKey->setShortcut(QKeySequence::Print);
  connect(printKey, &QAction::triggered, print, &QPushButton::click);
  addAction(printKey);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 8);
  layout->addWidget(bar);
  layout->addWidget(scroll_, 1);
  auto* bottom = new QHBoxLayout;
  bottom->setContentsMargins(8, 0, 8, 0);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);

  relayout();
  placeWindow();
  applyZoom();
  scroll_->setFocus();
}

ReportPreview::~ReportPreview() = default;

int ReportPreview::pageCount() const {
  return pages_->pageCount();
}

void ReportPreview::setCurrentPage(int page) {
  if (layoutIsStale()) relayout();
  const int clamped = std::clamp(page, 1, pageCount());
  if (clamped != page_) {
    page_ = clamped;
    scroll_->verticalScrollBar()->setValue(0);
  }
  updateControls();
  view_->update();
}

void ReportPreview::setZoom(double zoom) {
  fit_ = Fit::None;
  zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
  applyZoom();
}

void ReportPreview::zoomBy(double factor) {
  setZoom(zoom_ * factor);
}

void ReportPreview::fit(Fit how) {
  fit_ = how;
  applyZoom();
}

QSizeF ReportPreview::paperSize() const {
  const double pixelsPerPoint = zoom_ * logicalDpiX() / 72.0;
  return printer_.pageLayout().fullRect(QPageLayout::Point).size() * pixelsPerPoint;
}

QRectF ReportPreview::printable() const {
  const double pixelsPerPoint = zoom_ * logicalDpiX() / 72.0;
  const QRectF area = printer_.pageLayout().paintRect(QPageLayout::Point);
  return QRectF(area.topLeft() * pixelsPerPoint, area.size() * pixelsPerPoint);
}

void ReportPreview::applyZoom() {
  if (fit_ != Fit::None) {
    // The room without scroll bars: a fitted page never makes one appear and refit itself.
    // One pixel more for the paper's size rounded up in applyZoom below.
    const QSize room = scroll_->maximumViewportSize() - QSize(2 * kBorder + 4, 2 * kBorder + 4);
    const QSizeF paper = printer_.pageLayout().fullRect(QPageLayout::Point).size() * (logicalDpiX() / 72.0);
    const double byWidth =
        (room.width() - scroll_->style()->pixelMetric(QStyle::PM_ScrollBarExtent)) / paper.width();
    zoom_ =
        fit_ == Fit::Width ? byWidth : std::min(room.width() / paper.width(), room.height() / paper.height());
    zoom_ = std::clamp(zoom_, kMinZoom, kMaxZoom);
  }
  const QSizeF paper = paperSize();
  view_->setFixedSize(int(std::ceil(paper.width())) + 2 * kBorder + 3,
                      int(std::ceil(paper.height())) + 2 * kBorder + 3);
  updateControls();
  view_->update();
}

void ReportPreview::updateControls() {
  const int pages = pageCount();
  {
    const QSignalBlocker quiet(pageField_);
    pageField_->setRange(1, pages);
    pageField_->setValue(page_);
  }
  pageTotal_->setText(QStringLiteral("von %1").arg(pages));
  first_->setEnabled(page_ > 1);
  previous_->setEnabled(page_ > 1);
  next_->setEnabled(page_ < pages);
  last_->setEnabled(page_ < pages);
  fitWidth_->setChecked(fit_ == Fit::Width);
  fitPage_->setChecked(fit_ == Fit::Page);
  zoomLabel_->setText(QStringLiteral("%1 %").arg(std::lround(zoom_ * 100)));
  view_->setAccessibleName(QStringLiteral("Seite %1 von %2").arg(page_).arg(pages));
}

void ReportPreview::relayout() {
  pages_ = std::make_unique<ReportPages>(check_, fileNames_, choice_->currentIndex() == 1,
                                         QSizeF(printer_.width(), printer_.height()));
  source_ = Source{check_.tickets().count(), check_.resultClasses().size(), check_.totals().one,
                   check_.totals().two, check_.totals().three};
  page_ = std::clamp(page_, 1, pageCount());
  updateControls();
  view_->update();
}

bool ReportPreview::layoutIsStale() const {
  return !(source_ == Source{check_.tickets().count(), check_.resultClasses().size(), check_.totals().one,
                             check_.totals().two, check_.totals().three});
}

bool ReportPreview::print(QPrinter& printer) {
  int first = 1, last = 0;
  if (printer.printRange() == QPrinter::PageRange) {
    first = std::max(1, printer.fromPage());
    last = printer.toPage();
  } else if (printer.printRange() == QPrinter::CurrentPage) {
    first = last = page_;
  }
  return ReportFiles::printReport(this, printer, check_, fileNames_, choice_->currentIndex() == 1, first,
                                  last);
}

void ReportPreview::openPrintDialog() {
  QPrintDialog dialog(&printer_, this);
  dialog.setWindowTitle(QStringLiteral("Drucken"));
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                    QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintShowPageSize);
  dialog.setMinMax(1, pageCount());
  const bool accepted = dialog.exec() == QDialog::Accepted;
  relayout();  // the paper may have changed
  applyZoom();
  if (accepted && print(printer_)) accept();
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (fit_ != Fit::None) applyZoom();
}

bool ReportPreview::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scroll_->viewport() && event->type() == QEvent::Wheel) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    const int delta = wheel->angleDelta().y();
    if (delta == 0) return false;
    if (wheel->modifiers() & Qt::ControlModifier) {
      zoomBy(delta > 0 ? kZoomStep : 1 / kZoomStep);
      return true;
    }
    // At the end of a page the wheel turns it over.
    const QScrollBar* bar = scroll_->verticalScrollBar();
    if (delta < 0 && bar->value() == bar->maximum() && page_ < pageCount()) {
      setCurrentPage(page_ + 1);
      return true;
    }
    if (delta > 0 && bar->value() == bar->minimum() && page_ > 1) {
      setCurrentPage(page_ - 1);
      scroll_->verticalScrollBar()->setValue(scroll_->verticalScrollBar()->maximum());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void ReportPreview::placeWindow() {
  const QRect screen = (parentWidget() ? parentWidget()->screen() : this->screen())->availableGeometry();
  const QSize size = Settings::geometry(Setting::kPreviewPlace).size();
  resize(std::clamp(size.width(), 400, std::max(400, screen.width())),
         std::clamp(size.height(), 300, std::max(300, screen.height())));
  // Centred on the screen until the user has moved it.
  const QPoint centred = screen.center() - QPoint(this->width() / 2, this->height() / 2);
  move(ReachablePosition(Settings::position(Setting::kPreviewPlace, centred), centred));
}

void ReportPreview::hideEvent(QHideEvent* event) {
  runGuarded([this] { Settings::setGeometry(Setting::kPreviewPlace, QRect(x(), y(), width(), height())); });
  QDialog::hideEvent(event);
}
