#pragma once

#include <QWidget>

// The ticket entry window.
class TFEingabe : public QWidget {
  Q_OBJECT
 public:
  explicit TFEingabe(QWidget* parent = nullptr);
};

extern TFEingabe* FEingabe;
