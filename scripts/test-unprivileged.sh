#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the test programs with cases that skip as root (root is stopped by no folder or file mode) once
# more as an unprivileged user, so that those cases run in CI too. A test marks such a skip with a
# message that begins with "running as root". Without root there is nothing to do: the cases ran.
#   scripts/test-unprivileged.sh [build folder]    (default: $BUILD_DIR or build)
#   ZIEHFIX_TEST_UID   the user and group id to run as (4242)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-${BUILD_DIR:-build}}
id=${ZIEHFIX_TEST_UID:-4242}
marker='running as root'
if [ "$(id -u)" != 0 ]; then
  echo "not root: the cases that skip as root have run already"
  exit 0
fi
mapfile -t sources < <(grep -rlF "GTEST_SKIP() << \"$marker" tests | sort)
if [ ${#sources[@]} -eq 0 ]; then
  echo "no test skips as root"
  exit 0
fi
# The programs are copied into a folder of that user: the build folder may lie where it cannot go.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/home" "$work/tmp"
for source in "${sources[@]}"; do
  relative=${source#tests/}
  program="$build_dir/tests/test_${relative%%/*}_$(basename "$source" .cpp)"
  [ -x "$program" ] || { echo "missing: $program (build the tests first)" >&2; exit 1; }
  cp "$program" "$work/bin/"
done
chown -R "$id:$id" "$work"
failed=0
for program in "$work"/bin/*; do
  name=$(basename "$program")
  if ! output=$(cd "$work/home" && setpriv --reuid="$id" --regid="$id" --clear-groups \
      env HOME="$work/home" TMPDIR="$work/tmp" XDG_RUNTIME_DIR= "$program" --gtest_brief=1 2>&1); then
    echo "$output"
    echo "FAILED as user $id: $name" >&2
    failed=1
  elif grep -qF "$marker" <<<"$output"; then
    echo "$output"
    echo "still skipped as user $id: $name" >&2
    failed=1
  else
    echo "passed as user $id: $name"
  fi
done
exit $failed
