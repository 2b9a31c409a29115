#include "ui/eingabe.h"

TFEingabe* FEingabe = nullptr;

TFEingabe::TFEingabe(QWidget* parent) : QWidget(parent) { setObjectName("FEingabe"); }
