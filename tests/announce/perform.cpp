// SPDX-License-Identifier: GPL-3.0-or-later
// Carrying out a plan: the voice only when there is one, the notification only for an inactive window.
#include "announce/announcer.h"

#include <gtest/gtest.h>

#include "announce/speech.h"
#include "support/recording_announcer.h"

namespace {

AnnouncementPlan WinnerPlan() {
  AnnouncementPlan plan;
  plan.sentences = {QStringLiteral("5"), QStringLiteral("Gewonnen: Los 2, eine Linie")};
  plan.sounds = {Sound::Win};
  plan.notification = QStringLiteral("ZIEHFIX: Los 2 hat gewonnen (1 Linie)");
  plan.notifiedTicket = 1;
  return plan;
}

TEST(Perform, NotifiesOnlyWhileTheWindowIsNotActive) {
  RecordingAnnouncer a;
  int raised = -1;
  a.setNotificationHandler([&](int ticket) { raised = ticket; });
  const AnnounceChoice choice{true, true};

  Perform(a, WinnerPlan(), choice, true);
  EXPECT_TRUE(a.notified.isEmpty());
  Perform(a, WinnerPlan(), choice, false);
  ASSERT_EQ(a.notified.size(), 1);
  EXPECT_EQ(a.notified[0].first, "ZIEHFIX: Los 2 hat gewonnen (1 Linie)");
  a.clickNotification();
  EXPECT_EQ(raised, 1);

  Perform(a, WinnerPlan(), {true, false}, false);
  EXPECT_EQ(a.notified.size(), 1);
  EXPECT_EQ(a.said.size(), 3);
  EXPECT_EQ(a.played, (QList<Sound>{Sound::Win, Sound::Win, Sound::Win}));
}

TEST(Perform, WithoutAVoiceTheLineAndTheChimesRemain) {
  RecordingAnnouncer a;
  a.voice = false;
  EXPECT_EQ(Perform(a, WinnerPlan(), {}, true), "5. Gewonnen: Los 2, eine Linie");
  EXPECT_TRUE(a.said.isEmpty());
  EXPECT_EQ(a.played, QList<Sound>{Sound::Win});

  a.voice = true;
  Perform(a, WinnerPlan(), {false, false}, true);  // the voice switched off in the dialog
  EXPECT_TRUE(a.said.isEmpty());
}

TEST(Speech, AMissingEngineIsReportedNotFatal) {
  Speech speech(QStringLiteral("keine-solche-maschine"));
  EXPECT_FALSE(speech.available());
  EXPECT_FALSE(speech.unavailableReason().isEmpty());
  EXPECT_TRUE(speech.voices().isEmpty());
  speech.say(QStringLiteral("17"));  // nothing to speak with: returns at once, says nothing
  EXPECT_FALSE(speech.speaking());
}

}  // namespace
