// SPDX-License-Identifier: GPL-3.0-or-later
#include "announce/speech.h"

#include <QLocale>
#include <QTextToSpeech>
#include <QVoice>
#include <algorithm>

Speech::Speech(const QString& engine, QObject* parent) : QObject(parent), engine_(engine) {}

Speech::~Speech() = default;

void Speech::start() {
  if (started_) return;
  started_ = true;
  const QStringList engines = QTextToSpeech::availableEngines();
  if (engines.isEmpty()) {
    reason_ = QStringLiteral("Keine Sprachausgabe installiert (speech-dispatcher und espeak-ng fehlen).");
    return;
  }
  if (!engine_.isEmpty() && !engines.contains(engine_)) {
    reason_ = QStringLiteral("Die Sprachausgabe „%1“ ist nicht installiert.").arg(engine_);
    return;
  }
  tts_ = new QTextToSpeech(engine_.isEmpty() ? engines.front() : engine_, this);
  if (tts_->state() == QTextToSpeech::Error) {
    reason_ = QStringLiteral("Die Sprachausgabe ließ sich nicht starten: %1").arg(tts_->errorString());
    return;
  }
  const QList<QLocale> locales = tts_->availableLocales();
  const auto de = std::find_if(locales.begin(), locales.end(),
                               [](const QLocale& l) { return l.language() == QLocale::German; });
  if (de != locales.end())
    tts_->setLocale(*de);
  else if (!locales.isEmpty())
    reason_ = QStringLiteral("Die Sprachausgabe hat keine deutsche Stimme (espeak-ng fehlt?).");
  connect(tts_, &QTextToSpeech::errorOccurred, this, [this](QTextToSpeech::ErrorReason, const QString& text) {
    reason_ = QStringLiteral("Die Sprachausgabe meldet einen Fehler: %1").arg(text);
  });
}

bool Speech::available() {
  start();
  return tts_ && reason_.isEmpty();
}

QString Speech::unavailableReason() {
  start();
  return reason_;
}

QStringList Speech::voices() {
  if (!available()) return {};
  QStringList names;
  for (const QVoice& v : tts_->availableVoices()) names << v.name();
  return names;
}

QString Speech::voice() {
  return available() ? tts_->voice().name() : QString();
}

void Speech::setVoice(const QString& name) {
  if (!available()) return;
  for (const QVoice& v : tts_->availableVoices())
    if (v.name() == name) tts_->setVoice(v);
}

void Speech::setRate(double rate) {
  if (available()) tts_->setRate(std::clamp(rate, -1.0, 1.0));
}

void Speech::setVolume(double volume) {
  if (available()) tts_->setVolume(std::clamp(volume, 0.0, 1.0));
}

void Speech::say(const QString& text) {
  if (!available()) return;
  // Qt queues a second say() behind the first; the newer number is the one that matters.
  if (tts_->state() == QTextToSpeech::Speaking) tts_->stop(QTextToSpeech::BoundaryHint::Immediate);
  tts_->say(text);
}

void Speech::stop() {
  if (tts_) tts_->stop(QTextToSpeech::BoundaryHint::Immediate);
}

bool Speech::speaking() const {
  return tts_ && tts_->state() == QTextToSpeech::Speaking;
}
