// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <memory>

#include "net/http_client.h"
#include "net/http_download.h"

// Thrown by a download's progress to cancel it (the window that waits for it was closed). Deliberately
// no std::exception: every caller that turns download errors into a failure passes it on, so the
// cancel reaches the one who asked for it.
struct TransferCancelled {};

// The files the program fetches; each has its own limits.
enum class Transfer { VersionFile, DonationStatus, Installer };

// Limits per file: the two small files must be done within 20 s and hold at most 64 KiB; the installer
// may take as long as data keeps coming (the read time-out ends a wait without progress) and hold at
// most 256 MiB. Tests shorten them.
struct OnlineLimits {
  TransferLimits versionFile{64 * 1024, 20000};
  TransferLimits donationStatus{64 * 1024, 20000};
  TransferLimits installer{256ull * 1024 * 1024, 0};
  const TransferLimits& of(Transfer kind) const;
};

// The program's network operations. Windows reach them only through OnlineServices::current(), so
// widget tests can install a fake that sets the connection state and records what is opened.
class OnlineServices {
 public:
  virtual ~OnlineServices() = default;

  // True when the system has a network connection (an interface other than loopback is up with an
  // address).
  virtual bool IsOnline() = 0;
  // There is no system URL cache here; does nothing.
  virtual void PurgeUrlCache() = 0;
  // HEAD request answered with status 200 within the time-out. Never throws.
  virtual bool UrlReachable(const QString& url) = 0;
  // false without creating the file when offline or not reachable; true when GET ended with 200..299
  // and the body was written; throws std::runtime_error (after the file was created) when GET fails,
  // breaks the limits of its kind or is cancelled by progress (which then throws).
  virtual bool DownloadToFile(const QString& url, const QString& localPath, Transfer kind,
                              const HttpClient::Progress& progress) = 0;
  // Hands an https:// address, a mailto: link or a local file to the desktop shell; success flag.
  virtual bool ShellOpen(const QString& target) = 0;

  // The installed services (the real ones unless a test installed others).
  static OnlineServices& current();
  // Installs s (not owned; nullptr restores the real ones) and returns the one it replaces.
  static OnlineServices* install(OnlineServices* s);
};

// The real services: connectivity from the system's network interfaces, downloads through our HTTP
// client, ShellOpen through the desktop. Tests may pass their own connectivity probe, settings and
// limits (short time-outs, the loopback server's address).
std::unique_ptr<OnlineServices> createSystemOnlineServices(std::function<bool()> isOnline = nullptr,
                                                           const HttpSettings& settings = HttpSettings(),
                                                           const OnlineLimits& limits = OnlineLimits());

// The download server's base address without a trailing '/': $ZIEHFIX_DOWNLOAD_SERVER when set, else
// "https://download.ziehfix.example".
QString DownloadServer();
