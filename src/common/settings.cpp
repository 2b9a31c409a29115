// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/settings.h"

#include "common/folders.h"
#include "common/inifile.h"

namespace {
IniFile settingsFile() {
  return IniFile(SettingsFilePath());
}

QString text(QStringView view) {
  return view.toString();
}
}  // namespace

namespace Settings {

bool fileExists() {
  return settingsFile().exists();
}

QString storedText(QStringView section, QStringView key, const QString& fallback) {
  return settingsFile().readString(text(section), text(key), fallback);
}

void setStoredText(QStringView section, QStringView key, const QString& value) {
  settingsFile().writeString(text(section), text(key), value);
}

int get(const IntSetting& setting) {
  return get(setting, setting.fallback);
}

int get(const IntSetting& setting, int fallback) {
  return settingsFile().readInt(text(setting.section), text(setting.key), fallback);
}

bool get(const BoolSetting& setting) {
  return settingsFile().readBool(text(setting.section), text(setting.key), setting.fallback);
}

QString get(const TextSetting& setting) {
  return settingsFile().readString(text(setting.section), text(setting.key), text(setting.fallback));
}

QString get(const SettingList& list, int index) {
  return settingsFile().readString(text(list.section), text(list.prefix) + QString::number(index + 1),
                                   QString());
}

void set(const IntSetting& setting, int value) {
  settingsFile().writeInt(text(setting.section), text(setting.key), value);
}

void set(const BoolSetting& setting, bool value) {
  settingsFile().writeBool(text(setting.section), text(setting.key), value);
}

void set(const TextSetting& setting, const QString& value) {
  settingsFile().writeString(text(setting.section), text(setting.key), value);
}

void set(const SettingList& list, int index, const QString& value) {
  settingsFile().writeString(text(list.section), text(list.prefix) + QString::number(index + 1), value);
}

QPoint position(const WindowPlace& place) {
  return position(place, place.fallback().topLeft());
}

QPoint position(const WindowPlace& place, QPoint fallback) {
  return {get(place.left, fallback.x()), get(place.top, fallback.y())};
}

QRect geometry(const WindowPlace& place) {
  return geometry(place, place.fallback());
}

QRect geometry(const WindowPlace& place, const QRect& fallback) {
  return {get(place.left, fallback.x()), get(place.top, fallback.y()), get(place.width, fallback.width()),
          get(place.height, fallback.height())};
}

void setPosition(const WindowPlace& place, QPoint topLeft) {
  set(place.left, topLeft.x());
  set(place.top, topLeft.y());
}

void setGeometry(const WindowPlace& place, const QRect& rect) {
  setPosition(place, rect.topLeft());
  set(place.width, rect.width());
  set(place.height, rect.height());
}

}  // namespace Settings
