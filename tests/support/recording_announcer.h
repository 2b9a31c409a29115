// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <utility>

#include "announce/announcer.h"

// Stands in for the voice, the chimes and the notifications: keeps what would have been said, played
// and shown, and lets a test click a notification.
class RecordingAnnouncer : public Announcer {
 public:
  QStringList said;
  QList<Sound> played;
  QList<std::pair<QString, int>> notified;  // text, ticket
  bool voice = true;                        // false: as if no speech engine were installed

  void say(const QString& text) override { said << text; }
  void play(Sound sound) override { played << sound; }
  void notify(const QString& text, int ticket) override { notified.append({text, ticket}); }
  void setNotificationHandler(std::function<void(int)> handler) override { handler_ = std::move(handler); }
  bool speechAvailable() const override { return voice; }
  QString speechUnavailableReason() const override {
    return voice ? QString() : QStringLiteral("Keine Sprachausgabe installiert.");
  }

  // As if the user clicked the last notification.
  void clickNotification() {
    if (handler_ && !notified.isEmpty()) handler_(notified.back().second);
  }

 private:
  std::function<void(int)> handler_;
};
