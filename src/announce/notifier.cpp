// SPDX-License-Identifier: GPL-3.0-or-later
#include "announce/notifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
}  // namespace

Notifier::Notifier(const QDBusConnection& bus, QObject* parent) : QObject(parent), bus_(bus) {
  if (!bus_.isConnected()) return;
  bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
               SLOT(onAction(uint, QString)));
  bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
               SLOT(onClosed(uint, uint)));
}

void Notifier::notify(const QString& text, int ticket) {
  if (!bus_.isConnected()) {
    error_ = QStringLiteral("Keine Verbindung zum Sitzungsbus: Benachrichtigungen sind nicht möglich.");
    emit finished();
    return;
  }
  QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
  // The "default" action is what a click on the notification itself invokes.
  call << QStringLiteral("ZIEHFIX") << uint(0) << QStringLiteral("ziehfix") << text << QString()
       << QStringList{QStringLiteral("default"), QStringLiteral("Anzeigen")} << QVariantMap() << int(-1);
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, deadline_), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, ticket](QDBusPendingCallWatcher* w) {
    const QDBusPendingReply<uint> reply = *w;
    if (reply.isError()) {
      error_ = QStringLiteral("Die Benachrichtigung ließ sich nicht zeigen: %1").arg(reply.error().message());
    } else {
      error_.clear();
      tickets_.insert(reply.value(), ticket);
    }
    w->deleteLater();
    emit finished();
  });
}

void Notifier::onAction(uint id, const QString& action) {
  const auto it = tickets_.constFind(id);
  if (it == tickets_.constEnd() || action != QLatin1String("default")) return;
  emit clicked(it.value());
}

void Notifier::onClosed(uint id, uint) {
  tickets_.remove(id);
}
