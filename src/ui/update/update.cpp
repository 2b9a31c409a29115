// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/update/update.h"
#include "ui/shared/widgetfactory.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <cstdint>

#include "common/appinfo.h"
#include "common/folders.h"
#include "net/donation.h"
#include "net/online.h"
#include "net/selfdelete.h"
#include "net/updateversion.h"
#include "platform/program_start.h"
#include "ui/shared/formexists.h"
#include "ui/shared/guard.h"
#include "ui/shared/prompter.h"
#include "ui/shared/windowplace.h"
#include "ui/update/input_lock.h"
#include "ui/update/services.h"

QPointer<TFUpdate> FUpdate;

#ifndef ZIEHFIX_SELF_UPDATE
#define ZIEHFIX_SELF_UPDATE 1
#endif
const bool kSelfUpdateBuilt = ZIEHFIX_SELF_UPDATE != 0;

const QString kPackageManagerNote =
    QStringLiteral("Updates erhalten Sie über die Paketverwaltung Ihres Systems.");

namespace {
constexpr int kClientWidth = 311;
constexpr int kClientHeight = 289;
constexpr int kToolBarHeight = 40;
constexpr int kCheckBoxHeight = 89;
constexpr int kDownloadBoxHeight = 59;

const QString kCheckFailed = QStringLiteral("Die Prüfung hat leider nicht geklappt.\r");
const QString kDownloadFailed =
    QStringLiteral("Der Download ist gescheitert. Versuchen Sie es bitte später noch einmal.");

QWidget* mainWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("FMain")) return w;
  return nullptr;
}

void info(const QString& text) {
  Prompter::current().information(text);
}

// Lets the window system repaint (and show the cursor) without taking clicks or keys, so that no
// handler of this window can start again in the middle of this one.
void processPendingMessages() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry, bool bold) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(true);
  label->setGeometry(geometry);
  if (bold) {
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
  }
  return label;
}

QLabel* makeValueField(QWidget* parent, const char* name, const QRect& geometry) {
  auto* field = Widgets::SunkenLabel(parent, QLatin1String(name));
  field->setTextFormat(Qt::PlainText);
  field->setAlignment(Qt::AlignCenter);
  field->setGeometry(geometry);
  return field;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption, const QRect& geometry) {
  auto* button = Widgets::Button(parent, QLatin1String(name), caption);
  button->setGeometry(geometry);
  return button;
}
}  // namespace

QString VersionFileUrl() {
  return DownloadServer() + QStringLiteral("/downloads/verinfos.ziehfix");
}
QString InstallerUrl() {
  return DownloadServer() + QStringLiteral("/downloads/ziehfixupdate.exe");
}
QString LocalVersionFile() {
  return BaseDir() + QStringLiteral("verinfos.ziehfix");
}
QString LocalInstaller() {
  return BaseDir() + QStringLiteral("Update.exe");
}

TFUpdate::TFUpdate(QWidget* parent, bool selfUpdate)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      selfUpdate_(selfUpdate) {
  setObjectName(QStringLiteral("FUpdate"));
  setAttribute(Qt::WA_DeleteOnClose);
  buildLayout();
  FormCreate();

  CentreOver(this, parent);
  FUpdate = this;
}

TFUpdate::~TFUpdate() = default;

