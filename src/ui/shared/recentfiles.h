// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QMenu;
class QPushButton;
class QToolButton;
class QWidget;

// The ticket files used last, offered beside a "Lose einlesen..." button: by a small arrow button
// right after it (named "BZuletzt"), and by a right click on the button itself, whose caption and
// click stay as they are. Picking one calls open with its path; one that no longer exists is taken off
// the list with a message. The arrow is put into the button's box layout; it is returned.
QToolButton* AttachRecentTicketsMenu(QPushButton* button, std::function<void(const QString& path)> open);

// The menu the right click pops up (named "RecentTickets"); the caller owns it.
QMenu* BuildRecentTicketsMenu(QWidget* parent, const std::function<void(const QString& path)>& open);
