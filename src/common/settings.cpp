// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/settings.h"

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

}  // namespace Settings

void SavePosition(const QString& name, int left, int top) {
  Settings::writeInt(QStringLiteral("Position"), name + QStringLiteral("-left"), left);
  Settings::writeInt(QStringLiteral("Position"), name + QStringLiteral("-top"), top);
}

void SaveGeometry(const QString& name, int left, int top, int width, int height) {
  SavePosition(name, left, top);
  Settings::writeInt(QStringLiteral("Size"), name + QStringLiteral("-breite"), width);
  Settings::writeInt(QStringLiteral("Size"), name + QStringLiteral("-hoehe"), height);
}
