// SPDX-License-Identifier: GPL-3.0-or-later
// The donation status in the main window, and the page commands beside it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "common/folders.h"
#include "net/donation.h"
#include "net/update_fake_online.h"
#include "ui/main/main_fixture.h"
#include "ui/update/services.h"
#include "ui/update/update.h"

namespace {

const QString kDonationPath = "/downloads/wachziehfix.txt";

class DonationLabel : public MainWindowTest {
 protected:
  FakeOnline net;
  void SetUp() override {
    MainWindowTest::SetUp();
    DonationStand = "3,50";
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    DonationStand = "0";
  }
};

TEST_F(DonationLabel, theLabelOfTheMainWindowShowsTheStatusAsPlainText) {
  auto* leur = window().findChild<QLabel*>("leur");
  ASSERT_NE(leur, nullptr);

  window().showDonationStand("<b>5</b>\r\n[Wach]");
  EXPECT_EQ(leur->textFormat(), Qt::PlainText);
  EXPECT_EQ(leur->text(), "<b>5</b>  [Wach]") << "a line break never reaches the label";

  window().showDonationStand(QString(70000, 'x'));
  EXPECT_EQ(leur->text(), QString(64, 'x'));
}

TEST_F(DonationLabel, theUpdateWindowOpenedFromTheMainWindowFeedsTheLabel) {
  auto* leur = window().findChild<QLabel*>("leur");
  ASSERT_NE(leur, nullptr);
  window().findChild<QPushButton*>("bsSkinSpeedButton13")->click();
  ASSERT_FALSE(FUpdate.isNull());
  emit FUpdate->donationStandFetched("8,00");
  EXPECT_EQ(leur->text(), "8,00");
  delete FUpdate.data();
}

using PageCommands = DonationLabel;

struct PageCase {
  const char* name;
  std::function<void()> command;
  QString target;
  QString offlineMessage;
};

TEST_F(PageCommands, pageCommandsOpenTheirPageOnlineAndOnlyReportOffline) {
  const PageCase cases[] = {
      {"the donation button", OpenDonationPage, "https://www.paypal.com/donate/?hosted_button_id=ZIEHFIXDEMO",
       QString::fromUtf8("Für den Aufruf der PayPal-Seite muss eine Verbindung zum Internet bestehen.")},
      {"the advertising picture", OpenVendorHomePage, "https://www.ziehfix.example/",
       QString::fromUtf8("Für den Aufruf der Glueckshof-Seite muss eine Verbindung zum Internet bestehen.")},
      {"the winning-numbers button", [] { OpenNewNumbersPage("https://example.org/zahlen?x=1"); },
       "https://example.org/zahlen?x=1",
       QString::fromUtf8(
           "Für den Aufruf aktueller Gewinnzahlen muss eine Verbindung zum Internet bestehen.")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    net.online = false;
    net.opened.clear();
    prompter.messages.clear();
    c.command();
    EXPECT_EQ(prompter.texts(), QStringList{c.offlineMessage});
    EXPECT_TRUE(net.opened.isEmpty());

    net.online = true;
    net.shellSucceeds = false;  // what the shell makes of a page is not looked at
    prompter.messages.clear();
    c.command();
    EXPECT_TRUE(prompter.messages.isEmpty());
    EXPECT_EQ(net.opened, QStringList{c.target});
  }
}

TEST_F(PageCommands, aWinningNumbersAddressThatIsNoWebPageIsNeverHandedToTheShell) {
  for (const QString url : {"", "/usr/bin/xterm", "file:///etc/passwd", "javascript:alert(1)", "https://"}) {
    SCOPED_TRACE(url.toStdString());
    prompter.messages.clear();
    OpenNewNumbersPage(url);
    EXPECT_EQ(
        prompter.texts(),
        QStringList{QString::fromUtf8("Die Adresse der Gewinnzahlen-Seite \"%1\" ist keine Internet-Adresse.")
                        .arg(url)});
  }
  EXPECT_TRUE(net.opened.isEmpty());
}

}  // namespace
