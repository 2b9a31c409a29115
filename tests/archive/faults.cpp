// SPDX-License-Identifier: GPL-3.0-or-later
// A damaged file, a locked archive and a full disk: reported, and nothing is lost.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>

#include "archive/archive.h"
#include "support/archive_test.h"

namespace {

QString freshPath(const QString& name) {
  const QString dir = QDir(archiveTestDir()).filePath(name);
  QDir().mkpath(dir);
  return dir + QStringLiteral("/archiv.db");
}

void write(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(bytes);
}

QByteArray read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Opens a file that is not an archive: it is put aside unchanged and a new, working archive started.
void expectPutAside(const QString& path, const QByteArray& content) {
  Archive archive;
  const ArchiveFault fault = archive.open(path);
  ASSERT_EQ(fault.kind, ArchiveFault::Kind::Damaged);
  EXPECT_TRUE(ArchiveFaultMessage(fault).startsWith(QStringLiteral("Das Archiv ist beschädigt")));
  EXPECT_TRUE(ArchiveFaultMessage(fault).contains(path));
  EXPECT_TRUE(fault.movedTo.contains(QDate::currentDate().toString(Qt::ISODate)))
      << fault.movedTo.toStdString();
  EXPECT_EQ(read(fault.movedTo), content);
  ASSERT_TRUE(archive.isOpen());
  EXPECT_TRUE(archive.store(MakeTestDraw(QDate(2026, 1, 1), QString(), 5, 1), false).ok());
  QList<DrawSummary> list;
  ASSERT_TRUE(archive.list({}, list).ok());
  EXPECT_EQ(list.size(), 1);
}

TEST(ArchiveFaults, FileThatIsNoDatabaseIsPutAsideAndANewArchiveStarted) {
  const QString path = freshPath(QStringLiteral("text"));
  write(path, "Ziehung vom Sonntag: 3 7 12\n");
  expectPutAside(path, "Ziehung vom Sonntag: 3 7 12\n");
  // A second damaged file on the same day gets a name of its own.
  write(path, "noch einmal");
  expectPutAside(path, "noch einmal");
  EXPECT_EQ(QDir(QFileInfo(path).absolutePath()).entryList({QStringLiteral("archiv-beschädigt-*.db")}).size(),
            2);
}

TEST(ArchiveFaults, DamagedPagesArePutAside) {
  const QString path = freshPath(QStringLiteral("pages"));
  {
    Archive archive;
    ASSERT_TRUE(archive.open(path).ok());
    for (int i = 0; i < 5; ++i)
      ASSERT_TRUE(archive.store(MakeTestDraw(QDate(2026, 1, 1 + i), QString(), 400, i), false).ok());
  }
  // Every page but the first overwritten: the header still says SQLite.
  QByteArray bytes = read(path);
  ASSERT_GT(bytes.size(), 8192);
  for (qsizetype i = 4096; i < bytes.size(); ++i) bytes[i] = char(i * 7);
  write(path, bytes);
  expectPutAside(path, bytes);
}

TEST(ArchiveFaults, LockedArchiveIsReportedAfterTheWait) {
  const QString path = freshPath(QStringLiteral("locked"));
  Archive archive;
  ASSERT_TRUE(archive.open(path, {300}).ok());
  {
    QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
    other.setDatabaseName(path);
    ASSERT_TRUE(other.open());
    QSqlQuery writer(other);
    ASSERT_TRUE(writer.exec(QStringLiteral("BEGIN IMMEDIATE")));
    QElapsedTimer waited;
    waited.start();
    const ArchiveFault fault = archive.store(MakeTestDraw(QDate(2026, 1, 1), QString(), 5, 1), false);
    EXPECT_EQ(fault.kind, ArchiveFault::Kind::Locked);
    EXPECT_GE(waited.elapsed(), 250);
    EXPECT_TRUE(ArchiveFaultMessage(fault).contains(QStringLiteral("gesperrt")));
    // Reading goes on meanwhile.
    QList<DrawSummary> list;
    EXPECT_TRUE(archive.list({}, list).ok());
    ASSERT_TRUE(writer.exec(QStringLiteral("ROLLBACK")));
    other.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("other"));
  EXPECT_TRUE(archive.store(MakeTestDraw(QDate(2026, 1, 1), QString(), 5, 1), false).ok());
}

TEST(ArchiveFaults, FullDiskRollsBackAndSaysSo) {
  const QString path = freshPath(QStringLiteral("full"));
  {
    Archive archive;
    ASSERT_TRUE(archive.open(path).ok());
    ASSERT_TRUE(archive.store(MakeTestDraw(QDate(2026, 1, 1), QString(), 100, 1), false).ok());
  }
  const ArchiveDraw big = MakeTestDraw(QDate(2026, 1, 2), QString(), 100000, 2);
  // The child may write only a little more than the archive holds: to it, the disk is full.
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = rlim_t(QFileInfo(path).size() + 64 * 1024);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    Archive archive;
    ArchiveFault fault = archive.open(path);
    if (fault.ok()) fault = archive.store(big, false);
    const QByteArray message = ArchiveFaultMessage(fault).toUtf8();
    const char kind = char(fault.kind);
    ::write(pipeFds[1], &kind, 1);
    ::write(pipeFds[1], message.constData(), std::size_t(message.size()));
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  QByteArray answer;
  char buffer[512];
  for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) answer.append(buffer, got);
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_FALSE(answer.isEmpty());
  EXPECT_EQ(ArchiveFault::Kind(answer[0]), ArchiveFault::Kind::DiskFull) << answer.mid(1).toStdString();
  EXPECT_TRUE(answer.mid(1).startsWith("Der Datenträger ist voll")) << answer.mid(1).toStdString();

  Archive archive;
  ASSERT_TRUE(archive.open(path).ok());
  QList<DrawSummary> list;
  ASSERT_TRUE(archive.list({}, list).ok());
  ASSERT_EQ(list.size(), 1);
  EXPECT_EQ(list[0].date, QDate(2026, 1, 1));
  EXPECT_EQ(QueryOne(path, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
}

}  // namespace
