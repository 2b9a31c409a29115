// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shell_open.h"

#include <QDesktopServices>
#include <QFileInfo>

QUrl shellUrlFor(const QString& target) {
  const QUrl url(target, QUrl::TolerantMode);
  // A scheme of one letter would be a drive letter elsewhere; here it is taken as a file name, too.
  if (url.isValid() && url.scheme().size() > 1) return url;
  return QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
}

bool shellOpen(const QString& target) {
  if (target.trimmed().isEmpty()) return false;
  return QDesktopServices::openUrl(shellUrlFor(target));
}
