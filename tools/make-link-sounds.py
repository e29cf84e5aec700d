#!/usr/bin/env python3
"""Writes the two sounds unit Orvbtn carries as WAVE resources, 8-bit mono PCM at 11025 samples
per second: controls/OrvbtnPoof.wav, a soft 0.3 s burst of noise that fades out, and
controls/OrvbtnTick.wav, a 15 ms click. The noise comes from a fixed generator, so the files are
the same on every run."""
import math
import pathlib
import struct

RATE = 11025
CONTROLS = pathlib.Path(__file__).resolve().parent.parent / "controls"


def wave_file(samples):
    data = bytes(max(0, min(255, int(round(128 + s)))) for s in samples)
    fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8)  # PCM, mono, rate, bytes/s, block, bits
    riff = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    if len(data) % 2:
        riff += b"\0"  # RIFF chunks are padded to an even length
    return b"RIFF" + struct.pack("<I", len(riff)) + riff


def noise(count, seed=12345):
    state = seed
    for _ in range(count):
        state = (state * 1103515245 + 12345) & 0x7FFFFFFF
        yield state / 0x3FFFFFFF - 1.0


def poof():
    count = int(RATE * 0.3)
    smoothed = 0.0
    for i, n in enumerate(noise(count)):
        smoothed += (n - smoothed) * 0.25  # a low-pass filter makes the hiss a soft "poof"
        envelope = min(1.0, i / (RATE * 0.01)) * math.exp(-i / (RATE * 0.07))
        yield 110 * envelope * smoothed


def tick():
    count = int(RATE * 0.015)
    for i in range(count):
        yield 100 * math.exp(-i / (RATE * 0.002)) * math.sin(2 * math.pi * 2200 * i / RATE)


for name, samples in (("OrvbtnPoof.wav", poof()), ("OrvbtnTick.wav", tick())):
    target = CONTROLS / name
    content = wave_file(list(samples))
    target.write_bytes(content)
    print(f"wrote {target} ({len(content)} bytes)")
