#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the German voice without a sound card: starts a speech-dispatcher of its own whose ALSA output
# goes to a file, speaks a sentence through it (the first argument, or a sample) and prints what came
# out. The dispatcher stays up until it has been idle for 60 s, and the environment to start ZIEHFIX or
# another Qt program against it is shown.
set -euo pipefail
dir=$(mktemp -d /tmp/ziehfix-speech-XXXXXX)
mkdir -p "$dir/home" "$dir/run" && chmod 700 "$dir/run"
cp -r /etc/speech-dispatcher "$dir/conf"
sed -i 's/^# *AudioOutputMethod .*/AudioOutputMethod "alsa"/; s/^# *DefaultModule .*/DefaultModule espeak-ng/;
        s/^# *DefaultLanguage .*/DefaultLanguage "de"/' "$dir/conf/speechd.conf"
# ALSA's file plug-in: whatever is played lands in speech.raw (22050 Hz, 16-bit mono from espeak-ng).
printf 'pcm.!default { type file; slave.pcm "null"; file "%s/speech.raw"; format "raw" }\n' "$dir" >"$dir/home/.asoundrc"
export HOME="$dir/home" XDG_RUNTIME_DIR="$dir/run"
speech-dispatcher -s -t 60 -C "$dir/conf" >"$dir/speechd.out" 2>&1 &
sleep 3  # the output modules take a moment to start
# Without -w: spd-say's wait for the end of speech can hang; the file is complete after a few seconds.
spd-say -l de "${1:-17. Gewonnen: Los 3, eine Linie}"
sleep 5
sox -t raw -r 22050 -e signed -b 16 -c 1 "$dir/speech.raw" "$dir/speech.wav"
sox "$dir/speech.wav" -n stat 2>&1 | grep -E 'Length|Maximum amplitude'
echo "Written: $dir/speech.wav"
echo "Other programs reach this dispatcher with: HOME=$dir/home XDG_RUNTIME_DIR=$dir/run"
# A program that sets XDG_RUNTIME_DIR itself (the test programs do) finds it by the address instead.
echo "or with: SPEECHD_ADDRESS=unix_socket:$dir/run/speech-dispatcher/speechd.sock"
