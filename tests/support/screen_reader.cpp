// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/screen_reader.h"

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {
QList<ScreenReaderEvents::Heard> g_heard;

void record(QAccessibleEvent* event) {
  QAccessibleInterface* i = event->accessibleInterface();
  g_heard.append({event->type(), i ? i->text(QAccessible::Name) : QString()});
}

// Qt has no public switch for this: the platform turns accessibility on when a screen reader asks.
void setActive(bool active) {
  if (QPlatformAccessibility* a = QGuiApplicationPrivate::platformIntegration()->accessibility())
    a->setActive(active);
}
}  // namespace

ScreenReaderEvents::ScreenReaderEvents() {
  g_heard.clear();
  QAccessible::installUpdateHandler(record);
  setActive(true);
}

ScreenReaderEvents::~ScreenReaderEvents() {
  setActive(false);
  QAccessible::installUpdateHandler(nullptr);
  g_heard.clear();
}

const QList<ScreenReaderEvents::Heard>& ScreenReaderEvents::heard() const {
  return g_heard;
}

bool ScreenReaderEvents::heard(QAccessible::Event type, const QString& name) const {
  for (const Heard& h : g_heard)
    if (h.type == type && h.name == name) return true;
  return false;
}

void ScreenReaderEvents::clear() {
  g_heard.clear();
}
