// SPDX-License-Identifier: GPL-3.0-or-later
// Cells a picture reader was not sure of: the user confirms a number by typing it, and saving asks
// while any cell is still marked.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "common/folders.h"
#include "support/entry_window.h"
#include "support/scripted_prompter.h"
#include "support/test_env.h"
#include "ui/eingabe/eingabe.h"
#include "ui/eingabe/frlos2.h"

namespace {

class EntryMarks : public ::testing::Test {
 protected:
  void SetUp() override {
    EstablishDataFolders();
    w_ = OpenEntryWindow(1);
    ASSERT_FALSE(HasFailure());
  }

  // A ticket as read from a picture: 1..25, the given cells (0..24) marked.
  static EntryTicket read(std::initializer_list<int> marked) {
    EntryTicket t;
    for (int c = 0; c < 25; ++c) t.cells[std::size_t(c)] = QString::number(c + 1);
    for (int c : marked) t.doubtful[std::size_t(c)] = true;
    return t;
  }

  void save(const QString& name) {
    prompter_.fileAnswers << testRootDir() + "/" + name;
    w_->saveButton->click();
  }

  ScriptedPrompter prompter_;
  std::unique_ptr<TFEingabe> w_;
};

TEST_F(EntryMarks, saving_with_marked_cells_asks_first_and_no_writes_nothing) {
  ASSERT_TRUE(w_->appendTickets({read({0, 24}), read({})}));
  save("marks.lose");
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].kind, "confirm");
  EXPECT_EQ(prompter_.messages[0].text, "2 Zahlen sind noch zu prüfen. Trotzdem speichern?");
  EXPECT_TRUE(prompter_.dialogs.isEmpty()) << "No ends the save before the file dialog";
  EXPECT_FALSE(QFile::exists(testRootDir() + "/marks.lose"));
  EXPECT_TRUE(w_->EinLosGrids[1]->isDoubtful(0)) << "the marks stay";

  w_->EinLosGrids[1]->setCellText(0, 0, "70");
  prompter_.confirmAnswers << true;
  save("marks.lose");
  EXPECT_EQ(prompter_.messages.last().text, "1 Zahl ist noch zu prüfen. Trotzdem speichern?");
  EXPECT_TRUE(QFile::exists(testRootDir() + "/marks.lose"));
}

TEST_F(EntryMarks, marks_of_tickets_scrolled_out_of_view_are_counted_and_none_saves_without_a_question) {
  std::vector<EntryTicket> many(200, read({}));
  many[0] = read({3});
  ASSERT_TRUE(w_->appendTickets(many));  // scrolled to the first of them; the last have no frame
  many = {read({5, 6, 7})};
  ASSERT_TRUE(w_->appendTickets(many));  // now the first has none
  ASSERT_EQ(w_->frameOf(1), nullptr);
  save("weit.lose");
  ASSERT_EQ(prompter_.messages.size(), 1);
  EXPECT_EQ(prompter_.messages[0].text, "4 Zahlen sind noch zu prüfen. Trotzdem speichern?");

  prompter_.fileAnswers.clear();  // the file dialog never came
  w_->deleteTicketsButton->click();
  save("ohne.lose");
  EXPECT_EQ(prompter_.messages.size(), 1);
  EXPECT_TRUE(QFile::exists(testRootDir() + "/ohne.lose"));
}

TEST_F(EntryMarks, typing_the_number_read_confirms_it_while_passing_through_the_cell_does_not) {
  ASSERT_TRUE(w_->appendTickets({read({0, 1})}));
  TicketEditGrid* grid = w_->EinLosGrids[1];
  grid->setFocus();
  grid->setCurrentIndex(grid->model()->index(0, 0));
  auto* editor = grid->findChild<QLineEdit*>();
  ASSERT_NE(editor, nullptr);
  ASSERT_EQ(editor->text(), "1");
  editor->selectAll();
  QTest::keyClicks(editor, "1");
  // Onto the second cell and past it: its editor opens and closes untouched.
  QTest::keyClick(editor, Qt::Key_Tab);
  grid->setCurrentIndex(grid->model()->index(0, 2));
  EXPECT_EQ(grid->cellText(0, 0), "1");
  EXPECT_FALSE(grid->isDoubtful(0));
  EXPECT_TRUE(grid->isDoubtful(1));
  EXPECT_EQ(grid->cellText(0, 1), "2");
}

}  // namespace
