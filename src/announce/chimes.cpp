// SPDX-License-Identifier: GPL-3.0-or-later
#include "announce/chimes.h"

#include <QSoundEffect>
#include <QUrl>

// The resources live in a static library: without this reference the linker would leave them out.
// Q_INIT_RESOURCE declares the initialiser in the namespace it is used in, so it stays global.
static void initSounds() {
  Q_INIT_RESOURCE(sounds);
}

Chimes::Chimes(QObject* parent)
    : QObject(parent), win_(new QSoundEffect(this)), oneMissing_(new QSoundEffect(this)) {
  initSounds();
  win_->setSource(QUrl(QStringLiteral("qrc:/sounds/gewinn.wav")));
  oneMissing_->setSource(QUrl(QStringLiteral("qrc:/sounds/eine-fehlt.wav")));
}

QSoundEffect* Chimes::effect(Sound sound) const {
  return sound == Sound::Win ? win_ : oneMissing_;
}

void Chimes::play(Sound sound) {
  QSoundEffect* e = effect(sound);
  if (e->isPlaying()) e->stop();
  e->play();
}

void Chimes::setVolume(double volume) {
  win_->setVolume(float(volume));
  oneMissing_->setVolume(float(volume));
}

bool Chimes::ready(Sound sound) const {
  return effect(sound)->status() == QSoundEffect::Ready;
}
