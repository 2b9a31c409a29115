// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/boardkeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "ui/main/numberboard.h"

namespace {
constexpr int kColumns = 5;
constexpr int kLast = 75;
}  // namespace

int BoardNeighbour(int n, int key) {
  const int col = (n - 1) % kColumns;
  switch (key) {
    case Qt::Key_Left:
      return col > 0 ? n - 1 : n;
    case Qt::Key_Right:
      return col < kColumns - 1 ? n + 1 : n;
    case Qt::Key_Up:
      return n - kColumns >= 1 ? n - kColumns : n;
    case Qt::Key_Down:
      return n + kColumns <= kLast ? n + kColumns : n;
    default:
      return n;
  }
}

int TypedNumber::type(int digit) {
  const QString next = digits_ + QString::number(digit);
  digits_ = (next.size() > 2 || next.toInt() > kLast) ? QString::number(digit) : next;
  return value();
}

int TypedNumber::value() const {
  const int v = digits_.toInt();
  return v >= 1 && v <= kLast ? v : 0;
}

BoardKeys::BoardKeys(const QList<TBZahl*>& buttons, QWidget* before, QObject* parent)
    : QObject(parent), buttons_(buttons) {
  // Qt orders only widgets that take the focus, so the order is set before the tab stop is chosen.
  QWidget* previous = before;
  for (TBZahl* b : buttons_) {
    b->setFocusPolicy(Qt::TabFocus);
    if (previous) QWidget::setTabOrder(previous, b);
    previous = b;
  }
  for (TBZahl* b : buttons_) {
    b->installEventFilter(this);
    b->setFocusPolicy(Qt::NoFocus);
  }
  setCurrent(1, false);
}

void BoardKeys::setCurrent(int n, bool focus) {
  if (TBZahl* old = button(current_)) old->setFocusPolicy(Qt::NoFocus);
  current_ = n;
  TBZahl* b = button(n);
  if (!b) return;
  b->setFocusPolicy(Qt::TabFocus);
  if (focus) b->setFocus(Qt::OtherFocusReason);
}

bool BoardKeys::eventFilter(QObject* watched, QEvent* event) {
  auto* b = qobject_cast<TBZahl*>(watched);
  if (!b) return false;
  if (event->type() == QEvent::FocusIn) {
    // Focus that came by the mouse or a screen reader makes that button the board's tab stop.
    if (b->tag() != current_) setCurrent(b->tag(), false);
    return false;
  }
  if (event->type() == QEvent::FocusOut) {
    // Typing moves the focus along the board; only leaving the board drops the digits.
    if (!buttons_.contains(qobject_cast<TBZahl*>(QApplication::focusWidget()))) typed_.clear();
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const int k = key->key();
  if (k >= Qt::Key_0 && k <= Qt::Key_9) {
    if (const int n = typed_.type(k - Qt::Key_0)) setCurrent(n, true);
    return true;
  }
  if (k == Qt::Key_Return || k == Qt::Key_Enter) {
    const int n = typed_.isEmpty() ? b->tag() : typed_.value();
    typed_.clear();
    if (TBZahl* target = button(n)) {
      setCurrent(n, true);
      target->click();
    }
    return true;
  }
  if (k == Qt::Key_Escape && !typed_.isEmpty()) {
    typed_.clear();
    return true;
  }
  typed_.clear();
  const int next = BoardNeighbour(b->tag(), k);
  if (k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Up || k == Qt::Key_Down) {
    if (next != b->tag()) setCurrent(next, true);
    return true;
  }
  return false;
}
