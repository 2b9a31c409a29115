// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/userfolders.h"

#include <QDir>

namespace {
// A relative path in an XDG variable is invalid and must be ignored.
QString absoluteFromEnvironment(const char* name) {
  const QString value = qEnvironmentVariable(name);
  return !value.isEmpty() && QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QString();
}
}  // namespace

QString UserDataFolder() {
  const QString xdg = absoluteFromEnvironment("XDG_DATA_HOME");
  return xdg.isEmpty() ? QDir::cleanPath(QDir::homePath() + QStringLiteral("/.local/share")) : xdg;
}

QString UserRuntimeFolder() {
  return absoluteFromEnvironment("XDG_RUNTIME_DIR");
}
