#!/usr/bin/env bash
# Configures and builds into build/ (or $BUILD_DIR). Extra arguments go to cmake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S . -B "$build_dir" -DZIEHFIX_WERROR=$werror "$@" >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
