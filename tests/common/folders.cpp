// SPDX-License-Identifier: GPL-3.0-or-later
// The data folders below the user's data folder, and the settings file in them.
#include "common/folders.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/settings.h"
#include "platform/userfolders.h"
#include "support/test_env.h"

namespace {

QByteArray settingsText() {
  QFile f(SettingsFilePath());
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(DataFolders, LieBelowTheUsersDataFolderAndEndInASlash) {
  const QString base = testRootDir() + "/data/ZIEHFIX/";
  EXPECT_EQ(BaseDir(), base);
  EXPECT_EQ(ShotsDir(), base + "shots/");
  EXPECT_EQ(TicketsDir(), base + "Spielscheine/");
  EXPECT_EQ(SettingsDir(), base + "Einstellungen/");
  EXPECT_EQ(NumbersDir(), base + "Gewinnzahlen/");
  EXPECT_EQ(SettingsFilePath(), base + "Einstellungen/optionen.ini");
  EXPECT_EQ(TempDir(), testRootDir() + "/run/ZIEHFIX/") << "below $XDG_RUNTIME_DIR";
}

TEST(DataFolders, TheTemporaryFolderIsTheUsersAloneAndFallsBackBelowTheDataFolder) {
  EstablishDataFolders();
  EXPECT_EQ(QFileInfo(TempDir()).permissions() & 0x7077,
            QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

  const QString root = testRootDir() + "/fallback/";
  const QString fallback = root + "data/ZIEHFIX/tmp/";
  ASSERT_TRUE(QDir().mkpath(root + "data/ZIEHFIX"));
  ASSERT_TRUE(QDir().mkpath(root + "fremd"));
  ASSERT_TRUE(QFile::link(root + "fremd", root + "run-link"));
  EXPECT_EQ(EstablishPrivateFolder(root + "run-link", fallback), fallback) << "a planted link is never used";
  EXPECT_TRUE(QFileInfo(fallback).isDir());
  EXPECT_EQ(EstablishPrivateFolder(root + "run/", fallback), root + "run/")
      << "the runtime folder when it works";
  EXPECT_TRUE(QFileInfo(root + "fremd").permissions() & QFile::ReadOther)
      << "the link's target is left alone";
}

TEST(DataFolders, AreCreatedByEstablishingThemAndStayFixed) {
  EstablishDataFolders();
  for (const QString& dir : {BaseDir(), ShotsDir(), TicketsDir(), SettingsDir(), NumbersDir()})
    EXPECT_TRUE(QFileInfo(dir).isDir()) << dir.toStdString();
  const QString before = BaseDir();
  qputenv("XDG_DATA_HOME", "/elsewhere");
  EXPECT_EQ(BaseDir(), before);
  qputenv("XDG_DATA_HOME", (testRootDir() + "/data").toLocal8Bit());
  EstablishDataFolders();  // a second call changes nothing and does not fail
  EXPECT_TRUE(QFileInfo(NumbersDir()).isDir());
}

TEST(UserDataFolder, IgnoresARelativeXdgDataHome) {
  const QByteArray saved = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", "relative/path");
  EXPECT_EQ(UserDataFolder(), QDir::homePath() + "/.local/share");
  qunsetenv("XDG_DATA_HOME");
  EXPECT_EQ(UserDataFolder(), QDir::homePath() + "/.local/share");
  qputenv("XDG_DATA_HOME", "/abs/data/");
  EXPECT_EQ(UserDataFolder(), "/abs/data");
  qputenv("XDG_DATA_HOME", saved);
}

// The classic windows' places as stored files of every earlier version hold them.
TEST(WindowPlaces, WriteLeftTopThenWidthHeightInTheirSections) {
  EstablishDataFolders();
  QFile::remove(SettingsFilePath());
  EXPECT_FALSE(Settings::fileExists());
  Settings::setGeometry(Setting::kMainPlace, QRect(11, 22, 1038, 645));
  EXPECT_TRUE(Settings::fileExists());
  EXPECT_EQ(settingsText().toStdString(),
            "[Position]\nFMain-left=11\nFMain-top=22\n\n[Size]\nFMain-breite=1038\nFMain-hoehe=645\n");
  EXPECT_EQ(Settings::geometry(Setting::kMainPlace), QRect(11, 22, 1038, 645));

  Settings::setPosition(Setting::kEntryPlace, QPoint(-5, 0x10));
  EXPECT_TRUE(settingsText().contains("FEingabe-left=-5\nFEingabe-top=16\n"));
  EXPECT_LT(settingsText().indexOf("FEingabe-top"), settingsText().indexOf("[Size]"));
}

TEST(WindowPlaces, AFailedWriteStopsAtThatKeyWithTheSettingsPathInTheMessage) {
  EstablishDataFolders();
  QFile::remove(SettingsFilePath());
  ASSERT_TRUE(QDir().mkpath(SettingsFilePath()));  // a folder where the file should be
  try {
    Settings::setGeometry(Setting::kMainPlace, QRect(1, 2, 3, 4));
    ADD_FAILURE() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_EQ(QString::fromUtf8(e.what()), "Unable to write to " + SettingsFilePath());
  }
  EXPECT_EQ(Settings::get(Setting::kMainPlace.left, 7), 7);
  QDir().rmdir(SettingsFilePath());
}

}  // namespace
