// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QKeySequence>
#include <QList>
#include <functional>

class QAbstractButton;
class QAction;
class QWidget;

// A window-wide shortcut that presses the button, so the key runs exactly the button's click handler.
// The keys are added to the button's tooltip (a button with no tooltip gets its caption there) and
// offered to screen readers as the button's key binding.
QAction* AddButtonShortcut(QWidget* window, QAbstractButton* button, const QList<QKeySequence>& keys);
// A window-wide shortcut that runs handler.
QAction* AddWindowShortcut(QWidget* window, const QList<QKeySequence>& keys, std::function<void()> handler);

// The keys, as the tooltip shows them: "Strg+O" (in the user's language), several joined by ", ".
QString ShortcutText(const QList<QKeySequence>& keys);

// The shortcuts of the three kinds of window; each finds its buttons by name.
void InstallMainShortcuts(QWidget* mainWindow);
void InstallEntryShortcuts(QWidget* entryWindow);
void InstallSnapshotShortcuts(QWidget* snapshotWindow);
