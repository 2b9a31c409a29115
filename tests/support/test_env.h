// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The fresh folder of this test run; XDG_DATA_HOME is <root>/data and TMPDIR <root>/tmp.
QString testRootDir();
