#!/usr/bin/env python3
"""Writes the product's own burn sound, wav/7.wav: a soft two-note chime, rising a fifth.

Standard library only; the output is the same on every run, so the committed file can be
checked against it. Usage: make_sound.py OUTPUT.wav
"""
import math
import struct
import sys
import wave

RATE = 22050           # samples per second, mono, 16 bits
LENGTH = 0.42          # seconds
PEAK = 0.45            # of full scale: a notification, not an alarm
ATTACK = 0.006         # seconds of fade-in of each note, against clicks

# (start in seconds, frequency in Hz, loudness, decay time constant in seconds)
NOTES = [
    (0.00, 880.00, 1.0, 0.10),   # A5
    (0.09, 1318.51, 0.9, 0.13),  # E6
]
# Overtones of a soft bell: (multiple of the note's frequency, loudness)
PARTIALS = [(1.0, 1.0), (2.0, 0.25), (3.0, 0.08)]


def sample(t):
    value = 0.0
    for start, freq, loud, decay in NOTES:
        u = t - start
        if u < 0:
            continue
        envelope = min(1.0, u / ATTACK) * math.exp(-u / decay)
        for multiple, part in PARTIALS:
            value += loud * part * envelope * math.sin(2 * math.pi * freq * multiple * u)
    return value


def main(path):
    count = int(RATE * LENGTH)
    raw = [sample(i / RATE) for i in range(count)]
    # The last 20 ms fade to silence so the end never clicks.
    fade = int(RATE * 0.02)
    for i in range(fade):
        raw[count - fade + i] *= 1 - (i + 1) / fade
    scale = PEAK * 32767 / max(abs(v) for v in raw)
    frames = b"".join(struct.pack("<h", round(v * scale)) for v in raw)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make_sound.py OUTPUT.wav")
    main(sys.argv[1])
