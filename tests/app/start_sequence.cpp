// The start-up sequence: the splash window first, then the three windows, hidden, in order.
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
#include "ui/abbild.h"
#include "ui/eingabe.h"
#include "ui/main.h"

TEST(StartSequence, TheSplashIsPaintedBeforeTheHiddenWindowsAreCreated) {
  ScriptedPrompter prompter;
  QFile::remove(SettingsFilePath());
  PrepareApplication(*qApp);
  EXPECT_EQ(QApplication::applicationDisplayName(), "ZIEHFIX");
  EXPECT_FALSE(qApp->styleSheet().isEmpty());

  ShowSplashWindow();
  ASSERT_NE(FStart, nullptr);
  EXPECT_TRUE(FStart->isVisible());
  EXPECT_TRUE(FStart->hasBeenPainted());
  EXPECT_EQ(FMain, nullptr) << "nothing else exists while the splash is painted";
  EXPECT_TRUE(QDir(SettingsDir()).exists()) << "the folders exist before the main window reads its settings";

  CreateWindows();
  ASSERT_NE(FMain, nullptr);
  ASSERT_NE(FEingabe, nullptr);
  ASSERT_NE(FAbbild, nullptr);
  EXPECT_FALSE(FMain->isVisible());
  EXPECT_FALSE(FEingabe->isVisible());
  EXPECT_FALSE(FAbbild->isVisible());
  EXPECT_TRUE(QFile::exists(SettingsFilePath())) << "the main window's first run wrote the settings file";
  FStart->setInitializationDone(true);
  EXPECT_TRUE(FStart->findChild<QPushButton*>("BWeiter")->isEnabled());
  EXPECT_TRUE(prompter.messages.isEmpty());

  delete FStart;
  delete FAbbild;
  FAbbild = nullptr;
  delete FEingabe;
  FEingabe = nullptr;
  delete FMain;
  EXPECT_EQ(FMain, nullptr);
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
