// SPDX-License-Identifier: GPL-3.0-or-later
// The real start-up: the splash window first, then the three windows, hidden, in order; its failure
// branch; a close request while it waits for the splash window's first paint.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include "app/start.h"
#include "app/startup.h"
#include "common/folders.h"
#include "support/scripted_prompter.h"
#include "ui/abbild/abbild.h"
#include "ui/eingabe/eingabe.h"
#include "ui/main/main.h"

namespace {
// Watches every event of the program: the order in which the windows first get one, whether the
// splash window was painted by then, and closes the program's windows on cue.
class StartWatcher : public QObject {
 public:
  QStringList firsts;  // object names of the windows in the order of their first event
  bool splashPaintedBeforeMain = false;
  bool swallowSplashPaints = false;
  bool closeSplashOnShow = false;

  StartWatcher() { qApp->installEventFilter(this); }
  ~StartWatcher() override { qApp->removeEventFilter(this); }

  bool eventFilter(QObject* o, QEvent* e) override {
    const QString name = o->objectName();
    if (name == "FStart" || name == "FMain" || name == "FEingabe" || name == "FAbbild") {
      if (!firsts.contains(name)) {
        firsts << name;
        if (name == "FMain") splashPaintedBeforeMain = FStart && FStart->hasBeenPainted();
      }
    }
    if (name == "FStart" && swallowSplashPaints && e->type() == QEvent::Paint) return true;
    if (name == "FStart" && closeSplashOnShow && e->type() == QEvent::Show) {
      closeSplashOnShow = false;
      // A close request from the window system arrives as a posted event, not as user input.
      QMetaObject::invokeMethod(o, "close", Qt::QueuedConnection);
    }
    return false;
  }
};

// Once the main window is up and opaque, closes it, which ends the event loop.
void closeMainWindowWhenShown(QObject* owner, bool* wasShownOpaque) {
  auto* poll = new QTimer(owner);
  QObject::connect(poll, &QTimer::timeout, poll, [poll, wasShownOpaque] {
    if (!FMain || !FMain->isVisible() || FMain->windowOpacity() < 1.0) return;
    *wasShownOpaque = true;
    poll->deleteLater();
    FMain->close();
  });
  poll->start(5);
  QTimer::singleShot(10000, owner, [] { QCoreApplication::exit(7); });  // a safety net
}

void clickWeiterOnceReady(QObject* owner) {
  auto* poll = new QTimer(owner);
  QObject::connect(poll, &QTimer::timeout, poll, [poll] {
    if (!FStart || !FStart->InitializationDone()) return;
    poll->deleteLater();
    FStart->findChild<QPushButton*>("BWeiter")->click();
  });
  poll->start(5);
}
}  // namespace

TEST(StartSequence, RunProgramPaintsTheSplashCreatesTheWindowsInOrderAndRunsUntilTheMainWindowCloses) {
  ScriptedPrompter prompter;
  QFile::remove(SettingsFilePath());
  StartWatcher watcher;
  bool mainShown = false;
  QObject timers;
  clickWeiterOnceReady(&timers);
  closeMainWindowWhenShown(&timers, &mainShown);
  EXPECT_EQ(RunProgram(*qApp), 0);
  EXPECT_EQ(watcher.firsts, QStringList({"FStart", "FMain", "FEingabe", "FAbbild"}));
  EXPECT_TRUE(watcher.splashPaintedBeforeMain);
  EXPECT_TRUE(mainShown);
  EXPECT_TRUE(QFile::exists(SettingsFilePath())) << "the main window's first run wrote the settings file";
  EXPECT_FALSE(qApp->styleSheet().isEmpty());
  EXPECT_TRUE(QDir(SettingsDir()).exists());
  EXPECT_TRUE(prompter.messages.isEmpty());
  EXPECT_EQ(FStart, nullptr);
  EXPECT_EQ(FMain, nullptr);
  EXPECT_EQ(FEingabe, nullptr);
  EXPECT_EQ(FAbbild, nullptr);
}

TEST(StartSequence, AFailedCreationIsReportedWithWeiterReadyAndEndsTheProgramWithOne) {
  // Looks at the splash window when the report comes: "Weiter" must be ready behind it.
  struct Peeking : ScriptedPrompter {
    bool readyAtReport = false;
    void error(const QString& text) override {
      readyAtReport = FStart && FStart->InitializationDone();
      ScriptedPrompter::error(text);
    }
  } prompter;
  const int code = RunProgram(*qApp, [] {
    FMain = new TFMain;
    throw std::runtime_error("Der Speicher reicht nicht");
  });
  EXPECT_EQ(code, 1);
  EXPECT_EQ(prompter.texts(), QStringList{"Der Speicher reicht nicht."});
  EXPECT_TRUE(prompter.readyAtReport);
  EXPECT_EQ(FMain, nullptr) << "what was created is destroyed";
  EXPECT_EQ(FStart, nullptr);
}

TEST(StartSequence, ACloseRequestWhileWaitingForTheSplashsFirstPaintBringsUpTheMainWindow) {
  ScriptedPrompter prompter;
  StartWatcher watcher;
  watcher.swallowSplashPaints = true;  // the first paint never comes, so start-up waits its longest
  watcher.closeSplashOnShow = true;
  bool mainShown = false;
  QObject timers;
  closeMainWindowWhenShown(&timers, &mainShown);
  EXPECT_EQ(RunProgram(*qApp), 0);
  EXPECT_TRUE(mainShown) << "the splash window faded out before the main window existed";
  EXPECT_TRUE(prompter.messages.isEmpty());
}

namespace {
// Counts the close events a window receives.
class CloseCounter : public QObject {
 public:
  int closes = 0;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Close) ++closes;
    return false;
  }
};
}  // namespace

TEST(StartSequence, ClosingTheMainWindowEndsTheProgramWithoutClosingTheOtherWindows) {
  ScriptedPrompter prompter;
  CreateWindows();
  EndProgramWithMainWindow();
  FMain->setWindowOpacity(1.0);
  FMain->show();
  FEingabe->show();
  CloseCounter entryCloses;
  FEingabe->installEventFilter(&entryCloses);
  QTimer::singleShot(0, FMain, [] { FMain->close(); });
  QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(7); });  // a safety net, never reached
  EXPECT_EQ(qApp->exec(), 0);
  EXPECT_EQ(entryCloses.closes, 0) << "the entry window's closing handler does not run";
  delete FAbbild;
  FAbbild = nullptr;
  delete FEingabe;
  FEingabe = nullptr;
  delete FMain;
}
