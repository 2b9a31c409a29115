// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "common/settingstable.h"

// Where the ticket and winning-number dialogs start and which ticket files were used last. Kept in
// the section "Zuletzt" of optionen.ini: read when the main window is created, written when it closes
// (only when something changed, so a run that opens no file leaves the settings file as it was).
namespace FileHistory {
constexpr int kMaxRecentTickets = Setting::kMaxRecentTickets;

// Reads the section; a missing key gives the data folder of that kind.
void load();
// Throws what a settings write throws.
void save();

QString ticketFolder();
QString numberFolder();
// Newest first, at most kMaxRecentTickets, absolute paths.
QStringList recentTicketFiles();

// A ticket file was read or saved: its folder is where the dialogs start next, and it heads the list.
void ticketFileUsed(const QString& path);
void numberFileUsed(const QString& path);
void forgetTicketFile(const QString& path);
}  // namespace FileHistory
