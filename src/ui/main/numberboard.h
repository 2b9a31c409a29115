// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPushButton>

// One panel of the strip of chosen numbers: 24 x 22, dark green (0/125/0), white text, empty caption.
class TPZahl : public QLabel {
  Q_OBJECT
 public:
  explicit TPZahl(QWidget* parent);
};

// One number button of the board: 36 x 24, bold Arial 9 points, caption and tag = its number. A chosen
// number's button is checked, which the style sheet shows dark green with white bold text.
class TBZahl : public QPushButton {
  Q_OBJECT
 public:
  TBZahl(int number, QWidget* parent);
  int tag() const { return tag_; }
  bool isChosen() const { return chosen_; }
  void setChosen(bool chosen);

 private:
  int tag_;
  bool chosen_ = false;
};

// Board and strip placement: button n sits in row (n - 1) / 5 and column (n - 1) % 5, at
// left column * 37 + 1 and top row * 25 + 1; strip panel k at left 25 * (k - 1), top 3.
namespace NumberBoardGeometry {
constexpr int kButtonWidth = 36;
constexpr int kButtonHeight = 24;
constexpr int kPanelWidth = 24;
constexpr int kPanelHeight = 22;
inline QPoint buttonPos(int n) {
  return QPoint(((n - 1) % 5) * (kButtonWidth + 1) + 1, ((n - 1) / 5) * (kButtonHeight + 1) + 1);
}
inline QPoint panelPos(int k) {
  return QPoint((kPanelWidth + 1) * (k - 1), 3);
}
constexpr int kLeftColumnWidth = 5 * kButtonWidth + 16;
}  // namespace NumberBoardGeometry
