#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program (only it: the tests and benchmarks are left to
# scripts/test.sh, which reuses what is built here) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
BUILD_TARGETS=ziehfix scripts/build.sh
exec build/ziehfix "$@"
