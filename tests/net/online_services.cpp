// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QObject>
#include <QUrl>

#include "loopback_server.h"
#include "net/online.h"
#include "platform/online_state.h"
#include "platform/shell_open.h"
#include "support/test_env.h"

namespace {

InterfaceAddress address(const char* name, bool up, bool running, bool loopback, bool linkLocal) {
  InterfaceAddress a;
  a.name = name;
  a.up = up;
  a.running = running;
  a.loopback = loopback;
  a.linkLocal = linkLocal;
  return a;
}

TEST(Connectivity, NeedsAnInterfaceBeyondLoopbackThatIsUpWithAnAddressBeyondTheLink) {
  struct Case {
    const char* sentence;
    std::vector<InterfaceAddress> addresses;
    bool online;
  };
  const Case cases[] = {
      {"no interfaces at all is offline", {}, false},
      {"loopback alone is offline", {address("lo", true, true, true, false)}, false},
      {"an ethernet address that is up and running is online",
       {address("lo", true, true, true, false), address("eth0", true, true, false, false)},
       true},
      {"an interface that is down is offline", {address("eth0", false, false, false, false)}, false},
      {"an interface without carrier is offline", {address("eth0", true, false, false, false)}, false},
      {"a link-local address alone is offline", {address("eth0", true, true, false, true)}, false},
      {"one good address among link-local ones is online",
       {address("eth0", true, true, false, true), address("wlan0", true, true, false, false)},
       true},
  };
  for (const Case& c : cases) EXPECT_EQ(anyConnectedInterface(c.addresses), c.online) << c.sentence;
}

TEST(Connectivity, TheSystemListShowsTheLoopbackInterface) {
  const auto addresses = systemInterfaceAddresses();
  EXPECT_TRUE(std::any_of(addresses.begin(), addresses.end(),
                          [](const InterfaceAddress& a) { return a.loopback && a.up; }));
}

TEST(OnlineServices, DownloadsNothingWhenOffline) {
  LoopbackServer server({});
  auto services = createSystemOnlineServices([] { return false; });
  const QString path = testRootDir() + "/tmp/offline.bin";
  EXPECT_FALSE(services->IsOnline());
  EXPECT_FALSE(services->DownloadToFile(QString::fromStdString(server.base() + "/f"), path,
                                        Transfer::Installer, nullptr));
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_TRUE(server.requests().empty());
}

TEST(OnlineServices, DownloadsThroughTheClientWhenOnline) {
  LoopbackServer server({{"HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"},
                         {"HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n1234"},
                         {"HTTP/1.1 204 No Content\r\n\r\n"}});
  auto services = createSystemOnlineServices([] { return true; });
  const QString url = QString::fromStdString(server.base() + "/downloads/wachziehfix.txt");
  const QString path = testRootDir() + "/tmp/online.bin";
  ASSERT_TRUE(services->DownloadToFile(url, path, Transfer::DonationStatus, nullptr));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "1234");
  EXPECT_FALSE(services->UrlReachable(url));  // the third answer is a 204
  services->PurgeUrlCache();                  // nothing to purge; must simply return
}

TEST(OnlineServices, TheDownloadServerCanBeOverriddenAndLosesTrailingSlashes) {
  qunsetenv("ZIEHFIX_DOWNLOAD_SERVER");
  EXPECT_TRUE(DownloadServer().startsWith("https://"));
  EXPECT_FALSE(DownloadServer().endsWith('/'));
  qputenv("ZIEHFIX_DOWNLOAD_SERVER", "http://127.0.0.1:8080//");
  EXPECT_EQ(DownloadServer(), "http://127.0.0.1:8080");
  qunsetenv("ZIEHFIX_DOWNLOAD_SERVER");
}

TEST(ShellOpen, WebAddressesAndMailLinksStayAndPathsBecomeFileUrls) {
  EXPECT_EQ(shellUrlFor("https://www.example/donate/?hosted_button_id=X"),
            QUrl("https://www.example/donate/?hosted_button_id=X"));
  EXPECT_EQ(shellUrlFor("mailto:info@example.com?subject=ZIEHFIX").scheme(), "mailto");
  EXPECT_EQ(shellUrlFor("/tmp/ziehfix update.exe"), QUrl::fromLocalFile("/tmp/ziehfix update.exe"));
  EXPECT_EQ(shellUrlFor("relative.txt"),
            QUrl::fromLocalFile(QDir::current().absoluteFilePath("relative.txt")));
}

class UrlRecorder : public QObject {
  Q_OBJECT
 public:
  QList<QUrl> opened;
 public slots:
  void open(const QUrl& url) { opened.append(url); }
};

TEST(ShellOpen, HandsTheTargetToTheDesktop) {
  UrlRecorder recorder;
  QDesktopServices::setUrlHandler("https", &recorder, "open");
  QDesktopServices::setUrlHandler("mailto", &recorder, "open");
  EXPECT_TRUE(shellOpen("https://www.example/"));
  EXPECT_TRUE(shellOpen("mailto:info@example.com?subject=ZIEHFIX"));
  EXPECT_FALSE(shellOpen("   "));
  QDesktopServices::unsetUrlHandler("https");
  QDesktopServices::unsetUrlHandler("mailto");
  EXPECT_EQ(recorder.opened,
            QList<QUrl>({QUrl("https://www.example/"), QUrl("mailto:info@example.com?subject=ZIEHFIX")}));
}

}  // namespace

#include "online_services.moc"
