// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QFile>
#include <QTest>

#include "common/folders.h"
#include "core/evaluation.h"
#include "support/scripted_prompter.h"
#include "ui/archiv/archiv.h"
#include "ui/archiv/programarchive.h"

// Every test starts with no archive and no settings file; messages and dialogs go to the scripted
// prompter, and the archive window is closed and the archive let go at the end.
class ArchiveUiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EstablishDataFolders(); }
  void SetUp() override {
    CloseProgramArchive();
    for (const char* suffix : {"", "-wal", "-shm"}) QFile::remove(ProgramArchivePath() + suffix);
    QFile::remove(SettingsFilePath());
  }
  void TearDown() override {
    delete FArchiv;
    CloseProgramArchive();
  }

  // A ticket whose cells hold first, first + 1, ... row by row: row 1 is first .. first + 4.
  static TicketCells ticket(int first) {
    TicketCells cells;
    for (int i = 0; i < 25; ++i) cells[std::size_t(i)] = QString::number(first + i);
    return cells;
  }
  static QList<int> range(int from, int to) {
    QList<int> out;
    for (int n = from; n <= to; ++n) out << n;
    return out;
  }
  // Stores a draw of these numbers straight into the program's archive, without tickets.
  static qint64 storeDraw(const QDate& date, const QString& name, const QList<int>& numbers) {
    ArchiveDraw draw;
    draw.date = date;
    draw.name = name;
    draw.numbers = numbers;
    qint64 id = 0;
    EXPECT_TRUE(ProgramArchive()->store(draw, false, &id).ok());
    return id;
  }
  static QList<DrawSummary> storedDraws() {
    QList<DrawSummary> list;
    EXPECT_TRUE(ProgramArchive()->list({}, list).ok());
    return list;
  }

  TFArchiv* openWindow() {
    auto* w = new TFArchiv(check);
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
    return w;
  }

  LotteryCheck check;
  ScriptedPrompter prompter;
};
