// SPDX-License-Identifier: GPL-3.0-or-later
// Announcements through the real main window and overview: what a scripted draw has said and played,
// the line in the overview, the notification while the window is inactive, and the settings.
#include "ui/ansage/drawannouncements.h"

#include "common/settings.h"
#include "support/recording_announcer.h"
#include "support/screen_reader.h"
#include "ui/main/main_fixture.h"
#include "ui/uebersicht/uebersicht.h"

class AnnounceDrawTest : public MainWindowTest {
 protected:
  void TearDown() override {
    delete FUebersicht;
    MainWindowTest::TearDown();
  }

  // Opens the overview and ticks "Ansagen" there, with the recorder in place of voice and chimes.
  void switchOn() {
    window().announcements().setAnnouncer(&recorder);
    TFMain& w = shown();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F2);
    ASSERT_NE(FUebersicht, nullptr);
    overviewChild<QCheckBox>("cbAnsagen")->click();
    ASSERT_TRUE(window().announcements().isOn());
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  }
  template <class T>
  T* overviewChild(const char* name) {
    T* c = FUebersicht->findChild<T*>(QLatin1String(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  // Tickets 1..count numbered 1..25, except that ticket `special` (1-based) holds 26..50.
  void loadTickets(int count, int special) {
    QList<QStringList> tickets;
    for (int t = 1; t <= count; ++t) tickets << numberedTicket(t == special ? 26 : 1);
    openTickets(writeFile("t.lose", ticketFile(tickets)));
  }
  void clickNumbers(std::initializer_list<int> numbers) {
    for (int n : numbers) clickNumber(n);
  }

  RecordingAnnouncer recorder;
};

TEST_F(AnnounceDrawTest, ADrawSaysNumbersNewWinnersAndWaitingTickets) {
  loadTickets(3, 2);
  switchOn();
  clickNumbers({26, 27, 28, 29, 30});
  EXPECT_EQ(recorder.said, QStringList({"26", "27", "28", "29. Auf die 30 wartet 1 Los",
                                        "30. Gewonnen: Los 2, eine Linie"}));
  EXPECT_EQ(recorder.played, (QList<Sound>{Sound::OneMissing, Sound::Win}));

  recorder.said.clear();
  recorder.played.clear();
  clickNumbers({1, 2, 3, 4, 5});
  EXPECT_EQ(recorder.said.mid(3), QStringList({"4. Auf die 5 warten 2 Lose", "5. 2 neue Gewinner"}));
  EXPECT_EQ(recorder.played, (QList<Sound>{Sound::OneMissing, Sound::Win}));
  auto* line = overviewChild<QLabel>("LAnsage");
  EXPECT_EQ(line->text(), "5. 2 neue Gewinner");
  EXPECT_TRUE(line->isVisible());

  clickNumber(5);  // a number taken back by a click voids its win without a word about it
  EXPECT_EQ(recorder.said.back(), "5 zurückgenommen");
  EXPECT_TRUE(recorder.notified.isEmpty());  // off by default, and the window is active anyway
}

TEST_F(AnnounceDrawTest, AtTwentyTwoNumbersNoWaitingAndNoChimeAndNothingForATwentyThird) {
  loadTickets(3, 2);
  clickNumbers({1, 2, 3, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63, 64, 65, 66, 67, 68});
  switchOn();
  clickNumber(4);  // row 1 of tickets 1 and 3 needs the 5 now, but no 23rd number can be chosen
  EXPECT_EQ(recorder.said, QStringList{"4"});
  EXPECT_TRUE(recorder.played.isEmpty());
  clickNumber(5);
  EXPECT_EQ(recorder.said, QStringList{"4"});
  EXPECT_EQ(prompter.texts(), QStringList{LimitMessage()});
}

TEST_F(AnnounceDrawTest, WithoutTicketsOnlyTheNumberIsSaidAndShown) {
  switchOn();
  clickNumber(17);
  EXPECT_EQ(recorder.said, QStringList{"17"});
  EXPECT_TRUE(recorder.played.isEmpty());
  EXPECT_EQ(overviewChild<QLabel>("LAnsage")->text(), "17");

  overviewChild<QCheckBox>("cbAnsagen")->click();
  EXPECT_TRUE(overviewChild<QLabel>("LAnsage")->isHidden());
  clickNumber(18);
  EXPECT_EQ(recorder.said, QStringList{"17"});
}

TEST_F(AnnounceDrawTest, AScreenReaderHearsTheLineChange) {
  switchOn();
  ScreenReaderEvents reader;
  clickNumber(17);
  EXPECT_TRUE(reader.heard(QAccessible::NameChanged, "Ansage: 17"));
  EXPECT_EQ(overviewChild<QLabel>("LAnsage")->accessibleDescription(),
            "Die letzte Ansage, erneuert bei jeder gewählten Zahl");
}

TEST_F(AnnounceDrawTest, NotifiesOnlyWhileTheMainWindowIsInactiveAndTheClickLeadsToTheTicket) {
  loadTickets(3, 2);
  switchOn();
  AnnounceSettings s = window().announcements().settings();
  s.notify = true;
  window().announcements().setSettings(s);
  clickNumbers({26, 27, 28, 29, 30});
  EXPECT_TRUE(recorder.notified.isEmpty());

  QWidget elsewhere;  // the user watches the draw in another program
  elsewhere.show();
  elsewhere.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&elsewhere));
  for (int n : {1, 2, 3, 4, 5}) window().Button(n)->click();
  ASSERT_FALSE(window().isActiveWindow());
  ASSERT_EQ(recorder.notified.size(), 1);
  EXPECT_EQ(recorder.notified[0], std::make_pair(QStringLiteral("ZIEHFIX: Los 1 hat gewonnen (1 Linie)"), 0));

  recorder.clickNotification();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window()));
  EXPECT_EQ(window().ticketView()->markedTicket(), 0);
}

TEST_F(AnnounceDrawTest, OffUntilChosenThenReadAtCreationAndWrittenAtClose) {
  EXPECT_FALSE(window().announcements().isOn());
  switchOn();
  EXPECT_TRUE(overviewChild<QLabel>("LAnsage")->isVisible());
  window().close();
  EXPECT_TRUE(Settings::get(Setting::kAnnounce));
  recreate();
  EXPECT_TRUE(window().announcements().isOn());
}
