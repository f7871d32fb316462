#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the board's two sounds, assets/buzzer.wav and assets/horn.wav.

Run it from the project's root; the output is committed, so the build never runs it.
Only the standard library is used. The sounds are deterministic: same script, same bytes.
"""
import math
import struct
import wave

RATE = 22050


def envelope(i, n, attack, release):
    t = i / RATE
    left = (n - i) / RATE
    return min(1.0, t / attack, left / release)


def write(path, samples):
    peak = max(abs(s) for s in samples) or 1.0
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(32000 * s / peak)) for s in samples))


def saw(phase):
    return 2.0 * (phase - math.floor(phase + 0.5))


def buzzer(seconds=1.5):
    # A harsh arena buzzer: two detuned square-ish tones near 120 Hz beating against each
    # other, with a hard clip for grit.
    n = int(seconds * RATE)
    out = []
    for i in range(n):
        t = i / RATE
        s = 0.0
        for f in (118.0, 121.5, 236.0):
            s += math.copysign(1.0, math.sin(2 * math.pi * f * t)) * (0.6 if f > 200 else 1.0)
        s = max(-1.6, min(1.6, s))
        out.append(s * envelope(i, n, 0.01, 0.04))
    return out


def horn(seconds=2.6):
    # An air horn: a bright sawtooth chord with a little pitch wobble, swelling in quickly
    # and dying away at the end.
    n = int(seconds * RATE)
    chord = (233.1, 293.7, 349.2, 466.2)
    phases = [0.0] * len(chord)
    out = []
    for i in range(n):
        t = i / RATE
        wobble = 1.0 + 0.004 * math.sin(2 * math.pi * 5.5 * t)
        s = 0.0
        for k, f in enumerate(chord):
            phases[k] += f * wobble / RATE
            s += saw(phases[k]) / (1 + 0.3 * k)
        out.append(s * envelope(i, n, 0.06, 0.35))
    return out


if __name__ == "__main__":
    write("assets/buzzer.wav", buzzer())
    write("assets/horn.wav", horn())
