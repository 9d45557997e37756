#!/usr/bin/env python3
"""Writes the five event sounds (short tones) into resources/sounds.

Run it again only to change a sound; the wave files are kept in the repository.
"""
import math
import pathlib
import struct
import wave

RATE = 22050
SOUNDS = {
    # event: list of (frequency in Hz, seconds)
    "init.wav": [(523, 0.08), (659, 0.08), (784, 0.12)],
    "ok.wav": [(880, 0.07), (1175, 0.12)],
    "error.wav": [(220, 0.18), (185, 0.25)],
    "done.wav": [(988, 0.09)],
    "slide.wav": [(1500, 0.03)],
}


def tone(frequency, seconds):
    count = int(RATE * seconds)
    fade = max(1, int(RATE * 0.005))
    for n in range(count):
        envelope = min(1.0, n / fade, (count - n) / fade)
        yield int(12000 * envelope * math.sin(2 * math.pi * frequency * n / RATE))


def main():
    folder = pathlib.Path(__file__).resolve().parent.parent / "resources" / "sounds"
    folder.mkdir(parents=True, exist_ok=True)
    for name, notes in SOUNDS.items():
        samples = [s for frequency, seconds in notes for s in tone(frequency, seconds)]
        with wave.open(str(folder / name), "wb") as out:
            out.setnchannels(1)
            out.setsampwidth(2)
            out.setframerate(RATE)
            out.writeframes(struct.pack("<%dh" % len(samples), *samples))


if __name__ == "__main__":
    main()
