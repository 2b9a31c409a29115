// SPDX-License-Identifier: GPL-3.0-or-later
// The archive window over the program's archive: its list and year filter, its settings, loading and
// deleting draws, taking over winning-number files, saving the list and the archive, the tickets
// against all draws, and the statistics with their figures.
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>

#include "archiv_fixture.h"
#include "common/settings.h"
#include "support/test_env.h"
#include "support/test_files.h"
#include "ui/archiv/archivmodels.h"
#include "ui/archiv/archivstatistik.h"
#include "ui/archiv/uebernahme.h"

namespace {

class ArchiveWindowTest : public ArchiveUiTest {
 protected:
  void click(const char* name) { window->findChild<QPushButton*>(name)->click(); }
  QStringList column(QAbstractItemModel* model, int c) {
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r) out << model->index(r, c).data().toString();
    return out;
  }
  void selectRow(int row) {
    auto* list = window->findChild<QTableView*>("GZiehungen");
    list->setCurrentIndex(list->model()->index(row, 0));
    list->selectRow(row);
  }
  void reopen() {
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(FArchiv, nullptr);
    window = openWindow();
  }
  void addTickets(std::initializer_list<int> firsts) {
    TicketList tickets;
    for (int first : firsts) tickets.append(ticket(first));
    check.addTickets(tickets);
  }

  QTemporaryDir files{testRootDir() + "/archiv-XXXXXX"};
  TFArchiv* window = nullptr;
};

TEST_F(ArchiveWindowTest, ListsTheDrawsNewestFirstByYearAndKeepsItsSettings) {
  storeDraw(QDate(2025, 12, 31), "Silvester", {1, 2, 3});
  storeDraw(QDate(2026, 6, 1), "", {4, 5});
  storeDraw(QDate(2026, 1, 1), "", {6});
  window = openWindow();
  EXPECT_EQ(window->windowTitle(), "Ziehungsarchiv");
  EXPECT_EQ(column(window->draws(), DrawListModel::Date),
            QStringList({"2026-06-01", "2026-01-01", "2025-12-31"}));
  EXPECT_EQ(column(window->draws(), DrawListModel::Numbers).last(), "1 2 3");
  auto* years = window->findChild<QComboBox*>("CBJahr");
  ASSERT_EQ(years->count(), 3);
  EXPECT_EQ(years->itemText(1), "2026");
  years->setCurrentIndex(2);
  EXPECT_EQ(column(window->draws(), DrawListModel::Name), QStringList({"Silvester"}));
  EXPECT_EQ(window->findChild<QLabel*>("LAnzahl")->text(), "1 Ziehung im Jahr 2025");

  window->findChild<QCheckBox*>("cbLose")->setChecked(true);
  window->findChild<QTabWidget*>("TCArchiv")->setCurrentIndex(2);
  window->move(140, 160);
  reopen();
  EXPECT_EQ(Settings::get(Setting::kArchiveYear), 2025);
  EXPECT_EQ(window->year(), 2025);
  EXPECT_EQ(window->draws()->rowCount(), 1);
  EXPECT_TRUE(window->findChild<QCheckBox*>("cbLose")->isChecked());
  EXPECT_EQ(window->findChild<QTabWidget*>("TCArchiv")->currentIndex(), 2);
  EXPECT_TRUE(window->findChild<QLabel*>("LStatistik")->text().startsWith("Über 1 Ziehung:"));
  EXPECT_EQ(window->pos(), QPoint(140, 160));
}

