// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <deque>
#include <optional>

#include "core/evaluation.h"

// The changes of the chosen numbers during one draw, for taking them back and restoring them. Each
// change keeps the numbers before and after it; the window applies a step through the same handlers
// as a click, and records nothing while it does (see Replay).
class DrawHistory {
 public:
  enum class Kind { Toggle, Transfer, Clear };
  struct Change {
    Kind kind = Kind::Toggle;
    int number = 0;            // the number a toggle added or removed; 0 otherwise
    QList<int> before, after;  // sorted
    bool operator==(const Change&) const = default;
  };

  // A long session of clicking back and forth should not grow without end; a draw has at most 22
  // numbers, so a few hundred steps cover every sensible undo.
  explicit DrawHistory(int limit = 200);

  // Records one change; a change that changed nothing (a 23rd number, clearing an empty board) and
  // anything recorded while a Replay lives are ignored. A new change drops the steps undone before.
  void record(Kind kind, int number, const QList<int>& before, const QList<int>& after);
  void recordToggle(int number, const ChosenNumbers& before, const ChosenNumbers& after);

  bool canUndo() const { return !done_.empty(); }
  bool canRedo() const { return !undone_.empty(); }
  int undoCount() const { return int(done_.size()); }
  int redoCount() const { return int(undone_.size()); }
  // The step to take back (apply its `before`) or to restore (apply its `after`); nullopt when none.
  std::optional<Change> undo();
  std::optional<Change> redo();
  // Numbers loaded from a file start a new draw.
  void clear();

  // While one lives, record() ignores what the window's handlers report: undo and redo apply their
  // step through those handlers without recording it again.
  class Replay {
   public:
    explicit Replay(DrawHistory& h) : h_(h) { ++h_.replaying_; }
    ~Replay() { --h_.replaying_; }
    Replay(const Replay&) = delete;
    Replay& operator=(const Replay&) = delete;

   private:
    DrawHistory& h_;
  };

 private:
  std::deque<Change> done_;
  std::deque<Change> undone_;
  int limit_;
  int replaying_ = 0;
};

// Makes chosen hold exactly the given numbers (at most 22 of 1..75 are taken).
void SetChosen(ChosenNumbers& chosen, const QList<int>& numbers);
