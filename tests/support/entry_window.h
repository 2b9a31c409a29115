// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

class TFEingabe;

// An entry window, shown and exposed, with count tickets made by "Lose erstellen" (none for 0).
// A failure to show or to make them is a test failure.
std::unique_ptr<TFEingabe> OpenEntryWindow(int count = 0);
