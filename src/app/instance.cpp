// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/instance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <QUrl>

#include "common/appinfo.h"
#include "common/folders.h"
#include "platform/userfolders.h"

namespace {
// The message: a tag line, one line per file with the path percent-encoded (so no path can break a
// line), and an empty line at the end. The answer is one byte. Plain text rather than QDataStream:
// a stream would trust a count it reads and reserve memory for it.
const QByteArray kTag = QByteArrayLiteral("ZIEHFIX-OPEN-1");
constexpr char kAnswer = 'A';

// As $XDG_RUNTIME_DIR must be: a folder of this user that nobody else may enter.
bool isUsersOwnFolder(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
         st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// Whether the program at the other end of a local connection runs as this user. The folder of the
// socket is private, but a folder is only as private as whoever set it up made it; the kernel's word
// on the peer is what counts.
bool peerIsThisUser(qintptr descriptor) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return descriptor >= 0 &&
         ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
         size == sizeof peer && peer.uid == ::geteuid();
}

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
  const QString name = AppId + QStringLiteral(".socket");
  const QString runtime = UserRuntimeFolder();
  if (!runtime.isEmpty() && isUsersOwnFolder(runtime)) return runtime + QLatin1Char('/') + name;
  // Never the shared temporary folder: whoever listens there would be handed the files.
  const QString own = EstablishOwnPrivateFolder();
  return own.isEmpty() ? QString() : own + name;
}

bool SingleInstance::handOver(const QStringList& files) {
  if (socketPath_.isEmpty()) return false;
  // Holding the lock means no other program runs (a stale lock of a dead one is taken over).
  locked_ = lock_.tryLock(0);
  if (locked_) return false;
  QLocalSocket socket;
  socket.connectToServer(socketPath_);
  if (!socket.waitForConnected(kWaitMs)) return false;
  // The files go only to a program of this user; with anything else this start runs on its own.
  if (!peerIsThisUser(socket.socketDescriptor())) return false;
  socket.write(encode(files));
  if (!socket.waitForBytesWritten(kWaitMs)) return false;
  while (socket.bytesAvailable() < 1)
    if (!socket.waitForReadyRead(kWaitMs)) return false;
  char answer = 0;
  return socket.getChar(&answer) && answer == kAnswer;
}

bool SingleInstance::listen() {
  if (socketPath_.isEmpty()) return false;
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
    if (!peerIsThisUser(socket->socketDescriptor())) {
      // Hand-overs come only from this user's own starts; anyone else is cut off unheard.
      socket->abort();
      socket->deleteLater();
      continue;
    }
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
