// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ticketfile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/text.h"
#include "support/test_env.h"

namespace {

QString Dir() {
  const QString dir = testRootDir() + "/tickets";
  QDir().mkpath(dir);
  return dir;
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

QString What(const std::function<void()>& f) {
  try {
    f();
  } catch (const std::runtime_error& e) {
    return QString::fromStdString(e.what());
  }
  return {};
}

TEST(ParseRowText, SplitsEntriesAsTheRulesSay) {
  struct Case {
    const char* name;
    QString line;
    RowCells cells;
  };
  const Case cases[] = {
      {"plain numbers", "3,17,40,52,66", {"3", "17", "40", "52", "66"}},
      {"blanks around commas", "1, 2 , 3,4 ,5", {"1", "2", "3", "4", "5"}},
      {"blanks only", "1 2 3 4 5", {"1", "2", "3", "4", "5"}},
      {"seven entries keep five", "1,2,3,4,5,6,7", {"1", "2", "3", "4", "5"}},
      {"fewer entries", "1,2", {"1", "2", "", "", ""}},
      {"trailing comma adds a space cell", "1,2,", {"1", "2", " ", "", ""}},
      {"four commas", ",,,,", {" ", " ", " ", " ", " "}},
      {"blank line", "", {"", "", "", "", ""}},
      {"line of blanks", " \t ", {"", "", "", "", ""}},
      {"quoted comma", "\"1,5\",2", {"1,5", "2", "", "", ""}},
      {"doubled quote", "\"a\"\"b\",c", {"a\"b", "c", "", "", ""}},
      {"quoted space", "1,\" \",3", {"1", " ", "3", "", ""}},
      {"empty quotes", "\"\",2", {" ", "2", "", "", ""}},
      {"unclosed quote runs to the end", "1,\"2,3 4", {"1", "2,3 4", "", "", ""}},
      {"text after a closing quote is the next entry", "\"a\"b,c", {"a", "b", "c", "", ""}},
      {"leading blanks skipped", "  \t7,8", {"7", "8", "", "", ""}},
      {"letters kept", "x,1 2", {"x", "1", "2", "", ""}},
      {"no-break space is no separator",
       QString("5") + QChar(0xA0) + "6,7",
       {QString("5") + QChar(0xA0) + "6", "7", "", "", ""}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRowText(c.line), c.cells) << c.name;
}

TEST(RowText, QuotesCellsWithQuotesCommasAndBlanks) {
  struct Case {
    RowCells cells;
    QString line;
  };
  const Case cases[] = {
      {{"3", "17", "40", "52", "66"}, "3,17,40,52,66"},
      {{"", "", "", "", ""}, ",,,,"},
      {{" ", "", "", "", ""}, "\" \",,,,"},
      {{"a\"b", "1,5", "x\ty", "", "z"}, "\"a\"\"b\",\"1,5\",\"x\ty\",,z"},
      {{"a\r\nb", "", "", "", ""}, "\"a  b\",,,,"},
  };
  for (const auto& c : cases) EXPECT_EQ(RowText(c.cells), c.line) << c.line.toStdString();
}

TEST(TicketFile, TwoTicketsReadBackWithEmptyCellsAsSpaces) {
  TicketCells a, b;
  for (int c = 0; c < 25; ++c) a[c] = QString::number(c + 1);
  a[12] = "";
  b[0] = "1,5";
  b[1] = "say \"hi\"";
  b[2] = " x ";
  b[3] = QString::fromUtf8("äö€");
  b[4] = "07";
  const QString path = Dir() + "/two.lose";
  WriteTicketFile(path, {a, b});
  const QByteArray bytes = ReadWholeFile(path, 1 << 20);
  EXPECT_EQ(bytes.count("\r\n"), 10);
  EXPECT_TRUE(bytes.startsWith("1,2,3,4,5\r\n6,7,8,9,10\r\n11,12,,14,15\r\n"));
  EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
  const TicketList read = ReadTicketFile(path);
  ASSERT_EQ(read.count(), 2);
  for (int c = 0; c < 25; ++c) {
    EXPECT_EQ(read.cellText(0, c), a[c].isEmpty() ? " " : a[c]) << c;
    EXPECT_EQ(read.cellText(1, c), b[c].isEmpty() ? " " : b[c]) << c;
  }
  EXPECT_EQ(read.invalidCellCount(), 4);
}

TEST(TicketFile, ByteOrderMarksAndLineEndsReadAlike) {
  const QString text = "1,2,3,4,5\r\n6,7,8,9,10\r\n11,12,13,14,15\r\n16,17,18,19,20\r\n21,22,23,24,25\r\n";
  QByteArray le("\xFF\xFE", 2), be("\xFE\xFF", 2);
  for (QChar ch : text) {
    le.append(char(ch.unicode() & 0xFF)).append(char(ch.unicode() >> 8));
    be.append(char(ch.unicode() >> 8)).append(char(ch.unicode() & 0xFF));
  }
  const QByteArray forms[] = {
      text.toUtf8(),
      "\xEF\xBB\xBF" + text.toUtf8(),
      le,
      be,
      QString(text).replace("\r\n", "\n").toUtf8(),
      QString(text).replace("\r\n", "\r").toUtf8(),
      QString(text).chopped(2).toUtf8(),
  };
  int i = 0;
  for (const QByteArray& bytes : forms) {
    const QString path = Dir() + QString("/form%1.lose").arg(i++);
    WriteBytes(path, bytes);
    const TicketList read = ReadTicketFile(path);
    ASSERT_EQ(read.count(), 1) << i;
    for (int c = 0; c < 25; ++c) EXPECT_EQ(read.cellText(0, c), QString::number(c + 1)) << i << " " << c;
  }
}

TEST(TicketFile, TenLinesWithoutAFinalBreakAreTwoTickets) {
  const QString path = Dir() + "/ten.lose";
  WriteBytes(path, QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10"));
  const TicketList read = ReadTicketFile(path);
  ASSERT_EQ(read.count(), 2);
  EXPECT_EQ(read.cellText(1, 20), "10");
  EXPECT_EQ(read.cellText(1, 21), "");
}

TEST(TicketFile, AFileOfSevenLinesIsRefusedNamingTheFile) {
  const QString path = Dir() + "/seven.lose";
  WriteBytes(path, QByteArray("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n"));
  EXPECT_EQ(
      What([&] { ReadTicketFile(path); }),
      QString::fromUtf8("Die Datei \"seven.lose\" ist keine gültige Lose-Datei: Sie hat 7 Zeilen, das ist "
                        "kein Vielfaches von 5."));
}

TEST(TicketFile, AOneLineFileIsRefusedInTheSingular) {
  const QString path = Dir() + "/one.lose";
  WriteBytes(path, QByteArray("1,2,3,4,5"));
  EXPECT_EQ(What([&] { ReadTicketFile(path); }),
            QString::fromUtf8("Die Datei \"one.lose\" ist keine gültige Lose-Datei: Sie hat 1 Zeile, das ist "
                              "kein Vielfaches von 5."));
}

TEST(TicketFile, AnEmptyFileHoldsNoTicket) {
  const QString path = Dir() + "/empty.lose";
  WriteBytes(path, QByteArray());
  EXPECT_EQ(ReadTicketFile(path).count(), 0);
}

TEST(TicketFile, AFileOverTheSizeLimitIsRefused) {
  const QString path = Dir() + "/huge.lose";
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_TRUE(f.resize(kMaxTicketFileBytes + 1));  // sparse, costs no disk space
  }
  const QString what = What([&] { ReadTicketFile(path); });
  EXPECT_TRUE(what.contains("huge.lose")) << what.toStdString();
  EXPECT_TRUE(what.contains(QString::fromUtf8("zu groß"))) << what.toStdString();
}

TEST(TicketFile, AMissingFileReportsThePlatformText) {
  const QString path = Dir() + "/none.lose";
  EXPECT_TRUE(What([&] { ReadTicketFile(path); }).startsWith("Cannot open file \"" + path + "\". "));
}

TEST(TicketFile, AFailedWriteLeavesTheOldFile) {
  const QString path = Dir() + "/keep.lose";
  WriteBytes(path, "old");
  const QString blocked = Dir() + "/blocked";
  QDir().mkpath(blocked + "/keep.lose");  // a folder where the file should go
  EXPECT_TRUE(What([&] {
                WriteTicketFile(blocked + "/keep.lose", {TicketCells()});
              }).startsWith("Cannot create file"));
  EXPECT_EQ(ReadWholeFile(path, 100), "old");
}

TEST(TicketFile, ArbitraryBytesNeverCrashTheReader) {
  const QString path = Dir() + "/noise.lose";
  QByteArray noise;
  quint32 x = 12345;
  for (int i = 0; i < 5000; ++i) {
    x = x * 1103515245u + 12345u;
    noise.append(char(x >> 24));
  }
  for (int cut : {0, 1, 2, 3, 777, 4999}) {
    WriteBytes(path, noise.left(noise.size() - cut));
    try {
      const TicketList read = ReadTicketFile(path);
      for (int t = 0; t < read.count(); ++t)
        for (int c = 0; c < 25; ++c) (void)read.cellValue(t, c);
    } catch (const std::runtime_error&) {
    }
  }
}

TEST(InvalidCellsWarning, NamesTheFileAndTheCount) {
  EXPECT_EQ(InvalidCellsWarning("a.lose", 3),
            QString::fromUtf8("Die Datei \"a.lose\" enthält 3 Felder ohne gültige Zahl. Sie zählen bei der "
                              "Auswertung als leer."));
  EXPECT_EQ(InvalidCellsWarning("a.lose", 1),
            QString::fromUtf8("Die Datei \"a.lose\" enthält ein Feld ohne gültige Zahl. Es zählt bei der "
                              "Auswertung als leer."));
}

}  // namespace
