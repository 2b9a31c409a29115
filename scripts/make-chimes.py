#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# Writes the program's two chimes to resources/sounds/: sums of decaying sines, 44.1 kHz 16-bit mono.
# Only the standard library, so anyone can make them again: `scripts/make-chimes.py`.
import math
import os
import struct
import wave

RATE = 44100


def chime(notes, length, peak):
    """notes: (start s, frequency Hz, amplitude, decay per s); partials give the bell its colour."""
    samples = [0.0] * int(RATE * length)
    for start, freq, amp, decay in notes:
        first = int(start * RATE)
        for i in range(first, len(samples)):
            t = (i - first) / RATE
            attack = min(1.0, t / 0.004)  # 4 ms, so the start does not click
            env = attack * math.exp(-decay * t)
            s = math.sin(2 * math.pi * freq * t) + 0.35 * math.sin(2 * math.pi * 2.76 * freq * t) * math.exp(-3 * decay * t)
            samples[i] += amp * env * s
    top = max(abs(s) for s in samples) or 1.0
    fade = int(0.02 * RATE)  # the last 20 ms fade to silence
    out = []
    for i, s in enumerate(samples):
        if i >= len(samples) - fade:
            s *= (len(samples) - i) / fade
        out.append(int(round(s / top * peak * 32767)))
    return out


def write(path, samples):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", s) for s in samples))


here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "sounds")
# A win: three rising notes of a major chord (C6, E6, G6), bright and clear.
write(os.path.join(here, "gewinn.wav"),
      chime([(0.00, 1046.5, 1.0, 5.0), (0.09, 1318.5, 0.9, 5.0), (0.18, 1568.0, 0.9, 4.5)], 0.8, 0.8))
# A line needs one number: one soft, lower note (A5), quieter and shorter.
write(os.path.join(here, "eine-fehlt.wav"), chime([(0.00, 880.0, 1.0, 9.0)], 0.4, 0.4))
