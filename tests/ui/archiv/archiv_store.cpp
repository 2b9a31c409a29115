// SPDX-License-Identifier: GPL-3.0-or-later
// "Ziehung archivieren": the dialog, the stored draw with its tickets and their result, replacing a
// draw of the same date and name only when the user agrees, and faults of the archive file.
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "archiv_fixture.h"
#include "support/test_files.h"
#include "ui/archiv/archivieren.h"
#include "ui/archiv/archivmodels.h"

namespace {

class StoreDrawTest : public ArchiveUiTest {
 protected:
  // Runs "Ziehung archivieren" and answers its dialog with date and name (accepted unless cancel).
  void archiveShown(const QDate& date, const QString& name, bool cancel = false) {
    ArchiveCurrentDraw(&parent, check, files);
    auto* dialog = parent.findChild<TFArchivieren*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Ziehung archivieren");
    EXPECT_EQ(dialog->findChild<QDateEdit*>("DEDatum")->date(), QDate::currentDate());
    dialog->findChild<QDateEdit*>("DEDatum")->setDate(date);
    dialog->findChild<QLineEdit*>("EName")->setText(name);
    if (cancel)
      dialog->reject();
    else
      dialog->findChild<QPushButton*>("BOk")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void choose(const QList<int>& numbers) {
    for (int n : numbers) check.chosen.toggle(n);
  }

  QWidget parent;
  QList<ArchiveFile> files{{"montag.lose", 2}, {"dienstag.lose", 1}};
};

TEST_F(StoreDrawTest, StoresTheShownDrawWithItsTicketsAndTheirResultForTheseNumbers) {
  for (int first : {1, 26, 1}) {
    TicketList one;
    one.append(ticket(first));
    check.addTickets(one);
  }
  // Chosen after the last evaluation, as with immediate evaluation off: the stored result is the
  // one for these numbers, not the stale one the window shows.
  check.evaluate();
  choose(range(1, 10));
  archiveShown(QDate(2026, 12, 5), "  Nikolaus ");
  ASSERT_EQ(prompter.texts(),
            QStringList({"Die Ziehung 2026-12-05 „Nikolaus“ wurde mit 3 Losen archiviert."}));

  const QList<DrawSummary> list = storedDraws();
  ASSERT_EQ(list.size(), 1);
  ArchiveDraw stored;
  ASSERT_TRUE(ProgramArchive()->load(list[0].id, stored).ok());
  EXPECT_EQ(stored.name, "Nikolaus");
  EXPECT_EQ(stored.numbers, range(1, 10));
  EXPECT_EQ(stored.classes, std::vector<std::uint8_t>({2, 0, 2}));  // rows 1 and 2 of tickets 1 and 3
  EXPECT_EQ(stored.lines[0], 0b11);
  EXPECT_EQ(stored.files, files);
  EXPECT_EQ(list[0].winners, (std::array<int, 3>{0, 2, 0}));
}

TEST_F(StoreDrawTest, ADrawOfTheSameDateAndNameIsReplacedOnlyWhenTheUserAgrees) {
  choose({7, 8});
  archiveShown(QDate(2026, 1, 2), "");
  check.chosen.toggle(9);
  archiveShown(QDate(2026, 1, 2), "");  // answered No: the archive keeps the first
  archiveShown(QDate(2026, 1, 2), "", /*cancel=*/true);
  EXPECT_EQ(storedDraws().at(0).numbers, QList<int>({7, 8}));
  ASSERT_EQ(prompter.messages.size(), 2);
  EXPECT_EQ(prompter.messages[1].kind, "confirm");
  EXPECT_EQ(prompter.messages[1].text,
            "Im Archiv gibt es schon die Ziehung 2026-01-02. Soll sie durch die gezeigte ersetzt werden?");

  prompter.confirmAnswers << true;
  archiveShown(QDate(2026, 1, 2), "");
  ASSERT_EQ(storedDraws().size(), 1);
  EXPECT_EQ(storedDraws().at(0).numbers, QList<int>({7, 8, 9}));
  EXPECT_EQ(prompter.texts().last(), "Die Ziehung 2026-01-02 wurde ohne Lose archiviert.");
}

TEST_F(StoreDrawTest, WithoutChosenNumbersItSaysSoAndAsksNothing) {
  ArchiveCurrentDraw(&parent, check, files);
  EXPECT_EQ(parent.findChild<TFArchivieren*>(), nullptr);
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_TRUE(prompter.messages[0].text.startsWith("Es sind keine Gewinnzahlen gewählt."))
      << prompter.texts()[0].toStdString();
}

TEST_F(StoreDrawTest, ADamagedArchiveIsReportedPutAsideAndANewOneTakesTheDraw) {
  ASSERT_TRUE(WriteTestFile(ProgramArchivePath(), QByteArray("kein Archiv, nur Text\n").repeated(50)));
  choose({1, 2, 3});
  archiveShown(QDate(2026, 3, 1), "");
  ASSERT_EQ(prompter.messages.size(), 2);
  EXPECT_EQ(prompter.messages[0].kind, "warning");
  EXPECT_TRUE(prompter.messages[0].text.startsWith("Das Archiv ist beschädigt"))
      << prompter.texts()[0].toStdString();
  EXPECT_EQ(storedDraws().size(), 1);
  const QStringList aside = QDir(BaseDir()).entryList({"archiv-beschädigt-*.db"});
  ASSERT_EQ(aside.size(), 1);
  EXPECT_EQ(ReadTestFile(BaseDir() + aside[0]), QByteArray("kein Archiv, nur Text\n").repeated(50));
}

TEST_F(StoreDrawTest, TheOpenArchiveWindowListsTheNewDrawAtOnce) {
  TFArchiv* window = openWindow();
  EXPECT_EQ(window->draws()->rowCount(), 0);
  choose({4, 5});
  archiveShown(QDate(2026, 4, 4), "Ostern");
  ASSERT_EQ(window->draws()->rowCount(), 1);
  EXPECT_EQ(window->draws()->index(0, DrawListModel::Name).data().toString(), "Ostern");
}

}  // namespace
