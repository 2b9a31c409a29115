// SPDX-License-Identifier: GPL-3.0-or-later
// A link planted where the program keeps its temporary folder, met on the program's own path: the
// folders are established as at start, with the runtime folder's name as the program spells it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/folders.h"
#include "support/test_env.h"

namespace {

int modeOf(const QString& path) {
  struct stat st {};
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

// Alone in its program: the folders are fixed once established, so no other test may come first.
TEST(PlantedRuntimeLink, IsRefusedAndTheTemporaryFolderFallsBackBelowTheDataFolder) {
  const QString target = testRootDir() + "/fremd";
  ASSERT_TRUE(QDir().mkpath(target));
  ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0755), 0);
  ASSERT_TRUE(QFile::link(target, qEnvironmentVariable("XDG_RUNTIME_DIR") + "/ZIEHFIX"));

  EstablishDataFolders();
  EXPECT_EQ(TempDir().toStdString(), (BaseDir() + "tmp/").toStdString());
  EXPECT_EQ(modeOf(TempDir()), 0700);
  EXPECT_TRUE(QFileInfo(TempDir()).isDir() && !QFileInfo(TempDir()).isSymLink());
  EXPECT_EQ(modeOf(target), 0755) << "the link's target is left alone";
}

}  // namespace
