#!/usr/bin/env python3
"""Makes the reminder sound and writes it as a WAV file.

Run from anywhere: python3 src/res/art/make_sound.py. It writes into src/res/:
  QLRemind.wav   the chime a reminder popup plays: three soft bell notes
                 rising (E5, G5, C6), about 1.3 seconds, 22050 Hz, 16-bit mono

Only the standard library is used, with no randomness, so every run writes
the same bytes; the output is committed, so the build never runs this script.
"""
import math
import os
import struct

RATE = 22050
LENGTH = 1.3          # seconds
VOLUME = 0.45         # peak of the mix, as a share of full scale

# (start in seconds, frequency in Hz, loudness)
NOTES = [
    (0.00, 659.26, 0.8),   # E5
    (0.16, 783.99, 0.8),   # G5
    (0.32, 1046.50, 1.0),  # C6
]

# A bell's partials: (multiple of the note, loudness, decay per second).
# Upper partials die away fast, which keeps the chime soft.
PARTIALS = [
    (1.0, 1.00, 3.5),
    (2.0, 0.35, 6.0),
    (3.0, 0.12, 9.0),
    (4.2, 0.05, 14.0),
]

ATTACK = 0.006        # seconds: no click at a note's start
FADE = 0.05           # seconds: the end fades to silence


def note_sample(t, freq, loud):
    if t < 0:
        return 0.0
    rise = min(1.0, t / ATTACK)
    value = 0.0
    for multiple, level, decay in PARTIALS:
        value += level * math.exp(-decay * t) * math.sin(2 * math.pi * freq * multiple * t)
    return loud * rise * value


def render():
    count = int(RATE * LENGTH)
    mix = []
    for i in range(count):
        t = i / RATE
        value = sum(note_sample(t - start, freq, loud) for start, freq, loud in NOTES)
        left = LENGTH - t
        if left < FADE:
            value *= left / FADE
        mix.append(value)
    peak = max(abs(v) for v in mix)
    scale = VOLUME * 32767 / peak
    return [int(round(v * scale)) for v in mix]


def wav_bytes(samples):
    data = struct.pack("<%dh" % len(samples), *samples)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE * 2, 2, 16)
    return (b"RIFF" + struct.pack("<I", 4 + 8 + len(fmt) + 8 + len(data)) + b"WAVE" +
            b"fmt " + struct.pack("<I", len(fmt)) + fmt +
            b"data" + struct.pack("<I", len(data)) + data)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "QLRemind.wav")
    with open(out, "wb") as f:
        f.write(wav_bytes(render()))


if __name__ == "__main__":
    main()
