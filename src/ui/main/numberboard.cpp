// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/numberboard.h"

#include "ui/shared/accessibility.h"

namespace B = NumberBoardGeometry;

TPZahl::TPZahl(QWidget* parent) : QLabel(parent) {
  setObjectName(QString());
  setFixedSize(B::kPanelWidth, B::kPanelHeight);
  setAlignment(Qt::AlignCenter);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, QColor(0, 125, 0));
  pal.setColor(QPalette::WindowText, Qt::white);
  setPalette(pal);
  QFont f(QStringLiteral("Arial Rounded MT Bold"), 10);
  f.setBold(true);
  setFont(f);
  setProperty("role", QStringLiteral("chosenNumber"));
}

TBZahl::TBZahl(int number, QWidget* parent) : QPushButton(QString::number(number), parent), tag_(number) {
  setObjectName(QStringLiteral("but") + QString::number(number));
  setFixedSize(B::kButtonWidth, B::kButtonHeight);
  QFont f(QStringLiteral("Arial"), 9);
  f.setBold(true);
  setFont(f);
  setFocusPolicy(Qt::TabFocus);
  setCursor(Qt::PointingHandCursor);
  // Checked = chosen: the style sheet gives it the chosen look, and a screen reader hears the state.
  setCheckable(true);
  move(B::buttonPos(number));
  UseOwnAccessibleInterface(this);
}

void TBZahl::setChosen(bool chosen) {
  // A click toggles the check mark by itself before the board decides, so always set it back.
  chosen_ = chosen;
  setChecked(chosen);
}
