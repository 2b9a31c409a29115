// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>

// The archive's layout, numbered in PRAGMA user_version. Step v takes a database of version v to
// v + 1; a new version appends a step and never changes an old one, so an archive of any earlier
// version is brought up to date one step after the other.
constexpr int kArchiveSchemaVersion = 1;

// Runs the steps from the database's version up to target (at most kArchiveSchemaVersion) inside
// the caller's transaction and sets user_version. Returns false with the failing query's error left
// in lastError.
bool MigrateArchive(QSqlDatabase& db, int fromVersion, int target, QSqlError& lastError);
