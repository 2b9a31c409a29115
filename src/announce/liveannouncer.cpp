// SPDX-License-Identifier: GPL-3.0-or-later
#include "announce/liveannouncer.h"

LiveAnnouncer::LiveAnnouncer(QObject* parent) : QObject(parent) {
  connect(&notifier_, &Notifier::clicked, this, [this](int ticket) {
    if (handler_) handler_(ticket);
  });
}
