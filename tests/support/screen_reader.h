// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QList>
#include <QString>

// Stands in for a screen reader: while it lives, accessibility is active (as when a screen reader
// has connected) and every accessibility event is recorded with the name of its interface.
class ScreenReaderEvents {
 public:
  struct Heard {
    QAccessible::Event type;
    QString name;
  };

  ScreenReaderEvents();
  ~ScreenReaderEvents();
  ScreenReaderEvents(const ScreenReaderEvents&) = delete;
  ScreenReaderEvents& operator=(const ScreenReaderEvents&) = delete;

  const QList<Heard>& heard() const;
  bool heard(QAccessible::Event type, const QString& name) const;
  void clear();
};
