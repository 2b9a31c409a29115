// SPDX-License-Identifier: GPL-3.0-or-later
#include "archive/schema.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

// Version 1. A draw's tickets and results lie in one row of BLOBs (25 values, one class byte and a
// two-byte line mask per ticket): a draw with 100,000 tickets is one row to write and read instead
// of 100,000, and the archive never needs a single ticket on its own. The draw row keeps its
// winners per class, so the list needs no ticket data.
const char* const kVersion1[] = {
    "CREATE TABLE draw ("
    " id INTEGER PRIMARY KEY,"
    " date TEXT NOT NULL CHECK (length(date) = 10),"
    " name TEXT NOT NULL DEFAULT '',"
    " numbers BLOB NOT NULL,"
    " tickets INTEGER NOT NULL,"
    " class1 INTEGER NOT NULL, class2 INTEGER NOT NULL, class3 INTEGER NOT NULL,"
    " stored TEXT NOT NULL,"
    " UNIQUE (date, name))",
    "CREATE TABLE draw_file ("
    " draw INTEGER NOT NULL REFERENCES draw(id) ON DELETE CASCADE,"
    " position INTEGER NOT NULL,"
    " name TEXT NOT NULL,"
    " tickets INTEGER NOT NULL,"
    " PRIMARY KEY (draw, position)) WITHOUT ROWID",
    "CREATE TABLE draw_tickets ("
    " draw INTEGER PRIMARY KEY REFERENCES draw(id) ON DELETE CASCADE,"
    " ticket_values BLOB NOT NULL,"
    " classes BLOB NOT NULL,"
    " lines BLOB NOT NULL)",
};

struct Step {
  const char* const* statements;
  int count;
};

const Step kSteps[] = {
    {kVersion1, int(std::size(kVersion1))},
};
static_assert(std::size(kSteps) == kArchiveSchemaVersion, "one step per version");

}  // namespace

bool MigrateArchive(QSqlDatabase& db, int fromVersion, int target, QSqlError& lastError) {
  QSqlQuery query(db);
  for (int v = fromVersion; v < target && v < kArchiveSchemaVersion; ++v) {
    for (int i = 0; i < kSteps[v].count; ++i) {
      if (!query.exec(QString::fromLatin1(kSteps[v].statements[i]))) {
        lastError = query.lastError();
        return false;
      }
    }
  }
  if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(target))) {
    lastError = query.lastError();
    return false;
  }
  return true;
}
