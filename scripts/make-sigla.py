#!/usr/bin/env python3
"""Writes resources/Sigla.mid, the splash jingle: a Standard MIDI File of
format 0 (one track), 480 ticks per quarter note, about eight seconds long.

A rising tune over a walking bass and a string pad, in C major, played once.
Run from the repository root: scripts/make-sigla.py
"""
import pathlib
import struct

TICKS = 480  # per quarter note
TEMPO_BPM = 120


def vlq(value):
    """Variable-length quantity of the MIDI file format."""
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.append(0x80 | (value & 0x7F))
        value >>= 7
    return bytes(reversed(out))


def note(name):
    """MIDI key number of a note name such as C4 or F#5 (C4 = 60)."""
    steps = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}
    key = steps[name[0]]
    rest = name[1:]
    if rest.startswith("#"):
        key += 1
        rest = rest[1:]
    return 12 * (int(rest) + 1) + key


# (start in eighths, length in eighths, channel, note, velocity)
events = []


def voice(channel, velocity, notes):
    t = 0
    for name, eighths in notes:
        if name != "-":
            events.append((t, eighths, channel, note(name), velocity))
        t += eighths


# Tune (vibraphone): two rising phrases and a held close.
voice(0, 100, [("E5", 1), ("G5", 1), ("C6", 2), ("B5", 1), ("A5", 1), ("G5", 1), ("E5", 1),
               ("F5", 1), ("A5", 1), ("D6", 2), ("C6", 1), ("B5", 1), ("A5", 1), ("B5", 1),
               ("C6", 1), ("E6", 1), ("G6", 2), ("F6", 1), ("D6", 1), ("B5", 1), ("G5", 1),
               ("C6", 8)])
# Walking bass (acoustic bass).
voice(1, 90, [("C3", 2), ("E3", 2), ("G2", 2), ("B2", 2),
              ("F2", 2), ("A2", 2), ("G2", 2), ("B2", 2),
              ("A2", 2), ("E3", 2), ("D3", 2), ("G2", 2),
              ("C3", 8)])
# String pad: one chord per bar.
for bar, chord in enumerate([("C4", "E4", "G4"), ("F4", "A4", "C5"),
                             ("A3", "C4", "E4"), ("C4", "E4", "G4")]):
    for name in chord:
        events.append((8 * bar, 8, 2, note(name), 55))

EIGHTH = TICKS // 2
PROGRAMS = {0: 11, 1: 32, 2: 48}  # vibraphone, acoustic bass, strings

# Timed MIDI messages: (tick, order, bytes); note-offs sort before note-ons.
messages = []
for channel, program in PROGRAMS.items():
    messages.append((0, 0, bytes([0xC0 | channel, program])))
for start, length, channel, key, velocity in events:
    messages.append((start * EIGHTH, 2, bytes([0x90 | channel, key, velocity])))
    messages.append(((start + length) * EIGHTH - 10, 1, bytes([0x80 | channel, key, 0])))
messages.sort(key=lambda m: (m[0], m[1]))

track = bytearray()
tempo = 60_000_000 // TEMPO_BPM
track += vlq(0) + b"\xff\x51\x03" + tempo.to_bytes(3, "big")
track += vlq(0) + b"\xff\x58\x04\x04\x02\x18\x08"  # 4/4
title = b"Sigla Tubarex"
track += vlq(0) + b"\xff\x03" + vlq(len(title)) + title
now = 0
for tick, _, data in messages:
    track += vlq(tick - now) + data
    now = tick
track += vlq(TICKS) + b"\xff\x2f\x00"  # end of track, after a short rest

smf = b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS)
smf += b"MTrk" + struct.pack(">I", len(track)) + bytes(track)
out = pathlib.Path(__file__).resolve().parent.parent / "resources" / "Sigla.mid"
out.write_bytes(smf)
print(f"{out}: {len(smf)} bytes")
