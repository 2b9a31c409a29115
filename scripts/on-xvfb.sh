#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs one program on a private Xvfb server with Qt's xcb platform, for the tests that need to see
# what reaches an X server. The server picks a free display number itself and ends with the program.
set -euo pipefail
numberFile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numberFile" 2>/dev/null &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true; wait "$xvfb" 2>/dev/null || true; rm -f "$numberFile"' EXIT
for _ in $(seq 100); do
  [ -s "$numberFile" ] && break
  sleep 0.1
done
[ -s "$numberFile" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(head -n1 "$numberFile")" QT_QPA_PLATFORM=xcb ZIEHFIX_X11_TESTS=1 "$@"
