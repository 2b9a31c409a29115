// SPDX-License-Identifier: GPL-3.0-or-later
// The update window driven by clicks, with online services from a temporary folder.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "common/folders.h"
#include "net/donation.h"
#include "net/selfdelete.h"
#include "net/update_fake_online.h"
#include "support/scripted_prompter.h"
#include "support/test_env.h"
#include "ui/update/update.h"

namespace {

const QString kVersionPath = "/downloads/verinfos.ziehfix";
const QString kInstallerPath = "/downloads/ziehfixupdate.exe";
const QString kDonationPath = "/downloads/wachziehfix.txt";
const QString kCheckFailed = QString::fromUtf8("Die Prüfung hat leider nicht geklappt.\r");

// One 24-byte record: eight bytes nobody reads, the length byte, then fifteen bytes of text room.
QByteArray record(const QByteArray& text, int lengthByte = -1) {
  QByteArray r(8, 'x');
  r += char(lengthByte < 0 ? text.size() : lengthByte);
  r += text.leftJustified(15, '#', true);
  return r;
}

class UpdateWindow : public ::testing::Test {
 protected:
  FakeOnline net;
  ScriptedPrompter prompter;
  QString shown = "0";  // what the main window's donation label would show
  TFUpdate* window = nullptr;

  void SetUp() override {
    EstablishDataFolders();
    DonationStand = "3,50";
    QFile::remove(LocalVersionFile());
    QFile::remove(LocalInstaller());
    window = new TFUpdate(nullptr, true);
    QObject::connect(window, &TFUpdate::donationStandFetched, [this](const QString& text) { shown = text; });
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  }
  void TearDown() override {
    delete window;
    DonationStand = "0";
  }

