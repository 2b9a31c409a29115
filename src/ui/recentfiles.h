// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QMenu;
class QPushButton;
class QWidget;

// The ticket files used last, offered by a right click on a "Lose einlesen..." button. Picking one
// calls open with its path; one that no longer exists is taken off the list with a message.
void AttachRecentTicketsMenu(QPushButton* button, std::function<void(const QString& path)> open);

// The menu the right click pops up (named "RecentTickets"); the caller owns it.
QMenu* BuildRecentTicketsMenu(QWidget* parent, const std::function<void(const QString& path)>& open);
