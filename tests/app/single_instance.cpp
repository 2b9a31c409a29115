// SPDX-License-Identifier: GPL-3.0-or-later
// One running program per user: a second start hands its files over; a stale lock, a socket left
// behind, a program that does not answer or a garbled message never keep a start from going ahead.
#include <grp.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <future>

#include "app/instance.h"
#include "common/folders.h"
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

int modeOf(const QString& path) {
  struct stat st {};
  return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

// The user id and group of "another user" for the tests that need one; only root can become it.
constexpr uid_t kOther = 4242;

// In a forked child only system calls are safe (the parent has threads), so the other user's end of a
// connection is written with them alone. Each child reports one number through a pipe.
bool becomeOtherUser() {
  return ::setgroups(0, nullptr) == 0 && ::setresgid(kOther, kOther, kOther) == 0 &&
         ::setresuid(kOther, kOther, kOther) == 0;
}

sockaddr_un addressOf(const QByteArray& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.constData(), std::min<size_t>(path.size(), sizeof address.sun_path - 1));
  return address;
}

// Reads what arrives within a few seconds until the message's empty last line or the end.
ssize_t readMessage(int fd) {
  char buffer[4096];
  ssize_t total = 0;
  pollfd wait{fd, POLLIN, 0};
  while (total < static_cast<ssize_t>(sizeof buffer) && ::poll(&wait, 1, 5000) == 1) {
    const ssize_t n = ::read(fd, buffer + total, sizeof buffer - static_cast<size_t>(total));
    if (n <= 0) break;
    total += n;
    if (total >= 2 && buffer[total - 1] == '\n' && buffer[total - 2] == '\n') break;
  }
  return total;
}

void report(int pipe, int value) {
  [[maybe_unused]] const ssize_t n = ::write(pipe, &value, sizeof value);
}

// A child process that acts as the other user and reports numbers back through a pipe.
class OtherUser {
 public:
  template <class Body>
  explicit OtherUser(Body body) {
    int ends[2];
    if (::pipe(ends) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ends[0]);
      _exit(body(ends[1]));
    }
    ::close(ends[1]);  // so that a child gone without a word reads as -1, not as a wait forever
    reports_ = ends[0];
  }
  ~OtherUser() {
    exitCode();
    if (reports_ >= 0) ::close(reports_);
  }
  int nextReport() {
    int value = -1;
    return reports_ >= 0 && ::read(reports_, &value, sizeof value) == sizeof value ? value : -1;
  }
  int exitCode() {
    if (pid_ > 0) {
      int status = 0;
      exit_ = ::waitpid(pid_, &status, 0) == pid_ && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
      pid_ = -1;
    }
    return exit_;
  }

 private:
  pid_t pid_ = -1;
  int reports_ = -1;
  int exit_ = -1;
};

// Listens at path (the socket file its own) and answers a hand-over as the program would. Reports 0
// once it listens, then how many bytes its first caller sent.
int listenAsOtherUser(const QByteArray& path, int pipe) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const sockaddr_un address = addressOf(path);
  if (fd < 0 || ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::chown(path.constData(), kOther, kOther) != 0 || !becomeOtherUser() || ::listen(fd, 4) != 0)
    return 1;
  report(pipe, 0);
  pollfd wait{fd, POLLIN, 0};
  if (::poll(&wait, 1, 5000) != 1) return 2;
  const int caller = ::accept(fd, nullptr, nullptr);
  const ssize_t got = readMessage(caller);
  if (got > 0 && ::write(caller, "A", 1) != 1) return 3;
  report(pipe, static_cast<int>(got));
  return 0;
}

// Hands a file over at path as a start of the other user would. Reports how many answer bytes came.
int handOverAsOtherUser(const QByteArray& path, int pipe) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  const sockaddr_un address = addressOf(path);
  static const char message[] = "ZIEHFIX-OPEN-1\n%2Fetc%2Fshadow\n\n";
  if (fd < 0 || !becomeOtherUser() ||
      ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
      ::write(fd, message, sizeof message - 1) != static_cast<ssize_t>(sizeof message - 1))
    return 1;
  char answer = 0;
  pollfd wait{fd, POLLIN, 0};
  report(pipe, ::poll(&wait, 1, 3000) == 1 && ::read(fd, &answer, 1) == 1 ? 1 : 0);
  return 0;
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

TEST(SingleInstanceSocket, LiesInTheRuntimeFolderOrInAPrivateFolderButNeverInASharedOne) {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  const QString name = "/example.ziehfix.Ziehfix.socket";
  const QString own = BaseDir() + "tmp";
  EXPECT_EQ(SingleInstance::defaultSocketPath().toStdString(), (runtime + name).toStdString());

  qunsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(SingleInstance::defaultSocketPath().toStdString(), (own + name).toStdString());
  EXPECT_EQ(modeOf(own), 0700);
  const QString shared = testRootDir() + "/shared";
  ASSERT_TRUE(QDir().mkpath(shared));
  ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(shared));
  EXPECT_EQ(SingleInstance::defaultSocketPath().toStdString(), (own + name).toStdString())
      << "a runtime folder open to all";

  // A link in place of the private folder: no socket at all, and nothing follows the link.
  ASSERT_TRUE(QDir().rmdir(own));
  ASSERT_TRUE(QFile::link(shared, own));
  EXPECT_EQ(SingleInstance::defaultSocketPath().toStdString(), "");
  EXPECT_EQ(modeOf(shared), 01777);
  SingleInstance alone(SingleInstance::defaultSocketPath());
  EXPECT_FALSE(alone.handOver({"/x.lose"}));
  EXPECT_FALSE(alone.listen());
  EXPECT_FALSE(QFile::exists(".lock"));
  QFile::remove(own);
  qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
}

TEST_F(SingleInstanceTest, AListenerOfAnotherUserIsHandedNothing) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  QLockFile held(socket_ + ".lock");  // as if a program ran
  ASSERT_TRUE(held.tryLock(0));
  const QByteArray path = QFile::encodeName(socket_);
  OtherUser listener([&](int pipe) { return listenAsOtherUser(path, pipe); });
  ASSERT_EQ(listener.nextReport(), 0) << "the other user's listener is up";
  ASSERT_EQ(QFileInfo(socket_).ownerId(), kOther);
  SingleInstance start(socket_);
  EXPECT_FALSE(start.handOver({"/geheim/x.lose"})) << "this start runs on its own";
  EXPECT_EQ(listener.nextReport(), 0) << "the listener got no byte";
  EXPECT_EQ(listener.exitCode(), 0);
}

TEST_F(SingleInstanceTest, AStartOfAnotherUserIsCutOffUnheard) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to act as another user";
  SingleInstance running(socket_);
  ASSERT_TRUE(running.listen());
  QSignalSpy received(&running, &SingleInstance::filesReceived);
  // Let the other user reach the socket, which the folder and the file's mode otherwise keep it from.
  for (const QString& folder : {testRootDir(), dir_.path()})
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0711), 0);
  ASSERT_EQ(::chmod(QFile::encodeName(socket_).constData(), 0777), 0);
  const QByteArray path = QFile::encodeName(socket_);
  OtherUser caller([&](int pipe) { return handOverAsOtherUser(path, pipe); });
  EXPECT_EQ(whileServing([&] { return caller.exitCode(); }), 0) << "the other user reached the socket";
  EXPECT_EQ(caller.nextReport(), 0) << "no answer";
  EXPECT_EQ(received.count(), 0);
  EXPECT_TRUE(whileServing([&] { return SingleInstance(socket_).handOver({"/x.lose"}); }))
      << "this user's starts are still served";
}