  template <class T>
  T* child(const char* name) {
    auto* w = window->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  void click(const char* button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
  QString available() { return child<QLabel>("PvVersion")->text(); }
  bool downloadEnabled() { return child<QPushButton>("BDown")->isEnabled(); }
  bool setupEnabled() { return child<QPushButton>("BSetup")->isEnabled(); }
};

TEST_F(UpdateWindow, startsWithTheInstalledVersionAndBothActionsDisabled) {
  EXPECT_EQ(window->windowTitle(), "ZIEHFIX");
  EXPECT_EQ(window->objectName(), "FUpdate");
  EXPECT_EQ(window->size(), QSize(311, 289));
  EXPECT_EQ(child<QLabel>("PiVersion")->text(), "1.0.0.0");
  EXPECT_EQ(available(), "");
  EXPECT_FALSE(downloadEnabled());
  EXPECT_FALSE(setupEnabled());
  EXPECT_EQ(child<QProgressBar>("Gauge3")->value(), 0);
  EXPECT_EQ(child<QPushButton>("bsSkinSpeedButton1")->text(), QString::fromUtf8("Sch&ließen"));
}

struct VersionCase {
  const char* name;
  QByteArray file;
  QString shown;
  bool downloadable;
};

TEST_F(UpdateWindow, theLastWholeRecordDecidesWhetherADownloadIsOffered) {
  const VersionCase cases[] = {
      {"the same version", record("1.0.0.0"), "1.0.0.0", false},
      {"a higher version", record("1.0.1.0"), "1.0.1.0", true},
      {"a lower version", record("0.9.0.0"), "0.9.0.0", true},
      {"the same number with a blank", record("1.0.0.0 "), "1.0.0.0 ", true},
      {"an empty version text", record(""), "", true},
      {"the last of several records", record("2.0.0.0") + record("3.0.0.0") + record("1.0.0.0"), "1.0.0.0",
       false},
      {"trailing bytes of no whole record", record("1.0.0.0") + QByteArray(23, '9'), "1.0.0.0", false},
      {"a length above the room of fifteen", record("123456789012345", 200), "123456789012345", true},
      {"a Windows-1252 byte", record("1.0\x80"), QString::fromUtf8("1.0€"), true},
      {"markup in the version text", record("<b>1</b>"), "<b>1</b>", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    net.serve(kVersionPath, c.file);
    prompter.messages.clear();
    click("BCalc");
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join('|').toStdString();
    EXPECT_EQ(available(), c.shown);
    EXPECT_EQ(downloadEnabled(), c.downloadable);
  }
  EXPECT_EQ(child<QLabel>("PvVersion")->textFormat(), Qt::PlainText);
}

TEST_F(UpdateWindow, theCheckShowsTheHourglassOnlyWhileItDownloads) {
  net.serve(kVersionPath, record("1.0.0.0"));
  click("BCalc");
  ASSERT_FALSE(net.cursorsDuringDownload.isEmpty());
  EXPECT_EQ(net.cursorsDuringDownload.first(), Qt::WaitCursor);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(UpdateWindow, aCheckRefreshesTheDonationStatusFromItsFirstLine) {
  net.serve(kVersionPath, record("1.0.0.0"));
  net.serve(kDonationPath, "<i>12,50</i>\r\nzweite Zeile\r\n");
  click("BCalc");
  EXPECT_EQ(shown, "<i>12,50</i>");
  EXPECT_EQ(DonationStand, "3,50") << "a fetch never changes the start-up value";
}

TEST_F(UpdateWindow, aDonationStatusFileWithoutLinesShowsTheStartUpValue) {
  net.serve(kVersionPath, record("1.0.0.0"));
  net.serve(kDonationPath, "");
  shown = "99";
  click("BCalc");
  EXPECT_EQ(shown, "3,50");
}

TEST_F(UpdateWindow, aFailedCheckReportsAfterTheDonationRefreshAndKeepsTheEarlierResult) {
  net.serve(kVersionPath, record("2.0.0.0"));
  click("BCalc");
  ASSERT_TRUE(downloadEnabled());

  net.withdraw(kVersionPath);
  net.serve(kDonationPath, "20,00\r\n");
  click("BCalc");
  EXPECT_EQ(prompter.texts(), QStringList{kCheckFailed});
  EXPECT_EQ(shown, "20,00");
  EXPECT_EQ(available(), "2.0.0.0");
  EXPECT_TRUE(downloadEnabled());
  EXPECT_FALSE(QFile::exists(LocalVersionFile())) << "the earlier local copy is deleted before the download";
}

TEST_F(UpdateWindow, aBrokenVersionDownloadCountsAsAFailedCheck) {
  net.failingUrls << VersionFileUrl();
  click("BCalc");
  EXPECT_EQ(prompter.texts(), QStringList{kCheckFailed});
  EXPECT_EQ(available(), "");
}

TEST_F(UpdateWindow, aVersionFileWithoutAWholeRecordShowsNothingAndFails) {
  net.serve(kVersionPath, record("2.0.0.0"));
  click("BCalc");
  net.serve(kVersionPath, QByteArray(23, '\x07'));
  click("BCalc");
  EXPECT_EQ(prompter.texts(), QStringList{kCheckFailed});
  EXPECT_EQ(available(), "");
  EXPECT_FALSE(downloadEnabled());
}

TEST_F(UpdateWindow, aVersionFileThatCannotBeReadEndsTheCheckWithTheErrorReport) {
  net.claimWithoutWriting = true;
  click("BCalc");
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, "error");
  EXPECT_TRUE(prompter.messages[0].text.startsWith("Cannot open file \"" + LocalVersionFile() + "\"."))
      << prompter.messages[0].text.toStdString();
  EXPECT_TRUE(prompter.messages[0].text.endsWith("."));
  EXPECT_EQ(available(), "");
}

TEST_F(UpdateWindow, offlineTheCheckOnlyReports) {
  {
    QFile stale(LocalVersionFile());
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.write(record("5.0.0.0"));
  }
  net.online = false;
  shown = "7";
  click("BCalc");
  EXPECT_EQ(
      prompter.texts(),
      QStringList{QString::fromUtf8("Für die Aktualisierung muss eine Verbindung zum Internet bestehen.")});
  EXPECT_TRUE(QFile::exists(LocalVersionFile()));
  EXPECT_EQ(shown, "7");
  EXPECT_TRUE(net.downloads.isEmpty());
}

TEST_F(UpdateWindow, theDownloadEnablesTheInstallationOnlyWhenItSucceeds) {
  net.serve(kVersionPath, record("2.0.0.0"));
  click("BCalc");

  net.online = false;
  click("BDown");
  EXPECT_EQ(prompter.texts(),
            QStringList{QString::fromUtf8("Für den Download der Installations-Datei muss eine Verbindung zum "
                                          "Internet bestehen.\r\rIch breche ab.")});
  EXPECT_FALSE(setupEnabled());

  net.online = true;
  prompter.messages.clear();
  click("BDown");
  EXPECT_EQ(prompter.texts(),
            QStringList{QString::fromUtf8("Der Download ist gescheitert. Versuchen Sie es bitte später noch "
                                          "einmal.")});
  EXPECT_FALSE(setupEnabled());

  net.serve(kInstallerPath, "MZ installer");
  prompter.messages.clear();
  click("BDown");
  EXPECT_TRUE(prompter.messages.isEmpty());
  EXPECT_TRUE(setupEnabled());
  QFile installer(LocalInstaller());
  ASSERT_TRUE(installer.open(QIODevice::ReadOnly));
  EXPECT_EQ(installer.readAll(), "MZ installer");
  EXPECT_EQ(LocalInstaller(), BaseDir() + "Update.exe");
}

TEST_F(UpdateWindow, aBrokenInstallerDownloadIsReportedAndTakesTheInstallationBack) {
  net.serve(kVersionPath, record("2.0.0.0"));
  net.serve(kInstallerPath, "#!/bin/sh\n");
  click("BCalc");
  click("BDown");
  ASSERT_TRUE(setupEnabled());

  net.failingUrls << InstallerUrl();
  click("BDown");
  EXPECT_EQ(prompter.texts(),
            QStringList{QString::fromUtf8("Der Download ist gescheitert. Versuchen Sie es bitte später noch "
                                          "einmal.")});
  EXPECT_FALSE(setupEnabled()) << "the half-downloaded installer must not be started";
  EXPECT_TRUE(downloadEnabled()) << "a new try stays possible";
}

TEST_F(UpdateWindow, withoutSelfUpdateTheCheckComparesButNeverOffersADownload) {
  delete window;
  window = new TFUpdate(nullptr, false);
  window->show();
  net.serve(kVersionPath, record("2.0.0.0"));
  click("BCalc");
  EXPECT_EQ(available(), "2.0.0.0");
  EXPECT_FALSE(downloadEnabled());
  const auto labels = child<QWidget>("bsSkinGroupBox3")->findChildren<QLabel*>();
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels[0]->text(), kPackageManagerNote);
  window->BDownClick();
  window->BSetupClick();
  EXPECT_TRUE(net.downloads.filter("ziehfixupdate").isEmpty());
  EXPECT_TRUE(prompter.messages.isEmpty());
}

class UpdateInstallation : public UpdateWindow {
 protected:
  int exits = 0;
  std::function<void()> previousExit;
  const QString marker = testRootDir() + "/installer-ran";
  void SetUp() override {
    UpdateWindow::SetUp();
    // The exit road would delete this test program; here it is only counted.
    previousExit = InstallSelfDeletingExit([this] { ++exits; });
    QFile::remove(marker);
    net.serve(kVersionPath, record("2.0.0.0"));
    net.serve(kInstallerPath, "#!/bin/sh\necho ran > '" + marker.toUtf8() + "'\n");
    click("BCalc");
    click("BDown");
    ASSERT_TRUE(setupEnabled());
  }
  void TearDown() override {
    InstallSelfDeletingExit(previousExit);
    UpdateWindow::TearDown();
  }
  QString question() const {
    return QString::fromUtf8(
               "Um die Installation durchführen zu können, muss das Programm jetzt geschlossen werden. Die "
               "Programm-Datei wird gelöscht und das Update gestartet. Wenn etwas schief läuft, bitte das "
               "Update "
               "manuell durch Doppelklick auf die Datei \"Update.exe\" im Verzeichnis ") +
           BaseDir() + QString::fromUtf8(" starten.\r\rSoll fortgefahren werden?");
  }
};

TEST_F(UpdateInstallation, answeringNoKeepsTheProgramAndExplainsTheManualWay) {
  prompter.confirmAnswers = {false};
  click("BSetup");
  ASSERT_EQ(prompter.messages.size(), 2);
  EXPECT_EQ(prompter.messages[0].kind, "confirm");
  EXPECT_EQ(prompter.messages[0].text, question());
  EXPECT_EQ(prompter.messages[1].kind, "information");
  EXPECT_EQ(
      prompter.messages[1].text,
      QString::fromUtf8("Installation wurde auf Ihren Wunsch abgebrochen. Sie  könnnen das Update manuell "
                        "durch Doppelklick auf die Datei \"Update.exe\" im Verzeichnis ") +
          BaseDir() +
          QString::fromUtf8(" starten.\r\rZuvor muss das Programm geschlossen und die Datei "
                            "\"Kreisel.exe\" im Programmpfad gelöscht werden."));
  EXPECT_TRUE(net.opened.isEmpty());
  EXPECT_EQ(exits, 0);
}

TEST_F(UpdateInstallation, answeringYesStartsTheInstallerAsAProcessAndTakesTheExitRoad) {
  prompter.confirmAnswers = {true};
  click("BSetup");
  EXPECT_EQ(prompter.texts(), QStringList{question()});
  EXPECT_EQ(exits, 1);
  EXPECT_TRUE(net.opened.isEmpty()) << "the installer never goes through the desktop's file handler";
  for (int i = 0; i < 100 && !QFile::exists(marker); ++i) QTest::qWait(50);
  EXPECT_TRUE(QFile::exists(marker)) << "the installer ran";
}

TEST(UpdateWindowLifetime, oneWindowAtATimeRestoredFromMinimisedAndFreshAfterClosing) {
  FakeOnline net;
  ScriptedPrompter prompter;
  TFUpdate::showOrRaise();
  TFUpdate* first = FUpdate;
  ASSERT_NE(first, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(first));
  first->showMinimized();
  TFUpdate::showOrRaise();
  EXPECT_EQ(FUpdate, first);
  EXPECT_FALSE(first->isMinimized());
  EXPECT_EQ(QApplication::topLevelWidgets().count(first), 1);

  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  QTest::mouseClick(first->findChild<QPushButton*>("bsSkinSpeedButton1"), Qt::LeftButton);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "closing restores the default cursor";
  QPointer<TFUpdate> closed(first);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closed.isNull()) << "a closed window is destroyed";

  TFUpdate::showOrRaise();
  ASSERT_NE(FUpdate, nullptr);
  EXPECT_EQ(FUpdate->findChild<QLabel*>("PvVersion")->text(), "");

  // Opened again while the closed one still waits for its deletion: a fresh one, which stays.
  QPointer<TFUpdate> second(FUpdate);
  second->close();
  TFUpdate::showOrRaise();
  QPointer<TFUpdate> third(FUpdate);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(second.isNull());
  ASSERT_FALSE(third.isNull());
  EXPECT_EQ(FUpdate, third.data());
  EXPECT_TRUE(third->isVisible());
  delete FUpdate;
  EXPECT_EQ(FUpdate, nullptr);
}

}  // namespace
