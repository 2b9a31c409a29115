// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/settings.h"

#include <array>

#include "common/folders.h"
#include "common/inifile.h"

namespace {
IniFile settingsFile() {
  return IniFile(SettingsFilePath());
}
}  // namespace

namespace Settings {

bool fileExists() {
  return settingsFile().exists();
}

int readInt(const QString& section, const QString& key, int def) {
  return settingsFile().readInt(section, key, def);
}

bool readBool(const QString& section, const QString& key, bool def) {
  return settingsFile().readBool(section, key, def);
}

QString readString(const QString& section, const QString& key, const QString& def) {
  return settingsFile().readString(section, key, def);
}

void writeInt(const QString& section, const QString& key, int value) {
  settingsFile().writeInt(section, key, value);
}

void writeBool(const QString& section, const QString& key, bool value) {
  settingsFile().writeBool(section, key, value);
}

void writeString(const QString& section, const QString& key, const QString& value) {
  settingsFile().writeString(section, key, value);
}

namespace {
QString text(QStringView view) {
  return view.toString();
}

struct PlaceKey {
  QString section, key;
  int fallback;
};

// The four keys of a window's place, in the order they are written: left, top, width, height.
std::array<PlaceKey, 4> placeKeys(const WindowPlace& place, const QRect& fallback) {
  const QString name = text(place.name);
  if (place.keys == WindowPlace::Keys::OwnSection) {
    return {PlaceKey{name, QStringLiteral("Links"), fallback.x()}, PlaceKey{name, QStringLiteral("Oben"), fallback.y()},
            PlaceKey{name, QStringLiteral("Breite"), fallback.width()},
            PlaceKey{name, QStringLiteral("Hoehe"), fallback.height()}};
  }
  const QString position = QStringLiteral("Position"), size = QStringLiteral("Size");
  return {PlaceKey{position, name + u"-left", fallback.x()}, PlaceKey{position, name + u"-top", fallback.y()},
          PlaceKey{size, name + u"-breite", fallback.width()}, PlaceKey{size, name + u"-hoehe", fallback.height()}};
}

int read(const PlaceKey& key) {
  return readInt(key.section, key.key, key.fallback);
}
}  // namespace

int get(const IntSetting& setting) {
  return get(setting, setting.fallback);
}

int get(const IntSetting& setting, int fallback) {
  return readInt(text(setting.section), text(setting.key), fallback);
}

bool get(const BoolSetting& setting) {
  return readBool(text(setting.section), text(setting.key), setting.fallback);
}

QString get(const TextSetting& setting) {
  return readString(text(setting.section), text(setting.key), text(setting.fallback));
}

QString get(const SettingList& list, int index) {
  return readString(text(list.section), text(list.prefix) + QString::number(index + 1), QString());
}

void set(const IntSetting& setting, int value) {
  writeInt(text(setting.section), text(setting.key), value);
}

void set(const BoolSetting& setting, bool value) {
  writeBool(text(setting.section), text(setting.key), value);
}

void set(const TextSetting& setting, const QString& value) {
  writeString(text(setting.section), text(setting.key), value);
}

void set(const SettingList& list, int index, const QString& value) {
  writeString(text(list.section), text(list.prefix) + QString::number(index + 1), value);
}

QPoint position(const WindowPlace& place) {
  return position(place, place.fallback.topLeft());
}

QPoint position(const WindowPlace& place, QPoint fallback) {
  const auto keys = placeKeys(place, QRect(fallback, QSize()));
  return {read(keys[0]), read(keys[1])};
}

QRect geometry(const WindowPlace& place) {
  return geometry(place, place.fallback);
}

QRect geometry(const WindowPlace& place, const QRect& fallback) {
  const auto keys = placeKeys(place, fallback);
  return {read(keys[0]), read(keys[1]), read(keys[2]), read(keys[3])};
}

void setPosition(const WindowPlace& place, QPoint topLeft) {
  const auto keys = placeKeys(place, QRect());
  writeInt(keys[0].section, keys[0].key, topLeft.x());
  writeInt(keys[1].section, keys[1].key, topLeft.y());
}

void setGeometry(const WindowPlace& place, const QRect& rect) {
  setPosition(place, rect.topLeft());
  const auto keys = placeKeys(place, QRect());
  writeInt(keys[2].section, keys[2].key, rect.width());
  writeInt(keys[3].section, keys[3].key, rect.height());
}

}  // namespace Settings
