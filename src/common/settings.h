// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The settings file optionen.ini. Every call opens the file, reads or writes, and closes it again.
// Section and key names are compared without regard to case. Reads never fail: a missing or unreadable
// file or key, or an unparsable number, gives the default. Integers read "0x.."/"0X.." as hex.
// Writes are atomic and throw std::runtime_error("Unable to write to <path>") on failure.
namespace Settings {
bool fileExists();
int readInt(const QString& section, const QString& key, int def);
bool readBool(const QString& section, const QString& key, bool def);  // read as integer, non-zero = true
QString readString(const QString& section, const QString& key, const QString& def);
void writeInt(const QString& section, const QString& key, int value);
void writeBool(const QString& section, const QString& key, bool value);  // "1" / "0"
// Line breaks in value are replaced by spaces so that they can never inject keys.
void writeString(const QString& section, const QString& key, const QString& value);
}  // namespace Settings

// Section "Position": name-left, name-top.
void SavePosition(const QString& name, int left, int top);
// SavePosition, then section "Size": name-breite, name-hoehe.
void SaveGeometry(const QString& name, int left, int top, int width, int height);
