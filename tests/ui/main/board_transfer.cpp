// SPDX-License-Identifier: GPL-3.0-or-later
// The winning-number text field: transfer to the board, reading and writing winning-number files.
#include <QFileInfo>

#include "ui/main/main_fixture.h"

namespace {
const QList<int> kDefaultDraw = {4,  7,  9,  10, 16, 18, 19, 20, 23, 24, 31,
                                 34, 43, 44, 45, 48, 54, 58, 66, 67, 69, 74};
}

class TransferTest : public MainWindowTest {
 protected:
  QPlainTextEdit* field() { return child<QPlainTextEdit>("MGZ"); }
  QList<int> chosen() { return window().check().chosen.sorted(); }
  QByteArray readFile(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  }
};

TEST_F(TransferTest, TheDefaultTextIsCutIntoTwentyTwoNumbersFromItsEnd) {
  shown();
  click("BTransfer");
  EXPECT_EQ(chosen(), kDefaultDraw);
  EXPECT_EQ(text("PAnz"), "22");
  EXPECT_EQ(field()->toPlainText(),
            "74\n69\n67\n66\n58\n54\n48\n45\n44\n43\n34\n31\n24\n23\n20\n19\n18\n16\n10\n9\n7\n4\n");
  EXPECT_TRUE(prompter.messages.isEmpty());
  click("BTransfer");
  EXPECT_EQ(chosen(), kDefaultDraw) << "a second transfer reads the pieces line by line";
}

TEST_F(TransferTest, AnItemThatIsNoNumberStopsTheTransferWithTheConversionError) {
  shown();
  clickNumber(60);
  field()->setPlainText("4,7,9,10,16,18,19,20,23,24");
  click("BTransfer");
  EXPECT_EQ(chosen(), QList<int>({24}));
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, "error");
  EXPECT_EQ(prompter.messages[0].text, "''3,'' is not a valid integer value.");
}

TEST_F(TransferTest, ANoBreakSpaceBesideANumberIsKeptAndFailsTheConversion) {
  shown();
  QString list;
  for (int n : kDefaultDraw) list += QString::number(n) + ", ";
  list.chop(2);
  list.replace("45", QString("45") + QChar(0x00A0));
  field()->setPlainText(list);
  click("BTransfer");
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].text, QString("''45") + QChar(0x00A0) + "'' is not a valid integer value.");
  EXPECT_EQ(chosen().size(), 14) << "the numbers before it stay chosen";
}

TEST_F(TransferTest, TheTextFieldButtonEmptiesOnlyTheField) {
  shown();
  clickNumber(3);
  click("bsSkinSpeedButton3");
  EXPECT_TRUE(field()->toPlainText().isEmpty());
  EXPECT_EQ(chosen(), QList<int>({3}));
}

TEST_F(TransferTest, SavingWritesTheChosenNumbersOnePerLine) {
  shown();
  for (int n : {74, 4, 7}) clickNumber(n);
  const QString path = filePath("ziehung.zfgz");
  prompter.fileAnswers << path;
  click("BSaveGZ");
  EXPECT_EQ(readFile(path), QByteArray("4\r\n7\r\n74\r\n"));
  EXPECT_EQ(text("LDatei2"), "ziehung.zfgz");
  ASSERT_EQ(prompter.dialogs.size(), 1);
  const auto& d = prompter.dialogs[0];
  EXPECT_EQ(d.kind, "save");
  EXPECT_EQ(d.title, "Gewinnzahlen speichern");
  EXPECT_EQ(d.filter, "Gewinnzahlen-Datei|*.zfgz");
  EXPECT_EQ(d.defaultSuffix, "zfgz");
  EXPECT_EQ(d.folder, NumbersDir());
  EXPECT_FALSE(d.askOverwrite);
}

TEST_F(TransferTest, SavingWithoutChosenNumbersWritesTheFieldAndReadingItBackChoosesItsNumbers) {
  shown();
  const QString path = filePath("text.zfgz");
  prompter.fileAnswers << path << path;
  click("BSaveGZ");
  EXPECT_EQ(readFile(path), QByteArray("47910161819202324313443444548545866676974"));
  click("bsSkinSpeedButton3");
  click("BOpenGZ");
  EXPECT_EQ(chosen(), kDefaultDraw);
  EXPECT_EQ(text("LDatei2"), "text.zfgz");
  ASSERT_EQ(prompter.dialogs.size(), 2);
  EXPECT_EQ(prompter.dialogs[1].kind, "open");
  EXPECT_EQ(prompter.dialogs[1].title, "Gewinnzahlen einlesen");
  EXPECT_EQ(prompter.dialogs[0].folder, NumbersDir());
  EXPECT_EQ(prompter.dialogs[1].folder, QFileInfo(path).absolutePath() + "/")
      << "where the last one was saved";
}

TEST_F(TransferTest, ACancelledDialogChangesNothing) {
  shown();
  clickNumber(8);
  click("BOpenGZ");
  click("BSaveGZ");
  EXPECT_EQ(chosen(), QList<int>({8}));
  EXPECT_EQ(field()->toPlainText(), "47910161819202324313443444548545866676974");
  EXPECT_TRUE(text("LDatei2").isEmpty());
  EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(TransferTest, AFileThatCannotBeOpenedLeavesTheNumbersAndTheFileName) {
  shown();
  const QString good = writeFile("gut.zfgz", "5\r\n6\r\n");
  prompter.fileAnswers << good << filePath("fehlt.zfgz");
  click("BOpenGZ");
  click("BOpenGZ");
  EXPECT_EQ(chosen(), QList<int>({5, 6}));
  EXPECT_EQ(text("LDatei2"), "gut.zfgz");
  EXPECT_TRUE(field()->toPlainText().isEmpty());
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, "error");
  EXPECT_TRUE(prompter.messages[0].text.startsWith("Cannot open file"))
      << prompter.messages[0].text.toStdString();
  EXPECT_TRUE(prompter.messages[0].text.endsWith("."));
}

TEST_F(TransferTest, AFileThatCannotBeWrittenIsReportedAndKeepsTheFileName) {
  shown();
  prompter.fileAnswers << filePath("gut.zfgz") << filePath("kein/ordner/da.zfgz");
  click("BSaveGZ");
  click("BSaveGZ");
  EXPECT_EQ(text("LDatei2"), "gut.zfgz");
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_TRUE(prompter.messages[0].text.startsWith("Cannot create file"))
      << prompter.messages[0].text.toStdString();
}

TEST_F(TransferTest, FortyWrongItemsShowTenErrorsAndOneSummaryNamingTheNextTen) {
  shown();
  QStringList items;
  for (int n = 100; n < 140; ++n) items << QString::number(n);
  items << "5";
  field()->setPlainText(items.join('\n'));
  click("BTransfer");
  EXPECT_EQ(chosen(), QList<int>({5}));
  ASSERT_EQ(prompter.messages.size(), 11);
  EXPECT_EQ(prompter.messages[9].kind, "error");
  EXPECT_EQ(prompter.messages[9].text, "Zahl 109 ist ungültig.");
  EXPECT_EQ(prompter.messages[10].kind, "information");
  EXPECT_EQ(
      prompter.messages[10].text,
      "30 weitere Zahlen konnten nicht eingetragen werden (ungültig): 110, 111, 112, 113, 114, 115, 116, "
      "117, 118, 119, …");
}
