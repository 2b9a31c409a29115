#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Formats all C++ sources with clang-format; with --check only reports what is not formatted, and
# every source, build and script file that lacks its SPDX licence line in its first three lines.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' | while read -r f; do [ -f "$f" ] && echo "$f"; done)
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run -Werror "${files[@]}"
  missing=$(git ls-files -co --exclude-standard -- '*.cpp' '*.h' '*.c' '*.h.in' '*CMakeLists.txt' '*.cmake' \
    'scripts/*' '.ci/*' '*.qss' '*.qrc' | while read -r f; do
    [ -f "$f" ] && ! head -n 3 "$f" | grep -q 'SPDX-License-Identifier' && echo "$f"
  done || true)
  if [ -n "$missing" ]; then
    echo "No SPDX-License-Identifier line in the first three lines of:" >&2
    echo "$missing" >&2
    exit 1
  fi
else
  clang-format -i "${files[@]}"
fi
