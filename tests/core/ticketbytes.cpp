// SPDX-License-Identifier: GPL-3.0-or-later
// The one-pass reader of UTF-8 ticket files gives exactly the tickets of the decoded-text reader, for
// the plain rows it takes at speed and for every row it leaves to the general rules.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "core/text.h"
#include "core/ticketfile.h"

namespace {

QByteArray FiveLines(const QByteArray& row, const QByteArray& lineEnd = "\r\n") {
  QByteArray out;
  for (int i = 0; i < 5; ++i) out += row + lineEnd;
  return out;
}

void ExpectEqualLists(const TicketList& fast, const TicketList& plain) {
  ASSERT_EQ(fast.count(), plain.count());
  EXPECT_EQ(fast.invalidCellCount(), plain.invalidCellCount());
  for (int t = 0; t < fast.count(); ++t) {
    EXPECT_EQ(fast.completableLines(t), plain.completableLines(t)) << "ticket " << t;
    for (int c = 0; c < 25; ++c) {
      EXPECT_EQ(fast.cellText(t, c), plain.cellText(t, c)) << "ticket " << t << " cell " << c;
      EXPECT_EQ(fast.lotteryValue(t, c), plain.lotteryValue(t, c)) << "ticket " << t << " cell " << c;
    }
  }
}

void ExpectSameTickets(const QByteArray& bytes) {
  ExpectEqualLists(ParseTicketBytes(bytes, "x.lose"), ParseTicketText(DecodeText(bytes), "x.lose"));
}

// The file reader parses a piece of whole lines at a time; the same bytes as a file must give the
// same tickets as the decoded text, whatever falls on a piece's edge.
void ExpectSameTicketsFromFile(const QByteArray& bytes) {
  QTemporaryDir dir;
  const QString path = dir.filePath("x.lose");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
  file.close();
  ExpectEqualLists(ReadTicketFile(path), ParseTicketText(DecodeText(bytes), "x.lose"));
}

TEST(TicketBytes, EveryRowFormReadsAsTheDecodedText) {
  const QByteArray rows[] = {
      "1,22,33,44,75",         // plain
      "1,\" \",3",             // quoted space, fewer than five entries
      "1,2,3,4,5,6,7",         // entries after the fifth are dropped
      "1,2,",                  // a comma at the end opens one more entry
      ",5",                    // an entry before the first comma
      "",                      // an empty line
      "07,0,76,100,123",       // numbers not written plainly, or outside 1..75
      " 1 , 2,3 ,\t4,5",       // blanks around entries
      "\"a\"\"b\",\"7\",\"x",  // doubled quotes, a quoted number, an unclosed quote
      "ä,€,1,2,3",             // UTF-8 text
      "\xEF\xBB\xBF"
      "5,1",  // U+FEFF at the start of a cell
      "\"\xEF\xBB\xBF\xEF\xBB\xBF"
      "1\",2",                  // two of them, quoted
      QByteArray("1,\0,3", 5),  // NUL
      "12a,3",                  // digits followed by a letter
  };
  for (const QByteArray& row : rows) {
    SCOPED_TRACE(row.toStdString());
    ExpectSameTickets(FiveLines(row));
    ExpectSameTickets(FiveLines(row, "\n") + FiveLines("1,2,3,4,5", "\r"));
  }
}

TEST(TicketBytes, EncodingsAndLineBreaksAsTheDecodedText) {
  ExpectSameTickets("\xEF\xBB\xBF" + FiveLines("1,2,3,4,5"));  // UTF-8 mark
  ExpectSameTickets(FiveLines("\xe4,1,2"));                    // not UTF-8: Windows-1252
  ExpectSameTickets(
      QByteArray("1\n\r2\r\n3\r4"));  // every break form (LF CR opens an empty line), none at the end
  ExpectSameTickets(QByteArray());    // no line at all
  const QString utf16 = QString::fromUtf8(FiveLines("1,2,3,4,5"));
  QByteArray le("\xFF\xFE");
  le.append(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
  ExpectSameTickets(le);
}

TEST(TicketBytes, ALineCountThatIsNoMultipleOfFiveIsRefusedOnBothPaths) {
  for (const QByteArray& bytes : {QByteArray("1,2\r\n3\r\n"), QByteArray("\xe4\r\n")}) {
    try {
      ParseTicketBytes(bytes, "x.lose");
      ADD_FAILURE() << "no error for " << bytes.toStdString();
    } catch (const std::runtime_error& e) {
      EXPECT_TRUE(QString::fromStdString(e.what()).contains("kein Vielfaches von 5")) << e.what();
    }
  }
}

TEST(TicketBytes, LargeFilesReadInPiecesAsTheDecodedText) {
  // More than two pieces of 1 MiB, with lines of several forms, so that the pieces' edges fall at
  // varying places within and between lines.
  QByteArray many;
  const QByteArray forms[] = {"1,22,33,44,75\r\n", "\"\xc3\xa4\xc3\xa4\",7,\" \",8\n", "07,  9 ,x\r", "\r\n"};
  for (int i = 0; many.size() < (2 << 20) + 12345; ++i) many += forms[i % 4] + forms[(i / 3) % 4];
  while (CountFileLines(DecodeText(many)) % 5 != 0) many += "5\r\n";
  ExpectSameTicketsFromFile(many);
  ExpectSameTicketsFromFile("\xEF\xBB\xBF" + many);
  // A line of more than a piece.
  ExpectSameTicketsFromFile(QByteArray(3 << 20, '1') + "\r\n" + FiveLines("2").left(12));
  // A byte that is not UTF-8 after the first piece: the whole file is decoded after all.
  QByteArray late = many;
  late.insert((3 << 19) + 7, "\xe4");
  ExpectSameTicketsFromFile(late);
  // UTF-16 and a small file.
  const QString utf16 = QString::fromUtf8(FiveLines("1,2,3,4,5"));
  QByteArray le("\xFF\xFE");
  le.append(reinterpret_cast<const char*>(utf16.utf16()), utf16.size() * 2);
  ExpectSameTicketsFromFile(le);
  ExpectSameTicketsFromFile(FiveLines("1,2"));

  QTemporaryDir dir;
  QFile file(dir.filePath("y.lose"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(many + "1\r\n");
  file.close();
  EXPECT_THROW(ReadTicketFile(file.fileName()), std::runtime_error);
}

}  // namespace
