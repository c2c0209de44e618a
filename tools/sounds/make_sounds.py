#!/usr/bin/env python3
"""Synthesises the game's eight sounds into media/ (the standard library only; the same
program always writes the same bytes: every random stream has its own fixed seed).

usage: make_sounds.py [FOLDER]           write the sounds (default folder: media)
       make_sounds.py --check [FOLDER]   read them back and print their formats

Formats. Everything is 22050 Hz. The game places most sounds at a square of the landscape,
and OpenAL only positions mono buffers (a stereo buffer is played as it is, from nowhere), so
every sound that comes from a square is 8-bit mono: the scan (and the heartbeat that reuses
it), the drain, the turn of a scanner, the absorb and the creation of a tree or a boulder.
Two sounds are 16-bit stereo, nearly centred:
  - EndGood, the chime of leaving a landscape and of hyperspace, which happens to the player
    itself and belongs to no square;
  - CreateRobot: a shell is made on the square the player looks at and is heard as the
    player's own doing, so playing it unplaced costs little, and its chord gains from two
    slightly detuned channels.
So both kinds of file the game reads, 8-bit mono and 16-bit stereo, are heard in play.

The drain and the turn of a scanner are looped while they last: each holds a whole number
of periods of every part of it (its frequencies are multiples of rate / frames, its noise is
filtered around the loop), and it has no fade, so the loop point does not click. Every other
sound fades in and out over a few milliseconds. Peaks are brought to -3 dBFS.
"""

import math
import os
import random
import struct
import sys
import wave

RATE = 22050
PEAK = 10 ** (-3 / 20)
TAU = 2 * math.pi


def frames(seconds):
    return round(seconds * RATE)


# ---------------------------------------------------------------- building blocks

def fade(samples, fade_in, fade_out):
    """Raised-cosine fades at both ends, lengths in seconds."""
    out = list(samples)
    n_in, n_out = frames(fade_in), frames(fade_out)
    for i in range(min(n_in, len(out))):
        out[i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_in)
    for i in range(min(n_out, len(out))):
        out[-1 - i] *= 0.5 - 0.5 * math.cos(math.pi * i / n_out)
    return out


def one_pole(samples, cutoff, state=0.0):
    a = 1 - math.exp(-TAU * cutoff / RATE)
    out = []
    for x in samples:
        state += a * (x - state)
        out.append(state)
    return out


def band_pass(samples, centre, damping):
    """Chamberlin state-variable band-pass; centre may be a number or a list, one per sample."""
    low = band = 0.0
    out = []
    for i, x in enumerate(samples):
        f = centre[i] if isinstance(centre, list) else centre
        k = 2 * math.sin(math.pi * f / RATE)
        low += k * band
        high = x - low - damping * band
        band += k * high
        out.append(band)
    return out


def looped(samples, filtering):
    """Filters a stretch that will be looped: it is filtered twice over, end to end, and the
    second pass is kept, so the filter's memory at the start is the one at the end."""
    return filtering(samples + samples)[len(samples):]


def calm_start(samples):
    """Turns a looped stretch round so that it begins where it is quiet and slow, near a
    zero crossing: a loop is heard from silence when it starts, and it stays a loop."""
    count = len(samples)
    start = min(range(count), key=lambda i: abs(samples[i]) + abs(samples[i] - samples[i - 1]))
    return samples[start:] + samples[:start]


def noise(count, seed):
    rng = random.Random(seed)
    return [rng.uniform(-1, 1) for _ in range(count)]


def partials_of(phase, amplitudes):
    return sum(a * math.sin(h * phase) for h, a in enumerate(amplitudes, start=1) if a)


# ---------------------------------------------------------------- the sounds

def scan_part():
    """A soft electronic blip: a sine that drops a little into its pitch, two faint
    harmonics, a quick decay."""
    out, phase = [], 0.0
    for i in range(frames(0.2)):
        t = i / RATE
        phase += TAU * 1100 * (1 + 0.12 * math.exp(-t / 0.015)) / RATE
        envelope = (1 - math.exp(-t / 0.003)) * math.exp(-t / 0.055)
        out.append(envelope * partials_of(phase, (1.0, 0.18, 0.06)))
    return fade(out, 0.002, 0.01)


