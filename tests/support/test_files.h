#pragma once

#include <QByteArray>
#include <QString>

// Files for tests. Each returns false when the file could not be written completely.
bool WriteTestFile(const QString& path, const QByteArray& bytes);
// A file of the given size that takes no room on disk (its bytes are all NUL).
bool MakeSparseFile(const QString& path, qint64 size);
// The whole file, or an empty array when it cannot be read.
QByteArray ReadTestFile(const QString& path);
