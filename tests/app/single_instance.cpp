// SPDX-License-Identifier: GPL-3.0-or-later
// One running program per user: a second start hands its files over; a stale lock, a socket left
// behind, a program that does not answer or a garbled message never keep a start from going ahead.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <future>

#include "app/instance.h"
#include "support/test_env.h"

namespace {
// The other start runs in a thread of its own, as it would in a process of its own: its waits block
// while this thread's event loop serves the running program.
template <class F>
auto whileServing(F f) {
  auto result = std::async(std::launch::async, f);
  while (result.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return result.get();
}
}  // namespace

class SingleInstanceTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_{testRootDir() + "/instance-XXXXXX"};
  QString socket_ = dir_.filePath("example.ziehfix.Ziehfix.socket");
};

TEST_F(SingleInstanceTest, ASecondStartHandsItsFilesToTheRunningProgram) {
  SingleInstance first(socket_);
  EXPECT_FALSE(first.handOver({"/x.lose"})) << "nobody runs yet";
  ASSERT_TRUE(first.listen());
  EXPECT_EQ(QFile::permissions(socket_) & (QFile::ReadOther | QFile::WriteOther | QFile::ReadGroup), 0)
      << "only this user may open the socket";
  QSignalSpy received(&first, &SingleInstance::filesReceived);
  const QStringList files{"/a/b.lose", "/a/with\nnewline and ümlaut.zfgz", "/c.lose"};
  EXPECT_TRUE(whileServing([&] { return SingleInstance(socket_).handOver(files); }));
  ASSERT_EQ(received.count(), 1);
  EXPECT_EQ(received[0][0].toStringList(), files);
  EXPECT_TRUE(whileServing([&] { return SingleInstance(socket_).handOver({}); })) << "no files: to the front";
}

TEST_F(SingleInstanceTest, TheLockAndSocketOfAProgramThatDiedAreTakenOver) {
  const pid_t child = fork();
  if (child == 0) {
    SingleInstance dead(socket_);
    dead.listen();
    _exit(0);  // no clean-up: lock and socket file stay behind
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(QFile::exists(socket_ + ".lock"));
  SingleInstance next(socket_);
  EXPECT_FALSE(next.handOver({"/x.lose"}));
  EXPECT_TRUE(next.listen());
}

TEST_F(SingleInstanceTest, ARunningProgramThatDoesNotAnswerDelaysTheStartOnlyByTheDeadline) {
  QLockFile held(socket_ + ".lock");
  ASSERT_TRUE(held.tryLock(0));
  QLocalServer mute;
  ASSERT_TRUE(mute.listen(socket_));
  SingleInstance start(socket_);
  QElapsedTimer waited;
  waited.start();
  EXPECT_FALSE(start.handOver({"/x.lose"}));
  EXPECT_LT(waited.elapsed(), 3 * SingleInstance::kWaitMs);
  EXPECT_FALSE(start.listen()) << "the program then runs without taking hand-overs";
}

TEST_F(SingleInstanceTest, AGarbledMessageIsDroppedWithoutAnAnswer) {
  SingleInstance first(socket_);
  ASSERT_TRUE(first.listen());
  QSignalSpy received(&first, &SingleInstance::filesReceived);
  for (const QByteArray& garbage : {QByteArray("GET / HTTP/1.0\n\n"), QByteArray("ZIEHFIX-OPEN-1\n\nmore")}) {
    const bool answered = whileServing([&] {
      QLocalSocket socket;
      socket.connectToServer(socket_);
      socket.waitForConnected(1000);
      socket.write(garbage);
      socket.waitForBytesWritten(1000);
      return socket.waitForReadyRead(1000) && socket.bytesAvailable() > 0;
    });
    EXPECT_FALSE(answered) << garbage.constData();
  }
  EXPECT_EQ(received.count(), 0);
}
