# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that configure a build folder. New build folders are made for Ninja, which
# keeps both cores busy across the targets' boundaries where Make waits; a folder configured before
# keeps its generator (CMake reads this variable only for a folder it configures the first time).
if [ -z "${CMAKE_GENERATOR:-}" ] && command -v ninja >/dev/null; then
  export CMAKE_GENERATOR=Ninja
fi
