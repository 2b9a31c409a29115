// SPDX-License-Identifier: GPL-3.0-or-later
// Files named on the command line wait for the splash window's cross-fade and are then opened in the
// main window; files from another start are opened at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>

#include "app/commandline.h"
#include "app/launch.h"
#include "app/start.h"
#include "app/startup.h"
#include "common/folders.h"
#include "support/scripted_prompter.h"
#include "ui/abbild/abbild.h"
#include "ui/eingabe/eingabe.h"
#include "ui/main/main.h"

TEST(LaunchFiles, TheExampleFilesShowTheirSevenTicketsWithResultsOnceTheMainWindowHasFadedIn) {
  ScriptedPrompter prompter;
  QFile::remove(SettingsFilePath());
  const CommandLine line =
      ParseCommandLine({"ziehfix", "examples/beispiel.lose", "examples/ziehung.zfgz"}, ZIEHFIX_SOURCE_DIR);
  ASSERT_FALSE(line.exitNow);
  PrepareApplication(*qApp);
  ShowSplashWindow();
  CreateWindows();
  FStart->setInitializationDone(true);
  // What RunFromCommandLine hands to RunProgram, without its event loop.
  FileArrival arrival;
  arrival.deliver(line.files);
  QObject::connect(FStart, &TFStart::crossFadeFinished, &arrival, &FileArrival::mainWindowShown,
                   Qt::QueuedConnection);
  EXPECT_EQ(FMain->LosCount(), 0) << "nothing is opened behind the splash window";

  QSignalSpy finished(FStart, &TFStart::crossFadeFinished);
  FStart->findChild<QPushButton*>("BWeiter")->click();
  ASSERT_TRUE(finished.wait(5000));
  QCoreApplication::processEvents();
  EXPECT_EQ(FMain->LosCount(), 7);
  EXPECT_EQ(FMain->check().chosen.count(), 22);
  const std::vector<std::uint8_t> expected{1, 2, 3, 0, 0, 0, 0};
  EXPECT_EQ(FMain->check().resultClasses(), expected);

  arrival.deliver({QStringLiteral(ZIEHFIX_SOURCE_DIR "/examples/beispiel.lose")});
  EXPECT_EQ(FMain->LosCount(), 14) << "a later start's tickets are appended at once";
  EXPECT_TRUE(prompter.messages.isEmpty());

  delete FAbbild;
  FAbbild = nullptr;
  delete FEingabe;
  FEingabe = nullptr;
  delete FMain;
}
