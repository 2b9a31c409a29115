// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's creation, closing and top-bar commands.
#include "ui/main/main.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "common/appinfo.h"
#include "common/folders.h"
#include "common/settings.h"
#include "core/lines.h"
#include "net/donation.h"
#include "ui/abbild/abbild.h"
#include "ui/ansage/drawannouncements.h"
#include "ui/eingabe/eingabe.h"
#include "ui/info/info.h"
#include "ui/main/numberboard.h"
#include "ui/shared/filehistory.h"
#include "ui/shared/guard.h"
#include "ui/shared/shortcuts.h"
#include "ui/shared/skinwidgets.h"
#include "ui/update/services.h"
#include "ui/update/update.h"

QPointer<TFMain> FMain;

TFMain::TFMain(QWidget* parent) : QWidget(parent) {
  InitLook();
  FMain = this;
  // Reads its settings now; the overview and the handlers use it from the start.
  announcements_ = new DrawAnnouncements(this);
  setObjectName(QStringLiteral("FMain"));
  setWindowTitle(ProductName);
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  // Invisible until the splash window's cross-fade raises it.
  setWindowOpacity(0.0);
  buildLayout();
  wireCommands();
  wireOverview();
  InstallMainShortcuts(this);
  AddWindowShortcut(this,
                    {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
                    [this] { redoChosen(); })
      ->setObjectName(QStringLiteral("RedoShortcut"));

  QRect place = Setting::kMainPlace.fallback();
  DonationStand = QStringLiteral("0");
  QString storedStand;
  // Reads never fail; a failed first-run write is reported and the window still comes up.
  runGuarded([&] {
    if (Settings::fileExists()) {
      place = Settings::geometry(Setting::kMainPlace);
      storedStand = Settings::get(Setting::kDonationStand);
      evaluateAtOnceBox_->setChecked(Settings::get(Setting::kEvaluateAtOnce));
      NewNumbersUrl = Settings::get(Setting::kNewNumbersUrl);
    } else {
      NewNumbersUrl = Setting::kNewNumbersUrl.fallback.toString();
      Settings::set(Setting::kNewNumbersUrl, NewNumbersUrl);
      Settings::set(Setting::kDonationStand, DonationStand);
    }
  });
  move(place.topLeft());
  if (!storedStand.isEmpty()) DonationStand = storedStand;
  donationLabel_->setText(DonationStand);

  runGuarded([] { FileHistory::load(); });
  setUpFileCommands();
  // A stored size too small for the controls is raised to what they need.
  resize(std::max(place.width(), minimumSizeHint().width()),
         std::max(place.height(), minimumSizeHint().height()));
  InitLineTable();
}

void TFMain::showDonationStand(const QString& text) {
  donationLabel_->setTextFormat(Qt::PlainText);
  donationLabel_->setText(DonationStandForLabel(text));
}

TFMain::~TFMain() = default;

int TFMain::LosCount() const {
  return check_.tickets().count();
}
const LosFrameList& TFMain::LosFrames() const {
  return ticketView_->frames();
}
const LosGridList& TFMain::LosGrids() const {
  return ticketView_->grids();
}

void TFMain::wireCommands() {
  // A click on a notification brings the window up at the ticket that won.
  connect(announcements_, &DrawAnnouncements::ticketRequested, this, [this](int ticket) {
    runGuarded([&] {
      if (isMinimized()) showNormal();
      raise();
      activateWindow();
      jumpToTicket(ticket);
    });
  });
  // cbDran and cbNeu form a group: ticking one unticks the other; both may be unticked.
  connect(appendTicketsBox_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) rebuildTicketsBox_->setChecked(false);
  });
  connect(rebuildTicketsBox_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) appendTicketsBox_->setChecked(false);
  });
}

void TFMain::writeClosingSettings() {
  Settings::set(Setting::kEvaluateAtOnce, evaluateAtOnceBox_->isChecked());
  Settings::set(Setting::kDonationStand, donationLabel_->text());
  FileHistory::save();
  announcements_->writeSettings();
}

void TFMain::closeEvent(QCloseEvent* event) {
  runGuarded([this] { writeClosingSettings(); });
  event->accept();
  emit closed();
}

bool TFMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == vendorPicture_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Image1Click();
    return true;
  }
  if (watched == vendorPicture_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
      Image1Click();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TFMain::bsSkinSpeedButton1Click() {
  close();
}

void TFMain::bsSkinSpeedButton2Click() {
  runGuarded([] {
    if (!FEingabe) return;
    FEingabe->show();
    FEingabe->raise();
    FEingabe->activateWindow();
  });
}

void TFMain::bsSkinSpeedButton8Click() {
  runGuarded([this] { Settings::setGeometry(Setting::kMainPlace, QRect(x(), y(), width(), height())); });
}

void TFMain::bsSkinSpeedButton13Click() {
  runGuarded([this] {
    ShowUpdateWindow();
    if (FUpdate)
      connect(FUpdate, &TFUpdate::donationStandFetched, this, &TFMain::showDonationStand,
              Qt::UniqueConnection);
  });
}

void TFMain::BInfoClick() {
  runGuarded([] { ShowInfoWindow(); });
}

void TFMain::BPayClick() {
  runGuarded([] { OpenDonationPage(); });
}

void TFMain::BNeueGZClick() {
  runGuarded([this] { OpenNewNumbersPage(NewNumbersUrl); });
}

void TFMain::Image1Click() {
  runGuarded([] { OpenVendorHomePage(); });
}

void TFMain::bsSkinSpeedButton4Click() {
  runGuarded([this] { CaptureSnapshot(this, SnapshotKind::Tickets); });
}

void TFMain::bsSkinSpeedButton5Click() {
  runGuarded([this] { CaptureSnapshot(this, SnapshotKind::Results); });
}
