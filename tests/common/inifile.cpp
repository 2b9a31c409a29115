// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file format: what reads give back for stored texts, and what writes leave in the file.
#include "common/inifile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <stdexcept>

#include "support/test_env.h"
#include "support/test_files.h"

namespace {

class IniFileTest : public ::testing::Test {
 protected:
  QTemporaryDir dir{testRootDir() + "/ini-XXXXXX"};
  QString path = dir.path() + "/optionen.ini";

  void store(const QByteArray& bytes) { ASSERT_TRUE(WriteTestFile(path, bytes)); }
  QByteArray stored() const { return ReadTestFile(path); }
};

struct IntCase {
  const char* stored;
  int def;
  int expected;
  friend void PrintTo(const IntCase& c, std::ostream* os) { *os << "'" << c.stored << "'"; }
};

class IntReading : public IniFileTest, public ::testing::WithParamInterface<IntCase> {};

TEST_P(IntReading, StoredTextGivesNumberOrDefault) {
  store(QByteArray("[Position]\r\nFMain-left=") + GetParam().stored + "\r\n");
  EXPECT_EQ(IniFile(path).readInt("Position", "FMain-left", GetParam().def), GetParam().expected)
      << "stored: '" << GetParam().stored << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Table, IntReading,
    ::testing::Values(IntCase{"42", 0, 42}, IntCase{"-7", 0, -7}, IntCase{"+8", 0, 8}, IntCase{"0x10", 0, 16},
                      IntCase{"0X1f", 0, 31}, IntCase{"0x", 5, 5}, IntCase{"abc", 70, 70},
                      IntCase{"12abc", 70, 70}, IntCase{"", 70, 70}, IntCase{"1.5", 70, 70},
                      IntCase{"  12  ", 0, 12}, IntCase{"2147483647", 0, 2147483647},
                      IntCase{"-2147483648", 0, -2147483647 - 1}, IntCase{"2147483648", 3, 3},
                      IntCase{"99999999999999999999", 3, 3}, IntCase{"0x80000000", 3, 3},
                      IntCase{"0x-5", 3, 3}, IntCase{"-", 3, 3}, IntCase{"１２", 3, 3}));

struct BoolCase {
  const char* stored;
  bool def;
  bool expected;
  friend void PrintTo(const BoolCase& c, std::ostream* os) { *os << "'" << c.stored << "'"; }
};

class BoolReading : public IniFileTest, public ::testing::WithParamInterface<BoolCase> {};

TEST_P(BoolReading, StoredTextIsReadAsInteger) {
  store(QByteArray("[Auswertung]\r\nsofort=") + GetParam().stored + "\r\n");
  EXPECT_EQ(IniFile(path).readBool("Auswertung", "sofort", GetParam().def), GetParam().expected)
      << "stored: '" << GetParam().stored << "'";
}

INSTANTIATE_TEST_SUITE_P(Table, BoolReading,
                         ::testing::Values(BoolCase{"0", true, false}, BoolCase{"1", false, true},
                                           BoolCase{"2", false, true}, BoolCase{"-1", false, true},
                                           BoolCase{"0x0", true, false}, BoolCase{"ja", true, true},
                                           BoolCase{"ja", false, false}, BoolCase{"true", false, false},
                                           BoolCase{"", true, true}));

TEST_F(IniFileTest, SectionAndKeyNamesIgnoreCase) {
  store("[POSITION]\r\nfmain-LEFT=5\r\n");
  IniFile ini(path);
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 5);
  ini.writeInt("position", "FMAIN-left", 9);
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 9);
  EXPECT_EQ(stored().count("="), 1) << stored().constData();
  EXPECT_EQ(stored().toLower().count("[position]"), 1) << stored().constData();
}

TEST_F(IniFileTest, StringsComeBackUnchangedWithEuroSignAndComma) {
  IniFile ini(path);
  ini.writeString("Wach", "Stand", QString::fromUtf8("12,50 € \"gespendet\""));
  EXPECT_EQ(ini.readString("Wach", "Stand", "0"), QString::fromUtf8("12,50 € \"gespendet\""));
  EXPECT_TRUE(stored().contains(QString::fromUtf8("Stand=12,50 € \"gespendet\"").toUtf8()))
      << stored().constData();
}

