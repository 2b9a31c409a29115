// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Tesseract's recogniser splits each line it reads over four OpenMP threads. For the short lines of
// digits the picture reader hands it, waking and waiting for those threads costs several times the
// work itself (a picture with four tickets: 2.4 s with the threads on two cores, 0.37 s without).
// OpenMP reads its thread limit once, when the library is loaded, before main() runs; so a program
// that reads pictures calls this first thing in main(): unless OMP_THREAD_LIMIT is set already, it
// sets it to 1 and starts itself again with the same arguments. If that fails, it returns and the
// program goes on as it is, only slower.
void StartWithOneRecogniserThread(char** argv);
