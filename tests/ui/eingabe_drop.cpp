// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped on the ticket entry window.
#include <gtest/gtest.h>

#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "common/folders.h"
#include "support/scripted_prompter.h"
#include "ui/eingabe.h"
#include "ui/filehistory.h"

TEST(EntryDrop, TicketFilesBecomeFramesAndOtherFilesAreRefused) {
  EstablishDataFolders();
  FileHistory::load();
  ScriptedPrompter prompter;
  TFEingabe window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QMimeData data;
  const QString examples = QStringLiteral(ZIEHFIX_SOURCE_DIR "/examples/");
  data.setUrls({QUrl::fromLocalFile(examples + "ziehung.zfgz"),
                QUrl::fromLocalFile(examples + "beispiel.lose"),
                QUrl("https://www.ziehfix.example/lose.lose")});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &drop);

  EXPECT_EQ(window.EinLosCount, 7);
  EXPECT_EQ(window.findChild<QLabel*>("LDatei")->text(), "beispiel.lose");
  ASSERT_EQ(prompter.messages.size(), 1);
#ifdef ZIEHFIX_HAVE_SCAN
  const QString kinds = "Lose-Dateien (*.lose) und Bilder";  // pictures of tickets are read too
#else
  const QString kinds = "Lose-Dateien (*.lose)";
#endif
  EXPECT_EQ(prompter.messages[0].text,
            "Die Dateien „ziehung.zfgz“, „https://www.ziehfix.example/lose.lose“ werden nicht geöffnet: Hier "
            "lassen sich nur " +
                kinds + " ablegen.");
  EXPECT_EQ(FileHistory::recentTicketFiles().value(0), examples + "beispiel.lose");
}
