// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

#include "core/announcement.h"

// What the windows use to speak, play and notify; the tests put a recorder in its place, so nothing
// depends on a speech engine, a sound card or a desktop being there.
class Announcer {
 public:
  virtual ~Announcer() = default;

  // Speaks text at once, cutting off whatever is still being said; never waits for the engine.
  virtual void say(const QString& text) = 0;
  virtual void play(Sound sound) = 0;
  // A desktop notification about a ticket (0-based); clicking it calls the handler with the ticket.
  virtual void notify(const QString& text, int ticket) = 0;
  virtual void setNotificationHandler(std::function<void(int ticket)> handler) = 0;

  // False when no voice can be had; the reason is a German sentence for the dialog's tooltip.
  virtual bool speechAvailable() const = 0;
  virtual QString speechUnavailableReason() const = 0;
};

struct AnnounceChoice {
  bool speak = true;    // the voice; the line on screen and the sounds come regardless
  bool notify = false;  // desktop notifications
};

// Carries out a plan: speaks it (when a voice is there and chosen), plays its sounds and, only while
// the main window is not the active one, notifies about a new winner. Returns the line for the screen.
QString Perform(Announcer& announcer, const AnnouncementPlan& plan, const AnnounceChoice& choice,
                bool windowActive);
