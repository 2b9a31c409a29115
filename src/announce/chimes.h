// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "core/announcement.h"

class QSoundEffect;

// The two chimes of the program, from its resources, played without waiting.
class Chimes : public QObject {
  Q_OBJECT
 public:
  explicit Chimes(QObject* parent = nullptr);

  void play(Sound sound);  // starts the chime anew when it is still playing
  void setVolume(double volume);
  // False when the chime could not be loaded or no sound output is there.
  bool ready(Sound sound) const;

 private:
  QSoundEffect* effect(Sound sound) const;

  QSoundEffect* win_;
  QSoundEffect* oneMissing_;
};
