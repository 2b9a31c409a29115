#include "net/online.h"

namespace {
// Until the HTTP client exists every operation answers "offline".
class OfflineServices : public OnlineServices {
 public:
  bool IsOnline() override { return false; }
  void PurgeUrlCache() override {}
  bool UrlReachable(const QString&) override { return false; }
  bool DownloadToFile(const QString&, const QString&) override { return false; }
  bool ShellOpen(const QString&) override { return false; }
};

OnlineServices* g_installed = nullptr;
}  // namespace

OnlineServices& OnlineServices::current() {
  static OfflineServices real;
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
