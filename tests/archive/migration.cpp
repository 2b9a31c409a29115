// SPDX-License-Identifier: GPL-3.0-or-later
// Archives of every earlier layout are brought up to date at opening; one of a newer layout is only
// read.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>

#include "archive/archive.h"
#include "archive/schema.h"
#include "support/archive_test.h"

namespace {

QString freshPath(const QString& name) {
  const QString dir = QDir(archiveTestDir()).filePath(name);
  QDir().mkpath(dir);
  return dir + QStringLiteral("/archiv.db");
}

// Builds a database of the given layout version, the way that version of the program left it.
void buildVersion(const QString& path, int version) {
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("build"));
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    QSqlError error;
    ASSERT_TRUE(MigrateArchive(db, 0, version, error)) << error.text().toStdString();
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("build"));
}

TEST(ArchiveMigration, EveryEarlierVersionOpensAndIsBroughtUpToDate) {
  // Version 0 is a database without our tables: an empty file or a fresh SQLite file.
  const QString empty = freshPath(QStringLiteral("empty"));
  QFile file(empty);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  QStringList paths{empty};
  for (int v = 0; v < kArchiveSchemaVersion; ++v) {
    paths << freshPath(QStringLiteral("v%1").arg(v));
    buildVersion(paths.last(), v);
    ASSERT_EQ(QueryOne(paths.last(), QStringLiteral("PRAGMA user_version")), QString::number(v));
  }
  for (const QString& path : paths) {
    SCOPED_TRACE(path.toStdString());
    {
      Archive archive;
      ASSERT_TRUE(archive.open(path).ok());
      EXPECT_FALSE(archive.isReadOnly());
      qint64 id = 0;
      ASSERT_TRUE(archive.store(MakeTestDraw(QDate(2026, 4, 4), QString(), 30, 5), false, &id).ok());
      ArchiveDraw back;
      ASSERT_TRUE(archive.load(id, back).ok());
      EXPECT_EQ(back.tickets.count(), 30);
    }
    EXPECT_EQ(QueryOne(path, QStringLiteral("PRAGMA user_version")), QString::number(kArchiveSchemaVersion));
    EXPECT_EQ(QueryOne(path, QStringLiteral("PRAGMA journal_mode")), QStringLiteral("wal"));
    // Opening again keeps what is there.
    Archive again;
    ASSERT_TRUE(again.open(path).ok());
    QList<DrawSummary> list;
    ASSERT_TRUE(again.list({}, list).ok());
    EXPECT_EQ(list.size(), 1);
  }
}

TEST(ArchiveMigration, NewerVersionIsOpenedReadOnly) {
  const QString path = freshPath(QStringLiteral("newer"));
  {
    Archive archive;
    ASSERT_TRUE(archive.open(path).ok());
    ASSERT_TRUE(archive.store(MakeTestDraw(QDate(2026, 4, 4), QString(), 30, 5), false).ok());
  }
  QueryOne(path, QStringLiteral("PRAGMA user_version = %1").arg(kArchiveSchemaVersion + 1));
  ASSERT_EQ(QueryOne(path, QStringLiteral("PRAGMA user_version")),
            QString::number(kArchiveSchemaVersion + 1));

  Archive archive;
  const ArchiveFault fault = archive.open(path);
  EXPECT_EQ(fault.kind, ArchiveFault::Kind::Newer);
  EXPECT_TRUE(ArchiveFaultMessage(fault).contains(QStringLiteral("neueren Programmversion")));
  ASSERT_TRUE(archive.isOpen());
  EXPECT_TRUE(archive.isReadOnly());
  QList<DrawSummary> list;
  ASSERT_TRUE(archive.list({}, list).ok());
  EXPECT_EQ(list.size(), 1);
  EXPECT_EQ(archive.store(MakeTestDraw(QDate(2026, 4, 5), QString(), 3, 6), false).kind,
            ArchiveFault::Kind::ReadOnly);
  EXPECT_EQ(archive.remove(list[0].id).kind, ArchiveFault::Kind::ReadOnly);
  EXPECT_EQ(QueryOne(path, QStringLiteral("SELECT count(*) FROM draw")), QStringLiteral("1"));
  EXPECT_EQ(QueryOne(path, QStringLiteral("PRAGMA user_version")),
            QString::number(kArchiveSchemaVersion + 1));
}

}  // namespace
