// SPDX-License-Identifier: GPL-3.0-or-later
// "Installation" for real, in a copy of this test program in a temporary folder: the copy clicks it
// with a planted installer, and the program file goes only when an installer really started.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include "common/folders.h"
#include "support/scripted_prompter.h"
#include "ui/update/update.h"

namespace {

const char* kInstallerVariable = "ZIEHFIX_TEST_INSTALLER";

bool inTheCopy() {
  return qEnvironmentVariableIsSet(kInstallerVariable);
}

// In the copy: plants the installer, answers Yes, and reports every message on stderr. Returns only
// when the program keeps running.
void installInTheCopy() {
  const QByteArray installer = QByteArray::fromHex(qgetenv(kInstallerVariable));
  EstablishDataFolders();
  {
    QFile f(LocalInstaller());
    if (!f.open(QIODevice::WriteOnly) || f.write(installer) != installer.size()) std::_Exit(3);
  }
  ScriptedPrompter prompter;
  prompter.confirmAnswers = {true};
  TFUpdate window(nullptr, true);
  window.BSetupClick();
  for (const QString& text : prompter.texts())
    std::fprintf(stderr, "MESSAGE=%s\n", text.toUtf8().constData());
  std::fflush(stderr);
}

class Installation : public ::testing::Test {
 protected:
  QTemporaryDir root;
  QString folder = root.path() + "/Programm/";
  QString copy = folder + "ziehfix";
  QString marker = root.path() + "/installer-ran";
  QString output;

  // Runs the copy with this installer and waits for it to end.
  void runCopy(const QByteArray& installer) {
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    ASSERT_TRUE(QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kInstallerVariable, QString::fromLatin1(installer.toHex()));
    child.setProcessEnvironment(env);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    child.start(copy, {QStringLiteral("--gtest_filter=%1.%2").arg(test->test_suite_name(), test->name())});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0);
    output = QString::fromUtf8(child.readAllStandardError());
  }
  bool gone(const QString& path) {
    for (int i = 0; i < 200 && QFileInfo::exists(path); ++i) QThread::msleep(50);
    return !QFileInfo::exists(path);
  }
};

TEST_F(Installation, aRealInstallerScriptRunsAndTheProgramFileGoes) {
  if (inTheCopy()) return installInTheCopy();
  runCopy("#!/bin/sh\necho ran > '" + QFile::encodeName(marker) + "'\n");
  EXPECT_FALSE(output.contains("MESSAGE=Update konnte")) << output.toStdString();
  EXPECT_TRUE(gone(copy)) << "the self-deleting script removed the program file";
  EXPECT_TRUE(gone(folder)) << "and its emptied folder";
  EXPECT_TRUE(QFile::exists(marker)) << "the installer ran";
}

TEST_F(Installation, anInstallerThatCannotStartLeavesTheProgramWithTheMessage) {
  if (inTheCopy()) return installInTheCopy();
  struct Case {
    const char* name;
    QByteArray installer;
  };
  const Case cases[] = {
      {"a Windows program", "MZ\x90\x00\x03\x00"},
      {"an empty file", ""},
      {"a failing start", "#!/gibt/es/nicht\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(copy);
    runCopy(c.installer);
    EXPECT_TRUE(
        output.contains("MESSAGE=Update konnte nicht gestartet werden. Bitte schließen Sie das "
                        "Programm und starten Sie das Update manuell durch Doppelklick auf die "
                        "Datei \"Update.exe\" im Verzeichnis "))
        << output.toStdString();
    QThread::msleep(300);
    EXPECT_TRUE(QFile::exists(copy)) << "the program file stays";
  }
}

}  // namespace
