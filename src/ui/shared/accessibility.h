// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLabel;
class QObject;

// Installs the program's accessible interfaces (once; harmless when called again):
// - buttons: their press and toggle actions run the button's click, after the action has returned,
//   so a click that opens a modal dialog never keeps a screen reader waiting; the button's shortcut
//   is its key binding;
// - labels that show a value under a caption: named "caption: value", following the value;
// - the ticket area Box1: its visible tickets as tables of cells.
void InstallAccessibility();

// Call at the end of a constructor of a class that has an interface of its own: Qt may make and keep
// an interface for the base class while the base constructor runs (at once when a screen reader
// listens), and the class's own would then never be used.
void UseOwnAccessibleInterface(QObject* object);

// A screen reader reads the label as "caption: text", always with its current text (only the caption
// while the label is empty).
void SetAccessibleCaption(QLabel* label, const QString& caption);
