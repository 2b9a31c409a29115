// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/recogniserthreads.h"

#include <unistd.h>

#include <cstdlib>

void StartWithOneRecogniserThread(char** argv) {
  if (std::getenv("OMP_THREAD_LIMIT") != nullptr) return;
  if (::setenv("OMP_THREAD_LIMIT", "1", 1) != 0) return;
  ::execv("/proc/self/exe", argv);
}
