// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPalette>

class QApplication;

// The program's own light colours, whatever colour scheme the desktop uses: its style sheet paints
// light surfaces, so text in the desktop's dark-scheme colours would vanish on them.
QPalette LightPalette();

// The icon of every window: the installed theme icon, or the one compiled in.
QIcon ProgramIcon();

// The desktop's view of the program: the app ID (which names the desktop entry, so the desktop
// groups its windows under the menu entry and its icon), the window icon and the palette.
void SetUpDesktop(QApplication& app);
