#!/usr/bin/env python3
"""Plots the eye point's six values over time from the demo's CSV.

    plot_eye_point.py <trace.csv> <out.png> <seconds of free look>

The demo runs free look first, then slew mode, where the device drives the
slew controls and the module makes no camera calls.
"""
import csv
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

GAP_SECONDS = 0.2
SERIES = [("x", "m", "#1f77b4"), ("y", "m", "#2ca02c"), ("z", "m", "#17becf"),
          ("pitch", "°", "#d62728"), ("bank", "°", "#9467bd"), ("heading", "°", "#ff7f0e")]


def main(source, target, free_look_seconds):
    with open(source, newline="") as f:
        rows = [{k: float(v) for k, v in row.items()} for row in csv.DictReader(f)]
    if not rows:
        sys.exit("no camera calls to plot")
    free_look = float(free_look_seconds)
    end = max(rows[-1]["seconds"], 2 * free_look)
    figure, axes = plt.subplots(len(SERIES), 1, figsize=(11, 10), sharex=True)
    for ax, (name, unit, colour) in zip(axes, SERIES):
        # No camera call for a while (slew mode, device at rest): leave a gap.
        times, values = [], []
        for r in rows:
            if times and r["seconds"] - times[-1] > GAP_SECONDS:
                times.append(float("nan"))
                values.append(float("nan"))
            times.append(r["seconds"])
            values.append(r[name])
        ax.axvspan(0, free_look, color="#eef3fb", zorder=0, label="free look")
        ax.axvspan(free_look, end, color="#fbefe6", zorder=0, label="slew mode")
        ax.plot(times, values, color=colour, linewidth=1.3, label=f"eye point {name}")
        ax.set_ylabel(f"{name} ({unit})")
        ax.grid(True, alpha=0.3)
        ax.legend(loc="upper left", fontsize=7, ncol=3)
    axes[-1].set_xlabel("time since DLLStart (s)")
    axes[-1].set_xlim(0, end)
    figure.suptitle(f"Eye point sent to the simulator: {len(rows)} camera calls", fontsize=12)
    figure.tight_layout()
    figure.savefig(target, dpi=100)


if __name__ == "__main__":
    main(*sys.argv[1:4])
