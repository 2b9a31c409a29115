// SPDX-License-Identifier: GPL-3.0-or-later
// The report's commands in the running program: the overview's buttons write what the checker
// writes, ask before replacing, remember the folder; Ctrl+P opens the print preview.
#include <QComboBox>
#include <QProcess>

#include "common/settings.h"
#include "ui/main/main_fixture.h"
#include "ui/uebersicht/druckvorschau.h"
#include "ui/uebersicht/uebersicht.h"

namespace {

QByteArray checkerCsv(const QString& tickets, const QString& numbers) {
  QProcess process;
  process.start(QStringLiteral(ZIEHFIX_BINARY_DIR "/ziehfix-check"),
                {"--format", "csv", "--numbers-text", numbers, tickets});
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    ADD_FAILURE() << "the checker did not finish";
  }
  return process.readAllStandardOutput();
}

class ReportWindowTest : public MainWindowTest {
 protected:
  void TearDown() override {
    delete FUebersicht;
    MainWindowTest::TearDown();
  }
  // Three tickets 1..25, 26..50, 51..75; the draw completes a row of the first and a column of the second.
  QString drawn() {
    const QString tickets =
        writeFile("t.lose", ticketFile({numberedTicket(1), numberedTicket(26), numberedTicket(51)}));
    openTickets(tickets);
    for (int n : {1, 2, 3, 4, 5, 26, 31, 36, 41, 46}) clickNumber(n);
    click("BAuswerten");
    return tickets;
  }
  void overviewButton(const char* name) {
    TFMain& w = shown();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F2);
    ASSERT_NE(FUebersicht, nullptr);
    auto* b = FUebersicht->findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name;
    b->click();
  }
};

TEST_F(ReportWindowTest, CsvIsTheCheckersOutputAskedBeforeReplacingAndTheFolderIsRemembered) {
  const QString tickets = drawn();
  const QString target = filePath("ergebnis.csv");
  ASSERT_TRUE(WriteTestFile(target, "old"));

  prompter.fileAnswers << filePath("ergebnis");  // the extension is added
  overviewButton("BCsv");
  EXPECT_EQ(prompter.texts().last(), "Die Datei „" + QDir::toNativeSeparators(target) +
                                         "“ gibt es schon.\r\rSoll sie ersetzt werden?");
  EXPECT_EQ(ReadTestFile(target), "old") << "answered No";

  prompter.fileAnswers << filePath("ergebnis");
  prompter.confirmAnswers << true;
  FUebersicht->findChild<QPushButton*>("BCsv")->click();
  EXPECT_EQ(ReadTestFile(target), checkerCsv(tickets, "1\n2\n3\n4\n5\n26\n31\n36\n41\n46"));
  EXPECT_EQ(Settings::storedText(Setting::kReportFolder, {}), QFileInfo(target).absolutePath() + "/");
  prompter.fileAnswers.clear();
  FUebersicht->findChild<QPushButton*>("BPdf")->click();
  EXPECT_EQ(prompter.dialogs.last().folder, QFileInfo(target).absolutePath() + "/") << "offered next time";
}

TEST_F(ReportWindowTest, PdfButtonWritesAReportAndAFailedWriteIsReportedInGerman) {
  drawn();
  prompter.fileAnswers << filePath("bericht");
  overviewButton("BPdf");
  EXPECT_TRUE(ReadTestFile(filePath("bericht.pdf")).startsWith("%PDF"));

  ASSERT_TRUE(WriteTestFile(filePath("datei"), "x"));
  prompter.fileAnswers << filePath("datei/bericht.pdf");
  FUebersicht->findChild<QPushButton*>("BPdf")->click();
  EXPECT_EQ(prompter.messages.last().kind, "error");
  EXPECT_EQ(prompter.messages.last().text, "Die Datei „" +
                                               QDir::toNativeSeparators(filePath("datei/bericht.pdf")) +
                                               "“ konnte nicht geschrieben werden.");
}

TEST_F(ReportWindowTest, CtrlPOpensThePrintPreviewWithTheTicketChoice) {
  drawn();
  TFMain& w = shown();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  QTest::keyClick(&w, Qt::Key_P, Qt::ControlModifier);
  auto* preview = w.findChild<ReportPreview*>("FDruckvorschau");
  ASSERT_NE(preview, nullptr);
  auto* choice = preview->findChild<QComboBox*>("CBLose");
  ASSERT_NE(choice, nullptr);
  EXPECT_EQ(choice->currentText(), "Nur Gewinner");
  choice->setCurrentIndex(1);
  EXPECT_TRUE(Settings::get(Setting::kReportAllTickets));
  preview->close();
}

}  // namespace
