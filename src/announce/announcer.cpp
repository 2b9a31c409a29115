// SPDX-License-Identifier: GPL-3.0-or-later
#include "announce/announcer.h"

QString Perform(Announcer& announcer, const AnnouncementPlan& plan, const AnnounceChoice& choice,
                bool windowActive) {
  const QString text = plan.text();
  if (choice.speak && announcer.speechAvailable() && !text.isEmpty()) announcer.say(text);
  for (Sound s : plan.sounds) announcer.play(s);
  // Someone looking at the window sees the winner there; the notification is for one who is not.
  if (choice.notify && !windowActive && !plan.notification.isEmpty())
    announcer.notify(plan.notification, plan.notifiedTicket);
  return text;
}
