// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// True when an open (not yet destroyed) top-level window of the program has this object name;
// names compared exactly, case included.
bool FormExists(const QString& name);
