// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// While one window runs a long task with the event loop turning (so that every window keeps
// painting), nothing else may be started: clicks, keys and wheel turns reach only that window, and
// the other windows cannot be closed. Lasts as long as the object.
class InputLock : public QObject {
 public:
  explicit InputLock(QWidget* window);
  ~InputLock() override;
  InputLock(const InputLock&) = delete;
  InputLock& operator=(const InputLock&) = delete;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPointer<QWidget> window_;
};
