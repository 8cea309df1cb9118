#!/usr/bin/env python3
"""Makes the three wave files of the program: a cuckoo call for the hourly chime, a two-tone
notification and a short click for deletes. Run from anywhere; writes beside this script."""
import math, os, struct, wave

RATE = 22050
here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "wave")


def tone(freq, seconds, volume=0.5, fade=0.02):
    n = int(RATE * seconds)
    out = []
    for i in range(n):
        env = min(1.0, i / (fade * RATE), (n - i) / (fade * RATE))
        out.append(volume * env * math.sin(2 * math.pi * freq * i / RATE))
    return out


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def write(name, samples):
    os.makedirs(here, exist_ok=True)
    with wave.open(os.path.join(here, name), "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(b"".join(struct.pack("<h", int(s * 32000)) for s in samples))


write("Cuckoo.wav", tone(660, 0.25) + silence(0.08) + tone(523, 0.4) + silence(0.3)
      + tone(660, 0.25) + silence(0.08) + tone(523, 0.4))
write("Notify.wav", tone(880, 0.12) + silence(0.04) + tone(1175, 0.2))
write("Del.wav", tone(300, 0.06, 0.6, 0.005) + tone(200, 0.08, 0.4, 0.005))