TEST_F(ArchiveWindowTest, AnArchiveThatCannotBeOpenedIsReportedOnceAndLeftAsItIs) {
  ASSERT_TRUE(QDir().mkpath(ProgramArchivePath()));  // a folder where the file belongs
  window = openWindow();
  window->findChild<QTabWidget*>("TCArchiv")->setCurrentIndex(2);
  addTickets({1});
  click("BPruefen");
  ASSERT_EQ(prompter.messages.size(), 1) << prompter.texts().join('\n').toStdString();
  EXPECT_EQ(prompter.messages[0].kind, "error");
  EXPECT_TRUE(
      prompter.messages[0].text.startsWith("Das Archiv " + ProgramArchivePath() + " konnte nicht geöffnet"))
      << prompter.messages[0].text.toStdString();
  EXPECT_EQ(window->draws()->rowCount(), 0);
  EXPECT_TRUE(QFileInfo(ProgramArchivePath()).isDir());
  ASSERT_TRUE(QDir(ProgramArchivePath()).removeRecursively());
}

TEST_F(ArchiveWindowTest, LoadHandsOnTheNumbersAndOnRequestTheTickets) {
  ArchiveDraw draw;
  draw.date = QDate(2026, 2, 2);
  draw.numbers = {3, 9};
  draw.tickets.append(ticket(1));
  draw.classes = {0};
  draw.lines = {0};
  draw.files = {{"eins.lose", 1}};
  ASSERT_TRUE(ProgramArchive()->store(draw, false).ok());
  window = openWindow();
  QSignalSpy loads(window, &TFArchiv::loadRequested);
  click("BLaden");
  ASSERT_EQ(loads.size(), 1);
  EXPECT_EQ(loads[0][0].value<ArchiveDraw>().numbers, QList<int>({3, 9}));
  EXPECT_EQ(loads[0][0].value<ArchiveDraw>().tickets.count(), 0);
  EXPECT_FALSE(loads[0][1].toBool());

  window->findChild<QCheckBox*>("cbLose")->setChecked(true);
  auto* list = window->findChild<QTableView*>("GZiehungen");
  QTest::keyClick(list, Qt::Key_Return);  // Enter on the row loads as the button does
  ASSERT_EQ(loads.size(), 2);
  const ArchiveDraw loaded = loads[1][0].value<ArchiveDraw>();
  EXPECT_TRUE(loads[1][1].toBool());
  ASSERT_EQ(loaded.tickets.count(), 1);
  EXPECT_EQ(loaded.tickets.cellText(0, 24), "25");
  EXPECT_EQ(loaded.files, draw.files);
}

TEST_F(ArchiveWindowTest, DeleteAsksAndRemovesTheChosenDraws) {
  storeDraw(QDate(2026, 1, 1), "", {1});
  storeDraw(QDate(2026, 1, 2), "Abend", {2});
  window = openWindow();
  selectRow(0);
  click("BLoeschen");
  EXPECT_EQ(prompter.texts(), QStringList({"Die Ziehung 2026-01-02 „Abend“ aus dem Archiv löschen?"}));
  EXPECT_EQ(storedDraws().size(), 2) << "answered No";
  window->findChild<QTabWidget*>("TCArchiv")->setCurrentIndex(2);
  QTest::keyClick(window, Qt::Key_Delete);  // not while the list is out of sight
  EXPECT_EQ(prompter.messages.size(), 1);
  window->findChild<QTabWidget*>("TCArchiv")->setCurrentIndex(0);
  prompter.confirmAnswers << true;
  QTest::keyClick(window, Qt::Key_Delete);
  ASSERT_EQ(storedDraws().size(), 1);
  EXPECT_EQ(column(window->draws(), DrawListModel::Date), QStringList({"2026-01-01"}));
}

