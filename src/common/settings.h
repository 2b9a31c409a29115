// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include "common/settingstable.h"

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

// Typed access to the entries of common/settingstable.h; the default is the table's, or the one given.
int get(const IntSetting& setting);
int get(const IntSetting& setting, int fallback);
bool get(const BoolSetting& setting);
QString get(const TextSetting& setting);
QString get(const SettingList& list, int index);  // index from 0
void set(const IntSetting& setting, int value);
void set(const BoolSetting& setting, bool value);
void set(const TextSetting& setting, const QString& value);
void set(const SettingList& list, int index, const QString& value);

// A window's stored place; fallback stands for what is missing (the table's when none is given).
QPoint position(const WindowPlace& place);
QPoint position(const WindowPlace& place, QPoint fallback);
QRect geometry(const WindowPlace& place);
QRect geometry(const WindowPlace& place, const QRect& fallback);
// Writes left and top; the size too in geometry's case. Stops at the first key that fails.
void setPosition(const WindowPlace& place, QPoint topLeft);
void setGeometry(const WindowPlace& place, const QRect& rect);
}  // namespace Settings
