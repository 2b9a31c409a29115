// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

// The URL the desktop is asked to open for target: a text with a scheme ("https://...", "mailto:...")
// as it is, anything else as a local file (a relative path taken from the current folder).
QUrl shellUrlFor(const QString& target);

// Hands target to the desktop (QDesktopServices::openUrl); true when the desktop accepted it.
bool shellOpen(const QString& target);
