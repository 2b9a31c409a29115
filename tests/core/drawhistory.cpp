// SPDX-License-Identifier: GPL-3.0-or-later
// Taking back and restoring changes of the chosen numbers, applied the way the window applies them.
#include "core/drawhistory.h"

#include <gtest/gtest.h>

namespace {

using Kind = DrawHistory::Kind;

// The window's handlers: every change goes through them and is recorded there.
struct Board {
  ChosenNumbers chosen;
  DrawHistory history;

  void click(int n) {
    const ChosenNumbers before = chosen;
    chosen.toggle(n);
    history.recordToggle(n, before, chosen);
  }
  void transfer(const QList<int>& numbers) {
    const QList<int> before = chosen.sorted();
    SetChosen(chosen, numbers);
    history.record(Kind::Transfer, 0, before, chosen.sorted());
  }
  void clear() {
    const QList<int> before = chosen.sorted();
    chosen.clear();
    history.record(Kind::Clear, 0, before, {});
  }
  // Undo and redo apply their step through the same handlers; a toggle by toggling its number again.
  bool undo() {
    const auto step = history.undo();
    if (!step) return false;
    DrawHistory::Replay replay(history);
    if (step->kind == Kind::Toggle)
      click(step->number);
    else
      transfer(step->before);
    return true;
  }
  bool redo() {
    const auto step = history.redo();
    if (!step) return false;
    DrawHistory::Replay replay(history);
    if (step->kind == Kind::Toggle)
      click(step->number);
    else
      transfer(step->after);
    return true;
  }
};

TEST(DrawHistory, ClicksAndKeysAreTakenBackAndRestoredInOrder) {
  Board b;
  b.click(17);
  b.click(5);
  b.click(17);  // taken off again by a second click
  EXPECT_EQ(b.chosen.sorted(), QList<int>{5});
  EXPECT_EQ(b.history.undoCount(), 3);

  ASSERT_TRUE(b.undo());
  EXPECT_EQ(b.chosen.sorted(), (QList<int>{5, 17}));
  ASSERT_TRUE(b.undo());
  EXPECT_EQ(b.chosen.sorted(), QList<int>{17});
  ASSERT_TRUE(b.undo());
  EXPECT_TRUE(b.chosen.sorted().isEmpty());
  EXPECT_FALSE(b.undo());
  EXPECT_EQ(b.history.redoCount(), 3);

  ASSERT_TRUE(b.redo());
  ASSERT_TRUE(b.redo());
  EXPECT_EQ(b.chosen.sorted(), (QList<int>{5, 17}));
  ASSERT_TRUE(b.redo());
  EXPECT_EQ(b.chosen.sorted(), QList<int>{5});
  EXPECT_FALSE(b.redo());
}

TEST(DrawHistory, TransferAndClearComeBackWhole) {
  Board b;
  b.click(1);
  b.transfer({3, 9, 70});
  b.clear();
  EXPECT_EQ(b.chosen.count(), 0);

  ASSERT_TRUE(b.undo());
  EXPECT_EQ(b.chosen.sorted(), (QList<int>{3, 9, 70}));
  ASSERT_TRUE(b.undo());
  EXPECT_EQ(b.chosen.sorted(), QList<int>{1});
  ASSERT_TRUE(b.redo());
  ASSERT_TRUE(b.redo());
  EXPECT_EQ(b.chosen.count(), 0);

  const auto steps = std::vector{b.history.undo(), b.history.undo()};
  EXPECT_EQ(steps[0]->kind, Kind::Clear);
  EXPECT_EQ(steps[1]->kind, Kind::Transfer);
  EXPECT_EQ(steps[1]->number, 0);
}

TEST(DrawHistory, TheRefused23rdNumberIsNoStep) {
  Board b;
  for (int n = 1; n <= 22; ++n) b.click(n);
  b.click(40);  // refused: 22 chosen already
  b.clear();    // and clearing twice changes nothing the second time
  b.clear();
  EXPECT_EQ(b.history.undoCount(), 23);

  ASSERT_TRUE(b.undo());
  EXPECT_EQ(b.chosen.count(), 22);
  ASSERT_TRUE(b.undo());
  EXPECT_EQ(b.chosen.count(), 21);
  EXPECT_FALSE(b.chosen.contains(22));
  EXPECT_FALSE(b.chosen.contains(40));
}

TEST(DrawHistory, ANewChangeAfterUndoDropsWhatWasUndone) {
  Board b;
  b.click(1);
  b.click(2);
  b.undo();
  ASSERT_TRUE(b.history.canRedo());
  b.click(3);
  EXPECT_FALSE(b.history.canRedo());
  EXPECT_FALSE(b.redo());
  EXPECT_EQ(b.chosen.sorted(), (QList<int>{1, 3}));
  ASSERT_TRUE(b.undo());
  EXPECT_EQ(b.chosen.sorted(), QList<int>{1});
}

TEST(DrawHistory, LoadingNumbersFromAFileStartsAfresh) {
  Board b;
  b.click(1);
  b.click(2);
  b.undo();
  b.history.clear();
  EXPECT_FALSE(b.history.canUndo());
  EXPECT_FALSE(b.history.canRedo());
  EXPECT_FALSE(b.undo());
  EXPECT_EQ(b.chosen.sorted(), QList<int>{1});
}

TEST(DrawHistory, KeepsOnlyTheNewestStepsWithinItsLimit) {
  Board b;
  b.history = DrawHistory(3);
  for (int n : {1, 2, 3, 4, 5}) b.click(n);
  EXPECT_EQ(b.history.undoCount(), 3);
  while (b.undo()) {
  }
  EXPECT_EQ(b.chosen.sorted(), (QList<int>{1, 2}));
}

}  // namespace
