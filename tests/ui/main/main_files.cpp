// SPDX-License-Identifier: GPL-3.0-or-later
// Files reaching the main window without its dialogs: several at once, by drag and drop, and from the
// list of recent ticket files behind a right click on "Lose einlesen...".
#include <QAbstractItemView>
#include <QAction>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QToolButton>
#include <QUrl>

#include "support/test_env.h"
#include "ui/main/main_fixture.h"
#include "ui/main/resultmodel.h"
#include "ui/shared/filehistory.h"

namespace {
const QString kExamples = QStringLiteral(ZIEHFIX_SOURCE_DIR "/examples/");

void dropOn(QWidget& target, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& p : paths) urls << QUrl::fromLocalFile(p);
  data.setUrls(urls);
  const QPoint at = target.rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &enter);
  ASSERT_TRUE(enter.isAccepted()) << "a drag of files is taken";
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &drop);
}
}  // namespace

class MainFilesTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    FileHistory::load();
  }
  QStringList classes() {
    auto* model = static_cast<ResultModel*>(child<QAbstractItemView>("GGew")->model());
    QStringList out;
    for (int row = 0; row < window().LosCount(); ++row) {  // row 0 holds the captions
      QString marks;
      for (int c = 1; c <= 3; ++c)
        marks += model->cellText(row + 1, c).isEmpty() ? "." : model->cellText(row + 1, c);
      out << marks;
    }
    return out;
  }
};

TEST_F(MainFilesTest, TicketsAndNumbersTogetherAreReadAndEvaluatedWhateverTheirOrder) {
  setSofort(false);  // the evaluation must come from the files, not from the transfer's clicks
  window().openFiles({kExamples + "ziehung.zfgz", kExamples + "beispiel.lose"});
  EXPECT_EQ(window().LosCount(), 7);
  EXPECT_EQ(text("LDatei"), "beispiel.lose");
  EXPECT_EQ(text("LDatei2"), "ziehung.zfgz");
  EXPECT_EQ(window().check().chosen.count(), 22);
  EXPECT_EQ(classes().join(' ').toStdString(), "x.. .x. ..x --- --- --- ---");
  EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join('\n').toStdString();
}

TEST_F(MainFilesTest, TicketFilesAreAppendedAndARefusedOneIsReportedWhileTheOthersAreRead) {
  const QString one = writeFile("one.lose", ticketFile({numberedTicket(1)}));
  const QString bad = writeFile("bad.lose", "1,2,3,4,5\r\n");
  const QString two = writeFile("two.LOSE", ticketFile({numberedTicket(26), numberedTicket(51)}));
  const QString other = writeFile("notes.txt", "hello");
  child<QCheckBox>("cbNeu")->setChecked(true);  // files given at start append all the same
  window().openFiles({one, bad, other, two});
  EXPECT_EQ(window().LosCount(), 3);
  EXPECT_EQ(text("LDatei"), "two.LOSE");
  ASSERT_EQ(prompter.messages.size(), 2) << prompter.texts().join('\n').toStdString();
  EXPECT_EQ(prompter.messages[0].kind, "information");
  EXPECT_EQ(prompter.messages[0].text,
            "Die Datei „notes.txt“ wird nicht geöffnet: Hier lassen sich nur Lose-Dateien (*.lose) und "
            "Gewinnzahlen-Dateien (*.zfgz) ablegen.");
  EXPECT_EQ(prompter.messages[1].kind, "error");
  EXPECT_TRUE(prompter.messages[1].text.startsWith("Die Datei \"bad.lose\" ist keine gültige Lose-Datei"));
  EXPECT_EQ(window().check().chosen.count(), 0);
}

TEST_F(MainFilesTest, DroppedFilesAreOpenedAfterTheDropAndOthersRefused) {
  const QString picture = writeFile("scan.png", "png");
  dropOn(shown(), {kExamples + "beispiel.lose", picture});
  EXPECT_EQ(window().LosCount(), 0) << "nothing is read while the drag still waits for the drop";
  EXPECT_TRUE(prompter.messages.isEmpty()) << "and no box opens inside it";
  QCoreApplication::processEvents();
  EXPECT_EQ(window().LosCount(), 7);
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_TRUE(prompter.messages[0].text.startsWith("Die Datei „scan.png“ wird nicht geöffnet"));

  auto* field = child<QPlainTextEdit>("MGZ");
  const QString before = field->toPlainText();
  dropOn(*field->viewport(), {kExamples + "beispiel.lose"});
  EXPECT_EQ(window().LosCount(), 7);
  QCoreApplication::processEvents();
  EXPECT_EQ(window().LosCount(), 14) << "a file dropped on the text field is read and appended";
  EXPECT_EQ(field->toPlainText(), before) << "and not pasted as text";
}

