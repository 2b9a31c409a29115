// SPDX-License-Identifier: GPL-3.0-or-later
// The update window against a real HTTP(S) server on 127.0.0.1, through our own client.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>
#include <string>

#include "common/folders.h"
#include "net/donation.h"
#include "net/hostile_server.h"
#include "net/loopback_server.h"
#include "net/online.h"
#include "support/scripted_prompter.h"
#include "support/test_env.h"
#include "ui/update/update.h"

namespace {

const QString kCheckFailed = QString::fromUtf8("Die Prüfung hat leider nicht geklappt.\r");

std::string ok(const std::string& body) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}
const std::string kHeadOk = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n";
const std::string kNotFound = "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n";
const std::string kOk = "HTTP/1.1 200 OK\r\n";
const QString kDownloadFailed =
    QString::fromUtf8("Der Download ist gescheitert. Versuchen Sie es bitte später noch einmal.");

std::string record(const std::string& version) {
  std::string r(8, '\0');
  r += char(version.size());
  r += version;
  r.resize(24, '\0');
  return r;
}

// The system's downloads, reported online, with whatever is handed to the shell only recorded.
class LoopbackServices : public OnlineServices {
 public:
  explicit LoopbackServices(const HttpSettings& settings = HttpSettings(),
                            const OnlineLimits& limits = OnlineLimits())
      : real_(createSystemOnlineServices([] { return true; }, settings, limits)), previous_(install(this)) {}
  ~LoopbackServices() override { install(previous_); }
  bool IsOnline() override { return true; }
  void PurgeUrlCache() override { real_->PurgeUrlCache(); }
  bool UrlReachable(const QString& url) override { return real_->UrlReachable(url); }
  bool DownloadToFile(const QString& url, const QString& path, Transfer kind,
                      const HttpClient::Progress& progress) override {
    return real_->DownloadToFile(url, path, kind, progress);
  }
  bool ShellOpen(const QString& target) override {
    opened << target;
    return true;
  }
  QStringList opened;

 private:
  std::unique_ptr<OnlineServices> real_;
  OnlineServices* previous_;
};

// The first line of every request the server saw.
std::vector<std::string> requestLines(const LoopbackServer& server) {
  std::vector<std::string> lines;
  for (const std::string& r : server.requests()) lines.push_back(r.substr(0, r.find("\r\n")));
  return lines;
}

class UpdateOverLoopback : public ::testing::Test {
 protected:
  LoopbackServices net;
  ScriptedPrompter prompter;
  QWidget mainWindow;   // another window of the program
  QString shown = "0";  // what the main window's donation label would show
  QPointer<TFUpdate> window;

  void SetUp() override {
    EstablishDataFolders();
    QFile::remove(LocalInstaller());
    QFile::remove(LocalVersionFile());
    DonationStand = "3,50";
    window = new TFUpdate(nullptr, true);
    QObject::connect(window, &TFUpdate::donationStandFetched, [this](const QString& text) { shown = text; });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  }
  void TearDown() override {
    delete window.data();
    DonationStand = "0";
    qunsetenv("ZIEHFIX_DOWNLOAD_SERVER");
    qunsetenv("ZIEHFIX_CA_FILE");
  }
  void useServer(const LoopbackServer& server, const char* protocol = "http") {
    qputenv("ZIEHFIX_DOWNLOAD_SERVER", QByteArray::fromStdString(server.base(protocol)));
  }
  void click(const char* name) { QTest::mouseClick(window->findChild<QPushButton*>(name), Qt::LeftButton); }
  QString available() { return window->findChild<QLabel*>("PvVersion")->text(); }
  bool enabled(const char* name) { return window->findChild<QPushButton*>(name)->isEnabled(); }
};

TEST_F(UpdateOverLoopback, aCheckFetchesTheVersionFileThenTheDonationStatus) {
  LoopbackServer server(
      {{kHeadOk}, {ok(record("1.0.0.0") + record("1.2.0.0"))}, {kHeadOk}, {ok("12,50\r\nx")}});
  useServer(server);
  click("BCalc");
  EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join('|').toStdString();
  EXPECT_EQ(available(), "1.2.0.0");
  EXPECT_TRUE(enabled("BDown"));
  EXPECT_EQ(shown, "12,50");
  EXPECT_EQ(requestLines(server),
            (std::vector<std::string>{
                "HEAD /downloads/verinfos.ziehfix HTTP/1.1", "GET /downloads/verinfos.ziehfix HTTP/1.1",
                "HEAD /downloads/wachziehfix.txt HTTP/1.1", "GET /downloads/wachziehfix.txt HTTP/1.1"}));
}

