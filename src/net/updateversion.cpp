// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/updateversion.h"

#include <QFile>
#include <QStringDecoder>
#include <stdexcept>

namespace {
constexpr int kLengthOffset = 8;
constexpr int kTextOffset = 9;
constexpr int kMaxTextLength = kVersionRecordSize - kTextOffset;  // 15

QString decodeSingleByte(const QByteArray& bytes) {
  QStringDecoder decoder("windows-1252");
  if (!decoder.isValid()) return QString::fromLatin1(bytes);
  return decoder.decode(bytes);
}

QString versionOfRecord(const char* record) {
  const int length = qMin<int>(static_cast<unsigned char>(record[kLengthOffset]), kMaxTextLength);
  return decodeSingleByte(QByteArray(record + kTextOffset, length));
}

[[noreturn]] void failOpen(const QString& path, const QString& reason) {
  throw std::runtime_error(QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason).toStdString());
}
}  // namespace

std::optional<QString> VersionFromRecords(const QByteArray& bytes) {
  const qsizetype records = bytes.size() / kVersionRecordSize;
  if (records == 0) return std::nullopt;
  return versionOfRecord(bytes.constData() + (records - 1) * kVersionRecordSize);
}

std::optional<QString> ReadAvailableVersion(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) failOpen(path, file.errorString());
  const qint64 records = file.size() / kVersionRecordSize;
  if (records == 0) return std::nullopt;
  if (!file.seek((records - 1) * kVersionRecordSize)) failOpen(path, file.errorString());
  const QByteArray record = file.read(kVersionRecordSize);
  if (record.size() != kVersionRecordSize) failOpen(path, file.errorString());
  return versionOfRecord(record.constData());
}
