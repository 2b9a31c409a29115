// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/winningnumbers.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/evaluation.h"
#include "core/text.h"
#include "support/test_env.h"

namespace {

const QString kDefault = "47910161819202324313443444548545866676974";
const QList<int> kDefaultNumbers = {4,  7,  9,  10, 16, 18, 19, 20, 23, 24, 31,
                                    34, 43, 44, 45, 48, 54, 58, 66, 67, 69, 74};

// The board of the main window reduced to what a transfer drives.
struct FakeBoard : TransferTarget {
  ChosenNumbers chosen;
  QString field = "untouched";
  QStringList messages;  // "kind: text"
  QList<int> toggles;
  int clears = 0;

  void clearAll() override {
    chosen.clear();
    ++clears;
  }
  void setFieldText(const QString& text) override { field = text; }
  void toggle(int n) override {
    toggles.append(n);
    if (chosen.toggle(n) == ChosenNumbers::Toggle::LimitReached) messages << "information: " + LimitMessage();
  }
  void error(const Fault& fault) override { messages << "error: " + FaultText(fault); }
};

QString Joined(const QList<int>& numbers, const QString& sep) {
  QStringList parts;
  for (int n : numbers) parts << QString::number(n);
  return parts.join(sep);
}

QString PerLine(const QStringList& items) {
  QString out;
  for (const auto& i : items) out += i + "\r\n";
  return out;
}

QList<int> Reversed(QList<int> l) {
  std::reverse(l.begin(), l.end());
  return l;
}

FakeBoard Transfer(const QString& text) {
  FakeBoard board;
  board.chosen.toggle(75);  // every transfer starts from no chosen number
  TransferGZText(text, board);
  return board;
}

QString Dir() {
  const QString dir = testRootDir() + "/numbers";
  QDir().mkpath(dir);
  return dir;
}

TEST(SplitGZText, TheDefaultTextGives22NumbersCutFromTheEnd) {
  const SplitResult r = SplitGZText(kDefault);
  QStringList expected;
  for (int n : Reversed(kDefaultNumbers)) expected << QString::number(n);
  EXPECT_EQ(r.items, expected);
  EXPECT_EQ(r.fieldText, PerLine(expected));
  const FakeBoard board = Transfer(kDefault);
  EXPECT_EQ(board.chosen.sorted(), kDefaultNumbers);
  EXPECT_EQ(board.chosen.count(), 22);
  EXPECT_EQ(board.toggles.first(), 74);
  EXPECT_EQ(board.toggles.last(), 4);
  EXPECT_EQ(board.field, PerLine(expected));
  EXPECT_EQ(board.clears, 1);
  EXPECT_TRUE(board.messages.isEmpty());
}

TEST(SplitGZText, TheLengthDecidesTheModeAtEachBoundary) {
  struct Case {
    const char* name;
    QString text;
    QStringList items;
  };
  const QString d23 = "12345678912345678912345";  // 23 characters: one pair and 21 digits
  const QString d44 = QString("11").repeated(22);
  const QString l45 = QString("12,34").repeated(9);         // 45 characters, one line
  const QString l55 = QString("12,34").repeated(11);        // 55 characters, one line
  const QString s56 = QString("12,34").repeated(11) + "5";  // 56 characters: bare commas split
  QStringList d23Items = {"45"};
  for (int i = 20; i >= 0; --i) d23Items << d23.mid(i, 1);
  const Case cases[] = {
      {"22 characters split at blanks and commas",
       "1,2;3 4\t5,,6" + QString(9, ' ') + "7",
       {"1", "2", "3", "4", "5", "6", "7"}},
      {"23 characters are a digit run", d23, d23Items},
      {"44 characters are 22 pairs", d44, QStringList(22, "11")},
      {"45 characters are line mode", l45, {l45}},
      {"55 characters are line mode", l55, {l55}},
  };
  const int lengths[] = {22, 23, 44, 45, 55};
  int i = 0;
  for (const auto& c : cases) {
    EXPECT_EQ(c.text.size(), lengths[i++]) << c.name;
    EXPECT_EQ(SplitGZText(c.text).items, c.items) << c.name;
  }
  EXPECT_EQ(SplitGZText(s56).items.size(), 12);
  EXPECT_EQ(SplitGZText(s56).items.first(), "12");
  EXPECT_EQ(SplitGZText(s56).items[1], "3412");
  EXPECT_EQ(SplitGZText(s56).items.last(), "345");
}

TEST(SplitGZText, SeparatorModePrefersCommaSpaceThenCommaThenThreeSpaces) {
  const QString commaSpace = Joined(kDefaultNumbers, ", ");
  const QString comma = Joined(kDefaultNumbers, ",");
  const QString spaces = Joined(kDefaultNumbers, "   ");
  ASSERT_EQ(commaSpace.size(), 83);
  ASSERT_EQ(comma.size(), 62);
  QStringList expected;
  for (int n : kDefaultNumbers) expected << QString::number(n);
  for (const QString& text : {commaSpace, comma, spaces}) {
    const SplitResult r = SplitGZText(text);
    EXPECT_EQ(r.items, expected) << text.toStdString();
    EXPECT_EQ(r.fieldText, expected.join("\r\n")) << text.toStdString();
    const FakeBoard board = Transfer(text);
    EXPECT_EQ(board.toggles, kDefaultNumbers);
    EXPECT_EQ(board.chosen.sorted(), kDefaultNumbers);
  }
  // Comma wins over three spaces; the spaces stay.
  const QString mixed =
      Joined(kDefaultNumbers.mid(0, 11), ",") + "   " + Joined(kDefaultNumbers.mid(11), ",");
  const SplitResult m = SplitGZText(mixed);
  EXPECT_TRUE(m.fieldText.contains("   "));
  EXPECT_EQ(m.items.size(), 21);
  // No separator at all: unchanged.
  const QString none = QString("1 2 ").repeated(15);
  EXPECT_EQ(SplitGZText(none).fieldText, Trimmed(none));
  EXPECT_EQ(SplitGZText(none).items, QStringList({Trimmed(none)}));
}

TEST(SplitGZText, OneNumberPerLineStaysAsItIs) {
  const QString text = Joined(kDefaultNumbers, "\r\n");
  ASSERT_EQ(text.size(), 83);
  EXPECT_EQ(SplitGZText(text).fieldText, text);
  EXPECT_EQ(Transfer(text).toggles, kDefaultNumbers);
}

TEST(TransferGZText, BareCommaBetweenTwoNumbersStopsWithTheConversionError) {
  const QString text =
      Joined(kDefaultNumbers.mid(0, 10), ", ") + ", 58,66, " + Joined(kDefaultNumbers.mid(10), ", ");
  ASSERT_GE(Trimmed(text).size(), 56);
  const FakeBoard board = Transfer(text);
  EXPECT_EQ(board.messages, QStringList({"error: ''58,66'' is not a valid integer value."}));
  EXPECT_EQ(board.chosen.sorted(), kDefaultNumbers.mid(0, 10));
  EXPECT_TRUE(board.field.contains("\r\n58,66\r\n"));
}

TEST(TransferGZText, TenNumbersWithBareCommasAreCutAsADigitRun) {
  const QString text = "4,7,9,10,16,18,19,20,23,24";
  ASSERT_EQ(text.size(), 26);
  const FakeBoard board = Transfer(text);
  EXPECT_EQ(board.chosen.sorted(), QList<int>({24}));
  EXPECT_EQ(board.messages, QStringList({"error: ''3,'' is not a valid integer value."}));
}

TEST(TransferGZText, A24CharacterRunIsStillCutAs22Numbers) {
  const QString text = "111213141516171819212223";
  const QStringList expected = {"23", "22", "1", "2", "9", "1", "8", "1", "7", "1", "6",
                                "1",  "5",  "1", "4", "1", "3", "1", "2", "1", "1", "1"};
  EXPECT_EQ(SplitGZText(text).items, expected);
  EXPECT_EQ(Transfer(text).chosen.sorted(), QList<int>({1, 3, 4, 5, 6, 7, 8, 9, 22, 23}));
}

TEST(TransferGZText, NumbersOutside1To75AreReportedAndSkipped) {
  const QString text = "1, 0, 2, 76, 3, -5, 007, 100, 4, 5, 6, 8, 9, 10, 11, 12, 13";
  ASSERT_GE(text.size(), 56);
  const FakeBoard board = Transfer(text);
  EXPECT_EQ(board.messages, QStringList({QString::fromUtf8("error: Zahl 0 ist ungültig."),
                                         QString::fromUtf8("error: Zahl 76 ist ungültig."),
                                         QString::fromUtf8("error: Zahl -5 ist ungültig."),
                                         QString::fromUtf8("error: Zahl 100 ist ungültig.")}));
  EXPECT_EQ(board.chosen.sorted(), QList<int>({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}));
  for (int n : board.toggles) EXPECT_TRUE(n >= 1 && n <= 75);
  // A short run that splits a 10 into 1 and 0 never reaches the board with 0.
  const FakeBoard run = Transfer("12345678910111213141516");
  EXPECT_TRUE(run.messages.contains(QString::fromUtf8("error: Zahl 0 ist ungültig.")));
  EXPECT_FALSE(run.toggles.contains(0));
}

TEST(TransferGZText, TheTwentyThirdNumberBringsTheLimitMessageOnce) {
  QList<int> numbers;
  for (int n = 1; n <= 23; ++n) numbers << n * 3;
  const FakeBoard board = Transfer(Joined(numbers, ", "));
  EXPECT_EQ(board.chosen.sorted(), numbers.mid(0, 22));
  EXPECT_EQ(board.messages, QStringList({"information: " + LimitMessage()}));
}

TEST(TransferGZText, ASecondTransferGivesTheSameNumbers) {
  FakeBoard board;
  TransferGZText(kDefault, board);
  const QString field = board.field;
  ASSERT_GE(field.size(), 65);
  TransferGZText(field, board);
  EXPECT_EQ(board.chosen.sorted(), kDefaultNumbers);
  EXPECT_EQ(board.field, Joined(Reversed(kDefaultNumbers), "\r\n"));
  EXPECT_TRUE(board.messages.isEmpty());
}

TEST(TransferGZText, BlanksAroundDoNotCountButANoBreakSpaceFails) {
  const FakeBoard padded = Transfer("\r\n \t" + kDefault + "  \r\n\r\n");
  EXPECT_EQ(padded.chosen.sorted(), kDefaultNumbers);
  const QString nbsp = QString("5") + QChar(0xA0);
  const FakeBoard bad = Transfer(nbsp);
  EXPECT_EQ(bad.messages, QStringList({"error: ''" + nbsp + "'' is not a valid integer value."}));
  EXPECT_TRUE(bad.chosen.sorted().isEmpty());
}

TEST(TransferGZText, ShortTextsGiveTheirPiecesAndAnEmptyTextNothing) {
  const FakeBoard five = Transfer("5");
  EXPECT_EQ(five.chosen.sorted(), QList<int>({5}));
  EXPECT_EQ(five.field, "5\r\n");
  const FakeBoard empty = Transfer("  \r\n ");
  EXPECT_TRUE(empty.chosen.sorted().isEmpty());
  EXPECT_EQ(empty.field, "");
  EXPECT_TRUE(empty.toggles.isEmpty());
  const FakeBoard list = Transfer(";1;;2, 3,");
  EXPECT_EQ(list.toggles, QList<int>({1, 2, 3}));
  EXPECT_EQ(list.field, "1\r\n2\r\n3\r\n");
}

TEST(TransferGZText, AnyTextReachesTheBoardOnlyWithNumbers1To75) {
  const QString alphabet = "0123456789, ;\r\n\t-+a";
  quint32 x = 99;
  for (int round = 0; round < 3000; ++round) {
    x = x * 1103515245u + 12345u;
    const int length = int(x >> 16) % 120;
    QString text;
    for (int i = 0; i < length; ++i) {
      x = x * 1103515245u + 12345u;
      text += alphabet[int(x >> 16) % alphabet.size()];
    }
    const FakeBoard board = Transfer(text);
    for (int n : board.toggles) ASSERT_TRUE(n >= 1 && n <= 75) << text.toStdString();
    ASSERT_LE(board.chosen.count(), 22);
    ASSERT_EQ(board.chosen.count(), board.chosen.sorted().size());
  }
}

TEST(WinningNumberFile, NumbersFormIsAscendingWithCrLfAfterEach) {
  NumberSet chosen;
  for (int n : {74, 4, 7}) chosen.include(n);
  EXPECT_EQ(WinningNumberFileBytes(chosen, "whatever"), QByteArray("4\r\n7\r\n74\r\n"));
  EXPECT_EQ(WinningNumberFileBytes(NumberSet(), kDefault), kDefault.toUtf8());
  EXPECT_EQ(WinningNumberFileBytes(NumberSet(), ""), QByteArray());
}

TEST(WinningNumberFile, TheDefaultTextSavedAsTextReadsBackToTheSameNumbers) {
  const QString path = Dir() + "/text.zfgz";
  WriteWinningNumberFile(path, NumberSet(), kDefault);
  EXPECT_EQ(ReadWholeFile(path, 1000), kDefault.toUtf8());
  EXPECT_EQ(Transfer(ReadWinningNumberFile(path)).chosen.sorted(), kDefaultNumbers);
}

TEST(WinningNumberFile, AShortNumbersFileIsReadAsADigitRun) {
  const QString path = Dir() + "/short.zfgz";
  NumberSet chosen;
  for (int n = 12; n <= 22; ++n) chosen.include(n);
  WriteWinningNumberFile(path, chosen, QString());
  const QString text = ReadWinningNumberFile(path);
  ASSERT_EQ(Trimmed(text).size(), 42);
  QList<int> expected = {1, 2};
  for (int n = 13; n <= 22; ++n) expected << n;
  EXPECT_EQ(Transfer(text).chosen.sorted(), expected);
}

TEST(WinningNumberFile, ALongerNumbersFileReadsBackAsWritten) {
  const QString path = Dir() + "/long.zfgz";
  NumberSet chosen;
  for (int n : kDefaultNumbers) chosen.include(n);
  WriteWinningNumberFile(path, chosen, QString());
  EXPECT_EQ(Transfer(ReadWinningNumberFile(path)).chosen.sorted(), kDefaultNumbers);
  // Twelve numbers give 46 characters (line mode), fifteen 58 (separator mode without a separator).
  for (int last : {61, 64}) {
    QList<int> numbers;
    NumberSet some;
    for (int n = 50; n <= last; ++n) {
      numbers << n;
      some.include(n);
    }
    WriteWinningNumberFile(path, some, QString());
    EXPECT_EQ(Transfer(ReadWinningNumberFile(path)).chosen.sorted(), numbers) << last;
  }
}

TEST(WinningNumberFile, EncodingsAndLineBreakFormsReadAsCrLf) {
  const QString path = Dir() + "/forms.zfgz";
  const auto write = [&](const QByteArray& b) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(b);
  };
  write("1\n2\r3\n\r4\r\n");
  EXPECT_EQ(ReadWinningNumberFile(path), "1\r\n2\r\n3\r\n4\r\n");
  write(
      "\xEF\xBB\xBF"
      "5\n");
  EXPECT_EQ(ReadWinningNumberFile(path), "5\r\n");
  write(
      QByteArray("\xFF\xFE"
                 "7\0\n\0",
                 6));
  EXPECT_EQ(ReadWinningNumberFile(path), "7\r\n");
  write(
      QByteArray("\xFE\xFF\0"
                 "8\0\r",
                 6));
  EXPECT_EQ(ReadWinningNumberFile(path), "8\r\n");
  write(QByteArray("\xE4"));
  EXPECT_EQ(ReadWinningNumberFile(path), QString::fromUtf8("ä"));
}

TEST(WinningNumberFile, OversizedAndMissingFilesAreRefused) {
  const QString path = Dir() + "/big.zfgz";
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(kMaxNumberFileBytes + 1));
  }
  EXPECT_THROW(ReadWinningNumberFile(path), std::runtime_error);
  EXPECT_THROW(ReadWinningNumberFile(Dir() + "/none.zfgz"), std::runtime_error);
  EXPECT_THROW(WriteWinningNumberFile(Dir() + "/no/such/folder.zfgz", NumberSet(), "x"), std::runtime_error);
}

}  // namespace
