// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include "common/settingstable.h"

// The settings file optionen.ini, entry by entry as common/settingstable.h declares them. Every call
// opens the file, reads or writes, and closes it again. Section and key names are compared without
// regard to case. Reads never fail: a missing or unreadable file or key, or an unparsable number, gives
// the default. Integers read "0x.."/"0X.." as hex. Writes are atomic and throw
// std::runtime_error("Unable to write to <path>") on failure. Line breaks in a text are replaced by
// spaces so that they can never inject keys.
namespace Settings {
bool fileExists();

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

// An entry's text as the file holds it, whatever its type: for what a hand-edited file may hold.
QString storedText(QStringView section, QStringView key, const QString& fallback = QString());
void setStoredText(QStringView section, QStringView key, const QString& value);
template <typename T>
QString storedText(const SettingKey<T>& setting, const QString& fallback = QString()) {
  return storedText(setting.section, setting.key, fallback);
}
template <typename T>
void setStoredText(const SettingKey<T>& setting, const QString& value) {
  setStoredText(setting.section, setting.key, value);
}
}  // namespace Settings
