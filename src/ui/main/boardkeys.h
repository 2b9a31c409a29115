// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QString>

class QWidget;
class TBZahl;

// The board's grid of 15 rows of 5: the number reached from n (1..75) by an arrow key, or n itself at
// an edge or for any other key.
int BoardNeighbour(int n, int key);

// Digits typed on the board: "1", "7" makes 17. A digit that would make more than two digits or a
// number above 75 starts a new number.
class TypedNumber {
 public:
  // Adds a digit (0..9); returns the number typed so far, 0 while it is no number of the board.
  int type(int digit);
  int value() const;  // 1..75, or 0
  bool isEmpty() const { return digits_.isEmpty(); }
  void clear() { digits_.clear(); }

 private:
  QString digits_;
};

// The board by keyboard. Only one number button is a tab stop, so Tab passes the board in one step;
// the arrow keys move the focus between the buttons, Space (the button's own key) or Enter toggles
// the focused number, digits and then Enter toggle the typed number, Escape drops the digits. Every
// toggle is the button's click, so the limit and its message are those of the mouse.
class BoardKeys : public QObject {
  Q_OBJECT
 public:
  // buttons: Button(1) to Button(75). The board follows before in the tab order.
  BoardKeys(const QList<TBZahl*>& buttons, QWidget* before, QObject* parent);

  int current() const { return current_; }
  const TypedNumber& typed() const { return typed_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setCurrent(int n, bool focus);
  TBZahl* button(int n) const { return buttons_.value(n - 1); }

  QList<TBZahl*> buttons_;
  int current_ = 1;
  TypedNumber typed_;
};