void TFUpdate::buildLayout() {
  const int boxesBottom = kClientHeight - kToolBarHeight;

  auto* box1 = new QGroupBox(QStringLiteral("Programmversion auf Aktualität prüfen"), this);
  box1->setObjectName(QStringLiteral("bsSkinGroupBox1"));
  box1->setGeometry(0, 0, kClientWidth, kCheckBoxHeight);
  BCalc = makeButton(box1, "BCalc", QStringLiteral("Prüfen"), QRect(10, 37, 90, 38));
  makeLabel(box1, QStringLiteral("Installierte Version"), QRect(110, 22, 84, 32), false);
  makeLabel(box1, QStringLiteral("Verfügbare Version"), QRect(198, 22, 84, 32), false);
  PiVersion = makeValueField(box1, "PiVersion", QRect(110, 54, 66, 25));
  PvVersion = makeValueField(box1, "PvVersion", QRect(198, 54, 66, 25));

  auto* box3 = new QGroupBox(this);
  box3->setObjectName(QStringLiteral("bsSkinGroupBox3"));
  box3->setGeometry(0, kCheckBoxHeight, kClientWidth, kDownloadBoxHeight);
  LDownloadText = makeLabel(
      box3,
      selfUpdate_ ? QStringLiteral(
                        "Wenn online eine aktuellere Version verfügbar ist, wird der Download-Button aktiv.")
                  : kPackageManagerNote,
      QRect(8, 4, 190, kDownloadBoxHeight - 8), true);
  BDown = makeButton(box3, "BDown", QStringLiteral("Download"), QRect(kClientWidth - 108, 10, 100, 38));

  const int box2Height = boxesBottom - kCheckBoxHeight - kDownloadBoxHeight;
  auto* box2 = new QGroupBox(this);
  box2->setObjectName(QStringLiteral("bsSkinGroupBox2"));
  box2->setGeometry(0, kCheckBoxHeight + kDownloadBoxHeight, kClientWidth, box2Height);
  makeLabel(box2, QStringLiteral("Nach dem Download wird der Installations-Button aktiv."),
            QRect(8, 4, 190, box2Height - 8), true);
  BSetup = makeButton(box2, "BSetup", QStringLiteral("Installation"),
                      QRect(kClientWidth - 108, (box2Height - 38) / 2, 100, 38));

  Gauge3 = new QProgressBar(this);
  Gauge3->setObjectName(QStringLiteral("Gauge3"));
  Gauge3->setRange(0, 100);
  Gauge3->setValue(0);
  Gauge3->setGeometry(4, boxesBottom + 10, kClientWidth - 95 - 12, 20);
  bsSkinSpeedButton1 = makeButton(this, "bsSkinSpeedButton1", QStringLiteral("Sch&ließen"),
                                  QRect(kClientWidth - 95 - 1, boxesBottom + 1, 95, 38));

  connect(BCalc, &QPushButton::clicked, this, &TFUpdate::BCalcClick);
  connect(BDown, &QPushButton::clicked, this, &TFUpdate::BDownClick);
  connect(BSetup, &QPushButton::clicked, this, &TFUpdate::BSetupClick);
  connect(bsSkinSpeedButton1, &QPushButton::clicked, this, &TFUpdate::bsSkinSpeedButton1Click);
}

void TFUpdate::FormCreate() {
  setWindowTitle(ProductName);
  PiVersion->setText(ProgramVersion);
  PvVersion->clear();
  BDown->setEnabled(false);
  BSetup->setEnabled(false);
  setFixedSize(kClientWidth, kClientHeight);
}

void TFUpdate::showOrRaise() {
  TFUpdate* window = FormExists(QStringLiteral("FUpdate")) ? FUpdate : nullptr;
  if (window)
    window->showNormal();
  else
    window = new TFUpdate(mainWindow());
  window->show();
  window->raise();
  window->activateWindow();
}

bool TFUpdate::runTransfers(const std::function<void(const HttpClient::Progress&)>& work, GaugeMode mode) {
  QPointer<TFUpdate> self(this);
  const InputLock lock(this);
  // Undoes the busy state when the work ends in any way, unless the window is gone by then.
  struct BusyState {
    QPointer<TFUpdate> window;
    bool downOffered;
    GaugeMode mode;
    ~BusyState() {
      if (!window) return;
      window->busy_ = false;
      window->BCalc->setEnabled(true);
      window->BDown->setEnabled(downOffered);
      if (mode == GaugeMode::Busy) {
        window->Gauge3->setRange(0, 100);
        window->Gauge3->setValue(0);
      }
    }
  } state{self, BDown->isEnabled(), mode};
  busy_ = true;
  cancelRequested_ = false;
  BCalc->setEnabled(false);
  BDown->setEnabled(false);
  if (mode == GaugeMode::Busy)
    Gauge3->setRange(0, 0);
  else
    Gauge3->setValue(0);
  QPointer<QProgressBar> gauge(mode == GaugeMode::Share ? Gauge3 : nullptr);
  try {
    work([self, gauge](std::uint64_t received, std::int64_t announced) {
      if (!self || self->cancelRequested_) throw TransferCancelled();
      if (gauge && announced > 0) {
        const auto total = static_cast<std::uint64_t>(announced);
        gauge->setValue(static_cast<int>(std::min(received, total) * 100 / total));
      }
      QCoreApplication::processEvents();
      if (!self || self->cancelRequested_) throw TransferCancelled();
    });
  } catch (const TransferCancelled&) {
    return false;
  }
  return self && !cancelRequested_;
}

