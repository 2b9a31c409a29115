// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

// While one window runs a long task with the event loop turning (so that every window keeps
// painting), nothing else may be started: clicks, keys, wheel turns and drops reach only that window,
// and the other windows cannot be closed. A message box that opens meanwhile (from a timer, say)
// still takes its clicks and keys, so it can always be answered. Lasts as long as the object.
class InputLock : public QObject {
 public:
  explicit InputLock(QWidget* window);
  ~InputLock() override;
  InputLock(const InputLock&) = delete;
  InputLock& operator=(const InputLock&) = delete;

  // Whether a lock holds now.
  static bool held();
  // Runs action at once when no lock holds. Otherwise it waits until the last lock has ended and then
  // runs from the event loop, after the locked task has returned; it is dropped when context is
  // destroyed before. For work that arrives during a task and may ask the user something.
  static void whenReleased(QObject* context, std::function<void()> action);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  static void runWaiting();

  QPointer<QWidget> window_;
};
