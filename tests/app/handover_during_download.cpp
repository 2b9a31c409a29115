// SPDX-License-Identifier: GPL-3.0-or-later
// A second start hands over a file while the installer downloads: its message waits for the end of
// the download, and then it can be answered. Real message boxes, a real socket, a real download.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <future>
#include <memory>

#include "app/instance.h"
#include "app/launch.h"
#include "app/startup.h"
#include "common/folders.h"
#include "net/hostile_server.h"
#include "net/online.h"
#include "support/test_env.h"
#include "ui/abbild/abbild.h"
#include "ui/eingabe/eingabe.h"
#include "ui/main/main.h"
#include "ui/update/input_lock.h"
#include "ui/update/update.h"

namespace {

// The installer trickles in over about 1.2 s.
HostileServer::Script slowInstaller() {
  return [](HostileServer::Connection& c) {
    c.readRequest();
    if (!c.send("HTTP/1.1 200 OK\r\nContent-Length: 2000\r\n\r\n")) return;
    for (int i = 0; i < 20; ++i) {
      c.pause(60);
      if (!c.send(std::string(100, 'i'))) return;
    }
  };
}

// What happened to the message boxes that came up.
struct BoxWatch {
  int boxes = 0;
  bool shownUnderLock = false;
  bool closedWithoutInput = false;
  QString text;
  QElapsedTimer open;  // since the current box was seen
};

}  // namespace

TEST(HandOverDuringDownload, AMissingFileIsReportedAfterTheDownloadAndItsBoxClosesWithOk) {
  const std::unique_ptr<OnlineServices> net = createSystemOnlineServices([] { return true; });
  OnlineServices* previousNet = OnlineServices::install(net.get());
  HostileServer server({[](HostileServer::Connection& c) {
                          c.readRequest();
                          c.send("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n");
                        },
                        slowInstaller()});
  qputenv("ZIEHFIX_DOWNLOAD_SERVER", QByteArray::fromStdString(server.url("")));

  // Answers every box with a click on OK; a box that takes no click is closed without input after
  // two seconds, so that the test fails instead of hanging.
  BoxWatch watch;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box || !box->isVisible()) {
      watch.open.invalidate();
      return;
    }
    if (!watch.open.isValid()) {
      ++watch.boxes;
      watch.shownUnderLock |= InputLock::held();
      watch.text = box->text();
      watch.open.start();
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    } else if (watch.open.elapsed() > 2000) {
      watch.closedWithoutInput = true;
      box->hide();  // done() would need a close event, which a lock may swallow too
    }
  });
  watcher.start(20);

  EstablishDataFolders();
  CreateWindows();
  FileArrival arrival;
  arrival.mainWindowShown();
  QTemporaryDir dir(testRootDir() + "/handover-XXXXXX");
  const QString socket = dir.filePath("example.ziehfix.Ziehfix.socket");
  SingleInstance running(socket);
  ASSERT_TRUE(running.listen());
  QObject::connect(&running, &SingleInstance::filesReceived, &arrival, &FileArrival::deliver);
  auto* update = new TFUpdate(FMain, true);
  update->show();

  // The second start runs in a thread, as it would in a process of its own, once the download runs.
  const QString missing = testRootDir() + "/fehlt.lose";
  std::future<bool> secondStart;
  QTimer::singleShot(200, update, [&] {
    secondStart = std::async(std::launch::async, [&] { return SingleInstance(socket).handOver({missing}); });
  });

  update->BDownClick();  // returns when the download has ended
  EXPECT_TRUE(update->findChild<QPushButton*>("BSetup")->isEnabled()) << "the download went through";
  ASSERT_TRUE(secondStart.valid()) << "the second start came during the download";
  EXPECT_TRUE(secondStart.get()) << "the running program answered it";
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 5000 && (watch.boxes == 0 || watch.open.isValid()))
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  watcher.stop();

  EXPECT_EQ(watch.boxes, 1);
  EXPECT_FALSE(watch.shownUnderLock) << "the box came up while the download held the input";
  EXPECT_FALSE(watch.closedWithoutInput) << "the box took no click";
  EXPECT_TRUE(watch.text.contains("fehlt.lose")) << watch.text.toStdString();
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  delete update;
  delete FAbbild;
  FAbbild = nullptr;
  delete FEingabe;
  FEingabe = nullptr;
  delete FMain;
  OnlineServices::install(previousNet);
  qunsetenv("ZIEHFIX_DOWNLOAD_SERVER");
}
