// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <utility>

// One INI file, named by its path. Nothing is kept in memory: every call reads the file, and every
// write loads it, changes one key and saves it again atomically.
//
// A hand-edited file reads as the platform's profile functions read it: a key that appears twice in a
// section (or in two sections of one name) is read from its first occurrence. A write rewrites only
// that key's line; lines we do not understand, comments and the file's line ends stay as they were.
//
// Section and key names are compared without regard to ASCII case. Reads never fail: a missing,
// unreadable or oversized file, a missing key or an unparsable number yields the caller's default.
// A failed write throws std::runtime_error("Unable to write to <path>") and leaves the file as it was.
class IniFile {
 public:
  // Files larger than this are treated as unreadable (no settings file of ours comes near it).
  static constexpr qint64 kMaxBytes = 1024 * 1024;

  explicit IniFile(QString path) : path_(std::move(path)) {}
  const QString& path() const { return path_; }

  bool exists() const;

  // Decimal with an optional sign, or hexadecimal after "0x"/"0X"; it must fit in an int.
  int readInt(const QString& section, const QString& key, int def) const;
  // Read as an integer: non-zero is true.
  bool readBool(const QString& section, const QString& key, bool def) const;
  // The value as stored (the file is UTF-8; other bytes are read as Windows-1252).
  QString readString(const QString& section, const QString& key, const QString& def) const;

  void writeInt(const QString& section, const QString& key, int value) const;
  void writeBool(const QString& section, const QString& key, bool value) const;  // "1" / "0"
  // CR and LF in value become spaces, so that a value can never start a new key or section.
  void writeString(const QString& section, const QString& key, const QString& value) const;

 private:
  QString path_;
};

// Parses an INI integer the way readInt does; false when text is no integer that fits in an int.
bool ParseIniInt(const QString& text, int* value);
