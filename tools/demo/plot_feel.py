#!/usr/bin/env python3
"""Plots the device server's values sent for one recorded session with the
motion feel off and on, side by side, from feel_measure's CSV; the phases come
from the recording's "# phase <ms> <name>" lines.

    plot_feel.py <feel.csv> <recording> <out.png> <smoothing %> <curve %>
"""
import csv
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

# A rotation value v turns the view by v * 0.0001 degrees every 25 ms tick.
DEGREES_PER_SECOND = 0.0001 * 40
PHASE_COLOURS = {"hand off": "#f2f2f2", "tremor": "#fde9b0", "quick moves": "#d9ead3", "step": "#dde4f5"}


def phases(recording):
    marks = []
    with open(recording) as f:
        for line in f:
            parts = line.split(maxsplit=3)
            if len(parts) == 4 and parts[:2] == ["#", "phase"]:
                marks.append((int(parts[2]) / 1000, parts[3].strip()))
    return marks


def main(source, recording, target, smoothing, curve):
    with open(source, newline="") as f:
        rows = [{k: float(v) for k, v in row.items()} for row in csv.DictReader(f)]
    seconds = [r["seconds"] for r in rows]
    marks = phases(recording)
    end = seconds[-1]
    runs = [("off", "Feel off (today's processing)"),
            ("feel", f"Feel on: smoothing {smoothing} %, curve {curve} %")]
    figure, axes = plt.subplots(2, 2, figsize=(13, 7.5), sharey="row")
    for column, (key, title) in enumerate(runs):
        for row, (low, high) in enumerate([(0, end), (2.0, 4.0)]):
            ax = axes[row][column]
            for index, (start, name) in enumerate(marks):
                stop = marks[index + 1][0] if index + 1 < len(marks) else end
                if name in PHASE_COLOURS and stop > low and start < high:
                    ax.axvspan(max(start, low), min(stop, high), color=PHASE_COLOURS[name], zorder=0)
                    ax.text((max(start, low) + min(stop, high)) / 2, 0.97, name, transform=ax.get_xaxis_transform(),
                            ha="center", va="top", fontsize=8)
            shown = [i for i, s in enumerate(seconds) if low <= s <= high]
            for axis, colour in (("yaw", "#d62728"), ("pitch", "#1f77b4")):
                ax.plot([seconds[i] for i in shown], [rows[i][f"{key}_{axis}"] * DEGREES_PER_SECOND for i in shown],
                        color=colour, linewidth=1.2, label=f"{axis} sent")
            ax.set_xlim(low, high)
            ax.grid(True, alpha=0.3)
            ax.set_xlabel("time (s)")
            if column == 0:
                ax.set_ylabel("view turn rate sent (°/s)")
            ax.set_title(title if row == 0 else f"{title}: resting hand with tremor, 2-4 s", fontsize=10)
            ax.legend(loc="lower right", fontsize=8)
    figure.suptitle("The device server's processing replaying hand_tremor.rec at 100 readings a second: "
                    "values sent, feel off and on", fontsize=12)
    figure.tight_layout()
    figure.savefig(target, dpi=100)


if __name__ == "__main__":
    main(*sys.argv[1:6])
