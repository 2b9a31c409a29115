// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QString>

// Desktop notifications through the freedesktop notification service on the session bus. Every call
// is asynchronous and has a deadline: a missing or hanging service never holds up the program.
class Notifier : public QObject {
  Q_OBJECT
 public:
  explicit Notifier(const QDBusConnection& bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

  void setDeadline(int milliseconds) { deadline_ = milliseconds; }
  // Shows text; a click on it later emits clicked(ticket).
  void notify(const QString& text, int ticket);
  // German; empty while every notification went out.
  QString lastError() const { return error_; }

 signals:
  void clicked(int ticket);
  void finished();  // a notify() call was answered, refused or ran out of time

 private slots:
  void onAction(uint id, const QString& action);
  void onClosed(uint id, uint reason);

 private:
  QDBusConnection bus_;
  QHash<uint, int> tickets_;  // notification id -> ticket
  int deadline_ = 5000;
  QString error_;
};
