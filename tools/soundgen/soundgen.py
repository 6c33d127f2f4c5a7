#!/usr/bin/env python3
# soundgen: synthesises the game's sound effects as 16-bit mono WAV files (22050 Hz) and its
# two pieces of music as 8-bit mono WAV files (11025 Hz), from nothing but sine waves, a
# seeded noise source and envelopes.
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


# The music: longer pieces at a lower rate and 8 bits (the Windows build's SDL_mixer plays
# only uncompressed WAV music), written in sections that change melody, harmony, instruments
# and rhythm, from a seed, so that minutes pass before anything comes back.
MUSIC_RATE = 11025
MUSIC_PEAK = 0.9
MUSIC_DRIVE = 1.5

# Each instrument: partials (frequency ratio, weight), attack and decay (s), vibrato depth.
INSTRUMENTS = {
    "bass": dict(partials=((1, 1.0), (2, 0.45), (3, 0.15)), attack=0.008, decay=0.35),
    "pad": dict(partials=((1, 1.0), (2, 0.2), (3, 0.08)), attack=0.35, decay=3.0, vibrato=0.003),
    "pluck": dict(partials=((1, 1.0), (2, 0.6), (3, 0.3), (4, 0.15)), attack=0.003, decay=0.22),
    "bell": dict(partials=((1, 1.0), (2.76, 0.35), (5.4, 0.12)), attack=0.002, decay=0.6),
    "flute": dict(partials=((1, 1.0), (2, 0.12), (3, 0.04)), attack=0.06, decay=1.5, vibrato=0.006),
    "organ": dict(partials=((1, 1.0), (2, 0.5), (3, 0.3), (4, 0.15)), attack=0.02, decay=4.0),
}

NOTE_NAMES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def midi_hz(midi):
    return 440.0 * 2.0 ** ((midi - 69) / 12.0)


def chord_tones(name):
    """Pitch classes of a chord such as "Am", "F", "Bb" or "E" (minor with "m", else major)."""
    root = NOTE_NAMES[name[0]] + (1 if name[1:2] == "#" else -1 if name[1:2] == "b" else 0)
    third = 3 if name.endswith("m") else 4
    return [root % 12, (root + third) % 12, (root + 7) % 12]


def near(pitch_class, low):
    """The lowest MIDI note of the pitch class at or above low."""
    return low + (pitch_class - low) % 12


