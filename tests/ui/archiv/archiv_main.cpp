// SPDX-License-Identifier: GPL-3.0-or-later
// The archive from the real main window: "Ziehung archivieren" with the loaded ticket files, "Archiv"
// (F4) opened once, a draw loaded onto the board (and its tickets into the ticket area), and a ticket
// of the check against all draws shown with its draw.
#include <QDateEdit>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>

#include "ui/archiv/archiv.h"
#include "ui/archiv/archivieren.h"
#include "ui/archiv/archivmodels.h"
#include "ui/archiv/programarchive.h"
#include "ui/main/main_fixture.h"

namespace {

class MainArchiveTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    CloseProgramArchive();
    for (const char* suffix : {"", "-wal", "-shm"}) QFile::remove(ProgramArchivePath() + suffix);
  }
  void TearDown() override {
    delete FArchiv;
    MainWindowTest::TearDown();
    CloseProgramArchive();
  }
  void keyOnMain(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    TFMain& w = shown();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key(key), modifiers);
  }
  // Ctrl+Shift+A, the dialog answered with date and name.
  void archive(const QDate& date, const QString& name) {
    keyOnMain(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
    auto* dialog = window().findChild<TFArchivieren*>();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QDateEdit*>("DEDatum")->setDate(date);
    dialog->findChild<QLineEdit*>("EName")->setText(name);
    dialog->accept();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  TFArchiv* openArchive() {
    keyOnMain(Qt::Key_F4);
    EXPECT_NE(FArchiv, nullptr);
    return FArchiv;
  }
};

TEST_F(MainArchiveTest, ArchivesTheShownDrawWithItsTicketFilesAndOpensTheArchiveOnce) {
  child<QCheckBox>("cbNeu")->setChecked(false);  // the second file adds to the first
  openTickets(writeFile("montag.lose", ticketFile({numberedTicket(1), numberedTicket(26)})));
  openTickets(writeFile("dienstag.lose", ticketFile({numberedTicket(1)})));
  for (int n : {1, 2, 3, 4, 5}) clickNumber(n);
  archive(QDate(2026, 12, 5), "Nikolaus");
  EXPECT_EQ(prompter.texts().last(), "Die Ziehung 2026-12-05 „Nikolaus“ wurde mit 3 Losen archiviert.");

  TFArchiv* archiveWindow = openArchive();
  click("BArchiv");
  EXPECT_EQ(FArchiv, archiveWindow) << "one window, brought to the front";
  ASSERT_EQ(archiveWindow->draws()->rowCount(), 1);
  const DrawSummary& d = archiveWindow->draws()->draw(0);
  EXPECT_EQ(d.files, QStringList({"montag.lose", "dienstag.lose"}));
  EXPECT_EQ(d.winners, (std::array<int, 3>{2, 0, 0}));
}

TEST_F(MainArchiveTest, LoadPutsTheNumbersOnTheBoardAsAFileDoesAndOnRequestTheTickets) {
  openTickets(writeFile("eins.lose", ticketFile({numberedTicket(1)})));
  for (int n : {7, 8}) clickNumber(n);
  archive(QDate(2026, 1, 2), "");
  click("BDelZahlen");
  child<QCheckBox>("cbNeu")->setChecked(false);
  openTickets(writeFile("zwei.lose", ticketFile({numberedTicket(26), numberedTicket(26)})));
  clickNumber(40);

  TFArchiv* archiveWindow = openArchive();
  archiveWindow->BLadenClick();
  EXPECT_EQ(checkedButtons(), QList<int>({7, 8}));
  EXPECT_EQ(strip().mid(0, 3), QStringList({"7", "8", ""}));
  EXPECT_EQ(text("LDatei2"), "2026-01-02");
  EXPECT_EQ(window().LosCount(), 3) << "the tickets stay unless asked for";

  archiveWindow->findChild<QCheckBox*>("cbLose")->setChecked(true);
  archiveWindow->BLadenClick();
  EXPECT_EQ(window().LosCount(), 1);
  EXPECT_EQ(text("LDatei"), "eins.lose");
  EXPECT_EQ(checkedButtons(), QList<int>({7, 8}));
}

TEST_F(MainArchiveTest, ATicketOfTheCheckAgainstAllDrawsIsShownWithItsDraw) {
  QList<QStringList> tickets;
  for (int t = 1; t <= 100; ++t) tickets << numberedTicket(t == 90 ? 26 : 1);
  openTickets(writeFile("viele.lose", ticketFile(tickets)));
  for (int n : {26, 27, 28, 29, 30}) clickNumber(n);
  archive(QDate(2026, 3, 3), "");
  click("BDelZahlen");

  TFArchiv* archiveWindow = openArchive();
  archiveWindow->BPruefenClick();
  auto* view = archiveWindow->findChild<QTableView*>("GPruefung");
  archiveWindow->findChild<QCheckBox*>("cbNurGewinner")->setChecked(true);
  ASSERT_EQ(view->model()->rowCount(), 1);
  view->setCurrentIndex(view->model()->index(0, AllDrawsModel::kFirstDrawColumn));
  QTest::keyClick(view, Qt::Key_Return);
  EXPECT_EQ(checkedButtons(), QList<int>({26, 27, 28, 29, 30}));
  EXPECT_GT(window().ticketView()->verticalScrollBar()->value(), 0) << "scrolled to ticket 90";
}

}  // namespace
