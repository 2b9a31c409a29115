#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what a user gets from an installation: installs build/ (or $BUILD_DIR) into a DESTDIR and
# compares the file list; validates the desktop entry, the metainfo and the MIME package; lets the
# MIME database below the DESTDIR name the type of the example ticket file; starts the installed
# program with the example files; builds the Debian package and lists its contents; compiles the
# programs with ZIEHFIX_SCAN and ZIEHFIX_SELF_UPDATE off (in build-options/, or $OPTIONS_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/generator.sh
build_dir=${BUILD_DIR:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dest=$work/dest
fail() { echo "check-install: $*" >&2; exit 1; }

DESTDIR=$dest cmake --install "$build_dir" --prefix /usr >/dev/null
app=example.ziehfix.Ziehfix
expected=(usr/bin/ziehfix usr/bin/ziehfix-check
  usr/share/applications/$app.desktop usr/share/metainfo/$app.metainfo.xml
  usr/share/mime/packages/$app.xml usr/share/man/man1/ziehfix.1 usr/share/man/man1/ziehfix-check.1)
# The picture reader's build of the checker, when the build has the picture reader.
if [ -x "$build_dir/ziehfix-check-image" ]; then expected+=(usr/libexec/ziehfix/ziehfix-check-image); fi
for context in apps:$app mimetypes:application-x-ziehfix-tickets mimetypes:application-x-ziehfix-numbers; do
  for size in 16 22 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/${context%%:*}/${context#*:}.png")
  done
  expected+=("usr/share/icons/hicolor/scalable/${context%%:*}/${context#*:}.svg")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$dest" && find . -type f -printf '%P\n' | sort) ||
  fail "the installed files differ from the list above (< expected, > installed)"
for png in "$dest"/usr/share/icons/hicolor/*/*/*.png; do
  size=${png#"$dest"/usr/share/icons/hicolor/}
  size=${size%%x*}
  [ "$(file -b "$png" | grep -o '[0-9]* x [0-9]*')" = "$size x $size" ] || fail "$png is not ${size}x${size}"
done

share=$dest/usr/share
desktop-file-validate "$share/applications/$app.desktop"
appstreamcli validate --no-net "$share/metainfo/$app.metainfo.xml"
xmllint --noout "$share/mime/packages/$app.xml"

update-mime-database "$share/mime"
export XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$work/home/.local/share"
for f in beispiel.lose:application/x-ziehfix-tickets ziehung.zfgz:application/x-ziehfix-numbers; do
  type=$(XDG_CURRENT_DESKTOP=GNOME xdg-mime query filetype "examples/${f%%:*}")
  [ "$type" = "${f#*:}" ] || fail "xdg-mime names examples/${f%%:*} \"$type\", not ${f#*:}"
done

# The installed program starts, takes the example files and keeps running until it is ended; a
# second start hands its file to it and ends at once.
mkdir -p "$work/home" "$work/run" && chmod 700 "$work/run"
export HOME=$work/home XDG_RUNTIME_DIR=$work/run QT_QPA_PLATFORM=offscreen
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
"$dest/usr/bin/ziehfix" --version | grep -qx "ZIEHFIX $version" || fail "ziehfix --version is not $version"
totals=$("$dest/usr/bin/ziehfix-check" --numbers examples/ziehung.zfgz --format csv examples/beispiel.lose | tail -n 1)
[ "$totals" = "Ges.:;1;1;1" ] || fail "the installed ziehfix-check gives \"$totals\" for the examples"
if [ -x "$build_dir/ziehfix-check-image" ]; then
  # --from-image is handed on to the installed picture reader, which then finds no picture in a ticket file.
  reason=$("$dest/usr/bin/ziehfix-check" --from-image examples/beispiel.lose 2>&1 >/dev/null) && fail "--from-image on a ticket file succeeded"
  case $reason in *ziehfix-check-image*) fail "the installed checker did not find its picture reader: $reason" ;; esac
fi
"$dest/usr/bin/ziehfix" examples/beispiel.lose examples/ziehung.zfgz &
pid=$!
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/$app.socket" ] && break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null || fail "the installed program ended at start"
timeout 10 "$dest/usr/bin/ziehfix" examples/beispiel.lose || fail "a second start did not hand over"
kill "$pid"
wait "$pid" 2>/dev/null || true

deb=$(scripts/package.sh | tail -n 1)
listing=$(dpkg-deb -c "$deb")
for f in ./usr/bin/ziehfix ./usr/bin/ziehfix-check "./usr/share/applications/$app.desktop" \
  "./usr/share/mime/packages/$app.xml" "./usr/share/icons/hicolor/scalable/apps/$app.svg"; do
  grep -q " $f\$" <<<"$listing" || fail "$deb lacks $f"
done
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "$deb does not depend on the Qt libraries"

# The build without the picture reader and without self-update: the programs only, so that neither
# switch rots unseen. The objects it shares with build/ come from ccache.
options_dir=${OPTIONS_BUILD_DIR:-build-options}
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S . -B "$options_dir" -DZIEHFIX_WERROR=$werror -DZIEHFIX_SCAN=OFF -DZIEHFIX_SELF_UPDATE=OFF \
  -DBUILD_TESTING=OFF -DZIEHFIX_BENCH=OFF >/dev/null
cmake --build "$options_dir" -j"$(nproc)" || fail "the build without picture reader and self-update failed"
[ ! -e "$options_dir/ziehfix-check-image" ] || fail "the build without picture reader made ziehfix-check-image"
"$options_dir/ziehfix" --version | grep -qx 'ZIEHFIX 1.0.0.0' || fail "ziehfix without picture reader: --version"
echo "check-install: $(printf '%s\n' "${expected[@]}" | wc -l) files installed and checked; $(basename "$deb") built"
