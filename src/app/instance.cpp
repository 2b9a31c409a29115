// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instance.h"

#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>

#include "common/appinfo.h"

namespace {
// The message: a tag line, one line per file with the path percent-encoded (so no path can break a
// line), and an empty line at the end. The answer is one byte. Plain text rather than QDataStream:
// a stream would trust a count it reads and reserve memory for it.
const QByteArray kTag = QByteArrayLiteral("ZIEHFIX-OPEN-1");
constexpr char kAnswer = 'A';

QByteArray encode(const QStringList& files) {
  QByteArray message = kTag + '\n';
  for (const QString& file : files) message += QUrl::toPercentEncoding(file) + '\n';
  return message + '\n';
}

// False until the message is complete; then true, with ok telling whether it was well-formed.
bool decode(const QByteArray& buffer, QStringList& files, bool& ok) {
  const qsizetype end = buffer.indexOf("\n\n");
  if (end < 0) return false;
  QList<QByteArray> lines = buffer.left(end).split('\n');
  ok = !lines.isEmpty() && lines.takeFirst() == kTag && buffer.size() == end + 2;
  for (const QByteArray& line : std::as_const(lines))
    files << QString::fromUtf8(QByteArray::fromPercentEncoding(line));
  return true;
}
}  // namespace

SingleInstance::SingleInstance(const QString& socketPath, QObject* parent)
    : QObject(parent), socketPath_(socketPath), lock_(socketPath + QStringLiteral(".lock")) {
  // A lock is stale only when its program is gone; a long-running program keeps it.
  lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
  if (server_) server_->close();
  if (locked_) lock_.unlock();
}

QString SingleInstance::defaultSocketPath() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  const QFileInfo runtimeDir(runtime);
  if (!runtime.isEmpty() && runtimeDir.isDir() && runtimeDir.ownerId() == ::getuid())
    return runtime + QLatin1Char('/') + AppId + QStringLiteral(".socket");
  return QDir::tempPath() + QLatin1Char('/') + AppId + QStringLiteral("-%1.socket").arg(::getuid());
}

bool SingleInstance::handOver(const QStringList& files) {
  // Holding the lock means no other program runs (a stale lock of a dead one is taken over).
  locked_ = lock_.tryLock(0);
  if (locked_) return false;
  QLocalSocket socket;
  socket.connectToServer(socketPath_);
  if (!socket.waitForConnected(kWaitMs)) return false;
  socket.write(encode(files));
  if (!socket.waitForBytesWritten(kWaitMs)) return false;
  while (socket.bytesAvailable() < 1)
    if (!socket.waitForReadyRead(kWaitMs)) return false;
  char answer = 0;
  return socket.getChar(&answer) && answer == kAnswer;
}

bool SingleInstance::listen() {
  if (!locked_) locked_ = lock_.tryLock(0);
  if (!locked_) return false;
  // With the lock held, a socket file left behind by a program that died is ours to remove.
  QLocalServer::removeServer(socketPath_);
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnection);
  if (server_->listen(socketPath_)) return true;
  delete server_;
  server_ = nullptr;
  return false;
}

bool SingleInstance::isListening() const {
  return server_ && server_->isListening();
}

void SingleInstance::acceptConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QObject::destroyed, this, [this, socket] { buffers_.remove(socket); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
    // A start that connects and then says nothing is cut off; the program never waits for it.
    QTimer::singleShot(kWaitMs, socket, [socket] { socket->abort(); });
    readFrom(socket);
  }
}

void SingleInstance::readFrom(QLocalSocket* socket) {
  QByteArray& buffer = buffers_[socket];
  buffer += socket->readAll();
  QStringList files;
  bool ok = false;
  if (buffer.size() > kMaxMessage || (decode(buffer, files, ok) && !ok)) {
    buffers_.remove(socket);
    socket->abort();
    return;
  }
  if (!ok) return;  // not all there yet
  buffers_.remove(socket);
  socket->putChar(kAnswer);
  socket->flush();
  socket->disconnectFromServer();
  emit filesReceived(files);
}
