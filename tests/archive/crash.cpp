// SPDX-License-Identifier: GPL-3.0-or-later
// A program killed at any moment while it stores draws leaves a sound archive with whole draws only.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <random>

#include "archive/archive.h"
#include "support/archive_test.h"

namespace {

// Each draw's name carries the seed it was made from, so that its content can be checked afterwards.
[[noreturn]] void storeForever(const QString& path, int run) {
  Archive archive;
  archive.open(path);
  for (int i = 0;; ++i) {
    const unsigned seed = unsigned(run * 1000 + i);
    archive.store(
        MakeTestDraw(QDate(2026, 1, 1).addDays(i), QString::number(seed), 500 + 97 * (i % 20), seed), true);
  }
}

TEST(ArchiveCrash, KilledWhileStoringLeavesWholeDrawsOnly) {
  const QString path = QDir(archiveTestDir()).filePath(QStringLiteral("archiv.db"));
  std::mt19937 random(20261210);
  for (int run = 0; run < 30; ++run) {
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) storeForever(path, run);
    ::usleep(useconds_t(random() % 60000));
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "run " << run;
  }

  Archive archive;
  ASSERT_TRUE(archive.open(path).ok());
  EXPECT_EQ(QueryOne(path, QStringLiteral("PRAGMA integrity_check")), QStringLiteral("ok"));
  EXPECT_EQ(QueryOne(path, QStringLiteral("PRAGMA foreign_key_check")), QString());
  QList<DrawSummary> list;
  ASSERT_TRUE(archive.list({}, list).ok());
  ASSERT_FALSE(list.isEmpty());
  EXPECT_EQ(QueryOne(path, QStringLiteral("SELECT count(*) FROM draw_tickets")),
            QString::number(list.size()));
  for (const DrawSummary& d : list) {
    ArchiveDraw back;
    ASSERT_TRUE(archive.load(d.id, back).ok()) << d.name.toStdString();
    const ArchiveDraw made = MakeTestDraw(d.date, d.name, back.tickets.count(), d.name.toUInt());
    ASSERT_EQ(back.numbers, made.numbers);
    ASSERT_EQ(back.classes, made.classes);
    ASSERT_EQ(back.lines, made.lines);
    ASSERT_EQ(back.files, made.files);
    for (int t = 0; t < back.tickets.count(); ++t)
      ASSERT_EQ(back.tickets.lotteryValues(t), made.tickets.lotteryValues(t));
  }
}

}  // namespace
