// SPDX-License-Identifier: GPL-3.0-or-later
// Which files may be started as a program, and starting them detached.
#include "platform/program_start.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "support/test_env.h"

namespace {

// An ELF head like own, with the class, machine or type bytes changed.
QByteArray elfLike(QByteArray own, int offset, const QByteArray& bytes) {
  own.replace(offset, bytes.size(), bytes);
  return own;
}

TEST(ClassifyProgram, takesOnlyThisMachinesProgramsAndScripts) {
  const QByteArray own = OwnElfHeader();
  ASSERT_TRUE(
      own.startsWith("\x7f"
                     "ELF"))
      << "the test program is an ELF file";
  const bool little = own[5] == 1;
  const QByteArray otherMachine = little ? QByteArray("\x28\x00", 2) : QByteArray("\x00\x28", 2);  // ARM
  const QByteArray relocatable = little ? QByteArray("\x01\x00", 2) : QByteArray("\x00\x01", 2);
  struct Case {
    const char* name;
    QByteArray head;
    ProgramKind kind;
  };
  const Case cases[] = {
      {"this program itself", own, ProgramKind::NativeProgram},
      {"a shell script", "#!/bin/sh\necho", ProgramKind::Script},
      {"a Windows program", "MZ\x90\x00\x03", ProgramKind::WindowsProgram},
      {"an empty file", "", ProgramKind::Empty},
      {"a text file", "Hallo", ProgramKind::Other},
      {"a script mark later in the file", " #!/bin/sh", ProgramKind::Other},
      {"an ELF program for another machine", elfLike(own, 18, otherMachine), ProgramKind::Other},
      {"an ELF program of the other word size", elfLike(own, 4, own[4] == 2 ? "\x01" : "\x02"),
       ProgramKind::Other},
      {"an ELF object file", elfLike(own, 16, relocatable), ProgramKind::Other},
      {"a cut ELF head", own.left(12), ProgramKind::Other},
  };
  for (const Case& c : cases) EXPECT_EQ(ClassifyProgram(c.head, own), c.kind) << c.name;
  EXPECT_EQ(ClassifyProgram(own, QByteArray()), ProgramKind::Other) << "without a head of our own";
}

class ProgramStart : public ::testing::Test {
 protected:
  QTemporaryDir dir{testRootDir() + "/start-XXXXXX"};
  QString marker = dir.path() + "/ran";
  QString write(const QString& name, const QByteArray& bytes) {
    const QString path = dir.path() + "/" + name;
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
  }
  bool ran() {
    for (int i = 0; i < 100 && !QFile::exists(marker); ++i) QThread::msleep(50);
    return QFile::exists(marker);
  }
};

TEST_F(ProgramStart, aScriptIsMadeExecutableForTheUserAloneAndStarted) {
  const QString script = write("Update.exe", "#!/bin/sh\npwd > '" + QFile::encodeName(marker) + "'\n");
  ::chmod(QFile::encodeName(script).constData(), 0666);
  EXPECT_GT(StartProgramDetached(script), 0);
  ASSERT_TRUE(ran());
  QFile out(marker);
  ASSERT_TRUE(out.open(QIODevice::ReadOnly));
  EXPECT_EQ(out.readAll().trimmed(), QFile::encodeName(dir.path())) << "it runs in its own folder";
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(script).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0700u);
}

TEST_F(ProgramStart, refusesWhatCannotRunHereAndReportsAFailedStart) {
  const QString real = write("echt", "#!/bin/sh\ntouch '" + QFile::encodeName(marker) + "'\n");
  QFile::link(real, dir.path() + "/verweis");
  struct Case {
    const char* name;
    QString path;
  };
  const Case cases[] = {
      {"a Windows program", write("win.exe", "MZ\x90\x00")},
      {"an empty file", write("leer", "")},
      {"an interpreter that does not exist", write("kaputt", "#!/gibt/es/nicht\n")},
      {"a link to a script", dir.path() + "/verweis"},
      {"no file at all", dir.path() + "/fehlt"},
  };
  for (const Case& c : cases) {
    QString why;
    EXPECT_EQ(StartProgramDetached(c.path, &why), 0) << c.name;
    EXPECT_FALSE(why.isEmpty()) << c.name;
  }
  QThread::msleep(200);
  EXPECT_FALSE(QFile::exists(marker)) << "the link's target never ran";
}

}  // namespace
