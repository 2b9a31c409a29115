// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>

#include "common/folders.h"
#include "support/scripted_prompter.h"
#include "ui/abbild/abbild.h"
#include "ui/abbild/abbild_standin.h"

namespace {

class Capture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { EstablishDataFolders(); }
  ScriptedPrompter prompter;
};

bool IsWhite(const QImage& picture, int x, int y) {
  return picture.pixel(x, y) == qRgb(255, 255, 255);
}

// Number of pixels that are not white in the rectangle.
int InkIn(const QImage& picture, const QRect& r) {
  int ink = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) ink += IsWhite(picture, x, y) ? 0 : 1;
  return ink;
}

struct TicketCase {
  const char* name;
  int tickets;
  int viewportHeight;
  int contentHeight;
  int scroll;
  int pictureHeight;
};

}  // namespace

TEST_F(Capture, theTicketPictureEndsFourteenPixelsBelowTheLastRowOrBelowTheVisibleArea) {
  const TicketCase cases[] = {
      {"seven tickets end below the second row", 7, 400, 0, 0, 196},
      {"a single row", 3, 400, 0, 0, 105},
      {"the second row just fits", 10, 196, 0, 0, 196},
      {"the second row reaches one pixel too far", 10, 195, 0, 0, 209},
      {"more tickets than fit give the visible height and a strip", 30, 400, 0, 0, 414},
      {"the last row counts where it is seen after scrolling", 7, 300, 900, 50, 146},
      {"scrolled to the bottom of many tickets", 40, 300, 0, 10000, 314},
      {"a last row scrolled out of sight keeps the strip", 7, 300, 900, 400, 14},
  };
  for (const TicketCase& c : cases) {
    SCOPED_TRACE(c.name);
    StandInMain main(c.tickets, c.viewportHeight, c.contentHeight);
    main.scrollTo(c.scroll);
    CaptureSnapshot(main.window.get(), SnapshotKind::Tickets);

    const QList<TFAbbild*> windows = SnapshotWindows(main.window.get());
    ASSERT_EQ(windows.size(), 1);
    TFAbbild* w = windows.first();
    EXPECT_EQ(FAbbild, w);
    EXPECT_EQ(w->picture().height(), c.pictureHeight);
    EXPECT_EQ(w->picture().width(), main.box->viewport()->width());
    EXPECT_EQ(w->size(), QSize(main.box->viewport()->width(), c.pictureHeight + 80)) << "client area";
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowTitle(), QString("sieben.lose"));
    EXPECT_TRUE(prompter.messages.isEmpty());
  }
}

TEST_F(Capture, theTicketPictureShowsTheFramesAsTheyAreSeen) {
  StandInMain main(7);
  CaptureSnapshot(main.window.get(), SnapshotKind::Tickets);
  const QImage picture = FAbbild->picture();
  ASSERT_EQ(picture.height(), 196);
  EXPECT_EQ(picture.pixelColor(5, 5), StandInTicketColour) << "first frame";
  EXPECT_EQ(picture.pixelColor(136 + 125, 96 + 85), StandInTicketColour) << "seventh frame";
  EXPECT_EQ(picture.pixelColor(2, 2), StandInAreaColour) << "gap around the frames";
  EXPECT_EQ(picture.pixelColor(400, 150), StandInAreaColour) << "no frame 8";
}

TEST_F(Capture, theWatermarkStandsNinetyPixelsLeftOfTheRightEdgeInTheBottomStrip) {
  StandInMain main(30, 400);
  CaptureSnapshot(main.window.get(), SnapshotKind::Tickets);
  const QImage picture = FAbbild->picture();
  const int w = picture.width();
  ASSERT_EQ(picture.height(), 414);
  // The strip below the visible area is white but for the product name, which starts at
  // (width - 90, height - 13).
  EXPECT_EQ(InkIn(picture, QRect(0, 400, w - 90, 14)), 0);
  EXPECT_EQ(InkIn(picture, QRect(w - 90, 400, 90, 1)), 0) << "nothing above the text's top";
  EXPECT_GT(InkIn(picture, QRect(w - 90, 401, 90, 13)), 20);
  EXPECT_GT(InkIn(picture, QRect(w - 90, 401, 3, 13)), 0) << "the text begins right at its left edge";
}

