// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers shared by the fuzz targets: a property check that aborts (so libFuzzer keeps the input),
// a scratch file per process, and a small reader that takes decisions from the input's own bytes.

#include <unistd.h>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringDecoder>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition)                                                                 \
  do {                                                                                        \
    if (!(condition)) {                                                                       \
      std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                           \
    }                                                                                         \
  } while (0)

namespace fuzz {

// A file that belongs to this process and is rewritten for every input. It lives in memory
// (/dev/shm) where there is such a folder: rewriting a file on a disk file system waits for the disk.
inline QString scratchFile(const char* name) {
  const QString folder =
      QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
  return folder + QStringLiteral("/ziehfix-fuzz-%1-%2").arg(::getpid()).arg(QLatin1String(name));
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  FUZZ_CHECK(file.write(bytes) == bytes.size());
}

// Takes bytes from the front of the input for decisions; the rest is the payload.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  std::uint8_t byte() {
    if (pos_ >= size_) return 0;
    return data_[pos_++];
  }
  std::size_t left() const { return size_ - pos_; }
  // The next n bytes (fewer at the end).
  QByteArray bytes(std::size_t n) {
    if (n > left()) n = left();
    QByteArray out(reinterpret_cast<const char*>(data_ + pos_), static_cast<qsizetype>(n));
    pos_ += n;
    return out;
  }
  QByteArray rest() { return bytes(left()); }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// Text from raw bytes: either UTF-8 (as typed or pasted) or raw UTF-16 code units, which reach every
// character the program can hold, lone surrogates included.
inline QString textOf(const QByteArray& bytes, bool utf16) {
  if (!utf16) return QString::fromUtf8(bytes);
  return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

}  // namespace fuzz
