// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>
#include <stdexcept>

#include "net/online.h"

// Online services for the window tests: the connection state is a switch, downloads copy files from a
// temporary folder laid out like the download server, and what is handed to the shell is recorded.
// Installs itself on construction and restores the previous services on destruction.
class FakeOnline : public OnlineServices {
 public:
  FakeOnline() : previous_(OnlineServices::install(this)) {}
  ~FakeOnline() override { OnlineServices::install(previous_); }
  FakeOnline(const FakeOnline&) = delete;
  FakeOnline& operator=(const FakeOnline&) = delete;

  bool online = true;
  bool shellSucceeds = true;
  bool claimWithoutWriting = false;  // downloads report success but write nothing
  QSet<QString> failingUrls;  // their GET breaks off: the file is created empty, then an error is thrown
  QStringList downloads;      // every URL asked for, in order
  QStringList opened;         // every target handed to the shell, in order
  int purges = 0;
  QList<Qt::CursorShape> cursorsDuringDownload;  // the program-wide cursor while each download ran

  // Serves bytes at DownloadServer() + path, e.g. "/downloads/verinfos.ziehfix".
  void serve(const QString& path, const QByteArray& bytes) {
    const QString file = root_.path() + path;
    QDir().mkpath(file.left(file.lastIndexOf(QLatin1Char('/'))));
    QFile f(file);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) throw std::runtime_error("serve");
  }
  void withdraw(const QString& path) { QFile::remove(root_.path() + path); }

  bool IsOnline() override { return online; }
  void PurgeUrlCache() override { ++purges; }
  bool UrlReachable(const QString& url) override { return online && QFile::exists(servedFile(url)); }
  bool DownloadToFile(const QString& url, const QString& localPath, Transfer,
                      const HttpClient::Progress&) override {
    downloads << url;
    // The windows' tests look at the cursor; the network layer's own tests run without a GUI.
    const bool gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    const QCursor* cursor = gui ? QGuiApplication::overrideCursor() : nullptr;
    cursorsDuringDownload << (cursor ? cursor->shape() : Qt::ArrowCursor);
    if (!online) return false;
    if (claimWithoutWriting) return true;
    if (failingUrls.contains(url)) {
      QFile target(localPath);
      (void)target.open(QIODevice::WriteOnly);
      throw std::runtime_error("Connection closed gracefully.");
    }
    QFile source(servedFile(url));
    if (!source.open(QIODevice::ReadOnly)) return false;
    QFile target(localPath);
    if (!target.open(QIODevice::WriteOnly)) throw std::runtime_error("Cannot create file");
    const QByteArray bytes = source.readAll();
    return target.write(bytes) == bytes.size();
  }
  bool ShellOpen(const QString& target) override {
    opened << target;
    return shellSucceeds;
  }

 private:
  QString servedFile(const QString& url) const {
    const QString base = DownloadServer();
    if (!url.startsWith(base)) return QString();
    return root_.path() + url.mid(base.size());
  }

  QTemporaryDir root_;
  OnlineServices* previous_;
};
