#include "net/online.h"

#include <utility>

#include "net/http_download.h"
#include "platform/online_state.h"
#include "platform/shell_open.h"

namespace {
class SystemOnlineServices : public OnlineServices {
 public:
  SystemOnlineServices(std::function<bool()> isOnline, const HttpSettings& settings)
      : isOnline_(std::move(isOnline)), settings_(settings) {}

  bool IsOnline() override { return isOnline_ ? isOnline_() : systemIsOnline(); }
  // The client keeps no cache and the system has none to purge.
  void PurgeUrlCache() override {}
  bool UrlReachable(const QString& url) override { return urlReachable(url, settings_); }
  bool DownloadToFile(const QString& url, const QString& localPath) override {
    if (!IsOnline()) return false;
    return downloadToFile(url, localPath, settings_);
  }
  bool ShellOpen(const QString& target) override { return shellOpen(target); }

 private:
  std::function<bool()> isOnline_;
  HttpSettings settings_;
};

OnlineServices* g_installed = nullptr;
}  // namespace

std::unique_ptr<OnlineServices> createSystemOnlineServices(std::function<bool()> isOnline,
                                                           const HttpSettings& settings) {
  return std::make_unique<SystemOnlineServices>(std::move(isOnline), settings);
}

OnlineServices& OnlineServices::current() {
  static SystemOnlineServices real(nullptr, HttpSettings());
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