TEST_F(ArchiveWindowTest, TakesOverTheTickedWinningNumberFilesWithTheirFileDates) {
  const auto writeNumbers = [&](const QString& name, const QByteArray& bytes, const QDate& day) {
    const QString path = files.filePath(name);
    ASSERT_TRUE(WriteTestFile(path, bytes));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(f.setFileTime(day.startOfDay().addSecs(20 * 3600), QFileDevice::FileModificationTime));
  };
  writeNumbers("montag.zfgz", "5\r\n17\r\n33\r\n", QDate(2024, 3, 4));
  writeNumbers("dienstag.zfgz", "8\r\n9\r\n", QDate(2024, 3, 5));
  writeNumbers("leer.zfgz", "", QDate(2024, 3, 6));
  writeNumbers("alt.zfgz", "1\r\n", QDate(2024, 3, 1));
  storeDraw(QDate(2024, 3, 1), "alt", {1});
  window = openWindow();
  prompter.fileAnswers << files.filePath("montag.zfgz");
  click("BUebernehmen");
  auto* dialog = window->findChild<TFUebernahme*>();
  ASSERT_NE(dialog, nullptr);
  auto* list = dialog->findChild<QTableWidget*>("GDateien");
  ASSERT_EQ(list->rowCount(), 4);
  QStringList shown;
  for (int r = 0; r < 4; ++r)
    shown << list->item(r, 0)->text() + (list->item(r, 0)->checkState() == Qt::Checked ? " ja" : " nein");
  EXPECT_EQ(shown, QStringList({"alt.zfgz nein", "montag.zfgz ja", "dienstag.zfgz ja", "leer.zfgz nein"}));
  EXPECT_EQ(list->item(3, 3)->text(), "Die Datei enthält keine Gewinnzahlen.");
  list->item(2, 0)->setCheckState(Qt::Unchecked);
  dialog->findChild<QPushButton*>("BOk")->click();

  EXPECT_EQ(prompter.texts().last(), "1 Ziehung wurde übernommen.");
  EXPECT_EQ(column(window->draws(), DrawListModel::Date), QStringList({"2024-03-04", "2024-03-01"}));
  EXPECT_EQ(column(window->draws(), DrawListModel::Name).first(), "montag");
  EXPECT_EQ(column(window->draws(), DrawListModel::Numbers).first(), "5 17 33");
}

TEST_F(ArchiveWindowTest, ChecksTheTicketsAgainstEveryListedDrawAndShowsATicketWithADraw) {
  storeDraw(QDate(2026, 1, 1), "", range(1, 5));    // row 1 of tickets from 1: one line
  storeDraw(QDate(2026, 1, 8), "", range(60, 75));  // nothing
  storeDraw(QDate(2026, 1, 15), "", range(1, 10));  // rows 1 and 2: two lines
  window = openWindow();
  click("BPruefen");
  EXPECT_EQ(prompter.texts(),
            QStringList({"Es sind keine Lose geladen. Bitte erst im Hauptfenster Lose einlesen."}));

  addTickets({1, 26, 1});
  click("BPruefen");
  EXPECT_EQ(window->findChild<QTabWidget*>("TCArchiv")->currentIndex(), 1);
  AllDrawsModel* table = window->allDraws();
  EXPECT_EQ(window->findChild<QLabel*>("LPruefung")->text(),
            "3 Lose gegen 3 Ziehungen geprüft: 2 Lose haben mindestens einmal gewonnen.");
  EXPECT_EQ(table->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), "2026-01-01") << "oldest first";
  EXPECT_EQ(column(table, 1), QStringList({"gewonnen in 2 von 3 Ziehungen", "gewonnen in 0 von 3 Ziehungen",
                                           "gewonnen in 2 von 3 Ziehungen"}));
  EXPECT_EQ(column(table, 2), QStringList({"1 x", "", "1 x"}));
  EXPECT_EQ(column(table, 4), QStringList({"2 x", "", "2 x"}));
  window->findChild<QCheckBox*>("cbNurGewinner")->setChecked(true);
  EXPECT_EQ(column(table, 0), QStringList({"1", "3"}));

  QSignalSpy jumps(window, &TFArchiv::ticketRequested);
  auto* view = window->findChild<QTableView*>("GPruefung");
  view->setCurrentIndex(table->index(1, 4));
  QTest::keyClick(view, Qt::Key_Return);
  view->setCurrentIndex(table->index(1, 0));  // the ticket's own column: its first win
  QTest::keyClick(view, Qt::Key_Return);
  ASSERT_EQ(jumps.size(), 2);
  EXPECT_EQ(jumps[0][0].toInt(), 2);
  EXPECT_EQ(jumps[0][1].value<DrawSummary>().date, QDate(2026, 1, 15));
  EXPECT_EQ(jumps[1][1].value<DrawSummary>().date, QDate(2026, 1, 1));

  addTickets({1});  // the tickets changed since: the check is no longer theirs
  QTest::keyClick(view, Qt::Key_Return);
  EXPECT_EQ(jumps.size(), 2);
  EXPECT_TRUE(
      prompter.texts().last().startsWith("Die Lose im Hauptfenster haben sich seit der Prüfung geändert."));
}

