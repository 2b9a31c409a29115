// SPDX-License-Identifier: GPL-3.0-or-later
// Private folders and new files in them, against planted files, links and loose modes.
#include "platform/private_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/test_env.h"

namespace {

int modeOf(const QString& path) {
  struct stat st {};
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

class PrivateFiles : public ::testing::Test {
 protected:
  QTemporaryDir root{testRootDir() + "/private-XXXXXX"};
  QString at(const QString& name) const { return root.path() + "/" + name; }
  void plant(const QString& name, const QByteArray& bytes) {
    QFile f(at(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
};

TEST_F(PrivateFiles, aFolderIsMadeOrTightenedToTheUserAloneButNeverThroughALink) {
  EXPECT_TRUE(MakePrivateFolder(at("neu")));
  EXPECT_EQ(modeOf(at("neu")), 0700);

  ASSERT_TRUE(QDir().mkdir(at("offen")));
  ASSERT_EQ(::chmod(QFile::encodeName(at("offen")).constData(), 0777), 0);
  EXPECT_TRUE(MakePrivateFolder(at("offen")));
  EXPECT_EQ(modeOf(at("offen")), 0700);

  ASSERT_TRUE(QDir().mkdir(at("ziel")));
  ASSERT_EQ(::chmod(QFile::encodeName(at("ziel")).constData(), 0755), 0);
  ASSERT_TRUE(QFile::link(at("ziel"), at("verweis")));
  for (const QString& spelling : {at("verweis"), at("verweis/"), at("verweis//"), at("verweis/.")}) {
    QString why;
    EXPECT_FALSE(MakePrivateFolder(spelling, &why)) << spelling.toStdString();
    EXPECT_FALSE(why.isEmpty());
  }
  EXPECT_EQ(modeOf(at("ziel")), 0755) << "the link's target is left alone";

  plant("datei", "x");
  EXPECT_FALSE(MakePrivateFolder(at("datei")));
  EXPECT_FALSE(MakePrivateFolder(at("fehlt/tiefer")));
}

TEST_F(PrivateFiles, aFolderOfAnotherUserIsRefusedAndLeftAlone) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give a folder to another user";
  ASSERT_TRUE(QDir().mkdir(at("fremd")));
  const QByteArray name = QFile::encodeName(at("fremd"));
  ASSERT_EQ(::chown(name.constData(), 4242, 4242), 0);
  ASSERT_EQ(::chmod(name.constData(), 0755), 0);
  EXPECT_FALSE(MakePrivateFolder(at("fremd") + "/"));
  EXPECT_EQ(modeOf(at("fremd")), 0755);
}

TEST_F(PrivateFiles, aNewFileGetsItsModeAndBytesWhateverTheUmask) {
  const mode_t old = ::umask(0077);
  WriteNewPrivateFile(at("skript.sh"), "#!/bin/sh\n", 0700);
  ::umask(old);
  EXPECT_EQ(modeOf(at("skript.sh")), 0700);
  EXPECT_EQ(contents(at("skript.sh")), "#!/bin/sh\n");
  WriteNewPrivateFile(at("leer"), QByteArray());
  EXPECT_EQ(modeOf(at("leer")), 0600);
}

TEST_F(PrivateFiles, aPlantedFileOrLinkMakesTheWriteFailAndStaysUntouched) {
  plant("gepflanzt", "fremd");
  plant("ziel", "Ziel");
  ASSERT_TRUE(QFile::link(at("ziel"), at("verweis")));
  ASSERT_TRUE(QFile::link(at("nirgends"), at("toter-verweis")));
  for (const char* name : {"gepflanzt", "verweis", "toter-verweis"}) {
    SCOPED_TRACE(name);
    try {
      WriteNewPrivateFile(at(name), "unser");
      ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
      EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith("Cannot create file \"" + at(name) + "\"."))
          << e.what();
    }
  }
  EXPECT_EQ(contents(at("gepflanzt")), "fremd");
  EXPECT_EQ(contents(at("ziel")), "Ziel");
  EXPECT_FALSE(QFile::exists(at("nirgends"))) << "a dangling link is not followed either";
}

}  // namespace
