// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "announce/announcer.h"
#include "announce/chimes.h"
#include "announce/notifier.h"
#include "announce/speech.h"

// The announcer of the running program: the voice, the chimes and the desktop notifications.
class LiveAnnouncer : public QObject, public Announcer {
  Q_OBJECT
 public:
  explicit LiveAnnouncer(QObject* parent = nullptr);

  void say(const QString& text) override { speech_.say(text); }
  void play(Sound sound) override { chimes_.play(sound); }
  void notify(const QString& text, int ticket) override { notifier_.notify(text, ticket); }
  void setNotificationHandler(std::function<void(int ticket)> handler) override {
    handler_ = std::move(handler);
  }
  bool speechAvailable() const override { return speech_.available(); }
  QString speechUnavailableReason() const override { return speech_.unavailableReason(); }

  // For the settings dialog: voice, rate and volume.
  Speech& speech() { return speech_; }
  Chimes& chimes() { return chimes_; }

 private:
  // The voice starts on first use, which a const question may be.
  mutable Speech speech_;
  Chimes chimes_;
  Notifier notifier_;
  std::function<void(int)> handler_;
};