def scan_full():
    """The drain: two buzzing voices a near tritone apart, warbling and chopped by a fast
    tremolo, driven into saturation, with a hiss on top. Loops."""
    count = frames(0.6)                        # 13230 frames: frequencies step by 5/3 Hz
    step = RATE / count
    low_k, high_k = 60, 89                     # 100 Hz and 148.3 Hz
    warble_k, tremolo_k = 4, 15                # 6.7 Hz and 25 Hz
    saw = [1 / h for h in range(1, 41)]
    hiss = looped(noise(count, 11), lambda s: band_pass(s, 2200, 0.6))
    out = []
    for i in range(count):
        cycle = TAU * i / count
        warble = 0.4 * math.sin(warble_k * cycle)
        low = partials_of(low_k * cycle + warble, saw[:int(5000 / (low_k * step))])
        high = partials_of(high_k * cycle - warble, saw[:int(5000 / (high_k * step))])
        tremolo = 0.65 + 0.35 * math.sin(tremolo_k * cycle)
        buzz = math.tanh(1.8 * (low + 0.8 * high) * tremolo)
        out.append(buzz + 0.5 * hiss[i] * tremolo)
    return calm_start(out)


def absorb():
    """A descending, sucking sweep: a tone gliding down from 1.6 kHz to 90 Hz with a flutter,
    under a noise whose resonance follows it down, like air drawn in."""
    count = frames(0.8)
    sweep = [1600 * (90 / 1600) ** ((i / count) ** 0.8) for i in range(count)]
    rush = band_pass(noise(count, 23), [min(3000.0, 1.5 * f) for f in sweep], 0.25)
    out, phase = [], 0.0
    for i in range(count):
        t = i / RATE
        phase += TAU * sweep[i] * (1 + 0.03 * math.sin(TAU * 18 * t)) / RATE
        tone = math.sin(phase) + 0.3 * math.sin(2 * phase) + 0.12 * math.sin(3 * phase)
        swell = min(1.0, t / 0.05) * (1 - 0.5 * i / count)
        out.append(swell * (0.6 * tone + 0.5 * rush[i]))
    return fade(out, 0.005, 0.15)


def rotate():
    """The turn of a scanner: a low motor hum with gear teeth grinding on it, a little uneven
    once per turn of the loop. Loops."""
    count = frames(0.5)                        # 11025 frames: frequencies step by 2 Hz
    hum_k, teeth, wobble_k = 30, 21, 1         # 60 Hz hum, 42 teeth a second
    tooth = count // teeth                     # 525 frames, a whole number
    grit = looped(noise(count, 37), lambda s: band_pass(s, 520, 0.5))
    rumble = looped(noise(count, 41), lambda s: one_pole(s, 120))
    hum_partials = (1.0, 0.25, 0.45, 0.12, 0.25, 0.06, 0.12, 0.04)
    out = []
    for i in range(count):
        cycle = TAU * i / count
        hum = partials_of(hum_k * cycle, hum_partials)
        x = (i % tooth) / (0.0015 * RATE)
        bite = x * math.exp(1 - x)             # a soft-edged knock at each tooth
        wobble = 1 + 0.12 * math.sin(wobble_k * cycle)
        out.append(wobble * (0.55 * hum + 1.4 * grit[i] * (0.25 + bite) + 2.0 * rumble[i]))
    return calm_start(out)


