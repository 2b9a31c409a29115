// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "archive/archive.h"

// The program's own archive, archiv.db in the data folder, shared by "Ziehung archivieren" and the
// archive window. Opened when first needed and kept open until CloseProgramArchive() (at the end of
// the program, or between tests). A fault on opening is shown through the Prompter: a damaged file that
// was put aside and an archive of a newer version are reported and the archive is used (the new one,
// or read-only); any other fault gives nullptr, and the next call tries again (showing the same fault
// only once).
Archive* ProgramArchive();
void CloseProgramArchive();
QString ProgramArchivePath();

// Shows the fault's sentence as an error (nothing for no fault). True when there was none.
bool ReportArchiveFault(const ArchiveFault& fault);
