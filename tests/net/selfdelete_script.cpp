// SPDX-License-Identifier: GPL-3.0-or-later
// The self-deleting exit's shell script, run for real with /bin/sh on files in a temporary folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include "common/folders.h"
#include "net/selfdelete.h"
#include "support/test_env.h"

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

// The real exit road, run in a copy of this test program: the copy ends at once with status 0, no
// destructor runs, and shortly after the script has removed the copy, its folder and itself.
TEST(SelfDeletingExitRoad, endsTheProgramAtOnceAndTheScriptRemovesTheProgramFile) {
  const QByteArray childMarker = qgetenv("ZIEHFIX_SELFDELETE_MARKER");
  if (!childMarker.isEmpty()) {  // the copy
    struct WritesOnDestruction {
      QByteArray path;
      ~WritesOnDestruction() {
        QFile f(QString::fromLocal8Bit(path));
        (void)f.open(QIODevice::WriteOnly);
      }
    } unwinding{childMarker};
    EstablishDataFolders();  // as the program does at start-up
    std::fprintf(stderr, "TEMP=%s\n", TempDir().toLocal8Bit().constData());
    std::fflush(stderr);
    SelfDeletingExit();
    FAIL() << "the exit road returned";
  }

  QTemporaryDir root;
  const QString folder = root.path() + "/Pro gramm's/";
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString copy = folder + "ziehfix copy";
  ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), copy));
  ASSERT_TRUE(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  const QString marker = root.path() + "/unwound";

  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("ZIEHFIX_SELFDELETE_MARKER", marker);
  child.setProcessEnvironment(env);
  child.start(copy, {"--gtest_filter=SelfDeletingExitRoad.endsTheProgramAtOnce*"});
  ASSERT_TRUE(child.waitForFinished(60000));
  EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(child.exitCode(), 0);
  EXPECT_FALSE(QFile::exists(marker)) << "nothing ran after the exit: no destructor, no closing handler";
  const QString output = QString::fromLocal8Bit(child.readAllStandardError());
  const qsizetype at = output.indexOf("TEMP=");
  ASSERT_GE(at, 0) << output.toStdString();
  const QString childTemp = output.mid(at + 5).section('\n', 0, 0);

  const auto scriptsLeft = [&] { return !QDir(childTemp).entryList({"uis*.sh"}, QDir::Files).isEmpty(); };
  for (int i = 0; i < 400 && (QFileInfo::exists(folder) || scriptsLeft()); ++i) QThread::msleep(50);
  EXPECT_FALSE(QFile::exists(copy));
  EXPECT_FALSE(QFileInfo::exists(folder));
  EXPECT_FALSE(scriptsLeft()) << "the script deletes itself";
  // The copy's own temporary test folder could not clean up after itself.
  if (childTemp.contains("ziehfix-test-"))
    QDir(QFileInfo(childTemp.chopped(1)).absolutePath()).removeRecursively();
}

}  // namespace
