#include "support/test_files.h"

#include <QFile>

bool WriteTestFile(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

bool MakeSparseFile(const QString& path, qint64 size) {
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.resize(size);
}

QByteArray ReadTestFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
