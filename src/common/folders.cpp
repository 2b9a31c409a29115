// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/folders.h"

#include <QDir>

#include "platform/private_files.h"
#include "platform/userfolders.h"

namespace {

struct DataFolders {
  QString temp, base, shots, tickets, settings, numbers;
};

QString withSlash(const QString& folder) {
  return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString fallbackTemp(const DataFolders& f) {
  return f.base + QStringLiteral("tmp/");
}

DataFolders computeFolders() {
  DataFolders f;
  f.base = withSlash(UserDataFolder()) + QStringLiteral("ZIEHFIX/");
  // The shared temporary folder would let another user plant files or links under our names.
  const QString runtime = UserRuntimeFolder();
  f.temp = runtime.isEmpty() ? fallbackTemp(f) : withSlash(runtime) + QStringLiteral("ZIEHFIX/");
  f.shots = f.base + QStringLiteral("shots/");
  f.tickets = f.base + QStringLiteral("Spielscheine/");
  f.settings = f.base + QStringLiteral("Einstellungen/");
  f.numbers = f.base + QStringLiteral("Gewinnzahlen/");
  return f;
}

// Computed on first use, so that code running without the splash window (tests, tools) sees the
// same folders; fixed for the rest of the run, but for TempDir's one fallback.
DataFolders& folders() {
  static DataFolders f = computeFolders();
  return f;
}

}  // namespace

void EstablishDataFolders() {
  DataFolders& f = folders();
  QDir dir;
  // The user's data folder itself may be missing on a fresh account, so the base folder is created
  // with its parents; the four sub-folders are one level each.
  if (!dir.exists(f.base)) dir.mkpath(f.base);
  for (const QString* sub : {&f.shots, &f.tickets, &f.settings, &f.numbers}) {
    if (!dir.exists(*sub)) dir.mkdir(*sub);
  }
  f.temp = EstablishPrivateFolder(f.temp, fallbackTemp(f));
}

QString EstablishPrivateFolder(const QString& preferred, const QString& fallback) {
  if (MakePrivateFolder(preferred) || preferred == fallback) return preferred;
  MakePrivateFolder(fallback);
  return fallback;
}

QString EstablishOwnPrivateFolder() {
  const DataFolders& f = folders();
  QDir().mkpath(f.base);
  const QString folder = fallbackTemp(f);
  return MakePrivateFolder(folder) ? folder : QString();
}

const QString& TempDir() {
  return folders().temp;
}
const QString& BaseDir() {
  return folders().base;
}
const QString& ShotsDir() {
  return folders().shots;
}
const QString& TicketsDir() {
  return folders().tickets;
}
const QString& SettingsDir() {
  return folders().settings;
}
const QString& NumbersDir() {
  return folders().numbers;
}

QString SettingsFilePath() {
  return SettingsDir() + QStringLiteral("optionen.ini");
}