TEST_F(IniFileTest, AnsiBytesOfAnOldFileAreReadAsWindows1252) {
  store("[Wach]\r\nStand=12,50 \x80\r\n");
  EXPECT_EQ(IniFile(path).readString("Wach", "Stand", "0"), QString::fromUtf8("12,50 €"));
}

TEST_F(IniFileTest, AFileSavedAsUtf16IsReadAndRewrittenAsUtf8) {
  const QString text = QString::fromUtf8("[Wach]\r\nStand=12,50 €\r\n[Position]\r\nFMain-left=3\r\n");
  QByteArray utf16("\xFF\xFE", 2);
  utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
  store(utf16);
  IniFile ini(path);
  EXPECT_EQ(ini.readString("Wach", "Stand", "0"), QString::fromUtf8("12,50 €"));
  ini.writeInt("Position", "FMain-top", 4);
  EXPECT_EQ(stored().toStdString(),
            "[Wach]\r\nStand=12,50 €\r\n[Position]\r\nFMain-left=3\r\nFMain-top=4\r\n");
}

TEST_F(IniFileTest, ANulByteHidesNoKeyFromAReadOrAWrite) {
  static const char bytes[] = "[Position]\r\nFMain-left=3\0\r\n[Wach]\r\nStand=12\r\n";
  store(QByteArray(bytes, sizeof bytes - 1));
  IniFile ini(path);
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 3);
  ini.writeInt("Size", "FMain-hoehe", 600);
  EXPECT_EQ(ini.readString("Wach", "Stand", "0"), "12");
  EXPECT_FALSE(stored().contains('\0'));
}

TEST_F(IniFileTest, LineBreaksInAStringCannotInjectKeysOrSections) {
  IniFile ini(path);
  ini.writeString("Wach", "Stand", "1\r\n[Position]\r\nFMain-left=99\nFMain-top=98\rx");
  EXPECT_EQ(ini.readInt("Position", "FMain-left", -1), -1);
  EXPECT_EQ(ini.readInt("Wach", "FMain-top", -1), -1);
  EXPECT_EQ(ini.readString("Wach", "Stand", ""), "1  [Position]  FMain-left=99 FMain-top=98 x");
  EXPECT_FALSE(stored().contains('\r'));
  EXPECT_EQ(stored().count('\n'), 2) << stored().constData();
}

TEST_F(IniFileTest, MissingFileGivesDefaultsAndTheFirstWriteCreatesIt) {
  IniFile ini(path);
  EXPECT_FALSE(ini.exists());
  EXPECT_EQ(ini.readInt("Position", "FMain-top", 70), 70);
  EXPECT_EQ(ini.readString("Lose", "neue", "10"), "10");
  EXPECT_TRUE(ini.readBool("Auswertung", "sofort", true));
  ini.writeString("Wach", "Stand", "0");
  EXPECT_TRUE(ini.exists());
  EXPECT_EQ(stored(), "[Wach]\nStand=0\n");
}

TEST_F(IniFileTest, ANewSectionIsAddedAtTheEndAndKeysAreReplacedInPlace) {
  store("; comment\r\n[A]\r\nx=1\r\ny=2\r\n[B]\r\nz=3\r\n");
  IniFile ini(path);
  ini.writeInt("C", "k", 4);
  ini.writeInt("A", "x", 5);
  ini.writeInt("B", "w", 6);
  const QByteArray text = stored();
  EXPECT_TRUE(text.startsWith("; comment\r\n")) << text.constData();
  EXPECT_LT(text.indexOf("[A]"), text.indexOf("[B]"));
  EXPECT_LT(text.indexOf("[B]"), text.indexOf("[C]"));
  EXPECT_LT(text.indexOf("x=5"), text.indexOf("y=2"));
  EXPECT_LT(text.indexOf("z=3"), text.indexOf("w=6"));
  EXPECT_LT(text.indexOf("w=6"), text.indexOf("[C]"));
  EXPECT_FALSE(text.contains("x=1"));
  EXPECT_TRUE(text.contains("k=4"));
}