def create_tree():
    """A soft, rising, organic pluck: a plucked tone that climbs a fifth as it sounds, a breath
    of filtered noise at the pluck, and a faint higher note a moment later, like a leaf."""
    count = frames(0.55)
    breath = one_pole(noise(count, 53), 1800)
    out, phase, leaf = [], 0.0, 0.0
    for i in range(count):
        t = i / RATE
        f = 392 * 2 ** (7 / 12 * (1 - math.exp(-t / 0.05)))
        phase += TAU * f / RATE
        body = (math.exp(-t / 0.22) * math.sin(phase) + 0.35 * math.exp(-t / 0.08) *
                math.sin(2 * phase) + 0.15 * math.exp(-t / 0.04) * math.sin(3 * phase))
        late = t - 0.09
        if late > 0:
            leaf += TAU * 2 * f / RATE
            body += 0.25 * min(1.0, late / 0.004) * math.exp(-late / 0.12) * math.sin(leaf)
        attack = min(1.0, t / 0.004)
        out.append(attack * body + 0.6 * math.exp(-t / 0.012) * breath[i])
    return fade(out, 0.002, 0.04)


def create_boulder():
    """A heavy, low thud: a body whose pitch falls from 120 Hz to 40 Hz, a muffled crack of
    noise on impact and a rumble that dies away, squeezed a little for weight."""
    count = frames(0.55)
    crack = one_pole(one_pole(noise(count, 61), 700), 700)
    rumble = one_pole(one_pole(noise(count, 67), 160), 160)
    out, phase = [], 0.0
    for i in range(count):
        t = i / RATE
        phase += TAU * (40 + 80 * math.exp(-t / 0.05)) / RATE
        body = (math.exp(-t / 0.16) * math.sin(phase) +
                0.4 * math.exp(-t / 0.07) * math.sin(1.6 * phase))
        attack = 1 - math.exp(-t / 0.002)
        x = (attack * body + 2.5 * math.exp(-t / 0.02) * crack[i] +
             4 * math.exp(-t / 0.2) * rumble[i])
        out.append(math.tanh(1.5 * x))
    return fade(out, 0.002, 0.05)


def create_robot():
    """A rising metallic chord: the notes of A major climbing one after the other, each a
    bright inharmonic FM tone whose brightness fades, the whole gliding up a semitone. The
    left channel is a few cents flat, the right a few cents sharp."""
    count = frames(0.45)
    notes = ((440.0, 0.0), (554.37, 0.055), (659.26, 0.11), (880.0, 0.165))
    channels = []
    for cents in (-3, 3):
        detune = 2 ** (cents / 1200)
        out = [0.0] * count
        for base, start in notes:
            carrier = modulator = 0.0
            for i in range(frames(start), count):
                t = i / RATE
                late = t - start
                f = base * detune * 2 ** (t / 0.45 / 12)
                carrier += TAU * f / RATE
                modulator += TAU * 1.41 * f / RATE
                index = 0.4 + 2.2 * math.exp(-late / 0.07)
                envelope = min(1.0, late / 0.003) * math.exp(-late / 0.3)
                out[i] += envelope * math.sin(carrier + index * math.sin(modulator))
        channels.append(fade(out, 0.002, 0.06))
    return channels


def end_good():
    """A bright chime: two struck bells a fifth apart (C6, then G6 a moment later), each a set
    of inharmonic partials the higher of which die sooner. The first bell leans a touch to
    the left, the second a touch to the right."""
    count = frames(1.2)
    partials = ((0.5, 0.35, 0.6), (1.0, 1.0, 0.5), (1.19, 0.4, 0.4), (1.5, 0.3, 0.35),
                (2.0, 0.45, 0.28), (2.74, 0.3, 0.16), (3.0, 0.2, 0.14), (4.07, 0.15, 0.08),
                (5.4, 0.08, 0.05))
    bells = ((1046.5, 0.0, (1.0, 0.9)), (1568.0, 0.13, (0.9, 1.0)))
    left, right = [0.0] * count, [0.0] * count
    for base, start, (to_left, to_right) in bells:
        for ratio, amplitude, decay in partials:
            step = TAU * base * ratio / RATE
            for i in range(frames(start), count):
                late = i / RATE - start
                value = (amplitude * min(1.0, late / 0.001) * math.exp(-late / decay) *
                         math.sin(step * (i - frames(start))))
                left[i] += to_left * value
                right[i] += to_right * value
    return [fade(left, 0.001, 0.3), fade(right, 0.001, 0.3)]


