// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/input_lock.h"

#include <QCoreApplication>
#include <QEvent>

InputLock::InputLock(QWidget* window) : window_(window) {
  QCoreApplication::instance()->installEventFilter(this);
}

InputLock::~InputLock() {
  QCoreApplication::instance()->removeEventFilter(this);
}

bool InputLock::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  const bool inside = window_ && (widget == window_ || window_->isAncestorOf(widget));
  if (inside) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
      return true;
    case QEvent::Close:
      if (!widget->isWindow()) return false;
      event->ignore();
      return true;
    default:
      return false;
  }
}
