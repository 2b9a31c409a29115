// SPDX-License-Identifier: GPL-3.0-or-later
// The splash window and its cross-fade to the main window.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "app/start.h"
#include "common/appinfo.h"
#include "common/folders.h"
#include "support/scripted_prompter.h"
#include "ui/main/main.h"

namespace {
struct Step {
  QWidget* window;
  int opacity;
  bool mainVisible;
  bool splashVisible;
};
}  // namespace

class SplashTest : public ::testing::Test {
 protected:
  void SetUp() override {
    splash = new TFStart;
    FStart = splash;
    main = std::make_unique<TFMain>();
    QObject::connect(splash, &TFStart::opacityStep, [this](QWidget* w, int opacity) {
      steps.append({w, opacity, main->isVisible(), splash && splash->isVisible()});
    });
    splash->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
  }
  void TearDown() override {
    delete splash.data();
    main.reset();
  }

  QPushButton* weiter() { return splash->findChild<QPushButton*>("BWeiter"); }

  void waitForTheFade() {
    QSignalSpy finished(splash.data(), &TFStart::crossFadeFinished);
    ASSERT_TRUE(finished.wait(5000));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QList<int> opacities(QWidget* w) const {
    QList<int> out;
    for (const Step& s : steps)
      if (s.window == w) out << s.opacity;
    return out;
  }

  ScriptedPrompter prompter;
  QPointer<TFStart> splash;
  std::unique_ptr<TFMain> main;
  QList<Step> steps;
};

TEST_F(SplashTest, TheSplashWindowComesUpWithItsCaptionPictureAndButton) {
  EXPECT_EQ(splash->objectName(), "FStart");
  EXPECT_EQ(splash->windowTitle(), ProductName);
  EXPECT_EQ(splash->size(), QSize(400, 300));
  EXPECT_FALSE(splash->InitializationDone());
  ASSERT_NE(weiter(), nullptr);
  EXPECT_EQ(weiter()->text(), "Weiter");
  EXPECT_EQ(weiter()->geometry(), QRect(297, 249, 90, 38));
  EXPECT_TRUE(weiter()->isEnabled());
  EXPECT_EQ(weiter()->cursor().shape(), Qt::ArrowCursor);
  EXPECT_TRUE(splash->hasBeenPainted());
  splash->setInitializationDone(true);
  EXPECT_EQ(weiter()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(SplashTest, CreatingTheSplashWindowEstablishesTheDataFolders) {
  for (const QString& dir : {BaseDir(), ShotsDir(), TicketsDir(), SettingsDir(), NumbersDir()})
    EXPECT_TRUE(QDir(dir).exists()) << dir.toStdString();
}

TEST_F(SplashTest, WeiterFadesTheSplashOutAndTheMainWindowIn) {
  splash->setInitializationDone(true);
  QWidget* const splashWindow = splash;
  EXPECT_FALSE(main->isVisible()) << "the main window neither covers the splash nor takes its clicks";
  QTest::mouseClick(weiter(), Qt::LeftButton);
  waitForTheFade();

  QList<int> out, in;
  for (int i = 1; i <= 51; ++i) {
    out << 255 - 5 * i;
    in << 5 * i;
  }
  EXPECT_EQ(opacities(splashWindow), out);
  EXPECT_EQ(opacities(main.get()), in);
  ASSERT_EQ(steps.size(), 102);
  EXPECT_EQ(steps[0].window, steps[50].window) << "all fade-out steps come first";
  for (int i = 0; i < 51; ++i) EXPECT_FALSE(steps[i].mainVisible) << "fade-out step " << i;
  for (int i = 51; i < 102; ++i) EXPECT_TRUE(steps[i].mainVisible) << "fade-in step " << i;
  EXPECT_FALSE(steps[51].splashVisible) << "the faded-out splash window is gone before the fade-in";
  EXPECT_TRUE(main->isVisible());
  EXPECT_EQ(main->windowOpacity(), 1.0);
  EXPECT_EQ(FStart, nullptr);
  EXPECT_TRUE(splash.isNull()) << "the splash window is destroyed";
}

TEST_F(SplashTest, ClosingThroughTheFrameRunsTheSameCrossFadeWithTheButtonShown) {
  splash->setInitializationDone(true);
  bool buttonShownDuringFadeOut = true;
  QObject::connect(splash, &TFStart::opacityStep, [this, &buttonShownDuringFadeOut](QWidget* w, int) {
    if (w == splash) buttonShownDuringFadeOut = buttonShownDuringFadeOut && weiter()->isVisible();
  });
  splash->close();
  EXPECT_TRUE(splash->isVisible()) << "the window stays until its fade has run";
  waitForTheFade();
  EXPECT_EQ(steps.size(), 102);
  EXPECT_EQ(steps.first().opacity, 250);
  EXPECT_EQ(steps[50].opacity, 0);
  EXPECT_EQ(steps.last().opacity, 255);
  EXPECT_TRUE(buttonShownDuringFadeOut);
  EXPECT_TRUE(splash.isNull());
}
