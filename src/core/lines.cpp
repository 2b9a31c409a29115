#include "core/lines.h"

LineTableType LineTable = BuildLineTable();

void InitLineTable() {
  LineTable = BuildLineTable();
}
