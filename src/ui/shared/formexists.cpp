// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/shared/formexists.h"

#include <QApplication>
#include <QWidget>

namespace {

// Qt keeps "deleteLater() was called" and "being destroyed" in the object's data, which QObject keeps
// protected. A pointer to the inherited member, taken inside a derived class, reads it on any object.
struct ObjectDataPeek : QObject {
  static const QObjectData* of(const QObject* object) { return (object->*(&ObjectDataPeek::d_ptr)).data(); }
};

// A window closed with WA_DeleteOnClose (or given to deleteLater()) stays among the top-level widgets
// until the event loop deletes it, but it is no longer open.
bool isGoing(const QWidget* w) {
  const QObjectData* d = ObjectDataPeek::of(w);
  return d->deleteLaterCalled || d->wasDeleted;
}

}  // namespace

bool FormExists(const QString& name) {
  if (!qApp) return false;
  const QWidgetList windows = QApplication::topLevelWidgets();
  for (const QWidget* w : windows) {
    if (w->objectName() == name && !isGoing(w)) return true;
  }
  return false;
}