TEST_F(IniFileTest, BinaryOrOversizedFilesReadAsDefaultsAndAreNeverOverwritten) {
  QByteArray garbage(IniFile::kMaxBytes + 10, '\0');
  for (int i = 0; i < garbage.size(); ++i) garbage[i] = char((qint64(i) * 7919) % 251);
  garbage.replace(0, 20, "[Position]\nFMain-left=3\n");
  store(garbage);
  IniFile ini(path);
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 0);
  EXPECT_THROW(ini.writeInt("Position", "FMain-left", 1), std::runtime_error);
  EXPECT_EQ(stored(), garbage);

  QByteArray small = garbage.left(5000);
  store(small);
  EXPECT_EQ(ini.readString("Wach", "Stand", "0"), "0");
}

TEST_F(IniFileTest, AWriteBelowAFileInsteadOfAFolderThrowsUnableToWrite) {
  QFile blocker(dir.path() + "/Einstellungen");
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  const QString blocked = dir.path() + "/Einstellungen/optionen.ini";
  try {
    IniFile(blocked).writeInt("Position", "FMain-left", 1);
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(QString::fromUtf8(e.what()), "Unable to write to " + blocked);
  }
}

// A write that fails half-way (here: the file size limit, which holds for root too) must leave the
// old file exactly as it was.
TEST_F(IniFileTest, AWriteThatFailsHalfWayLeavesTheOldFileUnchanged) {
  const QByteArray old = "[Position]\nFMain-left=1\n";
  store(old);
  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit tight = saved;
  tight.rlim_cur = static_cast<rlim_t>(old.size());
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
  QString message;
  try {
    IniFile(path).writeString("Wach", "Stand", QString(200, 'x'));
  } catch (const std::runtime_error& e) {
    message = QString::fromUtf8(e.what());
  }
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(message, "Unable to write to " + path);
  EXPECT_EQ(stored(), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"optionen.ini"});
}

}  // namespace

TEST_F(IniFileTest, AValueBeginningWithAZeroWidthNoBreakSpaceKeepsIt) {
  const IniFile ini(path);
  const QString value = QChar(0xFEFF) + QStringLiteral("12,50");
  ini.writeString("Wach", "Stand", value);
  EXPECT_EQ(ini.readString("Wach", "Stand", "0"), value);
}

TEST_F(IniFileTest, AHandEditedFileReadsTheFirstOfTwoKeysAndAWriteChangesOnlyThatLine) {
  const QByteArray edited =
      "\xEF\xBB\xBF; von Hand bearbeitet\r\n"
      "[Position]\r\n"
      "  FMain-left = 12 \r\n"
      "FMain-left=99\r\n"
      "dies ist keine Zeile mit Schluessel\r\n"
      "# noch ein Kommentar\r\n"
      "\r\n"
      "[Wach]\r\n"
      "Stand=3,00\r\n"
      "[position]\r\n"
      "FMain-top=80";  // the last line has no line end
  store(edited);
  IniFile ini(path);
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 12);
  EXPECT_EQ(ini.readInt("Position", "FMain-top", 0), 80) << "a second section of the name is read too";

  ini.writeInt("Position", "FMain-left", 7);
  QByteArray expected = edited;
  expected.replace("  FMain-left = 12 \r\n", "  FMain-left =7\r\n");
  EXPECT_EQ(stored(), expected);
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 7);

  ini.writeInt("Position", "FMain-top", 90);
  expected.replace("FMain-top=80", "FMain-top=90");
  EXPECT_EQ(stored(), expected);

  ini.writeString("Wach", "Neu", "ja");
  expected.replace("Stand=3,00\r\n", "Stand=3,00\r\nNeu=ja\r\n");
  EXPECT_EQ(stored(), expected);

  ini.writeString("Lose", "neue", "10");
  EXPECT_EQ(stored(), expected + "\r\n\r\n[Lose]\r\nneue=10\r\n");
  EXPECT_EQ(ini.readString("Lose", "neue", ""), "10");
}
