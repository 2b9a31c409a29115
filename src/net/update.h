#pragma once

#include <QString>
#include <QWidget>

// Whether this build may download and start installers (the CMake option ZIEHFIX_SELF_UPDATE).
// Distribution packages turn it off: their updates come through the system's package manager.
extern const bool kSelfUpdateBuilt;

class QLabel;
class QProgressBar;
class QPushButton;

// The update window FUpdate: compares the installed version with the one on the download server,
// downloads a newer installer and starts it, which ends the program. Created on demand, destroyed
// when closed. Without self-update it only compares, and says where updates come from instead.
// While the installer downloads, the window keeps painting and shows the progress in Gauge3; closing
// it cancels the download, and nothing else can be started meanwhile.
class TFUpdate : public QWidget {
  Q_OBJECT

 public:
  explicit TFUpdate(QWidget* parent = nullptr, bool selfUpdate = kSelfUpdateBuilt);
  ~TFUpdate() override;

  // Restores and raises the open update window, or creates one (over the main window "FMain" when
  // there is one); shows it and brings it to the front.
  static void showOrRaise();

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

  QLabel* PiVersion = nullptr;
  QLabel* PvVersion = nullptr;
  QPushButton* BCalc = nullptr;
  QPushButton* BDown = nullptr;
  QPushButton* BSetup = nullptr;
  QPushButton* bsSkinSpeedButton1 = nullptr;
  QProgressBar* Gauge3 = nullptr;
  QLabel* LDownloadText = nullptr;

  bool selfUpdate_;
  bool downloading_ = false;
  bool cancelRequested_ = false;
};

// The line that replaces the download text when the build has no self-update.
extern const QString kPackageManagerNote;

// The open update window, or nullptr.
extern TFUpdate* FUpdate;

// Addresses on the download server and the local copies (in BaseDir()).
QString VersionFileUrl();
QString InstallerUrl();
QString LocalVersionFile();
QString LocalInstaller();
