// SPDX-License-Identifier: GPL-3.0-or-later
// Settings files that were damaged, replaced or made unreadable: reads give the defaults, a write
// either succeeds without losing the other keys or fails and leaves the file as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <stdexcept>

#include "common/folders.h"
#include "common/inifile.h"
#include "common/settings.h"
#include "support/test_env.h"
#include "support/test_files.h"

namespace {

class HostileSettings : public ::testing::Test {
 protected:
  QTemporaryDir dir{testRootDir() + "/hostile-ini-XXXXXX"};
  QString path = dir.path() + "/optionen.ini";

  void store(const QByteArray& bytes) { ASSERT_TRUE(WriteTestFile(path, bytes)); }
  QByteArray stored() const {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
  }
  // The error text of a write, or "<none>".
  QString writeError(const std::function<void()>& write) {
    try {
      write();
    } catch (const std::runtime_error& e) {
      return QString::fromUtf8(e.what());
    }
    return "<none>";
  }
};

struct JunkCase {
  const char* sentence;
  QByteArray bytes;
};

class JunkFile : public HostileSettings, public ::testing::WithParamInterface<JunkCase> {};

TEST_P(JunkFile, reads_the_defaults_and_a_write_adds_its_key) {
  store(GetParam().bytes);
  const IniFile ini(path);
  EXPECT_EQ(ini.readInt("Position", "FMain-top", 70), 70) << GetParam().sentence;
  EXPECT_EQ(ini.readBool("Auswertung", "sofort", true), true) << GetParam().sentence;
  EXPECT_EQ(ini.readString("Wach", "Stand", "0"), "0") << GetParam().sentence;
  ini.writeString("Wach", "Stand", "12,50 €");
  EXPECT_EQ(ini.readString("Wach", "Stand", "0"), "12,50 €") << GetParam().sentence;
  EXPECT_EQ(ini.readInt("Position", "FMain-top", 70), 70) << GetParam().sentence;
}

template <std::size_t N>
QByteArray withNuls(const char (&text)[N]) {
  return QByteArray(text, N - 1);
}

QByteArray randomBytes(int size) {
  QRandomGenerator random(4711);
  QByteArray bytes(size, '\0');
  for (char& b : bytes) b = static_cast<char>(random.bounded(256));
  return bytes.replace('=', '-');  // junk without a single key
}

INSTANTIATE_TEST_SUITE_P(
    Table, JunkFile,
    ::testing::Values(JunkCase{"binary garbage", randomBytes(100000)},
                      JunkCase{"numbers of 40 digits", "[Position]\r\nFMain-top=" + QByteArray(40, '9') +
                                                           "\r\n[Auswertung]\r\nsofort=-" +
                                                           QByteArray(40, '1') + "\r\n[Wach]\r\n"},
                      JunkCase{"hexadecimal beyond 32 bits", "[Position]\r\nFMain-top=0x1FFFFFFFF\r\n"},
                      JunkCase{"a line of a million characters",
                               QByteArray(1000000, 'x') + "\r\n[Size]\r\nFMain-hoehe=5\r\n"},
                      JunkCase{"a section that never closes", "[Position\r\nFMain-top=5\r\n"},
                      JunkCase{"invalid UTF-8", "[Position]\r\nFMain-top=\xff\xfe\x80\r\n"},
                      JunkCase{"UTF-16 text", withNuls("\xff\xfe[\0P\0o\0s\0]\0\r\0\n\0")}));

TEST_F(HostileSettings, a_folder_in_place_of_the_file_gives_defaults_and_refuses_writes) {
  ASSERT_TRUE(QDir().mkpath(path + "/inside"));
  const IniFile ini(path);
  EXPECT_FALSE(ini.exists());
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 0);
  EXPECT_EQ(ini.readString("Neue Gewinnzahlen", "Url", "default"), "default");
  EXPECT_EQ(writeError([&] { ini.writeInt("Position", "FMain-left", 5); }), "Unable to write to " + path);
  EXPECT_TRUE(QFileInfo(path + "/inside").isDir());
}

TEST_F(HostileSettings, an_unreadable_file_gives_defaults_and_is_never_overwritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "running as root: permissions do not stop reading";
  const QByteArray old = "[Position]\r\nFMain-left=3\r\n";
  store(old);
  ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::Permissions()));
  const IniFile ini(path);
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 0);
  EXPECT_EQ(writeError([&] { ini.writeInt("Position", "FMain-top", 5); }), "Unable to write to " + path);
  ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
  EXPECT_EQ(stored(), old);
}

TEST_F(HostileSettings, a_nul_byte_hides_no_key_and_a_write_keeps_every_key) {
  store(withNuls("[Position]\r\nFMain-left=3\0\r\n[Wach]\r\nStand=12\r\n"));
  const IniFile ini(path);
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 3);
  EXPECT_EQ(ini.readString("Wach", "Stand", "0"), "12");
  ini.writeInt("Size", "FMain-hoehe", 600);
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 3);
  EXPECT_EQ(ini.readString("Wach", "Stand", "0"), "12");
  EXPECT_EQ(ini.readInt("Size", "FMain-hoehe", 0), 600);
  EXPECT_FALSE(stored().contains('\0'));
}

TEST_F(HostileSettings, a_junk_key_that_looks_like_a_utf16_mark_does_not_make_a_write_lose_the_file) {
  // The junk lines stay where they are; the file must stay UTF-8 for the next read.
  store(
      "junk\r\n\xfe\xff"
      "ad=1\r\n[Wach]\r\nStand=5\r\n");
  const IniFile ini(path);
  ASSERT_EQ(ini.readString("Wach", "Stand", "0"), "5");
  ini.writeInt("Position", "FMain-left", 7);
  EXPECT_EQ(ini.readString("Wach", "Stand", "0"), "5");
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 7);
  ini.writeInt("Position", "FMain-top", 8);
  EXPECT_EQ(ini.readInt("Position", "FMain-left", 0), 7);
  EXPECT_EQ(ini.readInt("Position", "FMain-top", 0), 8);
}

TEST_F(HostileSettings, the_program_settings_file_replaced_by_a_folder_reads_as_missing) {
  EstablishDataFolders();
  const QString settings = SettingsFilePath();
  QFile::remove(settings);
  ASSERT_TRUE(QDir().mkpath(settings));
  EXPECT_FALSE(Settings::fileExists());
  EXPECT_EQ(Settings::get(Setting::kMainPlace.width), 1038);
  EXPECT_EQ(writeError([] { Settings::setPosition(Setting::kMainPlace, QPoint(1, 2)); }),
            "Unable to write to " + settings);
  ASSERT_TRUE(QDir().rmdir(settings));
}

}  // namespace
