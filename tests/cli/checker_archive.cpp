// SPDX-License-Identifier: GPL-3.0-or-later
// The checker with the draw archive: storing, listing, statistics and checking tickets against every
// draw, the last compared with one plain checker run per draw.
#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "support/test_env.h"
#include "support/test_files.h"

namespace {

const QByteArray kTickets =
    "4,7,9,10,16\r\n1,60,61,62,63\r\n18,64,65,66,67\r\n24,68,69,70,71\r\n45,72,73,74,75\r\n"
    "1,2,3,4,5\r\n6,7,8,9,10\r\n11,12,13,14,15\r\n16,17,18,19,20\r\n21,22,23,24,25\r\n"
    "1,2,3,4,5\r\n50,51,52,53,54\r\n55,56,57,58,59\r\n60,61,62,63,64\r\n65,66,67,68,69\r\n";

// Twenty-two numbers with ", " between them, as the text field takes them.
QString List(int from, int to, QList<int> more = {}) {
  QStringList parts;
  for (int n = from; n <= to; ++n) parts << QString::number(n);
  for (int n : more) parts << QString::number(n);
  return parts.join(", ");
}

struct Draw {
  QString date, name, numbers;
};
const Draw kDraws[] = {
    {"2026-03-01", "", List(1, 22)},
    {"2026-01-15", "Abend", List(1, 20, {24, 45})},
    {"2025-12-31", "", List(50, 71)},
};

class CheckerArchive : public ::testing::Test {
 protected:
  QTemporaryDir dir{testRootDir() + "/cli-archive-XXXXXX"};
  QString db = dir.path() + "/probe.db";
  QString tickets = dir.path() + "/a.lose";

  void SetUp() override {
    ASSERT_TRUE(WriteTestFile(tickets, kTickets));
    for (const Draw& d : kDraws) {
      QStringList args{"--archive", db, "--add-draw", d.date, "--numbers-text", d.numbers, tickets};
      if (!d.name.isEmpty()) args << "--name" << d.name;
      const ProgramRun run = check(args);
      ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
      // It prints the draw's report as a plain check does.
      ASSERT_EQ(run.out, check({"--numbers-text", d.numbers, tickets}).out);
    }
  }