TEST_F(UpdateOverLoopback, theSameVersionOverTlsOffersNoDownload) {
  testpki::Identity identity;
  const std::string ca = (testRootDir() + "/tmp/update-ca.pem").toStdString();
  identity.writeCaFile(ca);
  qputenv("ZIEHFIX_CA_FILE", QByteArray::fromStdString(ca));
  LoopbackServer server({{kHeadOk}, {ok(record("1.0.0.0"))}, {kHeadOk}, {ok("5")}}, &identity);
  useServer(server, "https");
  click("BCalc");
  EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join('|').toStdString();
  EXPECT_EQ(available(), "1.0.0.0");
  EXPECT_FALSE(enabled("BDown"));
  EXPECT_EQ(shown, "5");
}

TEST_F(UpdateOverLoopback, missingFilesFailTheCheckAndShowTheHeldDonationValue) {
  LoopbackServer server({{kNotFound}, {kNotFound}});
  useServer(server);
  shown = "99";
  click("BCalc");
  EXPECT_EQ(prompter.texts(), QStringList{kCheckFailed});
  EXPECT_EQ(shown, "3,50");
  EXPECT_EQ(available(), "");
}

TEST_F(UpdateOverLoopback, anErrorStatusAfterASuccessfulProbeFailsTheCheck) {
  LoopbackServer server({{kHeadOk},
                         {"HTTP/1.1 500 Internal Server Error\r\nContent-Length: 3\r\n\r\nbad"},
                         {kHeadOk},
                         {"HTTP/1.1 302 Found\r\nLocation: http://127.0.0.1:1/\r\n\r\n"}});
  useServer(server);
  click("BCalc");
  EXPECT_EQ(prompter.texts(), QStringList{kCheckFailed});
  EXPECT_EQ(shown, "3,50") << "a redirected status fetch counts as a failed one";
}

TEST_F(UpdateOverLoopback, theInstallerIsDownloadedAndOnlyACompleteOneCanBeStarted) {
  LoopbackServer server({{kHeadOk},
                         {ok(record("2.0.0.0"))},
                         {kNotFound},
                         {kHeadOk},
                         {ok("MZ-installer")},
                         {kHeadOk},
                         {"HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\nMZ-cut"},
                         {kNotFound}});
  useServer(server);
  click("BCalc");
  click("BDown");
  ASSERT_TRUE(enabled("BSetup"));
  QFile installer(LocalInstaller());
  ASSERT_TRUE(installer.open(QIODevice::ReadOnly));
  EXPECT_EQ(installer.readAll(), "MZ-installer");
  installer.close();

  click("BDown");  // the server closes the connection long before the announced length
  EXPECT_FALSE(enabled("BSetup"));
  EXPECT_EQ(prompter.texts(), QStringList{kDownloadFailed});
  EXPECT_EQ(QFile(LocalInstaller()).size(), 0) << "no partial installer is left to start";

  prompter.messages.clear();
  click("BDown");
  EXPECT_EQ(prompter.texts(), QStringList{kDownloadFailed});
  EXPECT_FALSE(enabled("BSetup"));
  EXPECT_EQ(requestLines(server)[4], "GET /downloads/ziehfixupdate.exe HTTP/1.1");
}

using Connection = HostileServer::Connection;

HostileServer::Script answer(std::string bytes) {
  return [bytes](Connection& c) {
    c.readRequest();
    c.send(bytes);
  };
}
// Reads the request, sends head, then piece after piece, pauseMs apart, until the client gives up.
HostileServer::Script endless(std::string head, std::string piece, int pauseMs) {
  return [head, piece, pauseMs](Connection& c) {
    c.readRequest();
    if (!c.send(head)) return;
    while (c.send(piece)) c.pause(pauseMs);
  };
}
HostileServer::Script silent() {
  return [](Connection& c) {
    c.readRequest();
    c.pause(20000);
  };
}

// Servers that would hold a command for ever, against the program's limits made short: each command
// ends within its limit with its own message.
class HostileUpdateServer : public UpdateOverLoopback {
 protected:
  static HttpSettings shortSettings() {
    HttpSettings s;
    s.connectTimeoutMs = 1000;
    s.probeReadTimeoutMs = 500;
    s.readTimeoutMs = 700;
    return s;
  }
  static OnlineLimits shortLimits() {
    OnlineLimits l;
    l.versionFile = {64 * 1024, 1000};
    l.donationStatus = {64 * 1024, 1000};
    l.installer = {64 * 1024, 0};
    return l;
  }
  LoopbackServices shortNet{shortSettings(), shortLimits()};

  void useHostile(const HostileServer& server) {
    qputenv("ZIEHFIX_DOWNLOAD_SERVER", QByteArray::fromStdString(server.url("")));
  }
  // Clicks and returns how long the command took, in ms.
  qint64 timedClick(const char* name) {
    QElapsedTimer timer;
    timer.start();
    click(name);
    return timer.elapsed();
  }
};

