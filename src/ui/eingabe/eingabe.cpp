// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/eingabe/eingabe.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>
#include <utility>

#include "common/appinfo.h"
#include "common/folders.h"
#include "common/settings.h"
#include "core/text.h"
#include "core/ticketfile.h"
#include "ui/eingabe/eingabe_scan.h"
#include "ui/eingabe/frlos2.h"
#include "ui/info/info.h"
#include "ui/shared/accessibility.h"
#include "ui/shared/filedrop.h"
#include "ui/shared/filehistory.h"
#include "ui/shared/guard.h"
#include "ui/shared/messages.h"
#include "ui/shared/onscreen.h"
#include "ui/shared/prompter.h"
#include "ui/shared/recentfiles.h"
#include "ui/shared/shortcuts.h"
#include "ui/shared/skinwidgets.h"

#include "ui/eingabe/eingabe_parts.h"
#include "ui/shared/widgetfactory.h"

QPointer<TFEingabe> FEingabe;

using namespace entry;

TFEingabe::TFEingabe(QWidget* parent) : QWidget(parent, Qt::Window) {
  InitEntryPictures();
  setObjectName("FEingabe");
  // No buttons in the title bar: the window is closed by "Fenster schließen".
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setMaximumWidth(kMaxWidth);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* topBar = new QFrame(this);
  topBar->setObjectName("bsSkinPanel3");
  topBar->setFixedHeight(40);
  buildTopBar(topBar);
  layout->addWidget(topBar);

  auto* secondBar = new QFrame(this);
  secondBar->setObjectName("bsSkinPanel1");
  secondBar->setFixedHeight(40);
  buildSecondBar(secondBar);
  layout->addWidget(secondBar);

  ticketArea = new QScrollArea(this);
  ticketArea->setObjectName("Box1");
  ticketArea->setFont(Widgets::FontOf(font(), {QStringLiteral("Tahoma")}, 8, true));
  ticketArea->setWidgetResizable(false);
  boxContent_ = new QWidget;
  boxContent_->setObjectName("Box1Content");
  ticketArea->setWidget(boxContent_);
  layout->addWidget(ticketArea, 1);
  boxContent_->resize(boxSizeFor(0));
  // The frames follow the view: scrolling and resizing hand them to the tickets that come into it.
  connect(ticketArea->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { layoutFrames(); });
  ticketArea->viewport()->installEventFilter(this);

  InstallEntryShortcuts(this);
  FormCreate();
}

void TFEingabe::FormCreate() {
  runGuarded([&] {
    const QPoint fallback = Setting::kEntryPlace.fallback().topLeft();
    QPoint stored = fallback;
    if (Settings::fileExists()) {
      stored = Settings::position(Setting::kEntryPlace);
      newTicketCountField->setText(Settings::get(Setting::kNewTicketCount));
    }
    move(ReachablePosition(stored, fallback));
    setWindowTitle(ProductName);
    resize(kClientWidth, kClientHeight);
    setAcceptDrops(true);
    AttachRecentTicketsMenu(openButton, [this](const QString& path) { readTicketFile(path); });
  });
}

void TFEingabe::FormClose() {
  runGuarded([&] { Settings::set(Setting::kNewTicketCount, newTicketCountField->text()); });
}

void TFEingabe::closeEvent(QCloseEvent* event) {
  FormClose();
  // Closing hides the window; its frames stay for the next showing.
  event->accept();
}

bool TFEingabe::eventFilter(QObject* watched, QEvent* event) {
  if (watched == newTicketCountField && event->type() == QEvent::KeyPress &&
      !eAnzKeyPress(*static_cast<QKeyEvent*>(event)))
    return true;
  if (watched == ticketArea->viewport() && event->type() == QEvent::Resize) layoutFrames();
  return QWidget::eventFilter(watched, event);
}

bool TFEingabe::eAnzKeyPress(const QKeyEvent& event) {
  const QString text = event.text();
  if (text.isEmpty()) return true;
  const Qt::KeyboardModifiers mods = event.modifiers();
  if ((mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier)) return true;
  for (QChar c : text) {
    const char16_t u = c.unicode();
    const bool control = u < 32 || u == 127;
    const bool digit = u >= u'0' && u <= u'9';
    if (!control && !digit) return false;
  }
  return true;
}

void TFEingabe::bsSkinSpeedButton2Click() {
  runGuarded([&] {
    if (newTicketCountField->text().isEmpty()) newTicketCountField->setText(QStringLiteral("10"));
    const QString text = newTicketCountField->text();
    int count = 0;
    // The count is checked before anything is removed, so a mistyped count loses no tickets.
    if (!ParseStrictInt(text, &count)) throw std::runtime_error(InvalidIntegerMessage(text).toStdString());
    count = std::max(count, 0);
    const bool replacing = rebuildTicketsBox->isChecked();
    if (!framesFit(count, replacing, false)) return;
    FrameBatch batch(ticketArea, count);
    if (replacing && EinLosCount > 0) removeAllFrames();
    model_.appendEmpty(count);
    ticketsChanged();
  });
}

void TFEingabe::BDelLoseClick() {
  runGuarded([&] {
    FrameBatch batch(ticketArea, EinLosCount);
    removeAllFrames();
    ticketsChanged();
  });
}

void TFEingabe::bsSkinSpeedButton8Click() {
  runGuarded([&] { Settings::setPosition(Setting::kEntryPlace, pos()); });
}

void TFEingabe::bsSkinSpeedButton7Click() {
  runGuarded([] { ShowInfoWindow(); });
}

void TFEingabe::bsSkinSpeedButton1Click() {
  close();
}
