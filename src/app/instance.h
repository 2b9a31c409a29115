// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHash>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QLocalServer;
class QLocalSocket;

// One running program per user. The first start holds a lock file and listens on a local socket that
// only this user may open; a later start hands its files over that socket and ends. Both ends make
// sure the other runs as the same user. Whatever goes wrong here (a stale lock, a dead, mute or
// foreign socket, a folder that cannot be written) only means the program starts on its own: it
// never keeps the program from starting.
class SingleInstance : public QObject {
  Q_OBJECT
 public:
  // Longest wait for each step of a hand-over (connect, send, answer), in milliseconds.
  static constexpr int kWaitMs = 2000;
  // Most bytes a hand-over may carry; a longer one is dropped.
  static constexpr qint64 kMaxMessage = 1 << 20;

  // socketPath: the full path of the socket; the lock is socketPath + ".lock". An empty path: no
  // hand-over either way.
  explicit SingleInstance(const QString& socketPath, QObject* parent = nullptr);
  ~SingleInstance() override;

  // Named after the app ID, in $XDG_RUNTIME_DIR when that is a folder of this user closed to others,
  // else in the private folder below the data folder; empty when that cannot be made private.
  static QString defaultSocketPath();

  // True when another program of this user runs and has taken the files (also an empty list: it
  // then only comes to the front). False: this start is the first, or the other one did not answer.
  bool handOver(const QStringList& files);
  // Starts listening when this start holds the lock; false when it cannot (the program runs anyway).
  bool listen();
  bool isListening() const;

 signals:
  // Another start handed these files over (possibly none) and wants the main window in front.
  void filesReceived(const QStringList& files);

 private:
  void acceptConnection();
  void readFrom(QLocalSocket* socket);

  QString socketPath_;
  QLockFile lock_;
  bool locked_ = false;
  QLocalServer* server_ = nullptr;
  QHash<QLocalSocket*, QByteArray> buffers_;  // what each connection has sent so far
};
