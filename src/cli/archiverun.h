// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "cli/options.h"

// The program's own archive: archiv.db in its data folder, by the same rule as the windows' BaseDir
// (the checker does not link the window layer, which holds that rule).
QString DefaultArchivePath();

// Runs --add-draw, --list, --all-draws or --stats and returns the exit status. A fault of the
// archive (damaged, newer, locked, disk full) goes to the error output with status 2.
int RunArchiveAction(const CheckerOptions& options);
