// The self-deleting exit's shell script, run for real with /bin/sh on files in a temporary folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "net/selfdelete.h"

namespace {

// Runs the script and tells whether it ended; the bound is generous, a hanging script fails the test.
bool scriptEnds(const QString& script) {
  QProcess sh;
  sh.start(QStringLiteral("/bin/sh"), {script});
  if (sh.waitForFinished(30000)) return true;
  sh.kill();
  sh.waitForFinished();
  return false;
}

QString makeFile(const QString& path) {
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("#!/bin/true\n");
  return path;
}

class SelfDeleteScript : public ::testing::Test {
 protected:
  QTemporaryDir root;
  QString tempDir() const { return root.path() + "/tmp/"; }
  QString programDir() const { return root.path() + "/Pro gramm's \"Ordner\" $HOME `x`/"; }
  void SetUp() override {
    ASSERT_TRUE(QDir().mkpath(tempDir()));
    ASSERT_TRUE(QDir().mkpath(programDir()));
  }
};

TEST(ShellQuoting, wrapsInSingleQuotesAndEscapesEveryQuote) {
  EXPECT_EQ(ShellQuoted("a b"), "'a b'");
  EXPECT_EQ(ShellQuoted("it's"), "'it'\\''s'");
  EXPECT_EQ(ShellQuoted("''"), "''\\'''\\'''");
  EXPECT_EQ(ShellQuoted("$HOME `x` \"q\""), "'$HOME `x` \"q\"'");
  EXPECT_EQ(ShellQuoted(""), "''");
}

TEST_F(SelfDeleteScript, deletesTheProgramFileItsEmptyFolderAndItself) {
  const QString program = makeFile(programDir() + "zieh fix's.bin");
  const QString script = WriteSelfDeleteScript(program, tempDir(), 3, 0);

  EXPECT_TRUE(QFileInfo(script).fileName().startsWith("uis"));
  EXPECT_TRUE(script.endsWith(".sh"));
  const QString reservation = script.left(script.size() - 3) + ".tmp";
  EXPECT_TRUE(QFile::exists(reservation)) << "the empty reservation file stays";

  ASSERT_TRUE(scriptEnds(script));
  EXPECT_FALSE(QFile::exists(program));
  EXPECT_FALSE(QFileInfo::exists(programDir())) << "the emptied program folder is removed";
  EXPECT_FALSE(QFile::exists(script)) << "the script deletes itself";
  EXPECT_TRUE(QFile::exists(reservation));
}

TEST_F(SelfDeleteScript, keepsAProgramFolderThatHoldsOtherFiles) {
  const QString program = makeFile(programDir() + "ziehfix");
  const QString other = makeFile(programDir() + "liesmich.txt");
  ASSERT_TRUE(scriptEnds(WriteSelfDeleteScript(program, tempDir(), 3, 0)));
  EXPECT_FALSE(QFile::exists(program));
  EXPECT_TRUE(QFile::exists(other));
}

TEST_F(SelfDeleteScript, givesUpAfterTheRetryLimitWhenTheFileCannotBeDeleted) {
  // A non-empty folder in the program file's place resists "rm -f" for every user, root included.
  const QString program = programDir() + "ziehfix";
  ASSERT_TRUE(QDir().mkpath(program));
  makeFile(program + "/inhalt");
  const QString script = WriteSelfDeleteScript(program, tempDir(), 2, 0);

  ASSERT_TRUE(scriptEnds(script)) << "the script must not spin for ever";
  EXPECT_TRUE(QFileInfo::exists(program));
  EXPECT_TRUE(QFileInfo::exists(programDir()));
  EXPECT_FALSE(QFile::exists(script));
}

TEST_F(SelfDeleteScript, twoScriptsNeverShareAName) {
  const QString program = makeFile(programDir() + "ziehfix");
  const QString first = WriteSelfDeleteScript(program, tempDir(), 0, 0);
  const QString second = WriteSelfDeleteScript(program, tempDir(), 0, 0);
  EXPECT_NE(first, second);
}

TEST_F(SelfDeleteScript, aTemporaryFolderThatCannotBeWrittenIsReportedAsAnError) {
  const QString program = makeFile(programDir() + "ziehfix");
  try {
    WriteSelfDeleteScript(program, root.path() + "/fehlt/", 0, 0);
    FAIL() << "no exception";
  } catch (const std::runtime_error& e) {
    EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith("Cannot create file")) << e.what();
  }
}

TEST(SelfDeletingExitRoad, runsTheInstalledRoutineInsteadOfEndingTheProgram) {
  int calls = 0;
  auto previous = InstallSelfDeletingExit([&] { ++calls; });
  SelfDeletingExit();
  InstallSelfDeletingExit(previous);
  EXPECT_EQ(calls, 1);
}

}  // namespace
