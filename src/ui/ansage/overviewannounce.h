// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DrawAnnouncements;
class QHBoxLayout;
class QVBoxLayout;
class QWidget;

// The announcements' part of the overview: the check box "Ansagen" and the button "Ansagen..." (which
// opens TFAnsage) in its command row, and, below its heading (the first item of root), the line of
// the last announcement, shown while announcements are on. A screen reader reads the line as
// "Ansage: …" and hears it change.
void AddAnnouncementControls(QWidget* overview, QVBoxLayout* root, QHBoxLayout* commands,
                             DrawAnnouncements& announcements);
