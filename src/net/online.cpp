// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/online.h"

#include <utility>

#include "net/http_download.h"
#include "platform/online_state.h"
#include "platform/shell_open.h"

namespace {
class SystemOnlineServices : public OnlineServices {
 public:
  SystemOnlineServices(std::function<bool()> isOnline, const HttpSettings& settings,
                       const OnlineLimits& limits)
      : isOnline_(std::move(isOnline)), settings_(settings), limits_(limits) {}

  bool IsOnline() override { return isOnline_ ? isOnline_() : systemIsOnline(); }
  // The client keeps no cache and the system has none to purge.
  void PurgeUrlCache() override {}
  bool UrlReachable(const QString& url) override { return urlReachable(url, settings_); }
  bool DownloadToFile(const QString& url, const QString& localPath, Transfer kind,
                      const HttpClient::Progress& progress) override {
    if (!IsOnline()) return false;
    return downloadToFile(url, localPath, settings_, limits_.of(kind), progress);
  }
  bool ShellOpen(const QString& target) override { return shellOpen(target); }

 private:
  std::function<bool()> isOnline_;
  HttpSettings settings_;
  OnlineLimits limits_;
};

OnlineServices* g_installed = nullptr;
}  // namespace

const TransferLimits& OnlineLimits::of(Transfer kind) const {
  switch (kind) {
    case Transfer::VersionFile:
      return versionFile;
    case Transfer::DonationStatus:
      return donationStatus;
    case Transfer::Installer:
      break;
  }
  return installer;
}

std::unique_ptr<OnlineServices> createSystemOnlineServices(std::function<bool()> isOnline,
                                                           const HttpSettings& settings,
                                                           const OnlineLimits& limits) {
  return std::make_unique<SystemOnlineServices>(std::move(isOnline), settings, limits);
}

OnlineServices& OnlineServices::current() {
  static SystemOnlineServices real(nullptr, HttpSettings(), OnlineLimits());
  return g_installed ? *g_installed : real;
}

OnlineServices* OnlineServices::install(OnlineServices* s) {
  OnlineServices* old = g_installed;
  g_installed = s;
  return old;
}

QString DownloadServer() {
  const QString env = qEnvironmentVariable("ZIEHFIX_DOWNLOAD_SERVER");
  QString base = env.isEmpty() ? QStringLiteral("https://download.ziehfix.example") : env;
  while (base.endsWith(QLatin1Char('/'))) base.chop(1);
  return base;
}
