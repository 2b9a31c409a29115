// SPDX-License-Identifier: GPL-3.0-or-later
// Files dropped on the ticket entry window.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>

#include "common/folders.h"
#include "support/entry_window.h"
#include "support/scripted_prompter.h"
#include "ui/eingabe/eingabe.h"
#include "ui/eingabe/frlos2.h"
#include "ui/shared/filehistory.h"

namespace {
// A file manager's drag of one file: its address, and its path as text for fields that take text.
// True when the target took the drag.
bool dropFile(QWidget* target, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  data.setText(path);
  const QPoint at = target->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &move);
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &drop);
  QCoreApplication::processEvents();
  return true;
}
}  // namespace

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
  EXPECT_EQ(window.EinLosCount, 0) << "read after the drop has returned";
  EXPECT_TRUE(prompter.messages.isEmpty());
  QCoreApplication::processEvents();

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

TEST(EntryDrop, ATicketFileDroppedOnAFramesTextFieldsIsReadNotPasted) {
  EstablishDataFolders();
  FileHistory::load();
  ScriptedPrompter prompter;
  const auto window = OpenEntryWindow(1);
  const QString file = QStringLiteral(ZIEHFIX_SOURCE_DIR "/examples/beispiel.lose");
  window->appendTicketsBox->setChecked(true);  // appended, so that the frame keeps what it shows
  TFfrLos2* frame = window->EinLosFrames.value(0);
  ASSERT_NE(frame, nullptr);

  ASSERT_TRUE(dropFile(frame->m1->viewport(), file));
  EXPECT_EQ(window->EinLosCount, 8) << "the file's seven tickets are appended";
  EXPECT_EQ(frame->m1->toPlainText(), "") << "and its path is not pasted";

  // A cell being typed into.
  frame->gLos->setFocus();
  frame->gLos->edit(frame->gLos->model()->index(0, 0));
  QPointer<QLineEdit> editor = frame->gLos->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  ASSERT_TRUE(dropFile(editor, file));
  EXPECT_EQ(window->EinLosCount, 15);
  if (editor) {
    EXPECT_EQ(editor->text(), "");
  }

  ASSERT_TRUE(dropFile(window->newTicketCountField, file));
  EXPECT_EQ(window->EinLosCount, 22);
  EXPECT_EQ(window->newTicketCountField->text(), "1");
  EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.texts().join('\n').toStdString();

  // Dragged text is still the field's.
  QMimeData text;
  text.setText("17");
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(frame->m1->viewport(), &enter);
  EXPECT_TRUE(enter.isAccepted());
}
