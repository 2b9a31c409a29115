// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>

// A stored window position whose title bar would lie on no screen (a monitor since removed) would
// leave the window out of reach: it then gives fallback, or the primary screen's top left corner when
// that is off every screen too. The stored values themselves are left as they are.
QPoint ReachablePosition(QPoint stored, QPoint fallback);
