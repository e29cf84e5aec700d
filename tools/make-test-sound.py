#!/usr/bin/env python3
"""Writes the short sound the windowed-layer tests carry as a WAVE resource:
tests/windows/TestBeep.wav, a 0.1 s 880 Hz tone, 8-bit mono at 8000 samples per second."""
import math
import pathlib
import struct

RATE = 8000
SAMPLES = RATE // 10
data = bytes(int(128 + 60 * math.sin(2 * math.pi * 880 * i / RATE)) for i in range(SAMPLES))
fmt = struct.pack("<HHIIHH", 1, 1, RATE, RATE, 1, 8)  # PCM, mono, rate, bytes/s, block, bits
riff = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
target = pathlib.Path(__file__).resolve().parent.parent / "tests" / "windows" / "TestBeep.wav"
target.write_bytes(b"RIFF" + struct.pack("<I", len(riff)) + riff)
print(f"wrote {target} ({len(riff) + 8} bytes)")
