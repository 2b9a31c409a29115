// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/windowplace.h"

#include <QScreen>
#include <QWidget>

void CentreOver(QWidget* window, const QWidget* parent) {
  QScreen* screen = window->screen();
  const QRect over = parent ? parent->frameGeometry() : (screen ? screen->availableGeometry() : QRect());
  window->move(over.center() - window->rect().center());
}