  static ProgramRun check(const QStringList& args) {
    return RunProgram(QStringLiteral(ZIEHFIX_BINARY_DIR "/ziehfix-check"), args);
  }
};

TEST_F(CheckerArchive, AllDrawsGivesWhatOneCheckPerDrawGives) {
  // Oldest first, as the reports follow the draws in time.
  const Draw* inOrder[] = {&kDraws[2], &kDraws[1], &kDraws[0]};
  QByteArray csv, text;
  for (const Draw* d : inOrder) {
    const ProgramRun one = check({"--format", "csv", "--numbers-text", d->numbers, tickets});
    ASSERT_EQ(one.exitCode, 0);
    QList<QByteArray> lines = one.out.split('\n');
    lines.removeLast();
    if (csv.isEmpty()) csv = "Ziehung;" + lines[0] + '\n';
    for (qsizetype i = 1; i < lines.size(); ++i) csv += d->date.toUtf8() + ';' + lines[i] + '\n';
    const QString title = d->name.isEmpty() ? d->date : d->date + " „" + d->name + "“";
    text += (text.isEmpty() ? "" : "\n") + ("Ziehung " + title).toUtf8() + "\n\n" +
            check({"--numbers-text", d->numbers, tickets}).out;
  }
  const ProgramRun all = check({"--archive=" + db, "--all-draws", "--format", "csv", tickets});
  ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
  EXPECT_EQ(all.out.toStdString(), csv.toStdString());
  EXPECT_EQ(check({"--archive", db, "--all-draws", tickets}).out.toStdString(), text.toStdString());

  const ProgramRun json =
      check({"--archive", db, "--all-draws", "--format", "json", "--to", "2026-01-15", tickets});
  const QJsonArray reports = QJsonDocument::fromJson(json.out).array();
  ASSERT_EQ(reports.size(), 2) << json.out.toStdString();
  EXPECT_EQ(reports[1].toObject()["name"].toString(), "Abend");
  EXPECT_EQ(
      reports[1].toObject()["report"].toObject(),
      QJsonDocument::fromJson(check({"--format", "json", "--numbers-text", kDraws[1].numbers, tickets}).out)
          .object());
}

TEST_F(CheckerArchive, ListAndStatisticsFollowTheStoredDraws) {
  const ProgramRun list = check({"--archive", db, "--list", "--format", "json", "--from", "2026-01-01"});
  ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
  const QJsonArray draws = QJsonDocument::fromJson(list.out).array();
  ASSERT_EQ(draws.size(), 2);
  const QJsonObject newest = draws[0].toObject();
  EXPECT_EQ(newest["date"].toString(), "2026-03-01");
  EXPECT_EQ(newest["tickets"].toInt(), 3);
  EXPECT_EQ(newest["files"].toArray(), QJsonArray{"a.lose"});
  // The plain check's totals of this draw.
  const QJsonObject plain =
      QJsonDocument::fromJson(check({"--format", "json", "--numbers-text", kDraws[0].numbers, tickets}).out)
          .object();
  EXPECT_EQ(newest["winners"].toArray(), plain["totals"].toArray());

  const ProgramRun stats = check({"--archive", db, "--stats", "--format", "csv"});
  ASSERT_EQ(stats.exitCode, 0);
  const QList<QByteArray> rows = stats.out.split('\n');
  ASSERT_EQ(rows.size(), 77);
  EXPECT_EQ(rows[1], "1;2");  // in the first two draws
  EXPECT_EQ(rows[21], "21;1");
  EXPECT_EQ(rows[50], "50;1");
  EXPECT_EQ(rows[75], "75;0");
}

TEST_F(CheckerArchive, ExistingDrawIsReplacedOnlyWithReplace) {
  const QStringList args{"--archive", db, "--add-draw", "2026-03-01", "--numbers-text", "1, 2", tickets};
  const ProgramRun again = check(args);
  EXPECT_EQ(again.exitCode, 2);
  EXPECT_EQ(again.out, "");
  EXPECT_TRUE(again.err.contains("schon die Ziehung 2026-03-01") && again.err.contains("--replace"))
      << again.err.toStdString();
  EXPECT_EQ(check(args + QStringList{"--replace"}).exitCode, 0);
  const ProgramRun list = check({"--archive", db, "--list", "--format", "csv"});
  EXPECT_TRUE(list.out.contains("\n2026-03-01;;1 2;3;")) << list.out.toStdString();
  EXPECT_EQ(list.out.count('\n'), 4);
}

TEST_F(CheckerArchive, DamagedArchiveEndsWithStatusTwoAndTheReason) {
  const QString bad = dir.path() + "/kaputt.db";
  ASSERT_TRUE(WriteTestFile(bad, "kein Archiv"));
  const ProgramRun run = check({"--archive", bad, "--list"});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.err.startsWith("ziehfix-check: Das Archiv ist beschädigt")) << run.err.toStdString();
  EXPECT_EQ(QDir(dir.path()).entryList({"kaputt-beschädigt-*.db"}).size(), 1);
}

TEST_F(CheckerArchive, WithoutAFileTheProgramsOwnArchiveIsUsed) {
  const QString own = qEnvironmentVariable("XDG_DATA_HOME") + "/ZIEHFIX/archiv.db";
  QFile::remove(own);
  ASSERT_EQ(check({"--add-draw", "2026-05-05", "--numbers-text", "5", tickets}).exitCode, 0);
  EXPECT_TRUE(QFileInfo::exists(own));
  EXPECT_TRUE(check({"--archive", "--list", "--format", "csv"}).out.contains("2026-05-05"));
}

TEST(CheckerArchiveOptions, WrongCombinationsAreRefused) {
  const QString program = QStringLiteral(ZIEHFIX_BINARY_DIR "/ziehfix-check");
  for (const QStringList& args :
       {QStringList{"--add-draw", "2026-01-01"}, QStringList{"--list", "--stats"},
        QStringList{"--add-draw", "2026-13-01", "--numbers-text", "1"}, QStringList{"--all-draws"},
        QStringList{"--archive", "x.db"}, QStringList{"--list", "--numbers-text", "1"}}) {
    const ProgramRun run = RunProgram(program, args);
    EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(run.err.startsWith("ziehfix-check: ")) << run.err.toStdString();
  }
}

}  // namespace
