// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLabel;

// Installs the program's accessible interfaces (once; harmless when called again):
// - buttons: their press and toggle actions run the button's click, after the action has returned,
//   so a click that opens a modal dialog never keeps a screen reader waiting; the button's shortcut
//   is its key binding;
// - labels that show a value under a caption: named "caption: value", following the value;
// - the ticket area Box1: its visible tickets as tables of cells.
void InstallAccessibility();

// A screen reader reads the label as "caption: text", always with its current text.
void SetAccessibleCaption(QLabel* label, const QString& caption);