TEST_F(Capture, theResultPanelGainsAWhiteStripOfFourteenPixelsWithTheWatermark) {
  StandInMain main(7);
  CaptureSnapshot(main.window.get(), SnapshotKind::Results);

  const QList<TFAbbild*> windows = SnapshotWindows(main.window.get());
  ASSERT_EQ(windows.size(), 1);
  const QImage picture = windows.first()->picture();
  EXPECT_EQ(picture.size(), QSize(151, 239));
  EXPECT_EQ(windows.first()->size(), QSize(151, 319)) << "client area";
  EXPECT_EQ(windows.first()->windowTitle(), QString("sieben.lose"));
  EXPECT_EQ(picture.pixelColor(0, 0), StandInPanelColour);
  EXPECT_EQ(picture.pixelColor(150, 224), StandInPanelColour);
  EXPECT_EQ(InkIn(picture, QRect(0, 225, 61, 14)), 0) << "white left of the watermark";
  EXPECT_EQ(InkIn(picture, QRect(61, 225, 90, 1)), 0) << "white above the watermark";
  EXPECT_GT(InkIn(picture, QRect(61, 226, 90, 13)), 20) << "the watermark at x 61, y 226";
}

TEST_F(Capture, aPanelIsCapturedWithTheHeightArgumentSubtracted) {
  StandInMain main(0);
  TFAbbild* w = CaptureSnapshot(main.panel8, "Titel", 25, 0, 13, main.window.get());
  EXPECT_EQ(w->picture().size(), QSize(151, 200));
  EXPECT_EQ(w->size(), QSize(151, 280));
  EXPECT_EQ(w->windowTitle(), QString("Titel"));
  EXPECT_EQ(FAbbild, w);
}

TEST_F(Capture, withoutTicketsThereIsOnlyAMessage) {
  StandInMain main(0);
  TFAbbild* before = FAbbild;
  CaptureSnapshot(main.window.get(), SnapshotKind::Tickets);
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, QString("information"));
  EXPECT_EQ(prompter.messages[0].text, QString("Es gibt kein Los für ein Foto.\r\rIch breche ab."));
  EXPECT_TRUE(SnapshotWindows(main.window.get()).isEmpty());
  EXPECT_EQ(FAbbild, before);
}

TEST_F(Capture, aCoveringWindowNeverShowsInThePicture) {
  StandInMain main(7);
  QWidget cover;
  Paint(&cover, Qt::magenta);
  cover.setGeometry(main.window->geometry());
  cover.show();
  cover.raise();
  QApplication::processEvents();
  CaptureSnapshot(main.window.get(), SnapshotKind::Results);
  const QImage picture = FAbbild->picture();
  EXPECT_EQ(picture.pixelColor(75, 100), StandInPanelColour);
}

TEST_F(Capture, aMainWindowWithoutItsAreasReportsAnErrorAndOpensNothing) {
  QWidget bare;
  bare.setProperty("LosCount", 3);
  CaptureSnapshot(&bare, SnapshotKind::Tickets);
  CaptureSnapshot(&bare, SnapshotKind::Results);
  ASSERT_EQ(prompter.messages.size(), 2);
  EXPECT_EQ(prompter.messages[0].kind, QString("error"));
  EXPECT_EQ(prompter.messages[1].kind, QString("error"));
  EXPECT_TRUE(bare.findChildren<TFAbbild*>().isEmpty());
}

TEST_F(Capture, anAreaWithoutWidthIsReportedInsteadOfPictured) {
  StandInMain main(7);
  main.panel8->setFixedWidth(0);
  CaptureSnapshot(main.window.get(), SnapshotKind::Results);
  ASSERT_EQ(prompter.messages.size(), 1);
  EXPECT_EQ(prompter.messages[0].kind, QString("error"));
  EXPECT_EQ(prompter.messages[0].text, QString("Der Bereich für das Foto ist leer."));
  EXPECT_TRUE(SnapshotWindows(main.window.get()).isEmpty());
}
