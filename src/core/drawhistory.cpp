// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/drawhistory.h"

#include <algorithm>
#include <utility>

DrawHistory::DrawHistory(int limit) : limit_(std::max(1, limit)) {}

void DrawHistory::record(Kind kind, int number, const QList<int>& before, const QList<int>& after) {
  if (replaying_ > 0 || before == after) return;
  undone_.clear();
  done_.push_back(Change{kind, kind == Kind::Toggle ? number : 0, before, after});
  while (int(done_.size()) > limit_) done_.pop_front();
}

void DrawHistory::recordToggle(int number, const ChosenNumbers& before, const ChosenNumbers& after) {
  record(Kind::Toggle, number, before.sorted(), after.sorted());
}

std::optional<DrawHistory::Change> DrawHistory::undo() {
  if (done_.empty()) return std::nullopt;
  Change c = std::move(done_.back());
  done_.pop_back();
  undone_.push_back(c);
  return c;
}

std::optional<DrawHistory::Change> DrawHistory::redo() {
  if (undone_.empty()) return std::nullopt;
  Change c = std::move(undone_.back());
  undone_.pop_back();
  done_.push_back(c);
  return c;
}

void DrawHistory::clear() {
  done_.clear();
  undone_.clear();
}

void SetChosen(ChosenNumbers& chosen, const QList<int>& numbers) {
  chosen.clear();
  for (int n : numbers) chosen.toggle(n);
}