void TFUpdate::BCalcClick() {
  runGuarded([this] {
    if (busy_) return;
    OnlineServices& net = OnlineServices::current();
    if (!net.IsOnline()) {
      info(QStringLiteral("Für die Aktualisierung muss eine Verbindung zum Internet bestehen."));
      return;
    }
    const QString local = LocalVersionFile();
    if (QFile::exists(local)) QFile::remove(local);
    net.PurgeUrlCache();

    QPointer<TFUpdate> self(this);
    bool downloaded = false;
    const bool finished = runTransfers(
        [&](const HttpClient::Progress& progress) {
          SetScreenCursor(Qt::WaitCursor);
          processPendingMessages();
          try {
            downloaded = net.DownloadToFile(VersionFileUrl(), local, Transfer::VersionFile, progress);
          } catch (const TransferCancelled&) {
            SetScreenCursor(Qt::ArrowCursor);
            throw;
          } catch (...) {
            downloaded = false;
          }
          SetScreenCursor(Qt::ArrowCursor);
          processPendingMessages();
          emit donationStandFetched(RefreshedDonationStand(progress));
        },
        GaugeMode::Busy);
    if (!self || !finished) return;  // closed by the user: nothing to report
    if (!downloaded) {
      info(kCheckFailed);
      return;
    }
    const std::optional<QString> version = ReadAvailableVersion(local);
    if (!version) {
      // A file without a whole record offers no version: nothing to show, nothing to download.
      PvVersion->clear();
      BDown->setEnabled(false);
      info(kCheckFailed);
      return;
    }
    PvVersion->setText(OneLineText(*version));
    BDown->setEnabled(selfUpdate_ && *version != ProgramVersion);
  });
}

void TFUpdate::BDownClick() {
  runGuarded([this] {
    if (!selfUpdate_ || busy_) return;
    OnlineServices& net = OnlineServices::current();
    if (!net.IsOnline()) {
      info(QStringLiteral(
          "Für den Download der Installations-Datei muss eine Verbindung zum Internet bestehen.\r\r"
          "Ich breche ab."));
      return;
    }
    QPointer<TFUpdate> self(this);
    bool downloaded = false;
    bool finished = true;
    try {
      const QString local = LocalInstaller();
      if (QFile::exists(local)) QFile::remove(local);
      // The installer of an earlier download is gone now (or about to be overwritten), so it may
      // only be started again once this download has succeeded.
      BSetup->setEnabled(false);
      processPendingMessages();
      finished = runTransfers(
          [&](const HttpClient::Progress& progress) {
            downloaded = net.DownloadToFile(InstallerUrl(), local, Transfer::Installer, progress);
          },
          GaugeMode::Share);
    } catch (...) {
      downloaded = false;  // a broken or refused transfer: reported below
    }
    if (!self || !finished) return;  // closed by the user: nothing to report
    if (downloaded) {
      BSetup->setEnabled(true);
    } else {
      Gauge3->setValue(0);
      info(kDownloadFailed);
    }
  });
}

void TFUpdate::BSetupClick() {
  runGuarded([this] {
    if (!selfUpdate_ || busy_) return;
    const QString dir = BaseDir();
    const QString question =
        QStringLiteral(
            "Um die Installation durchführen zu können, muss das Programm jetzt geschlossen werden. Die "
            "Programm-Datei wird gelöscht und das Update gestartet. Wenn etwas schief läuft, bitte das "
            "Update manuell durch Doppelklick auf die Datei \"Update.exe\" im Verzeichnis ") +
        dir + QStringLiteral(" starten.") + QStringLiteral("\r\r") +
        QStringLiteral("Soll fortgefahren werden?");
    if (!Prompter::current().confirm(question)) {
      info(QStringLiteral("Installation wurde auf Ihren Wunsch abgebrochen. Sie  könnnen das Update manuell "
                          "durch Doppelklick auf die Datei \"Update.exe\" im Verzeichnis ") +
           dir + QStringLiteral(" starten.") + QStringLiteral("\r\r") +
           QStringLiteral("Zuvor muss das Programm geschlossen und die Datei \"Kreisel.exe\" ") +
           QStringLiteral("im Programmpfad gelöscht werden."));
      return;
    }
    // Started as a process of its own, and only when this system can run it: the self-deleting exit
    // must not remove the program unless an installer really runs.
    if (StartProgramDetached(LocalInstaller()) <= 0) {
      info(
          QStringLiteral("Update konnte nicht gestartet werden. Bitte schließen Sie das Programm und starten "
                         "Sie das Update manuell durch Doppelklick auf die Datei \"Update.exe\" im "
                         "Verzeichnis ") +
          dir + QStringLiteral("."));
      return;
    }
    SelfDeletingExit();
  });
}

void TFUpdate::bsSkinSpeedButton1Click() {
  close();
}

void TFUpdate::closeEvent(QCloseEvent* event) {
  if (busy_) cancelRequested_ = true;
  SetScreenCursor(Qt::ArrowCursor);
  event->accept();
}
