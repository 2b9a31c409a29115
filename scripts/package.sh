#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package in build-package/ (or $PACKAGE_BUILD_DIR): a release build without tests,
# benchmarks or self-update, installed below /usr. It is optimised as build/ is, so that its objects
# come from ccache; the package's programs are stripped. GoogleTest and Google Benchmark are switched off
# for the configure step, so a build that still needed them fails here. Prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/generator.sh
build_dir=${PACKAGE_BUILD_DIR:-build-package}
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DZIEHFIX_WERROR=$werror \
  -DBUILD_TESTING=OFF -DZIEHFIX_BENCH=OFF -DZIEHFIX_SELF_UPDATE=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON --no-warn-unused-cli >/dev/null
if grep -q '^Qt6Test_DIR:' "$build_dir/CMakeCache.txt"; then
  echo "package.sh: the build without tests still looks for Qt Test" >&2
  exit 1
fi
cmake --build "$build_dir" -j"$(nproc)"
rm -f "$build_dir"/ziehfix_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$PWD/$build_dir"/ziehfix_*.deb
