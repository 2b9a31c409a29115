// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text.h"

#include <gtest/gtest.h>

#include <QDir>

#include "support/test_env.h"

namespace {

struct ReplaceCase {
  const char* name;
  QString text, search, replacement;
  int flags;
  QString expected;
};

TEST(XStringReplace, ReplacesAsTheTableSays) {
  const ReplaceCase cases[] = {
      {"every occurrence with flag 1", "1, 2, 3", ", ", "\r\n", 1, "1\r\n2\r\n3"},
      {"only the first without flag 1", "1, 2, 3", ", ", "\r\n", 0, "1\r\n2, 3"},
      {"flag 2 is not replace-all", "a,a,a", ",", ";", 2, "a;a,a"},
      {"empty replacement deletes", "a--b--c", "--", "", 1, "abc"},
      {"matches never overlap", "aaaa", "aa", "b", 1, "bb"},
      {"odd overlap leaves the rest", "aaa", "aa", "b", 1, "ba"},
      {"scan continues behind a match", "abab", "ab", "abab", 1, "abababab"},
      {"empty text stays", "", "a", "b", 1, ""},
      {"empty search leaves text", "abc", "", "x", 1, "abc"},
      {"equal strings leave text", "a,b", ",", ",", 1, "a,b"},
      {"comparison is case-sensitive", "aAa", "A", "x", 1, "axa"},
      {"no match leaves text", "abc", "z", "y", 1, "abc"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(XStringReplace(c.text, c.search, c.replacement, c.flags), c.expected) << c.name;
}

TEST(Trimmed, RemovesCodesUpTo32AndKeepsNoBreakSpace) {
  EXPECT_EQ(Trimmed(" \t\r\n 12 \x01\x1f"), "12");
  EXPECT_EQ(Trimmed(QString(QChar(0)) + "5"), "5");
  EXPECT_EQ(Trimmed(QString(QChar(0xA0)) + "5 "), QString(QChar(0xA0)) + "5");
  EXPECT_EQ(Trimmed("a b"), "a b");
  EXPECT_EQ(Trimmed("   "), "");
  EXPECT_TRUE(IsBlank(" "));
  EXPECT_TRUE(IsBlank(""));
  EXPECT_FALSE(IsBlank(QString(QChar(0xA0))));
}

TEST(LinesOf, SplitsOnlyAtCrLfAndOpensNoLineAfterAFinalBreak) {
  EXPECT_EQ(LinesOf(""), QStringList());
  EXPECT_EQ(LinesOf("a"), QStringList({"a"}));
  EXPECT_EQ(LinesOf("a\r\n"), QStringList({"a"}));
  EXPECT_EQ(LinesOf("a\r\n\r\n"), QStringList({"a", ""}));
  EXPECT_EQ(LinesOf("\r\n"), QStringList({""}));
  EXPECT_EQ(LinesOf("a\nb\rc\r\nd"), QStringList({"a\nb\rc", "d"}));
}

TEST(SplitFileLines, AcceptsEveryLineEndForm) {
  EXPECT_EQ(SplitFileLines(""), QStringList());
  EXPECT_EQ(SplitFileLines("a\r\nb\rc\nd"), QStringList({"a", "b", "c", "d"}));
  EXPECT_EQ(SplitFileLines("a\r\n"), QStringList({"a"}));
  EXPECT_EQ(SplitFileLines("a\n\nb\n"), QStringList({"a", "", "b"}));
  EXPECT_EQ(SplitFileLines("\r\n"), QStringList({""}));
  EXPECT_EQ(CountFileLines(u"a\r\r\nb"), 3);
}

TEST(NormalizeLineBreaks, TurnsEveryFormIntoCrLf) {
  EXPECT_EQ(NormalizeLineBreaks("1\n2\r3\r\n4\n\r5"), "1\r\n2\r\n3\r\n4\r\n5");
  EXPECT_EQ(NormalizeLineBreaks("1\r\n\r\n2"), "1\r\n\r\n2");
  EXPECT_EQ(NormalizeLineBreaks("plain"), "plain");
}

TEST(DecodeText, HonoursByteOrderMarksAndFallsBackToWindows1252) {
  const QString umlaut = QString::fromUtf8("Zahl ä€");
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF" + umlaut.toUtf8()), umlaut);
  QByteArray le("\xFF\xFE", 2), be("\xFE\xFF", 2);
  for (QChar c : umlaut) {
    le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    be.append(char(c.unicode() >> 8)).append(char(c.unicode() & 0xFF));
  }
  EXPECT_EQ(DecodeText(le), umlaut);
  EXPECT_EQ(DecodeText(be), umlaut);
  EXPECT_EQ(DecodeText(umlaut.toUtf8()), umlaut);
  EXPECT_EQ(DecodeText(QByteArray("Zahl \xE4\x80")), umlaut);  // not UTF-8: Windows-1252
  EXPECT_EQ(DecodeText(QByteArray()), QString());
  EXPECT_EQ(DecodeText(QByteArray("\xFF\xFE", 2)), QString());
}

TEST(ParseStrictInt, AcceptsOnlyWholeDecimalNumbersOf32Bits) {
  struct Case {
    QString text;
    bool ok;
    int value;
  };
  const Case cases[] = {
      {"7", true, 7},
      {"07", true, 7},
      {"+5", true, 5},
      {"-5", true, -5},
      {"0", true, 0},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, int(-2147483648LL)},
      {"2147483648", false, 0},
      {"99999999999", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {" 5", false, 0},
      {"5 ", false, 0},
      {"1,2", false, 0},
      {"$1F", false, 0},
      {"0x10", false, 0},
      {"1.5", false, 0},
      {QString::fromUtf8("５"), false, 0},
  };
  for (const auto& c : cases) {
    int v = 0;
    EXPECT_EQ(ParseStrictInt(c.text, &v), c.ok) << c.text.toStdString();
    if (c.ok) {
      EXPECT_EQ(v, c.value) << c.text.toStdString();
    }
  }
  EXPECT_EQ(InvalidIntegerMessage("3,"), "''3,'' is not a valid integer value");
}

TEST(Files, AWriteReplacesTheFileAndAFailedOneLeavesItUntouched) {
  const QString dir = testRootDir() + "/files";
  QDir().mkpath(dir);
  const QString path = dir + "/a.txt";
  WriteFileAtomically(path, "first");
  WriteFileAtomically(path, "second");
  EXPECT_EQ(ReadWholeFile(path, 100), "second");
  EXPECT_THROW(WriteFileAtomically(dir + "/missing/b.txt", "x"), std::runtime_error);
  try {
    WriteFileAtomically(dir + "/missing/b.txt", "x");
  } catch (const std::runtime_error& e) {
    EXPECT_TRUE(
        QString::fromStdString(e.what()).startsWith("Cannot create file \"" + dir + "/missing/b.txt\". "))
        << e.what();
  }
}

TEST(Files, ReadingRefusesMissingFoldersAndOversizedFiles) {
  const QString dir = testRootDir() + "/files2";
  QDir().mkpath(dir);
  try {
    ReadWholeFile(dir + "/none.txt", 100);
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_TRUE(QString::fromStdString(e.what()).startsWith("Cannot open file \"" + dir + "/none.txt\". "));
  }
  EXPECT_THROW(ReadWholeFile(dir, 100), std::runtime_error);
  WriteFileAtomically(dir + "/big.txt", QByteArray(101, 'x'));
  EXPECT_EQ(ReadWholeFile(dir + "/big.txt", 101).size(), 101);
  try {
    ReadWholeFile(dir + "/big.txt", 100);
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_TRUE(QString::fromStdString(e.what()).contains("big.txt")) << e.what();
    EXPECT_TRUE(QString::fromStdString(e.what()).contains(QString::fromUtf8("zu groß"))) << e.what();
  }
}

}  // namespace

TEST(DecodeText, SkipsOnlyTheOneByteOrderMarkAndKeepsAFurtherU_FEFFAsText) {
  const QString text = QChar(0xFEFF) + QStringLiteral("74");
  EXPECT_EQ(DecodeText("\xEF\xBB\xBF" + text.toUtf8()), text);
  QByteArray le("\xFF\xFE", 2);
  for (QChar c : text) le.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
  EXPECT_EQ(DecodeText(le), text);
}
