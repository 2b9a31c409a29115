// SPDX-License-Identifier: GPL-3.0-or-later
// main() of the archive's test programs: a core application (Qt's SQL plug-ins need one), no window.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <random>

#include "support/archive_test.h"

namespace {
QString g_dir;
}

QString archiveTestDir() {
  return g_dir;
}

ArchiveDraw MakeTestDraw(const QDate& date, const QString& name, int count, unsigned seed) {
  std::mt19937 random(seed);
  LotteryCheck check;
  TicketList tickets;
  std::array<std::uint8_t, 25> codes{};
  std::array<QString, 25> texts;
  for (int t = 0; t < count; ++t) {
    for (auto& c : codes) c = std::uint8_t(random() % 76);
    tickets.appendCoded(codes, texts);
  }
  check.addTickets(std::move(tickets));
  for (int i = 0; i < 22; ++i) check.chosen.toggle(int(random() % 75) + 1);
  check.evaluate();
  return DrawOfCheck(check, date, name,
                     {{QStringLiteral("a.lose"), count / 2}, {QStringLiteral("b.lose"), count - count / 2}});
}

QString QueryOne(const QString& path, const QString& sql) {
  QString value;
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("test-query"));
    db.setDatabaseName(path);
    if (db.open()) {
      QSqlQuery q(db);
      if (q.exec(sql) && q.next()) value = q.value(0).toString();
    }
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("test-query"));
  return value;
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  g_dir = dir.path();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
