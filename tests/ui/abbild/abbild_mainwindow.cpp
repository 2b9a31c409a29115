// SPDX-License-Identifier: GPL-3.0-or-later
// The two camera buttons of the real main window. With ZIEHFIX_SNAPSHOT_OUT set, the snapshot of seven
// tickets is also saved there through its window's save button (how docs/snapshot.jpg is made).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QFile>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "common/folders.h"
#include "support/scripted_prompter.h"
#include "support/test_env.h"
#include "ui/abbild/abbild.h"
#include "ui/main/main.h"
#include "ui/main/numberboard.h"

namespace {

QString WriteSevenTickets() {
  const QString path = testRootDir() + "/sieben.lose";
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  for (int t = 0; t < 7; ++t)
    for (int r = 0; r < 5; ++r) {
      QStringList cells;
      for (int c = 0; c < 5; ++c) cells << QString::number(c * 15 + (t * 2 + r) % 15 + 1);
      file.write(cells.join(',').toUtf8() + "\r\n");
    }
  return path;
}

class MainWindowCapture : public ::testing::Test {
 protected:
  void SetUp() override {
    EstablishDataFolders();
    main = std::make_unique<TFMain>();
    main->setWindowOpacity(1.0);
    main->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
  }

  void click(const char* name) {
    auto* button = main->findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    QTest::mouseClick(button, Qt::LeftButton);
  }

  ScriptedPrompter prompter;
  std::unique_ptr<TFMain> main;
};

}  // namespace

TEST_F(MainWindowCapture, theTicketButtonPicturesSevenTicketsOneHundredNinetySixPixelsHigh) {
  prompter.fileAnswers << WriteSevenTickets();
  click("BOpen");
  ASSERT_EQ(main->LosCount(), 7);
  // A few drawn numbers, so that the picture shows the colours of a check.
  for (const int n : {1, 16, 31, 46, 61, 3, 18, 5, 20, 35})
    QTest::mouseClick(main->Button(n), Qt::LeftButton);

  TFAbbild* before = FAbbild;
  click("bsSkinSpeedButton4");
  ASSERT_NE(FAbbild, before);
  auto* box = main->findChild<QScrollArea*>("Box1");
  ASSERT_NE(box, nullptr);
  ASSERT_GE(box->viewport()->height(), 196) << "the test needs an area that shows both rows";
  EXPECT_EQ(FAbbild->picture().size(), QSize(box->viewport()->width(), 196));
  EXPECT_EQ(FAbbild->size(), QSize(box->viewport()->width(), 276));
  EXPECT_EQ(FAbbild->windowTitle(), main->findChild<QLabel*>("LDatei")->text());
  EXPECT_EQ(FAbbild->windowTitle(), QString("sieben.lose"));
  EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join("|").toStdString();

  const QString out = qEnvironmentVariable("ZIEHFIX_SNAPSHOT_OUT");
  if (!out.isEmpty()) {
    prompter.fileAnswers << out;
    FAbbild->findChild<QAbstractButton*>("BSave")->click();
    EXPECT_TRUE(QFile::exists(out));
  }
}

TEST_F(MainWindowCapture, theResultButtonPicturesThePanelWithAStripBelow) {
  click("bsSkinSpeedButton5");
  auto* panel = main->findChild<QWidget*>("Panel8");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(FAbbild->picture().size(), panel->size() + QSize(0, 14));
  EXPECT_EQ(FAbbild->size(), panel->size() + QSize(0, 94));
  EXPECT_TRUE(prompter.messages.isEmpty());
}

TEST_F(MainWindowCapture, theTicketButtonWithoutTicketsOnlyExplains) {
  TFAbbild* before = FAbbild;
  click("bsSkinSpeedButton4");
  EXPECT_EQ(prompter.texts(), QStringList{"Es gibt kein Los für ein Foto.\r\rIch breche ab."});
  EXPECT_EQ(FAbbild, before);
}
