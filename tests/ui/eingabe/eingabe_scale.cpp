// SPDX-License-Identifier: GPL-3.0-or-later
// The entry window with many tickets: frames exist only for the tickets in view and are handed on
// while scrolling, without losing what the user typed.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "common/folders.h"
#include "core/ticketfile.h"
#include "support/entry_window.h"
#include "support/scripted_prompter.h"
#include "support/test_env.h"
#include "ui/eingabe/eingabe.h"
#include "ui/eingabe/frlos2.h"

namespace {

class EntryScale : public ::testing::Test {
 protected:
  void SetUp() override {
    EstablishDataFolders();
    w_ = OpenEntryWindow(10000);
    ASSERT_FALSE(HasFailure());
  }
  QScrollBar* bar() const { return w_->ticketArea->verticalScrollBar(); }
  // Scrolls so that the row of ticket index is the first in view.
  void scrollTo(int index) { bar()->setValue(TFEingabe::framePosition(index + 1).y() - 5); }

  ScriptedPrompter prompter_;
  std::unique_ptr<TFEingabe> w_;
};

TEST_F(EntryScale, tickets_appended_from_a_picture_come_into_view) {
  EntryTicket read;
  read.cells[0] = "7";
  ASSERT_TRUE(w_->appendTickets({read, read}));
  TFfrLos2* first = w_->frameOf(10000);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->gLos->cells()[0], "7");
}

TEST_F(EntryScale, scrolling_far_and_back_keeps_typed_cells_memo_and_doubtful_marks_with_few_frames) {
  TFfrLos2* frame = w_->frameOf(7);
  ASSERT_NE(frame, nullptr);
  std::array<bool, 25> doubtful{};
  doubtful[3] = true;
  frame->gLos->setDoubtfulCells(doubtful);
  frame->setMemoText("5\r\n6");
  // A number still in the open cell editor when the frame leaves.
  frame->gLos->setCurrentIndex(frame->gLos->model()->index(1, 2));
  auto* editor = frame->gLos->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "42");

  bar()->setValue(bar()->maximum());
  EXPECT_EQ(w_->frameOf(7), nullptr);
  EXPECT_LT(w_->findChildren<TFfrLos2*>().size(), 60);
  ASSERT_FALSE(w_->EinLosFrames.isEmpty());
  TFfrLos2* last = w_->EinLosFrames.last();
  EXPECT_EQ(last->objectName(), "EinfrLos10000");
  EXPECT_EQ(last->PNr->text(), "10000");
  // Five digits fit their label, and the caption gives way.
  EXPECT_GE(last->PNr->width(), last->PNr->sizeHint().width());
  const QLabel* caption = last->findChild<QLabel*>("Label1");
  ASSERT_NE(caption, nullptr);
  EXPECT_GE(caption->x(), last->PNr->geometry().right());
  EXPECT_EQ(last->pos(), TFEingabe::framePosition(10000));
  EXPECT_EQ(w_->EinLosGrids.last(), last->gLos);
  EXPECT_TRUE(last->gLos->cellText(1, 2).isEmpty()) << "a reused frame shows its new ticket";
  EXPECT_EQ(w_->ticket(7).cells[7], "42");

  bar()->setValue(0);
  frame = w_->frameOf(7);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->objectName(), "EinfrLos8");
  EXPECT_EQ(frame->PNr->width(), 18) << "a reused frame's label shrinks back";
  EXPECT_EQ(frame->gLos->cellText(1, 2), "42");
  EXPECT_EQ(frame->memoText(), "5\r\n6");
  EXPECT_TRUE(frame->gLos->isDoubtful(3));
  EXPECT_FALSE(frame->gLos->isDoubtful(4));
  EXPECT_EQ(w_->EinLosFrames.first()->objectName(), "EinfrLos1");
}

TEST_F(EntryScale, saving_gives_the_core_writers_bytes_for_cells_typed_anywhere) {
  std::vector<TicketCells> expected(10000);
  for (int index : {0, 4321, 9999}) {
    scrollTo(index);
    TFfrLos2* frame = w_->frameOf(index);
    ASSERT_NE(frame, nullptr) << index;
    frame->gLos->setCellText(2, 2, QString::number(index % 75 + 1));
    frame->gLos->setCellText(0, 0, " ");
    frame->gLos->setCellText(4, 4, "a,\"b\"");
    expected[std::size_t(index)] = frame->gLos->cells();
  }
  bar()->setValue(bar()->maximum() / 2);
  const QString path = testRootDir() + "/viele.lose";
  prompter_.fileAnswers << path;
  prompter_.confirmAnswers << true;
  w_->saveButton->click();
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll() == TicketFileBytes(expected));
}

TEST_F(EntryScale,
       shift_tab_reaches_the_previous_tickets_grid_in_a_reused_frame_and_screen_readers_hear_its_number) {
  scrollTo(3000);
  TFfrLos2* frame = w_->frameOf(3000);
  ASSERT_NE(frame, nullptr);
  frame->BDel->setFocus(Qt::TabFocusReason);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  TFfrLos2* previous = w_->frameOf(2999);
  ASSERT_NE(previous, nullptr) << "the view scrolls up to the grid that takes the focus";
  QWidget* focus = QApplication::focusWidget();
  EXPECT_TRUE(focus == previous->gLos || previous->gLos->isAncestorOf(focus));
  EXPECT_NE(w_->frameOf(2999 - 6), nullptr) << "the row above it is made live";
  QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(previous->gLos);
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->text(QAccessible::Name), "Los 3000");
  EXPECT_LT(w_->findChildren<TFfrLos2*>().size(), 60);
}

}  // namespace