TEST_F(ArchiveWindowTest, SavesEveryDrawAsCsvAndTheArchiveAsAWorkingCopy) {
  storeDraw(QDate(2025, 5, 5), "", {1});
  storeDraw(QDate(2026, 5, 5), "", {2});
  window = openWindow();
  window->setYear(2026);
  prompter.fileAnswers << files.filePath("liste.csv") << files.filePath("kopie.db");
  click("BCsv");
  EXPECT_EQ(ReadTestFile(files.filePath("liste.csv")), DrawsCsv(storedDraws()));
  click("BSichern");
  EXPECT_EQ(prompter.dialogs[1].proposedName,
            QString("archiv-sicherung-%1.db").arg(QDate::currentDate().toString(Qt::ISODate)));
  Archive copy;
  ASSERT_TRUE(copy.open(files.filePath("kopie.db")).ok());
  QList<DrawSummary> copied;
  ASSERT_TRUE(copy.list({}, copied).ok());
  EXPECT_EQ(copied.size(), 2);
  window->close();
  EXPECT_EQ(Settings::get(Setting::kArchiveFolder), files.path()) << "the file dialogs start there next";
}

TEST_F(ArchiveWindowTest, StatisticsShowTheFiguresOfTheListedDrawsAndSaveTheChart) {
  storeDraw(QDate(2026, 1, 1), "", {1, 2});
  storeDraw(QDate(2026, 1, 2), "", {1, 3});
  storeDraw(QDate(2025, 1, 1), "", {75});
  window = openWindow();
  window->setYear(2026);
  window->findChild<QTabWidget*>("TCArchiv")->setCurrentIndex(2);
  auto* frequency = window->findChild<QTableView*>("GHaeufigkeit");
  ASSERT_NE(frequency, nullptr);
  EXPECT_EQ(frequency->accessibleName(), "Häufigkeit der Zahlen");
  QAbstractItemModel* figures = frequency->model();
  EXPECT_EQ(column(figures, 1).mid(0, 3), QStringList({"2", "1", "1"}));
  EXPECT_EQ(figures->index(74, 1).data().toString(), "0") << "2025 is not listed";
  EXPECT_EQ(figures->index(0, 2).data().toString(), "0,1");  // 4 numbers drawn over 75
  EXPECT_EQ(window->findChild<QLabel*>("LStatistik")->text(),
            "Über 2 Ziehungen: am häufigsten gezogen 1 (2-mal), am seltensten 4 (0-mal); erwartet je Zahl "
            "0,1-mal.");
  auto* statistics = window->findChild<ArchiveStatistics*>();
  statistics->setChart(ArchiveStatistics::Winners);
  EXPECT_TRUE(
      window->findChild<QLabel*>("LStatistik")->text().startsWith("Über 2 Ziehungen: 0 Gewinner mit 1 x"));

  prompter.fileAnswers << files.filePath("gewinner.png") << files.filePath("gewinner.pdf");
  window->findChild<QPushButton*>("BPng")->click();
  window->findChild<QPushButton*>("BPdf")->click();
  EXPECT_TRUE(ReadTestFile(files.filePath("gewinner.png")).startsWith("\x89PNG"));
  EXPECT_TRUE(ReadTestFile(files.filePath("gewinner.pdf")).startsWith("%PDF"));
  EXPECT_EQ(prompter.dialogs[0].proposedName, "gewinner.png");
}

}  // namespace
