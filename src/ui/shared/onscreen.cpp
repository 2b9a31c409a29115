// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/onscreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace {
// A point of the title bar a user can grab.
bool grippable(QPoint topLeft) {
  const QPoint grip = topLeft + QPoint(40, 10);
  for (QScreen* s : QGuiApplication::screens())
    if (s->geometry().contains(grip)) return true;
  return false;
}
}  // namespace

QPoint ReachablePosition(QPoint stored, QPoint fallback) {
  if (grippable(stored)) return stored;
  if (grippable(fallback)) return fallback;
  QScreen* primary = QGuiApplication::primaryScreen();
  return primary ? primary->availableGeometry().topLeft() : fallback;
}
