// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QApplication;

// The program's look and language: Qt's German translations and the style sheet.
void PrepareApplication(QApplication& app);

// Creates the splash window and shows it, painted, before anything else is set up. No user input is
// processed here, so "Weiter" cannot be clicked before the other windows exist.
void ShowSplashWindow();

// Creates the main window, the ticket entry window and one snapshot window, hidden, in this order.
// Throws what their creation throws.
void CreateWindows();

// Closing the main window ends the event loop. The other windows go with it without being closed, so
// their closing handlers (which store settings) do not run.
void EndProgramWithMainWindow();

// The whole start-up sequence and the event loop; returns the program's exit code. createWindows is
// CreateWindows (a test hands in one that fails); windowsCreated runs once the windows exist, before
// the event loop.
int RunProgram(QApplication& app, const std::function<void()>& createWindows = CreateWindows,
               const std::function<void()>& windowsCreated = {});
