#pragma once

#include <QString>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

// The update window FUpdate: compares the installed version with the one on the download server,
// downloads a newer installer and starts it, which ends the program. Created on demand, destroyed
// when closed.
class TFUpdate : public QWidget {
  Q_OBJECT

 public:
  explicit TFUpdate(QWidget* parent = nullptr);
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
};

// The open update window, or nullptr.
extern TFUpdate* FUpdate;

// Addresses on the download server and the local copies (in BaseDir()).
QString VersionFileUrl();
QString InstallerUrl();
QString LocalVersionFile();
QString LocalInstaller();