def voice(hz, seconds, instrument):
    """One note of an instrument at MUSIC_RATE; partials at or above 0.45 of the rate are left out."""
    spec = INSTRUMENTS[instrument]
    count = max(1, int(round(seconds * MUSIC_RATE)))
    release = min(int(0.03 * MUSIC_RATE), count // 2)
    attack, decay, vibrato = spec["attack"], spec["decay"], spec.get("vibrato", 0.0)
    envelope = [min(1.0, i / MUSIC_RATE / attack) * math.exp(-i / MUSIC_RATE / decay) for i in range(count)]
    for i in range(release):
        envelope[count - 1 - i] *= i / release
    out = [0.0] * count
    wobble = 2.0 * math.pi * 5.5 / MUSIC_RATE
    for ratio, weight in spec["partials"]:
        f = hz * ratio
        if f >= 0.45 * MUSIC_RATE:
            continue
        step = 2.0 * math.pi * f / MUSIC_RATE
        depth = f * vibrato / 5.5
        out = [o + weight * math.sin(step * i - depth * math.cos(wobble * i)) for i, o in enumerate(out)]
    return [o * e for o, e in zip(out, envelope)]


def drum(kind, noise):
    """A kick (falling sine), a hat (bright noise tick) or a snare (noise and a tone)."""
    if kind == "kick":
        count = int(0.16 * MUSIC_RATE)
        phase, out = 0.0, []
        for i in range(count):
            phase += 2.0 * math.pi * (110.0 * (40.0 / 110.0) ** (i / count)) / MUSIC_RATE
            out.append(math.sin(phase) * math.exp(-i / MUSIC_RATE / 0.08))
        return out
    if kind == "hat":
        count = int(0.05 * MUSIC_RATE)
        raw = [noise.next() for _ in range(count + 1)]
        return [(raw[i + 1] - raw[i]) * 0.5 * math.exp(-i / MUSIC_RATE / 0.012) for i in range(count)]
    count = int(0.2 * MUSIC_RATE)
    return [(0.7 * noise.next() + 0.5 * math.sin(2.0 * math.pi * 190.0 * i / MUSIC_RATE)) *
            math.exp(-i / MUSIC_RATE / 0.06) for i in range(count)]


# Rhythms of one bar of melody, in beats: (start, length).
RHYTHMS = [
    [(0, 1), (1, 1), (2, 1.5), (3.5, 0.5)],
    [(0, 1.5), (1.5, 0.5), (2, 1), (3, 1)],
    [(0, 0.5), (0.5, 0.5), (1, 1), (2, 0.5), (2.5, 0.5), (3, 1)],
    [(0, 2), (2, 1), (3, 1)],
    [(0, 1), (1.5, 0.5), (2, 2)],
    [(0, 0.75), (0.75, 0.25), (1, 1), (2, 0.75), (2.75, 0.25), (3, 1)],
]
SPARSE_RHYTHMS = [[(0, 2), (2, 2)], [(0, 3), (3, 1)], [(0, 1), (2, 2)]]


class Melody:
    """Writes a melody bar by bar: chord tones on the strong beats, steps of the scale between,
    the second bar of a pair in the rhythm of the first, every fourth bar resting on the chord."""

    def __init__(self, seed, scale, low, high, sparse=False):
        self.noise = Noise(seed)
        self.scale = [m for m in range(low, high + 1) if m % 12 in scale]
        self.pitch = self.scale[len(self.scale) // 2]
        self.rhythms = SPARSE_RHYTHMS if sparse else RHYTHMS
        self.motif = None

    def pick(self, choices):
        return choices[int((self.noise.next() + 1.0) / 2.0 * len(choices)) % len(choices)]

    def step(self, chord, strong):
        if strong:
            tones = sorted((abs(m - self.pitch), m) for m in self.scale if m % 12 in chord)
            self.pitch = self.pick([m for _, m in tones[:2]])
            return self.pitch
        # Between the chord's tones, steps that rub against none of them (no semitone away).
        steps = [m for m in self.scale if m % 12 in chord or
                 ((m + 1) % 12 not in chord and (m - 1) % 12 not in chord)]
        at = min(range(len(steps)), key=lambda k: abs(steps[k] - self.pitch))
        at = min(len(steps) - 1, max(0, at + self.pick([-2, -1, -1, 1, 1, 2])))
        self.pitch = steps[at]
        return self.pitch

    def bar(self, index, chord):
        """Notes (start beat, beats, MIDI) of bar index (0-based within its phrase of four)."""
        if index % 4 == 3:
            return [(0, 1, self.step(chord, True)), (1, 3, self.step(chord, True))]
        if index % 2 == 1 and self.motif:
            rhythm = self.motif
        else:
            rhythm = self.pick(self.rhythms)
            self.motif = rhythm
        return [(at, length, self.step(chord, at % 2 == 0)) for at, length in rhythm]


def compose(piece):
    """Mixes the sections of a piece: a dict with the tempo, the scale and its sections."""
    beat = 60.0 / piece["tempo"]
    bars = sum(len(section["chords"]) for section in piece["sections"])
    track = [0.0] * (int(round(bars * 4 * beat * MUSIC_RATE)) + MUSIC_RATE)
    noise = Noise(piece["seed"])
    bar = 0
    for section in piece["sections"]:
        melody = None
        if section.get("melody"):
            low, high = section.get("range", (67, 86))
            melody = Melody(section["seed"], piece["scale"], low, high, section.get("sparse", False))
        for index, name in enumerate(section["chords"]):
            chord = chord_tones(name)
            play_bar(track, bar * 4 * beat, beat, section, chord, melody, index, noise)
            bar += 1
    fade = int(2 * 4 * beat * MUSIC_RATE)
    end = int(round(bars * 4 * beat * MUSIC_RATE))
    for i in range(fade):
        track[end - fade + i] *= 1.0 - i / fade
    return track[:end]


def put(track, at_seconds, part, gain):
    start = int(round(at_seconds * MUSIC_RATE))
    end = min(len(track), start + len(part))
    for i in range(start, end):
        track[i] += gain * part[i - start]


def play_bar(track, start, beat, section, chord, melody, index, noise):
    """One bar of a section: bass, accompaniment, drums and melody."""
    root = near(chord[0], 33)
    bass = section.get("bass", "long")
    if bass == "long":
        put(track, start, voice(midi_hz(root), 4 * beat * 0.95, "bass"), 0.35)
    elif bass == "roots":
        for b in range(4):
            put(track, start + b * beat, voice(midi_hz(root), beat * 0.9, "bass"), 0.32)
    elif bass == "eighths":
        for e in range(8):
            note = root + 12 if e == 7 else root
            put(track, start + e * beat / 2, voice(midi_hz(note), beat / 2 * 0.85, "bass"), 0.28)
    elif bass == "walk":
        for b, note in enumerate([root, near(chord[2], root), root + 12, near(chord[1], root)]):
            put(track, start + b * beat, voice(midi_hz(note), beat * 0.9, "bass"), 0.32)
    accompaniment = section.get("accompaniment", "pad")
    tones = [near(pc, 57) for pc in chord]
    if accompaniment in ("pad", "arp+pad"):
        for note in tones:
            put(track, start, voice(midi_hz(note), 4 * beat * 0.98, "pad"), 0.1)
    if accompaniment in ("arp", "arp+pad"):
        pattern = sorted(tones) + [sorted(tones)[0] + 12]
        order = [0, 1, 2, 3, 2, 1, 2, 3] if index % 2 == 0 else [0, 2, 1, 3, 0, 2, 1, 2]
        for e, which in enumerate(order):
            put(track, start + e * beat / 2, voice(midi_hz(pattern[which]), beat * 0.6, section.get("arp", "pluck")),
                0.12)
    if accompaniment == "pulse":
        for b in (1, 3):
            for note in tones:
                put(track, start + b * beat, voice(midi_hz(note), beat * 0.45, "organ"), 0.08)
    drums = section.get("drums", "")
    if "kick" in drums:
        for b in (0, 2):
            put(track, start + b * beat, drum("kick", noise), 0.45)
    if "hat" in drums:
        for e in range(8):
            put(track, start + e * beat / 2, drum("hat", noise), 0.12 if e % 2 else 0.07)
    if "snare" in drums:
        for b in (1, 3):
            put(track, start + b * beat, drum("snare", noise), 0.14)
    if melody:
        shift = section.get("shift", 0)
        for at, length, note in melody.bar(index, chord):
            put(track, start + at * beat, voice(midi_hz(note + shift), length * beat * 0.92, section["melody"]), 0.3)


A_MINOR = {9, 11, 0, 2, 4, 5, 7}
E_MINOR = {4, 6, 7, 9, 11, 0, 2}

# The title's piece and that of the first half of the levels: A minor, 100 beats a minute,
# 52 bars (2 min 5 s) in seven sections.
FIRST_PIECE = dict(tempo=100, scale=A_MINOR, seed=101, sections=[
    dict(chords=["Am", "F", "C", "G"], bass="long", accompaniment="pad"),
    dict(chords=["Am", "F", "C", "G"] * 2, bass="roots", accompaniment="pad", melody="flute", seed=1),
    dict(chords=["Dm", "G", "C", "Am"] * 2, bass="eighths", accompaniment="arp", melody="pluck", seed=2,
         drums="hat+kick"),
    dict(chords=["C", "Em", "F", "G", "C", "Em", "F", "E"], bass="walk", accompaniment="pulse", melody="bell",
         seed=3, drums="kick+snare"),
    dict(chords=["Am", "Em", "F", "G"] * 2, bass="long", accompaniment="arp", arp="bell", melody="organ", seed=4,
         sparse=True, range=(64, 79)),
    dict(chords=["Am", "F", "C", "G"] * 2, bass="eighths", accompaniment="arp+pad", melody="flute", seed=5,
         range=(69, 88), drums="hat+kick+snare"),
    dict(chords=["Dm", "Am", "F", "E", "Dm", "Am", "E", "Am"], bass="long", accompaniment="pad", melody="pluck",
         seed=6, sparse=True),
])

# The second half of the levels: E minor, 112 beats a minute, 40 bars (1 min 26 s).
SECOND_PIECE = dict(tempo=112, scale=E_MINOR, seed=202, sections=[
    dict(chords=["Em", "C", "G", "D"], bass="eighths", accompaniment="arp"),
    dict(chords=["Em", "C", "G", "D"] * 2, bass="eighths", accompaniment="arp", melody="pluck", seed=11,
         drums="hat+kick"),
    dict(chords=["Am", "Em", "B", "Em", "Am", "D", "G", "B"], bass="walk", accompaniment="pulse", melody="organ",
         seed=12, drums="kick+snare", range=(64, 81)),
    dict(chords=["C", "D", "Bm", "Em"] * 2, bass="long", accompaniment="pad", melody="bell", seed=13, sparse=True),
    dict(chords=["Em", "C", "G", "D"] * 2, bass="roots", accompaniment="arp+pad", melody="flute", seed=14,
         range=(71, 88), drums="hat+kick+snare"),
    dict(chords=["Am", "B", "Em", "Em"], bass="long", accompaniment="pad"),
])


def music():
    return compose(FIRST_PIECE)


def second_music():
    return compose(SECOND_PIECE)


def write_music(path, track):
    """8-bit unsigned mono at MUSIC_RATE, loudest sample at MUSIC_PEAK. A gentle soft limit
    (tanh) lifts the quiet passages above the 8-bit steps while the drum hits keep their edge."""
    loudest = max(abs(v) for v in track) or 1.0
    limit = math.tanh(MUSIC_DRIVE)
    frames = bytes(128 + max(-127, min(127, int(round(math.tanh(v / loudest * MUSIC_DRIVE) / limit * MUSIC_PEAK * 127))))
                   for v in track)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(1)
        out.setframerate(MUSIC_RATE)
        out.writeframes(frames)


SOUNDS = [
    ("click.wav", click, write_wav),
    ("pop.wav", pop, write_wav),
    ("level_complete.wav", level_complete, write_wav),
    ("level_lost.wav", level_lost, write_wav),
    ("music.wav", music, write_music),
    ("music2.wav", second_music, write_music),
]


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    target = argv[1] if len(argv) > 1 else os.path.join(here, "..", "..", "game", "data", "sound")
    os.makedirs(target, exist_ok=True)
    for name, make, write in SOUNDS:
        path = os.path.join(target, name)
        write(path, make())
        print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
