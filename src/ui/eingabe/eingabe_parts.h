// SPDX-License-Identifier: GPL-3.0-or-later
// What the entry window's source files share: its file kinds, fonts and small widget makers.
#pragma once

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QString>

#include "ui/shared/skinwidgets.h"

namespace entry {

inline const QString kFilter = QStringLiteral("Lose-Dateien|*.lose");
inline const QString kSuffix = QStringLiteral("lose");
inline const QString kOpenTitle = QStringLiteral("Lose-Dateien einlesen");
inline const QString kSaveTitle = QStringLiteral("Lose-Dateien speichern");

inline QString germanCount(int n) {
  return QLocale(QLocale::German).toString(n);
}

// Buttons look and are pictured as on the main window: 0 close, 1 delete, 4 open, 6 tickets, 9 info,
// 10 position, 11 save.
inline constexpr int kBarButtonHeight = 36;

// Making or removing many frames: the ticket area is repainted once at the end, and a long batch
// shows the wait cursor. Restores both also when the batch ends by an exception.
class FrameBatch {
 public:
  FrameBatch(QWidget* area, int frames) : area_(area), wait_(frames > 50) {
    area_->setUpdatesEnabled(false);
    if (wait_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~FrameBatch() {
    area_->setUpdatesEnabled(true);
    if (wait_) QGuiApplication::restoreOverrideCursor();
  }
  FrameBatch(const FrameBatch&) = delete;
  FrameBatch& operator=(const FrameBatch&) = delete;

 private:
  QWidget* area_;
  bool wait_;
};

}  // namespace entry
