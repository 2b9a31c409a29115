#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ (or $BUILD_DIR). Extra arguments go to cmake's configure step.
# BUILD_TARGETS: the targets to build (blank-separated); all of them when unset.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/generator.sh
build_dir=${BUILD_DIR:-build}
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S . -B "$build_dir" -DZIEHFIX_WERROR=$werror "$@" >/dev/null
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" -j"$(nproc)" "${targets[@]}"