TEST_F(MainFilesTest, ManyFilesThatCannotBeReadGiveTenBoxesAndOneSummary) {
  QStringList missing;
  for (int i = 1; i <= 30; ++i) missing << testRootDir() + QStringLiteral("/gone%1.lose").arg(i);
  window().openFiles(missing);
  ASSERT_EQ(prompter.messages.size(), 11) << prompter.texts().join('\n').toStdString();
  EXPECT_TRUE(prompter.messages[9].text.contains("gone10.lose"));
  EXPECT_EQ(prompter.messages[10].kind, "information");
  EXPECT_EQ(prompter.messages[10].text.toStdString(),
            "20 weitere Meldungen wurden nicht einzeln angezeigt. Sie betreffen die Dateien „gone11.lose“, "
            "„gone12.lose“, „gone13.lose“, „gone14.lose“, „gone15.lose“, „gone16.lose“, „gone17.lose“, "
            "„gone18.lose“, „gone19.lose“, „gone20.lose“, …");

  prompter.messages.clear();
  window().openFiles(missing.mid(0, 11));
  ASSERT_EQ(prompter.messages.size(), 11) << "the count starts anew with the next files";
  EXPECT_EQ(prompter.messages[10].text.toStdString(),
            "1 weitere Meldung wurde nicht einzeln angezeigt. Sie betrifft die Datei „gone11.lose“.");
  click("BOpenGZ");  // the program's own prompter is back
  EXPECT_EQ(prompter.dialogs.size(), 1);
}

TEST_F(MainFilesTest, TheDialogsStartWhereTheLastFileOfTheirKindWas) {
  openTickets(kExamples + "beispiel.lose");
  prompter.fileAnswers << "";
  click("BOpen");
  click("BOpenGZ");
  ASSERT_EQ(prompter.dialogs.size(), 3);
  EXPECT_EQ(prompter.dialogs[0].folder, TicketsDir()) << "the first time, the data folder";
  EXPECT_EQ(prompter.dialogs[1].folder, kExamples);
  EXPECT_EQ(prompter.dialogs[2].folder, NumbersDir()) << "winning numbers have their own folder";
}

TEST_F(MainFilesTest, TheRightClickMenuReopensARecentFileAndDropsAMissingOne) {
  const QString gone = writeFile("gone.lose", ticketFile({numberedTicket(1)}));
  openTickets(gone);
  openTickets(kExamples + "beispiel.lose");
  QFile::remove(gone);
  auto* open = child<QPushButton>("BOpen");
  emit open->customContextMenuRequested(QPoint(2, 2));
  auto* menu = open->findChild<QMenu*>("RecentTickets");
  ASSERT_NE(menu, nullptr);
  const QList<QAction*> actions = menu->actions();
  ASSERT_EQ(actions.size(), 2);
  EXPECT_EQ(actions[0]->toolTip(), kExamples + "beispiel.lose") << "newest first";
  actions[1]->trigger();
  EXPECT_EQ(prompter.messages.size(), 1);
  EXPECT_TRUE(prompter.messages.value(0).text.contains(gone));
  EXPECT_EQ(FileHistory::recentTicketFiles(), QStringList{kExamples + "beispiel.lose"});
  actions[0]->trigger();
  EXPECT_EQ(window().LosCount(), 7) << "with \"Lose neu aufbauen\" ticked, the shown tickets are replaced";
  menu->close();
}

TEST_F(MainFilesTest, TheArrowBesideLoseEinlesenShowsTheRecentFiles) {
  auto* arrow = child<QToolButton>("BZuletzt");
  auto* open = child<QPushButton>("BOpen");
  ASSERT_NE(arrow->menu(), nullptr);
  EXPECT_EQ(open->menu(), nullptr) << "a click on the button still opens the dialog";
  shown();
  EXPECT_EQ(arrow->geometry().left(), open->geometry().right() + 3) << "right beside the button";
  emit arrow->menu()->aboutToShow();
  ASSERT_EQ(arrow->menu()->actions().size(), 1);
  EXPECT_FALSE(arrow->menu()->actions()[0]->isEnabled()) << "no file read yet";

  openTickets(kExamples + "beispiel.lose");
  emit arrow->menu()->aboutToShow();
  ASSERT_EQ(arrow->menu()->actions().size(), 1);
  EXPECT_EQ(arrow->menu()->actions()[0]->toolTip(), kExamples + "beispiel.lose");
  arrow->menu()->actions()[0]->trigger();
  EXPECT_EQ(window().LosCount(), 7);
}
