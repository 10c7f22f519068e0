#!/usr/bin/env python3
"""Writes hand_tremor.rec: a seeded, synthetic session of a hand on a six-axis
controller, one reading every 10 ms, with the phases marked as comments
("# phase <ms> <name>") for the feel measurement and the demo's plot.

Tremor is physiological tremor: a sum of sinusoids of random phase between
8 and 12 Hz, 3 % of the travel (standard deviation), on top of a little
broadband sensor noise.

    python3 testbed/recordings/make_hand_tremor.py > testbed/recordings/hand_tremor.rec
"""
import math
import random

PERIOD_MS = 10
FULL = 32767
RNG = random.Random(20261207)

# (start ms, name, yaw target, pitch target, tremor on, move time ms)
PHASES = [
    (0, "hand off", 0.0, 0.0, False, 0),
    (1500, "tremor", 0.35, 0.0, True, 150),      # the hand rests on the cap, turning a little
    (4000, "quick moves", 0.9, 0.0, True, 120),
    (4500, "quick moves", -0.8, 0.15, True, 150),
    (5000, "quick moves", 0.0, 0.0, True, 120),
    (6000, "hand off", 0.0, 0.0, False, 0),
    (7000, "step", 0.0, 1.0, False, 0),          # pitch from rest to full at once
    (8500, "hand off", 0.0, 0.0, False, 0),
]
END_MS = 9500


def tremor_source():
    parts = [(RNG.uniform(8, 12), RNG.uniform(0, 2 * math.pi)) for _ in range(6)]
    amplitude = 0.03 * math.sqrt(2 / len(parts))
    return lambda t: sum(amplitude * math.sin(2 * math.pi * f * t + p) for f, p in parts)


def main():
    tremor = [tremor_source() for _ in range(6)]
    print("# Synthetic hand on a six-axis controller, written by make_hand_tremor.py (seeded).")
    print("# time_ms tX tY tZ rX rY rZ button")
    marked = set()
    yaw = pitch = 0.0
    for t in range(0, END_MS + PERIOD_MS, PERIOD_MS):
        current = [p for p in PHASES if p[0] <= t][-1]
        start, name, yaw_to, pitch_to, shaking, move_ms = current
        if start not in marked and (not marked or name != [p for p in PHASES if p[0] < start][-1][1]):
            print(f"# phase {start} {name}")
        marked.add(start)
        # Quick moves are short ramps; the step and releases are instant.
        k = 1.0 if move_ms == 0 else min(1.0, (t - start + PERIOD_MS) / move_ms)
        yaw += (yaw_to - yaw) * k
        pitch += (pitch_to - pitch) * k
        seconds = t / 1000
        axes = []
        for a in range(6):
            target = {3: pitch, 5: yaw}.get(a, 0.0)
            value = target + (tremor[a](seconds) if shaking else 0.0) + RNG.gauss(0, 0.001)
            axes.append(max(-FULL, min(FULL, round(value * FULL))))
        print(t, *axes, 0)


if __name__ == "__main__":
    main()
