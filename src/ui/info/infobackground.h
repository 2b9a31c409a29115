// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

// The info window's background, 400 × 300: a row of numbered lottery balls on teal with the product
// name in green letters at the top left. The balls keep clear of the places where the window puts its
// version line, QR code, contact lines and close button.
QPixmap InfoBackground(const QString& productName);
