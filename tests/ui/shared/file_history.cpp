// SPDX-License-Identifier: GPL-3.0-or-later
// Where the file dialogs start and which ticket files are offered again.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "common/folders.h"
#include "support/test_env.h"
#include "ui/shared/filehistory.h"

class FileHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EstablishDataFolders();
    QFile::remove(SettingsFilePath());
    FileHistory::load();
    root_ = testRootDir() + "/history/";
    for (const char* sub : {"a", "b"}) QDir().mkpath(root_ + sub);
  }
  QString root_;
};

TEST_F(FileHistoryTest, TheFirstTimeTheDataFoldersThenTheFolderOfTheLastFileOfEachKind) {
  EXPECT_EQ(FileHistory::ticketFolder(), TicketsDir());
  EXPECT_EQ(FileHistory::numberFolder(), NumbersDir());
  FileHistory::ticketFileUsed(root_ + "a/x.lose");
  FileHistory::numberFileUsed(root_ + "b/y.zfgz");
  EXPECT_EQ(FileHistory::ticketFolder(), root_ + "a/");
  EXPECT_EQ(FileHistory::numberFolder(), root_ + "b/");
  QDir(root_ + "b").removeRecursively();
  EXPECT_EQ(FileHistory::numberFolder(), NumbersDir()) << "a folder that is gone gives the data folder";
}

TEST_F(FileHistoryTest, TheListKeepsTheLastEightNewestFirstWithoutRepeatsAndSurvivesARestart) {
  for (int i = 1; i <= 10; ++i) FileHistory::ticketFileUsed(root_ + QString("a/%1.lose").arg(i));
  FileHistory::ticketFileUsed(root_ + "a/5.lose");
  QStringList expected;
  for (int i : {5, 10, 9, 8, 7, 6, 4, 3}) expected << root_ + QString("a/%1.lose").arg(i);
  EXPECT_EQ(FileHistory::recentTicketFiles(), expected);

  FileHistory::save();
  FileHistory::forgetTicketFile(expected[0]);
  FileHistory::load();
  EXPECT_EQ(FileHistory::recentTicketFiles(), expected) << "only a saved change is kept";
  FileHistory::forgetTicketFile(expected[0]);
  FileHistory::save();
  FileHistory::load();
  EXPECT_EQ(FileHistory::recentTicketFiles(), expected.mid(1));
  EXPECT_EQ(FileHistory::ticketFolder(), root_ + "a/");
}

TEST_F(FileHistoryTest, NothingIsWrittenWhenNoFileWasUsed) {
  FileHistory::save();
  EXPECT_FALSE(QFile::exists(SettingsFilePath()));
}
