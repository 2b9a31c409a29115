// SPDX-License-Identifier: GPL-3.0-or-later
#include "scan/recogniserthreads.h"

#include <limits.h>
#include <unistd.h>

#include <cstdlib>

void StartWithOneRecogniserThread(char** argv) {
  if (std::getenv("OMP_THREAD_LIMIT") != nullptr) return;
  // The program's own file, not /proc/self/exe: the process takes its name from the file started.
  char self[PATH_MAX];
  const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length <= 0 || length >= ssize_t(sizeof self) - 1) return;  // none, or cut short
  self[length] = '\0';
  if (::setenv("OMP_THREAD_LIMIT", "1", 1) != 0) return;
  ::execv(self, argv);
}
