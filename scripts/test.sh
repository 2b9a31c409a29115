#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, checks the formatting and runs every test; then builds the tests
# again with AddressSanitizer and UndefinedBehaviorSanitizer and runs them, and runs every fuzz
# target for a bounded time. Any sanitizer report fails the run.
#   BUILD_DIR, ASAN_BUILD_DIR, FUZZ_BUILD_DIR   build folders (build, build-asan, build-fuzz)
#   FUZZ_SECONDS                                 seconds per fuzz target (20)
#   SKIP_SANITIZE=1, SKIP_FUZZ=1                 leave a stage out
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
stage() { echo "== $1 (at $((SECONDS - started)) s)"; }
scripts/deps.sh
scripts/format.sh --check
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "${BUILD_DIR:-build}" --output-on-failure -j"$(nproc)"
stage "tests that skip as root, as an unprivileged user"
scripts/test-unprivileged.sh "${BUILD_DIR:-build}"
stage "tests on an X server"
scripts/on-xvfb.sh "${BUILD_DIR:-build}/tests/test_app_fade_x11"
stage "installation and package"
scripts/check-install.sh

if [ "${SKIP_SANITIZE:-}" != "1" ]; then
  stage "tests with AddressSanitizer and UndefinedBehaviorSanitizer"
  # The options hold for the build too: gtest_discover_tests runs every test program once.
  # Leaks are reported (LeakSanitizer), except those inside system libraries in scripts/lsan.supp.
  export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1"
  export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
  export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
  BUILD_DIR="${ASAN_BUILD_DIR:-build-asan}" scripts/build.sh -DZIEHFIX_SANITIZE=ON -DZIEHFIX_BENCH=OFF
  ctest --test-dir "${ASAN_BUILD_DIR:-build-asan}" --output-on-failure -j"$(nproc)"
fi

if [ "${SKIP_FUZZ:-}" != "1" ]; then
  stage "fuzz targets, ${FUZZ_SECONDS:-20} s each"
  FUZZ_SEED="${FUZZ_SEED:-1}" scripts/fuzz.sh "${FUZZ_SECONDS:-20}"
fi
stage "all passed"
