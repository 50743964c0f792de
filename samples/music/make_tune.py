#!/usr/bin/env python3
"""Synthesizes one of the sample disc's two background tunes into a WAV file.

Usage: make_tune.py 1|2 OUT.wav

Both tunes are our own: short loops of a melody over a bass line, about twenty seconds each, played by a soft
plucked voice (sine partials under a decaying envelope). Standard library only, so the disc builds anywhere.
"""
import math
import struct
import sys
import wave

RATE = 22050

# Notes as (MIDI number or None for a rest, length in beats).
TUNES = {
    # A bright march in C major, 120 beats per minute.
    1: {
        "bpm": 120,
        "melody": [
            (72, 1), (76, 1), (79, 1), (76, 1), (77, 1), (74, 1), (71, 2),
            (72, 1), (74, 1), (76, 1), (79, 1), (81, 2), (79, 2),
            (77, 1), (76, 1), (74, 1), (72, 1), (74, 1), (76, 1), (74, 2),
            (72, 1), (76, 1), (79, 1), (84, 1), (83, 1), (79, 1), (72, 2),
        ] + [(72, 1), (76, 1), (79, 1), (76, 1), (72, 4)],
        "bass": [(48, 4), (43, 4), (45, 4), (41, 4), (41, 4), (43, 4), (48, 4), (43, 4), (48, 8)],
    },
    # A lilting waltz in A minor, 144 beats per minute.
    2: {
        "bpm": 144,
        "melody": [
            (69, 2), (72, 1), (76, 3), (74, 2), (72, 1), (71, 3),
            (69, 2), (71, 1), (72, 2), (74, 1), (76, 3), (None, 3),
            (77, 2), (76, 1), (74, 3), (72, 2), (71, 1), (69, 3),
            (68, 2), (71, 1), (76, 2), (74, 1), (69, 6),
        ],
        "bass": [(45, 3), (52, 3), (41, 3), (48, 3), (43, 3), (50, 3), (45, 3), (52, 3),
                 (38, 3), (45, 3), (40, 3), (44, 3), (45, 3), (52, 3), (45, 6)],
    },
}


def frequency(note):
    return 440.0 * 2 ** ((note - 69) / 12)


def render(voice, bpm, samples, volume, brightness):
    """Adds a voice (list of notes) into `samples`."""
    beat = 60.0 / bpm
    at = 0.0
    for note, beats in voice:
        length = beats * beat
        if note is not None:
            start = int(at * RATE)
            count = min(int(length * RATE), len(samples) - start)
            f = frequency(note)
            for i in range(count):
                t = i / RATE
                # Quick attack, exponential decay, a short release at the note's end.
                env = min(1.0, t / 0.01) * math.exp(-3.0 * t / length) * min(1.0, (count - i) / (0.02 * RATE))
                s = math.sin(2 * math.pi * f * t) + brightness * math.sin(4 * math.pi * f * t) \
                    + brightness * 0.4 * math.sin(6 * math.pi * f * t)
                samples[start + i] += volume * env * s
        at += length


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("1", "2"):
        raise SystemExit("usage: make_tune.py 1|2 OUT.wav")
    tune = TUNES[int(sys.argv[1])]
    beats = max(sum(b for _, b in tune["melody"]), sum(b for _, b in tune["bass"]))
    samples = [0.0] * int((beats * 60.0 / tune["bpm"] + 0.5) * RATE)
    render(tune["melody"], tune["bpm"], samples, 0.32, 0.35)
    render(tune["bass"], tune["bpm"], samples, 0.28, 0.15)
    with wave.open(sys.argv[2], "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s)) * 32000)) for s in samples))


if __name__ == "__main__":
    main()
