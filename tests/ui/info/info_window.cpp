// SPDX-License-Identifier: GPL-3.0-or-later
// The program info window: its texts, the mail link, the program-wide hand cursor and its lifetime.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "net/update_fake_online.h"
#include "support/scripted_prompter.h"
#include "ui/info/info.h"
#include "ui/info/infoqrcode.h"

namespace {

class InfoWindow : public ::testing::Test {
 protected:
  FakeOnline net;
  ScriptedPrompter prompter;
  void SetUp() override {
    ShowInfoWindow();
    ASSERT_NE(FInfo, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(FInfo));
  }
  void TearDown() override {
    delete FInfo;
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
  }
  QLabel* label(const char* name) {
    auto* l = FInfo->findChild<QLabel*>(name);
    EXPECT_NE(l, nullptr) << name;
    return l;
  }
  // Moves the pointer through the window system, so that Qt delivers the move to whichever widget
  // lies under that point, as a real pointer would.
  void pointAt(QWidget* w, QPoint pos) { QTest::mouseMove(w, pos); }
  Qt::CursorShape programCursor() const {
    const QCursor* c = QGuiApplication::overrideCursor();
    return c ? c->shape() : Qt::ArrowCursor;
  }
};

TEST_F(InfoWindow, showsNameVersionAndTheVisibleContactLines) {
  EXPECT_EQ(FInfo->objectName(), "FInfo");
  EXPECT_EQ(FInfo->windowTitle(), "ZIEHFIX");
  EXPECT_EQ(FInfo->size(), QSize(400, 300));
  EXPECT_EQ(label("LVersion")->text(), "Version 1.0.0.0");
  EXPECT_EQ(label("Label1")->text(), "Der Autor:");
  EXPECT_EQ(label("LMail")->text(), "info@ziehfix.example");
  EXPECT_TRUE(label("LMail")->font().underline());
  for (const char* shown : {"Label1", "LName", "LStrasse", "LPLZOrt", "LMail"}) {
    SCOPED_TRACE(shown);
    EXPECT_TRUE(label(shown)->isVisible());
    EXPECT_FALSE(label(shown)->text().isEmpty());
  }
  for (const char* hidden : {"LFax", "LTelefon"}) {
    SCOPED_TRACE(hidden);
    EXPECT_FALSE(label(hidden)->isVisible());
  }
  EXPECT_EQ(label("LMail")->y(), 4 * 15) << "the hidden fax line takes no room";
  EXPECT_EQ(label("Image1")->pixmap().size(), QSize(400, 300));
  EXPECT_EQ(FInfo->findChild<QPushButton*>("bsSkinSpeedButton3")->text(), QString::fromUtf8("Schließen"));
}

TEST_F(InfoWindow, theMailLinkOpensAMessageToTheVendorWithoutAConnectionTest) {
  net.online = false;
  QTest::mouseClick(label("LMail"), Qt::LeftButton);
  EXPECT_EQ(net.opened, QStringList{"mailto:info@ziehfix.example?subject=ZIEHFIX"});
  EXPECT_TRUE(prompter.messages.isEmpty());

  label("LMail")->setFocus();
  QTest::keyClick(label("LMail"), Qt::Key_Return);
  EXPECT_EQ(net.opened.size(), 2) << "the link works from the keyboard as well";
}

TEST_F(InfoWindow, theHandStaysOverTheWholeProgramUntilTheFreePartOfTheContactPanel) {
  QWidget* panel = FInfo->findChild<QWidget*>("Panel1");
  QLabel* mail = label("LMail");
  pointAt(mail, QPoint(5, 7));
  EXPECT_EQ(programCursor(), Qt::PointingHandCursor);

  pointAt(FInfo, QPoint(300, 40));  // the background picture
  EXPECT_EQ(programCursor(), Qt::PointingHandCursor);
  pointAt(label("Label1"), QPoint(5, 7));  // another label on the panel
  EXPECT_EQ(programCursor(), Qt::PointingHandCursor);

  pointAt(panel, QPoint(10, 85));  // below the last contact line
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

  pointAt(mail, QPoint(5, 7));
  ASSERT_EQ(programCursor(), Qt::PointingHandCursor);
  FInfo->close();
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "closing restores the default cursor";
}

TEST_F(InfoWindow, oneWindowAtATimeRestoredFromMinimisedAndFreshAfterClosing) {
  TFInfo* first = FInfo;
  first->showMinimized();
  ShowInfoWindow();
  EXPECT_EQ(FInfo, first);
  EXPECT_FALSE(first->isMinimized());
  int named = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) named += w->objectName() == "FInfo";
  EXPECT_EQ(named, 1);

  QPointer<TFInfo> closed(first);
  QTest::mouseClick(first->findChild<QPushButton*>("bsSkinSpeedButton3"), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(closed.isNull()) << "a closed window is destroyed";
  EXPECT_EQ(FInfo, nullptr);

  ShowInfoWindow();
  EXPECT_NE(FInfo, nullptr);
}

TEST_F(InfoWindow, theQrCodeOfTheHomePageFitsItsBoxWhole) {
  const QPixmap code = label("Image2")->pixmap();
  ASSERT_FALSE(code.isNull());
  EXPECT_LE(code.width(), 105);
  EXPECT_LE(code.height(), 105);
  EXPECT_EQ(label("Image2")->toolTip(), "https://www.ziehfix.example/");
  const QRect painted(label("Image2")->pos(), code.size());
  EXPECT_FALSE(painted.intersects(label("LVersion")->geometry())) << "the code never covers the version line";
}

TEST(QrCode, isSquareWithAWhiteQuietZoneAndBlackModules) {
  const QImage code = QrCodeImage("https://www.ziehfix.example/", 105);
  ASSERT_FALSE(code.isNull());
  EXPECT_EQ(code.width(), code.height());
  EXPECT_LE(code.width(), 105);
  // Version 3 (29 modules) plus four on each side at the largest whole scale: 37 * 2.
  EXPECT_EQ(code.width(), 74);
  const int zone = 4 * 2;
  bool black = false;
  for (int y = 0; y < code.height(); ++y)
    for (int x = 0; x < code.width(); ++x) {
      const bool inZone = x < zone || y < zone || x >= code.width() - zone || y >= code.height() - zone;
      const bool dark = qGray(code.pixel(x, y)) < 128;
      if (inZone) {
        ASSERT_FALSE(dark) << x << "," << y;
      }
      black = black || dark;
    }
  EXPECT_TRUE(black);
  // The finder pattern's top left module sits right after the quiet zone.
  EXPECT_LT(qGray(code.pixel(zone, zone)), 128);
}

TEST(QrCode, dataThatCannotFitGiveNoPicture) {
  EXPECT_TRUE(QrCodeImage(QByteArray(2000, 'a'), 105).isNull());
  EXPECT_TRUE(QrCodeImage("x", 20).isNull());
  EXPECT_TRUE(QrCodeImage("", 105).isNull());
}

}  // namespace
