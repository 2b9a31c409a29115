// SPDX-License-Identifier: GPL-3.0-or-later
// Desktop notifications against a notification service of the test's own on a private bus: the call,
// the click, a service that never answers and no bus at all.
#include "announce/notifier.h"

#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace {

const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

}  // namespace

class FakeNotifications : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
 public:
  QString summary;
  QStringList actions;
  bool hang = false;

 public slots:
  uint Notify(const QString&, uint, const QString&, const QString& s, const QString&, const QStringList& a,
              const QVariantMap&, int) {
    summary = s;
    actions = a;
    if (hang) setDelayedReply(true);  // and never answer
    return 7;
  }
};

namespace {

class NotifierTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bus_.start(QStringLiteral("dbus-daemon"),
               {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1"),
                QStringLiteral("--address=unix:tmpdir=") + dir_.path()});
    ASSERT_TRUE(bus_.waitForReadyRead(10000)) << "dbus-daemon did not start";
    address_ = QString::fromUtf8(bus_.readLine()).trimmed();
    server_ =
        std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(address_, QStringLiteral("fake")));
    ASSERT_TRUE(server_->isConnected());
    ASSERT_TRUE(server_->registerService(kInterface));
    ASSERT_TRUE(server_->registerObject(kPath, &fake_, QDBusConnection::ExportAllSlots));
  }
  void TearDown() override {
    QDBusConnection::disconnectFromBus(QStringLiteral("fake"));
    QDBusConnection::disconnectFromBus(QStringLiteral("client"));
    bus_.kill();
    bus_.waitForFinished();
  }
  QDBusConnection client() const { return QDBusConnection::connectToBus(address_, QStringLiteral("client")); }

  QTemporaryDir dir_;
  QProcess bus_;
  QString address_;
  std::unique_ptr<QDBusConnection> server_;
  FakeNotifications fake_;
};

TEST_F(NotifierTest, AClickOnTheNotificationNamesItsTicket) {
  Notifier n(client());
  QSignalSpy finished(&n, &Notifier::finished);
  QSignalSpy clicked(&n, &Notifier::clicked);
  n.notify(QStringLiteral("ZIEHFIX: Los 3 hat gewonnen (1 Linie)"), 2);
  ASSERT_TRUE(finished.wait(5000));
  EXPECT_TRUE(n.lastError().isEmpty()) << n.lastError().toStdString();
  EXPECT_EQ(fake_.summary, "ZIEHFIX: Los 3 hat gewonnen (1 Linie)");
  EXPECT_TRUE(fake_.actions.contains("default"));

  // Another program's notification, then ours.
  for (uint id : {8u, 7u}) {
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kInterface, QStringLiteral("ActionInvoked"));
    signal << id << QStringLiteral("default");
    server_->send(signal);
  }
  ASSERT_TRUE(clicked.wait(5000));
  ASSERT_EQ(clicked.size(), 1);
  EXPECT_EQ(clicked[0][0].toInt(), 2);
}

TEST_F(NotifierTest, AServiceThatNeverAnswersIsGivenUpOnTime) {
  fake_.hang = true;
  Notifier n(client());
  n.setDeadline(300);
  QSignalSpy finished(&n, &Notifier::finished);
  QElapsedTimer clock;
  clock.start();
  n.notify(QStringLiteral("ZIEHFIX: Los 1 hat gewonnen (2 Linien)"), 0);
  EXPECT_LT(clock.elapsed(), 250);  // the call itself never waits
  ASSERT_TRUE(finished.wait(5000));
  EXPECT_FALSE(n.lastError().isEmpty());
}

TEST(Notifier, WithoutABusItSaysSoAndGoesOn) {
  Notifier n(QDBusConnection(QStringLiteral("kein-bus")));
  QSignalSpy finished(&n, &Notifier::finished);
  n.notify(QStringLiteral("ZIEHFIX: Los 1 hat gewonnen (1 Linie)"), 0);
  EXPECT_EQ(finished.size(), 1);
  EXPECT_FALSE(n.lastError().isEmpty());
}

}  // namespace

#include "notifier.moc"
