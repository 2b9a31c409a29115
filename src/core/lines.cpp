// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/lines.h"

LineTableType LineTable = BuildLineTable();

void InitLineTable() {
  LineTable = BuildLineTable();
}
