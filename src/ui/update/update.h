// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "net/http_client.h"

// Whether this build may download and start installers (the CMake option ZIEHFIX_SELF_UPDATE).
// Distribution packages turn it off: their updates come through the system's package manager.
extern const bool kSelfUpdateBuilt;

class QLabel;
class QProgressBar;
class QPushButton;

// The update window FUpdate: compares the installed version with the one on the download server,
// downloads a newer installer and starts it, which ends the program. Created on demand, destroyed
// when closed. Without self-update it only compares, and says where updates come from instead.
// While the check or the installer download runs, the window keeps painting and shows the progress in
// Gauge3; closing it cancels, and nothing else can be started meanwhile.
class TFUpdate : public QWidget {
  Q_OBJECT

 public:
  explicit TFUpdate(QWidget* parent = nullptr, bool selfUpdate = kSelfUpdateBuilt);
  ~TFUpdate() override;

  // Restores and raises the open update window, or creates one (over the main window "FMain" when
  // there is one); shows it and brings it to the front.
  static void showOrRaise();

 signals:
  // The check fetched the donation status (or fell back to the held value), fit for a label; the main
  // window shows it.
  void donationStandFetched(const QString& text);

 public slots:
  void BCalcClick();               // "Prüfen": the version check
  void BDownClick();               // "Download": the installer download
  void BSetupClick();              // "Installation": starts the installer and ends the program
  void bsSkinSpeedButton1Click();  // "Schließen"

 protected:
  void closeEvent(QCloseEvent* event) override;  // FormClose

 private:
  void FormCreate();
  void buildLayout();

  // How Gauge3 follows a transfer: by the share of the announced length, or as a busy bar (the
  // check's small files say nothing by their length; its wait is what takes time).
  enum class GaugeMode { Share, Busy };
  // Runs work, which passes the progress it is given to each of its downloads, with the event loop
  // turning: the window paints and can be closed, which cancels (the progress throws
  // TransferCancelled); only this window takes input meanwhile, and its buttons rest. False when it
  // was cancelled: the window may be gone then and must not be touched. Other errors of work pass.
  bool runTransfers(const std::function<void(const HttpClient::Progress&)>& work, GaugeMode mode);

  QLabel* PiVersion = nullptr;
  QLabel* PvVersion = nullptr;
  QPushButton* BCalc = nullptr;
  QPushButton* BDown = nullptr;
  QPushButton* BSetup = nullptr;
  QPushButton* bsSkinSpeedButton1 = nullptr;
  QProgressBar* Gauge3 = nullptr;
  QLabel* LDownloadText = nullptr;

  bool selfUpdate_;
  bool busy_ = false;  // a check or a download runs
  bool cancelRequested_ = false;
};

// The line that replaces the download text when the build has no self-update.
extern const QString kPackageManagerNote;

// The open update window, or nullptr.
extern QPointer<TFUpdate> FUpdate;

// Addresses on the download server and the local copies (in BaseDir()).
QString VersionFileUrl();
QString InstallerUrl();
QString LocalVersionFile();
QString LocalInstaller();
