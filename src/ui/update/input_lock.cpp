// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/update/input_lock.h"

#include <QApplication>
#include <QEvent>
#include <QList>
#include <QTimer>
#include <utility>

namespace {
int g_locks = 0;

struct Waiting {
  QPointer<QObject> context;
  std::function<void()> action;
};
QList<Waiting>& waiting() {
  static QList<Waiting> list;
  return list;
}

bool within(const QWidget* outer, const QWidget* widget) {
  return outer && (widget == outer || outer->isAncestorOf(widget));
}
}  // namespace

InputLock::InputLock(QWidget* window) : window_(window) {
  ++g_locks;
  QCoreApplication::instance()->installEventFilter(this);
}

InputLock::~InputLock() {
  QCoreApplication::instance()->removeEventFilter(this);
  // Posted rather than run here: the locked task is still on the stack and may have its own message
  // to show first.
  if (--g_locks == 0 && !waiting().isEmpty())
    QTimer::singleShot(0, QCoreApplication::instance(), &runWaiting);
}

bool InputLock::held() {
  return g_locks > 0;
}

void InputLock::whenReleased(QObject* context, std::function<void()> action) {
  // Behind earlier ones that wait for their turn from the event loop, so the order holds.
  if (!held() && waiting().isEmpty()) {
    action();
    return;
  }
  waiting().append({context, std::move(action)});
}

void InputLock::runWaiting() {
  // A box the ended task opened (its own failure message) is answered before anything queued shows.
  if (!held() && QApplication::activeModalWidget()) {
    QTimer::singleShot(100, QCoreApplication::instance(), &runWaiting);
    return;
  }
  // An action may start another locked task; what is left then waits for that one to end.
  while (!held() && !waiting().isEmpty()) {
    const Waiting next = waiting().takeFirst();
    if (next.context) next.action();
  }
}

bool InputLock::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;
  if (within(window_, widget)) return false;
  // A modal box blocks every other window by itself; swallowing its input (or the close event that
  // even its own OK button sends) would leave it open for ever, and the task behind it with it.
  if (within(QApplication::activeModalWidget(), widget)) return false;
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
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      // Refused, so the desktop shows the drop as not taken.
      event->ignore();
      return true;
    case QEvent::Close:
      if (!widget->isWindow()) return false;
      event->ignore();
      return true;
    default:
      return false;
  }
}