# name, sample width in bytes, maker (a list, or a list per channel), looped
SOUNDS = (
    ("ScanPart.wav", 1, scan_part, False),
    ("ScanFull.wav", 1, scan_full, True),
    ("AbsorbTolmarch.wav", 1, absorb, False),
    ("Rotate.wav", 1, rotate, True),
    ("CreateTree.wav", 1, create_tree, False),
    ("CreateBoulder.wav", 1, create_boulder, False),
    ("CreateRobot.wav", 2, create_robot, False),
    ("EndGood.wav", 2, end_good, False),
)


# ---------------------------------------------------------------- writing and checking

def pcm(channels, width):
    """Brings the loudest sample to PEAK and interleaves the channels as 8-bit unsigned or
    16-bit signed little-endian samples."""
    loudest = max(abs(x) for channel in channels for x in channel)
    gain = PEAK / loudest
    if width == 1:
        values = [round(128 + 127 * gain * x) for frame in zip(*channels) for x in frame]
        return bytes(values)
    values = [round(32767 * gain * x) for frame in zip(*channels) for x in frame]
    return struct.pack("<%dh" % len(values), *values)


def write(folder):
    os.makedirs(folder, exist_ok=True)
    for name, width, maker, _ in SOUNDS:
        made = maker()
        channels = made if isinstance(made[0], list) else [made]
        with wave.open(os.path.join(folder, name), "wb") as file:
            file.setnchannels(len(channels))
            file.setsampwidth(width)
            file.setframerate(RATE)
            file.writeframes(pcm(channels, width))


def read(path):
    """The samples of a file, as floats in -1..1, one list per channel."""
    with wave.open(path, "rb") as file:
        count, width = file.getnchannels(), file.getsampwidth()
        data = file.readframes(file.getnframes())
        rate, length = file.getframerate(), file.getnframes()
    if width == 1:
        values = [(b - 128) / 128 for b in data]
    else:
        values = [v / 32768 for v in struct.unpack("<%dh" % (len(data) // 2), data)]
    return count, width, rate, length, [values[c::count] for c in range(count)]


def check(folder):
    """Prints each file's format and loudness; for a looped sound, compares the step across
    the loop point with the largest step inside it. Returns False if a file is wrong."""
    good, total = True, 0
    print("%-20s %2s %4s %6s %7s %7s %8s %9s" %
          ("file", "ch", "bits", "rate", "frames", "seconds", "peak dB", "bytes"))
    for name, width, _, is_looped in SOUNDS:
        path = os.path.join(folder, name)
        count, bits, rate, length, channels = read(path)
        peak = max(abs(x) for channel in channels for x in channel)
        size = os.path.getsize(path)
        total += size
        line = "%-20s %2d %4d %6d %7d %7.3f %8.2f %9d" % (
            name, count, 8 * bits, rate, length, length / rate, 20 * math.log10(peak), size)
        for channel in channels:
            if not is_looped and max(abs(channel[0]), abs(channel[-1])) > 0.01:
                line += "  (ends not silent)"
                good = False
        if is_looped:
            steps = sorted(abs(b - a) for c in channels for a, b in zip(c, c[1:]))
            seam = max(abs(c[0] - c[-1]) for c in channels)
            line += "  step at the loop %.3f (inside: median %.3f, largest %.3f)" % (
                seam, steps[len(steps) // 2], steps[-1])
            good = good and seam <= 2 * steps[len(steps) // 2]
        if count == 2:
            energy = [sum(x * x for x in c) for c in channels]
            line += "  left/right %.2f dB" % (10 * math.log10(energy[0] / energy[1]))
        if peak > PEAK + 0.01 or bits != width or rate != RATE:
            good = False
        print(line)
    print("total %d bytes" % total)
    return good


def main():
    arguments = sys.argv[1:]
    checking = "--check" in arguments
    arguments = [a for a in arguments if a != "--check"]
    folder = arguments[0] if arguments else "media"
    if checking:
        sys.exit(0 if check(folder) else 1)
    write(folder)


if __name__ == "__main__":
    main()
