// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLibraryInfo>
#include <QTranslator>
#include <exception>

#include "app/desktop.h"
#include "app/start.h"
#include "common/appinfo.h"
#include "ui/abbild/abbild.h"
#include "ui/eingabe/eingabe.h"
#include "ui/main/main.h"
#include "ui/shared/guard.h"
#include "ui/shared/skinwidgets.h"

void PrepareApplication(QApplication& app) {
  InitLook();
  SetUpDesktop(app);
  QApplication::setApplicationName(ProductName);
  QApplication::setApplicationDisplayName(ProductName);
  QApplication::setApplicationVersion(ProgramVersion);
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);
  QFile style(QStringLiteral(":/style/ziehfix.qss"));
  if (style.open(QIODevice::ReadOnly)) app.setStyleSheet(QString::fromUtf8(style.readAll()));
}

void ShowSplashWindow() {
  FStart = new TFStart;
  FStart->show();
  FStart->repaint();
  // The window system has to map the window before it can be painted; user input waits meanwhile.
  QElapsedTimer waited;
  waited.start();
  // A close request from the window system is no user input: it can run the whole cross-fade in
  // here, and the splash window is gone (FStart null) afterwards.
  while (FStart && !FStart->hasBeenPainted() && waited.elapsed() < 500)
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
}

namespace {
// The splash window may have faded out before the main window existed; the main window then comes up
// at once.
void initializationDone() {
  if (FStart) {
    FStart->setInitializationDone(true);
    return;
  }
  if (!FMain) return;
  FMain->setWindowOpacity(1.0);
  FMain->show();
  FMain->raise();
  FMain->activateWindow();
}
void destroyWindows() {
  delete FAbbild;
  FAbbild = nullptr;
  delete FEingabe;
  FEingabe = nullptr;
  delete FMain;
  FMain = nullptr;
  delete FStart;
  FStart = nullptr;
}
}  // namespace

void CreateWindows() {
  FMain = new TFMain;
  FEingabe = new TFEingabe;
  FAbbild = new TFAbbild;
}

void EndProgramWithMainWindow() {
  QApplication::setQuitOnLastWindowClosed(false);
  // QCoreApplication::quit() would first close every visible window; exit() only ends the loop.
  QObject::connect(
      FMain, &TFMain::closed, qApp, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
}

int RunProgram(QApplication& app, const std::function<void()>& createWindows,
               const std::function<void()>& windowsCreated) {
  PrepareApplication(app);
  ShowSplashWindow();
  bool created = true;
  try {
    createWindows();
  } catch (const std::exception& e) {
    created = false;
    if (FStart) FStart->setInitializationDone(true);
    showErrorReport(QString::fromUtf8(e.what()));
  }
  if (!created) {
    destroyWindows();
    return 1;
  }
  initializationDone();
  EndProgramWithMainWindow();
  if (windowsCreated) windowsCreated();
  const int code = app.exec();
  destroyWindows();
  return code;
}
