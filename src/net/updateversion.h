// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// The version file "verinfos.ziehfix": records of 24 bytes. Byte 8 of a record holds the length n of
// its version text, bytes 9..23 the text in their first n bytes, one Windows-1252 character per byte.
// Bytes 0..7 and the rest of a record are not read, nor trailing bytes that fill no whole record.
// A length above 15 is read as 15, the room the record has.
inline constexpr int kVersionRecordSize = 24;

// The version text of the last whole record of these bytes; nothing when they hold no whole record.
std::optional<QString> VersionFromRecords(const QByteArray& bytes);

// The same, read from a file (only its last whole record is read, so a file of any size is cheap).
// Throws std::runtime_error("Cannot open file \"<path>\". <reason>") when it cannot be opened or read.
std::optional<QString> ReadAvailableVersion(const QString& path);
