#!/usr/bin/env python3
# soundgen: synthesises the game's sound effects and its looping music as 16-bit mono WAV
# files (22050 Hz), from nothing but sine waves, a seeded noise source and envelopes.
#
#   python3 tools/soundgen/soundgen.py [output directory]   (default: game/data/sound)
#
# The output is the same on every run, so the committed files can be checked against it.
import math
import os
import struct
import sys
import wave

RATE = 22050
PEAK = 0.7  # every file is scaled so its loudest sample sits here


def samples(seconds):
    return int(round(seconds * RATE))


def note_hz(name):
    """Frequency of a note such as "A4", "C#5" or "Bb3" (equal temperament, A4 = 440 Hz)."""
    steps = {"C": -9, "D": -7, "E": -5, "F": -4, "G": -2, "A": 0, "B": 2}
    semitone = steps[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        semitone += 1
        rest = rest[1:]
    elif rest.startswith("b"):
        semitone -= 1
        rest = rest[1:]
    octave = int(rest)
    return 440.0 * 2.0 ** ((semitone + 12 * (octave - 4)) / 12.0)


class Noise:
    """A small linear congruential generator: the same values on every machine."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (1664525 * self.state + 1013904223) & 0xFFFFFFFF
        return self.state / 2147483648.0 - 1.0


def add(track, start, part):
    """Mixes part into track from sample start, growing the track when needed."""
    end = start + len(part)
    if end > len(track):
        track.extend([0.0] * (end - len(track)))
    for i, value in enumerate(part):
        track[start + i] += value


def tone(hz, seconds, attack=0.005, decay=0.0, harmonics=(1.0,), vibrato=0.0, end_hz=None):
    """A tone with optional overtones, pitch glide to end_hz and exponential decay (time
    constant in seconds, 0 = none). Attack and a 10 ms release keep both ends click-free."""
    count = samples(seconds)
    out = []
    phase = 0.0
    release = min(samples(0.01), count // 2)
    for i in range(count):
        t = i / RATE
        f = hz if end_hz is None else hz * (end_hz / hz) ** (i / max(1, count - 1))
        if vibrato:
            f *= 1.0 + vibrato * math.sin(2.0 * math.pi * 5.5 * t)
        phase += 2.0 * math.pi * f / RATE
        value = sum(weight * math.sin((k + 1) * phase) for k, weight in enumerate(harmonics))
        envelope = min(1.0, t / attack) if attack > 0 else 1.0
        if decay > 0:
            envelope *= math.exp(-t / decay)
        if i >= count - release:
            envelope *= (count - i) / release
        out.append(value * envelope)
    return out


def normalised(track):
    loudest = max(abs(v) for v in track) or 1.0
    return [v * PEAK / loudest for v in track]


def write_wav(path, track):
    frames = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, v)) * 32767))) for v in normalised(track))
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def click():
    """A short, bright tick for selecting a marble."""
    noise = Noise(7)
    track = tone(2400.0, 0.03, attack=0.0005, decay=0.004, harmonics=(1.0, 0.3))
    for i in range(len(track)):
        track[i] += 0.4 * noise.next() * math.exp(-i / RATE / 0.002)
    return track


def pop():
    """A falling bubble-like pop for three marbles taken off the board."""
    noise = Noise(11)
    track = tone(900.0, 0.18, attack=0.002, decay=0.05, harmonics=(1.0, 0.2), end_hz=220.0)
    for i in range(samples(0.01)):
        track[i] += 0.3 * noise.next() * (1.0 - i / samples(0.01))
    return track


def level_complete():
    """A rising major arpeggio ending on a held chord."""
    track = []
    voice = dict(attack=0.004, decay=0.25, harmonics=(1.0, 0.35, 0.1))
    for step, name in enumerate(["C5", "E5", "G5", "C6"]):
        add(track, samples(0.11 * step), tone(note_hz(name), 0.3, **voice))
    chord_start = samples(0.44)
    for name in ["C5", "E5", "G5", "C6"]:
        add(track, chord_start, tone(note_hz(name), 0.9, attack=0.01, decay=0.45, harmonics=(1.0, 0.3, 0.1)))
    return track


def level_lost():
    """A slow falling line that ends on a low, wavering tone."""
    track = []
    voice = dict(attack=0.01, decay=0.3, harmonics=(1.0, 0.5, 0.25))
    for step, name in enumerate(["G4", "F#4", "F4"]):
        add(track, samples(0.28 * step), tone(note_hz(name), 0.32, **voice))
    add(track, samples(0.84), tone(note_hz("E4"), 0.9, attack=0.01, decay=0.5, harmonics=(1.0, 0.5, 0.25), vibrato=0.012))
    add(track, samples(0.84), tone(note_hz("E3"), 0.9, attack=0.01, decay=0.5, harmonics=(1.0, 0.3)))
    return track


def music():
    """Four bars at 96 beats a minute in A minor: bass, a soft chord pad and a melody. Every
    note dies away inside the loop, so the piece repeats without a seam."""
    beat = 60.0 / 96.0
    length = samples(16 * beat)
    track = [0.0] * length
    chords = [["A3", "C4", "E4"], ["F3", "A3", "C4"], ["C3", "E3", "G3"], ["G3", "B3", "D4"]]
    roots = ["A2", "F2", "C2", "G2"]
    melody = [
        ("E5", 0, 1), ("C5", 1, 1), ("D5", 2, 0.5), ("E5", 2.5, 0.5), ("A4", 3, 1),
        ("F5", 4, 1.5), ("E5", 5.5, 0.5), ("C5", 6, 1), ("A4", 7, 1),
        ("G4", 8, 1), ("C5", 9, 1), ("E5", 10, 1), ("G5", 11, 1),
        ("D5", 12, 1.5), ("B4", 13.5, 0.5), ("D5", 14, 1), ("E5", 15, 0.75),
    ]
    for bar in range(4):
        for eighth in range(8):
            start = bar * 4 * beat + eighth * beat / 2
            name = roots[bar] if eighth % 4 != 3 else roots[bar].replace("2", "3")
            add(track, samples(start), tone(note_hz(name), beat / 2 * 0.9, attack=0.005, decay=0.12, harmonics=(1.0, 0.4)))
        for name in chords[bar]:
            pad = tone(note_hz(name), 4 * beat * 0.97, attack=0.15, decay=1.6, harmonics=(1.0, 0.15))
            add(track, samples(bar * 4 * beat), [0.18 * v for v in pad])
    for name, at, beats in melody:
        add(track, samples(at * beat), [0.5 * v for v in tone(note_hz(name), beats * beat * 0.95, attack=0.01, decay=0.35, harmonics=(1.0, 0.25, 0.08))])
    return track[:length]


SOUNDS = [
    ("click.wav", click),
    ("pop.wav", pop),
    ("level_complete.wav", level_complete),
    ("level_lost.wav", level_lost),
    ("music.wav", music),
]


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    target = argv[1] if len(argv) > 1 else os.path.join(here, "..", "..", "game", "data", "sound")
    os.makedirs(target, exist_ok=True)
    for name, make in SOUNDS:
        path = os.path.join(target, name)
        write_wav(path, make())
        print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
