// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader hears of the main window's values and ticket area, and of a snapshot window.
#include <QAccessibleActionInterface>
#include <QClipboard>
#include <QGuiApplication>
#include <QToolButton>

#include "support/screen_reader.h"
#include "ui/abbild/abbild.h"
#include "ui/main/main_fixture.h"

namespace {

QString nameOf(QObject* o) {
  return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
}

class AccessibleNames : public MainWindowTest {
 protected:
  ScreenReaderEvents reader;
};

TEST_F(AccessibleNames, ValuesAreNamedWithTheirCaptionAndFollowTheirText) {
  TFMain& w = shown();
  EXPECT_EQ(nameOf(child<QLabel>("PAnz")), "Gewählt: 0");
  EXPECT_EQ(nameOf(child<QLabel>("leur")), "Stand in €: 0");
  EXPECT_EQ(nameOf(child<QLabel>("LDatei")), "Datei") << "nothing read yet";
  openTickets(writeFile("beispiel.lose", ticketFile({numberedTicket(1)})));
  EXPECT_EQ(nameOf(child<QLabel>("LDatei")), "Datei: beispiel.lose");
  clickNumber(40);
  clickNumber(3);
  clickNumber(17);
  EXPECT_EQ(nameOf(child<QLabel>("PAnz")), "Gewählt: 3");
  EXPECT_TRUE(reader.heard(QAccessible::NameChanged, "Gewählt: 3"));
  EXPECT_EQ(nameOf(w.findChild<QWidget*>("BOpen")), "Lose einlesen...") << "a caption stays the name";
}

// Qt makes a base-class interface while a widget is being built when a screen reader listens; the
// program's own must still be the ones used.
TEST_F(AccessibleNames, WithAScreenReaderListeningFromTheStartTheOwnInterfacesAreUsed) {
  TFMain& w = shown();
  openTickets(writeFile("eins.lose", ticketFile({numberedTicket(1)})));
  EXPECT_GT(QAccessible::queryAccessibleInterface(w.ticketView())->childCount(), 0);
  EXPECT_FALSE(QAccessible::queryAccessibleInterface(child<QWidget>("BOpen"))
                   ->text(QAccessible::Accelerator)
                   .isEmpty());
  QAccessibleInterface* b = QAccessible::queryAccessibleInterface(w.Button(1));
  b->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(text("PAnz"), "0") << "queued, not run inside the call";
  QTRY_COMPARE(text("PAnz"), QString("1"));
  EXPECT_EQ(strip().first(), "1");
}

TEST_F(AccessibleNames, ATicketCellsChangeIsAnnouncedAfterAClickWithAndWithoutImmediateEvaluation) {
  TFMain& w = shown();
  openTickets(writeFile("eins.lose", ticketFile({numberedTicket(1)})));
  QAccessibleInterface* ticket = QAccessible::queryAccessibleInterface(w.ticketView())->child(0);
  ASSERT_NE(ticket, nullptr);
  ASSERT_EQ(ticket->tableInterface()->cellAt(0, 1)->text(QAccessible::Name), "2");
  setSofort(false);
  clickNumber(2);
  EXPECT_TRUE(reader.heard(QAccessible::NameChanged, "2, gezogen"));
  setSofort(true);
  for (int n : {1, 3, 4, 5}) clickNumber(n);
  EXPECT_TRUE(reader.heard(QAccessible::NameChanged, "2, auf voller Linie"));
  EXPECT_TRUE(reader.heard(QAccessible::NameChanged, "Los 1: 1 volle Linie"));
}

TEST_F(AccessibleNames, TheSnapshotPictureIsNamedByWhatItShows) {
  shown();
  openTickets(writeFile("eins.lose", ticketFile({numberedTicket(1)})));
  click("bsSkinSpeedButton4");
  ASSERT_NE(FAbbild, nullptr);
  EXPECT_EQ(nameOf(FAbbild->findChild<QLabel*>("Image1")), "Abbild der Lose");
  click("bsSkinSpeedButton5");
  EXPECT_EQ(nameOf(FAbbild->findChild<QLabel*>("Image1")), "Abbild der Gewinnauswertung");
}

class SnapshotKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    EstablishDataFolders();
    QImage picture(60, 40, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    window.setPicture(picture);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  ScriptedPrompter prompter;
  TFAbbild window;
};

TEST_F(SnapshotKeys, CtrlCCopiesCtrlSSavesAndEscapeCloses) {
  QGuiApplication::clipboard()->clear();
  QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->image().size(), QSize(60, 40));
  QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
  ASSERT_EQ(prompter.dialogs.size(), 1);
  EXPECT_EQ(prompter.dialogs.first().title, "Abbildung speichern");
  QTest::keyClick(&window, Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
}

// A screen reader's press returns at once; the save dialog opens afterwards.
TEST_F(SnapshotKeys, TheAccessiblePressOfSaveReturnsBeforeTheDialogOpens) {
  QAccessibleInterface* save = QAccessible::queryAccessibleInterface(window.findChild<QToolButton*>("BSave"));
  ASSERT_TRUE(save->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
  save->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_TRUE(prompter.dialogs.isEmpty());
  QTRY_COMPARE(prompter.dialogs.size(), 1);
  EXPECT_EQ(save->text(QAccessible::Name), "Als JPEG-Datei speichern");
  EXPECT_EQ(save->text(QAccessible::Accelerator),
            QKeySequence(Qt::CTRL | Qt::Key_S).toString(QKeySequence::NativeText));
}

}  // namespace
