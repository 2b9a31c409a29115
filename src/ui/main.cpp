// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's creation, closing and top-bar commands.
#include "ui/main.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "common/appinfo.h"
#include "common/folders.h"
#include "common/guard.h"
#include "common/settings.h"
#include "core/lines.h"
#include "net/services.h"
#include "ui/abbild.h"
#include "ui/eingabe.h"
#include "ui/filehistory.h"
#include "ui/info.h"
#include "ui/numberboard.h"
#include "ui/shortcuts.h"
#include "ui/skinwidgets.h"

TFMain* FMain = nullptr;

namespace {
constexpr int kDefaultLeft = 0;
constexpr int kDefaultTop = 70;
constexpr int kDefaultWidth = 1038;
constexpr int kDefaultHeight = 645;
const QString kDefaultNewNumbersUrl = QStringLiteral("https://www.ziehfix.example/gewinnzahlen/");

void onClick(QWidget* root, const char* name, std::function<void()> handler) {
  auto* b = root->findChild<QPushButton*>(QLatin1String(name));
  Q_ASSERT(b);
  QObject::connect(b, &QPushButton::clicked, root, std::move(handler));
}
}  // namespace

TFMain::TFMain(QWidget* parent) : QWidget(parent) {
  InitLook();
  FMain = this;
  setObjectName(QStringLiteral("FMain"));
  setWindowTitle(ProductName);
  setFont(QFont(QStringLiteral("Tahoma"), 8));
  // Invisible until the splash window's cross-fade raises it.
  setWindowOpacity(0.0);
  buildLayout();
  wireCommands();
  wireOverview();
  InstallMainShortcuts(this);

  int left = kDefaultLeft, top = kDefaultTop, width = kDefaultWidth, height = kDefaultHeight;
  DonationStand = QStringLiteral("0");
  QString storedStand;
  // Reads never fail; a failed first-run write is reported and the window still comes up.
  runGuarded([&] {
    if (Settings::fileExists()) {
      left = Settings::readInt("Position", "FMain-left", kDefaultLeft);
      top = Settings::readInt("Position", "FMain-top", kDefaultTop);
      width = Settings::readInt("Size", "FMain-breite", kDefaultWidth);
      height = Settings::readInt("Size", "FMain-hoehe", kDefaultHeight);
      storedStand = Settings::readString("Wach", "Stand", QStringLiteral("0"));
      cbSofort_->setChecked(Settings::readBool("Auswertung", "sofort", true));
      NewNumbersUrl = Settings::readString("Neue Gewinnzahlen", "Url", kDefaultNewNumbersUrl);
    } else {
      NewNumbersUrl = kDefaultNewNumbersUrl;
      Settings::writeString("Neue Gewinnzahlen", "Url", kDefaultNewNumbersUrl);
      Settings::writeString("Wach", "Stand", DonationStand);
    }
  });
  move(left, top);
  if (!storedStand.isEmpty()) DonationStand = storedStand;
  leur_->setText(DonationStand);

  runGuarded([] { FileHistory::load(); });
  setUpFileCommands();
  // A stored size too small for the controls is raised to what they need.
  resize(std::max(width, minimumSizeHint().width()), std::max(height, minimumSizeHint().height()));
  InitLineTable();
}

TFMain::~TFMain() {
  if (FMain == this) FMain = nullptr;
}

int TFMain::LosCount() const {
  return check_.tickets().count();
}
const LosFrameList& TFMain::LosFrames() const {
  return box1_->frames();
}
const LosGridList& TFMain::LosGrids() const {
  return box1_->grids();
}

void TFMain::wireCommands() {
  onClick(this, "bsSkinSpeedButton1", [this] { bsSkinSpeedButton1Click(); });
  onClick(this, "bsSkinSpeedButton2", [this] { bsSkinSpeedButton2Click(); });
  onClick(this, "bsSkinSpeedButton8", [this] { bsSkinSpeedButton8Click(); });
  onClick(this, "bsSkinSpeedButton13", [this] { bsSkinSpeedButton13Click(); });
  onClick(this, "BInfo", [this] { BInfoClick(); });
  onClick(this, "BPay", [this] { BPayClick(); });
  onClick(this, "BOpenGZ", [this] { BOpenGZClick(); });
  onClick(this, "BSaveGZ", [this] { BSaveGZClick(); });
  onClick(this, "BNeueGZ", [this] { BNeueGZClick(); });
  onClick(this, "bsSkinSpeedButton3", [this] { bsSkinSpeedButton3Click(); });
  onClick(this, "BTransfer", [this] { BTransferClick(); });
  onClick(this, "BDelGZ", [this] { BDelGZClick(); });
  onClick(this, "BDelZahlen", [this] { BDelZahlenClick(); });
  onClick(this, "BOpen", [this] { BOpenClick(); });
  onClick(this, "bsSkinSpeedButton4", [this] { bsSkinSpeedButton4Click(); });
  onClick(this, "BAuswerten", [this] { BAuswertenClick(); });
  onClick(this, "BDelLose", [this] { BDelLoseClick(); });
  onClick(this, "bsSkinSpeedButton5", [this] { bsSkinSpeedButton5Click(); });
  // cbDran and cbNeu form a group: ticking one unticks the other; both may be unticked.
  connect(cbDran_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) cbNeu_->setChecked(false);
  });
  connect(cbNeu_, &QCheckBox::toggled, this, [this](bool on) {
    if (on) cbDran_->setChecked(false);
  });
}

void TFMain::writeClosingSettings() {
  Settings::writeBool("Auswertung", "sofort", cbSofort_->isChecked());
  Settings::writeString("Wach", "Stand", leur_->text());
  FileHistory::save();
}

void TFMain::closeEvent(QCloseEvent* event) {
  runGuarded([this] { writeClosingSettings(); });
  event->accept();
  emit closed();
}

bool TFMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == image1_ && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Image1Click();
    return true;
  }
  if (watched == image1_ && event->type() == QEvent::KeyPress) {
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
  runGuarded([this] { SaveGeometry("FMain", x(), y(), width(), height()); });
}

void TFMain::bsSkinSpeedButton13Click() {
  runGuarded([] { ShowUpdateWindow(); });
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
