#include "platform/userfolders.h"

#include <QDir>

QString UserDataFolder() {
  // A relative XDG_DATA_HOME is invalid and must be ignored.
  const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
  if (!xdg.isEmpty() && QDir::isAbsolutePath(xdg)) return QDir::cleanPath(xdg);
  return QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share"));
}

QString TempFolder() {
  return QDir::tempPath();
}
