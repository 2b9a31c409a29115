// SPDX-License-Identifier: GPL-3.0-or-later
// The history of the chosen numbers in the main window: Ctrl+Z and "Zurücknehmen" take back the last
// change (a click, a key, a transfer, a clear), Ctrl+Y restores it, each through the handlers of a
// click, so the strip, the count, the evaluation and the overview follow. After a number chosen with
// the board or the keyboard the announcements speak.
#include <QPushButton>
#include <QScopeGuard>

#include "ui/ansage/drawannouncements.h"
#include "ui/main/main.h"
#include "ui/shared/guard.h"

void TFMain::BZurueckClick() {
  runGuarded([this] { stepHistory(true); });
}

void TFMain::redoChosen() {
  runGuarded([this] { stepHistory(false); });
}

DrawSnapshot TFMain::announceBefore() const {
  // Only worth the pass over the winners while something will be said.
  return announcements_->isOn() ? SnapshotOf(check_) : DrawSnapshot{};
}

void TFMain::clickedNumber(int n) {
  const QList<int> before = check_.chosen.sorted();
  const DrawSnapshot seen = announceBefore();
  toggleNumber(n);
  if (recordChange(DrawHistory::Kind::Toggle, n, before))
    announcements_->numberToggled(n, check_.chosen.contains(n), seen, check_, isActiveWindow());
}

void TFMain::clearChosenRecorded() {
  const QList<int> before = check_.chosen.sorted();
  const auto record = qScopeGuard([&] { recordChange(DrawHistory::Kind::Clear, 0, before); });
  clearChosen();
}

bool TFMain::recordChange(DrawHistory::Kind kind, int n, const QList<int>& before) {
  const QList<int> after = check_.chosen.sorted();
  if (after == before) return false;
  history_.record(kind, n, before, after);
  historyChanged();
  return true;
}

void TFMain::forgetHistory() {
  history_.clear();
  historyChanged();
}

void TFMain::historyChanged() {
  undoButton_->setEnabled(history_.canUndo());
}

void TFMain::stepHistory(bool back) {
  const std::optional<DrawHistory::Change> step = back ? history_.undo() : history_.redo();
  historyChanged();
  if (!step) return;
  const DrawHistory::Replay replay(history_);
  const DrawSnapshot seen = announceBefore();
  applyChosen(back ? step->before : step->after);
  // A click taken back or done again is announced as that click would be.
  if (step->kind == DrawHistory::Kind::Toggle)
    announcements_->numberToggled(step->number, check_.chosen.contains(step->number), seen, check_,
                                  isActiveWindow());
}

void TFMain::applyChosen(const QList<int>& wanted) {
  if (wanted.isEmpty()) {
    clearChosen();
    return;
  }
  // Numbers leave before others come, so the 22 are never exceeded on the way.
  for (int n : check_.chosen.sorted())
    if (!wanted.contains(n)) toggleNumber(n);
  for (int n : wanted)
    if (!check_.chosen.contains(n)) toggleNumber(n);
}
