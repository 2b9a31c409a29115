// SPDX-License-Identifier: GPL-3.0-or-later
// Its own program: the capture count starts at zero only once per run.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include "common/folders.h"
#include "common/settings.h"
#include "support/scripted_prompter.h"
#include "ui/abbild/abbild.h"
#include "ui/abbild/abbild_standin.h"

TEST(SnapshotWindows, capturesAreNumberedInOrderAndAllOpenAtTheOneStoredPosition) {
  EstablishDataFolders();
  ScriptedPrompter prompter;
  // The snapshot window of the start-up keeps the designed name.
  TFAbbild startup;
  EXPECT_EQ(startup.objectName(), QString("FAbbild"));
  EXPECT_EQ(startup.pos(), QPoint(0, 70)) << "defaults without a settings file";
  EXPECT_FALSE(startup.isVisible());

  Settings::setPosition(Setting::kSnapshotPlace, QPoint(33, 44));
  StandInMain main(7);
  CaptureSnapshot(main.window.get(), SnapshotKind::Tickets);
  CaptureSnapshot(main.window.get(), SnapshotKind::Results);

  const QList<TFAbbild*> windows = SnapshotWindows(main.window.get());
  ASSERT_EQ(windows.size(), 2);
  EXPECT_EQ(windows[0]->objectName(), QString("FAbbild1"));
  EXPECT_EQ(windows[1]->objectName(), QString("FAbbild2"));
  EXPECT_EQ(windows[0]->pos(), QPoint(33, 44));
  EXPECT_EQ(windows[1]->pos(), QPoint(33, 44));
  EXPECT_EQ(FAbbild, windows[1]);

  // Any window stores the one shared position; the next capture opens there.
  windows[0]->move(120, 130);
  windows[0]->bsSkinSpeedButton13Click();
  EXPECT_EQ(Settings::get(Setting::kSnapshotPlace.left, -1), 120);
  EXPECT_EQ(Settings::get(Setting::kSnapshotPlace.top, -1), 130);
  EXPECT_EQ(Settings::storedText(u"Position", u"FAbbild1-left", "-1"), "-1")
      << "never under the window's own name";
  CaptureSnapshot(main.window.get(), SnapshotKind::Results);
  ASSERT_EQ(SnapshotWindows(main.window.get()).size(), 3);
  EXPECT_EQ(FAbbild->objectName(), QString("FAbbild3"));
  EXPECT_EQ(FAbbild->pos(), QPoint(120, 130));

  // Closing hides the window; it stays until the program ends.
  windows[0]->BCloseClick();
  EXPECT_FALSE(windows[0]->isVisible());
  EXPECT_EQ(SnapshotWindows(main.window.get()).size(), 3);
  EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST(SnapshotWindows, aStoredPositionLeftOfTheOnlyScreenIsMovedBackOnShow) {
  EstablishDataFolders();
  ScriptedPrompter prompter;
  Settings::setPosition(Setting::kSnapshotPlace, QPoint(-300, 80));
  TFAbbild w;
  EXPECT_EQ(w.pos(), QPoint(-300, 80));
  ASSERT_EQ(QGuiApplication::screens().size(), 1);
  w.show();
  EXPECT_EQ(w.pos(), QPoint(0, 80));
}

TEST(SnapshotWindows, picturesOnlyButtonsAreNamedByTheirTooltip) {
  EstablishDataFolders();
  TFAbbild w;
  for (const char* name : {"BClose", "BSave", "bsSkinSpeedButton1", "bsSkinSpeedButton13"}) {
    auto* button = w.findChild<QWidget*>(name);
    ASSERT_NE(button, nullptr) << name;
    EXPECT_FALSE(button->toolTip().isEmpty()) << name;
    EXPECT_TRUE(button->toolTip() == button->accessibleName() ||
                button->toolTip().startsWith(button->accessibleName() + " ("))
        << name;
    EXPECT_EQ(button->size(), QSize(44, 38)) << name;
  }
  EXPECT_EQ(w.findChild<QWidget*>("bsSkinSpeedButton1")->accessibleName(),
            QString("In Zwischenablage kopieren"));
  EXPECT_EQ(w.size(), QSize(592, 529));
}

TEST(SnapshotWindows, aStoredPositionRightOfOrBelowEveryScreenIsPulledBackAndTheKeysStay) {
  EstablishDataFolders();
  ScriptedPrompter prompter;
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  for (const QPoint stored : {screen.topRight() + QPoint(50, 80), screen.bottomLeft() + QPoint(30, 40)}) {
    Settings::setPosition(Setting::kSnapshotPlace, QPoint(stored.x(), stored.y()));
    TFAbbild w;
    w.show();
    EXPECT_TRUE(screen.contains(w.pos() + QPoint(40, 10))) << stored.x() << "," << stored.y();
    EXPECT_EQ(Settings::get(Setting::kSnapshotPlace.left, 0), stored.x());
    EXPECT_EQ(Settings::get(Setting::kSnapshotPlace.top, 0), stored.y());
  }
}