TEST_F(HostileUpdateServer, aCheckEndsWithItsMessageWhateverTheServerDoes) {
  struct Case {
    const char* name;
    HostileServer::Script versionGet;
  };
  const Case cases[] = {
      {"a server that drips a byte every 100 ms", endless(kOk + "\r\n", "x", 100)},
      {"a server that never answers", silent()},
      {"an endless body", endless(kOk + "\r\n", std::string(4096, 'b'), 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HostileServer server({answer(kHeadOk), c.versionGet, answer(kNotFound)});
    useHostile(server);
    prompter.messages.clear();
    EXPECT_LT(timedClick("BCalc"), 5000);
    EXPECT_EQ(prompter.texts(), QStringList{kCheckFailed});
    EXPECT_EQ(shown, "3,50");
    EXPECT_FALSE(QFile::exists(LocalVersionFile()) && QFile(LocalVersionFile()).size() > 0);
  }
}

TEST_F(UpdateOverLoopback, closingTheWindowDuringASlowCheckCancelsItAtOnceAndTheWindowPaintsMeanwhile) {
  // The probe is answered, the GET never: only the check's deadline of 20 s would end it.
  HostileServer server({answer(kHeadOk), silent(), answer(kNotFound)});
  qputenv("ZIEHFIX_DOWNLOAD_SERVER", QByteArray::fromStdString(server.url("")));
  shown = "99";
  auto* gauge = window->findChild<QProgressBar*>("Gauge3");
  int paints = 0;
  struct PaintCounter : QObject {
    int& count;
    explicit PaintCounter(int& c) : count(c) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Paint) ++count;
      return false;
    }
  } counter(paints);
  gauge->installEventFilter(&counter);
  bool busyShown = false;
  int paintsWhileChecking = 0;
  QTimer::singleShot(200, gauge, [&] {
    busyShown = gauge->maximum() == 0;
    paints = 0;
    gauge->update();
  });
  QTimer::singleShot(500, gauge, [&] {
    paintsWhileChecking = paints;
    QTest::mouseClick(window->findChild<QPushButton*>("bsSkinSpeedButton1"), Qt::LeftButton);
  });
  QElapsedTimer timer;
  timer.start();
  click("BCalc");

  EXPECT_LT(timer.elapsed(), 15000) << "the check's own time-out is 20 s";
  EXPECT_TRUE(busyShown) << "Gauge3 shows that the check is busy";
  EXPECT_GT(paintsWhileChecking, 0);
  EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join('|').toStdString();
  EXPECT_EQ(shown, "99") << "a cancelled check does not fetch the donation status";
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull()) << "the window closed";
}

TEST_F(HostileUpdateServer, anOversizedInstallerIsReportedAndDeleted) {
  HostileServer server({answer(kHeadOk), answer(ok(record("2.0.0.0"))), answer(kNotFound), answer(kHeadOk),
                        endless(kOk + "\r\n", std::string(4096, 'b'), 0)});
  useHostile(server);
  click("BCalc");
  ASSERT_TRUE(enabled("BDown"));
  click("BDown");
  EXPECT_EQ(prompter.texts(), QStringList{kDownloadFailed});
  EXPECT_FALSE(QFile::exists(LocalInstaller()));
  EXPECT_FALSE(enabled("BSetup"));
}

TEST_F(HostileUpdateServer, theDownloadShowsItsProgressAndClosingTheWindowCancelsIt) {
  HostileServer server(
      {answer(kHeadOk), answer(ok(record("2.0.0.0"))), answer(kNotFound), answer(kHeadOk), [](Connection& c) {
         c.readRequest();
         c.send(kOk + "Content-Length: 40000\r\n\r\n" + std::string(10000, 'b'));
         c.pause(600);  // within the read time-out: the download goes on
         c.send(std::string(10000, 'b'));
         c.pause(20000);
       }});
  useHostile(server);
  click("BCalc");
  auto* other = new QPushButton("andere", &mainWindow);
  mainWindow.show();
  int otherClicks = 0;
  QObject::connect(other, &QPushButton::clicked, [&] { ++otherClicks; });

  int seenProgress = 0;
  bool checkWasOff = false;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (!window) return;
    seenProgress = window->findChild<QProgressBar*>("Gauge3")->value();
    if (seenProgress < 50) return;
    checkWasOff = !enabled("BCalc");
    QTest::mouseClick(other, Qt::LeftButton);
    mainWindow.close();
    QTest::mouseClick(window->findChild<QPushButton*>("bsSkinSpeedButton1"), Qt::LeftButton);
  });
  watch.start(20);
  click("BDown");
  watch.stop();

  EXPECT_EQ(seenProgress, 50) << "20000 of 40000 bytes";
  EXPECT_TRUE(checkWasOff) << "nothing else can be started meanwhile";
  EXPECT_EQ(otherClicks, 0);
  EXPECT_TRUE(mainWindow.isVisible()) << "other windows cannot be closed meanwhile";
  EXPECT_TRUE(prompter.messages.isEmpty());
  EXPECT_EQ(QFile(LocalInstaller()).size(), 0) << "the target is left empty";
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull()) << "the window closed";
}

}  // namespace
