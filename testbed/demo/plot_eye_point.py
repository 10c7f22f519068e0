#!/usr/bin/env python3
"""Plots the eye point's six values over time from the demo's CSV as an SVG."""
import csv
import sys

WIDTH, HEIGHT, MARGIN = 900, 160, 60
GAP_SECONDS = 0.2
SERIES = [("x", "#1f77b4"), ("y", "#2ca02c"), ("z", "#17becf"),
          ("pitch", "#d62728"), ("bank", "#9467bd"), ("heading", "#ff7f0e")]


def main(source, target):
    with open(source, newline="") as f:
        rows = [{k: float(v) for k, v in row.items()} for row in csv.DictReader(f)]
    if not rows:
        sys.exit("no camera calls to plot")
    t0, t1 = rows[0]["seconds"], rows[-1]["seconds"]
    span = max(t1 - t0, 1e-6)
    panels = []
    for index, (name, colour) in enumerate(SERIES):
        values = [r[name] for r in rows]
        low, high = min(values), max(values)
        if high - low < 1e-9:
            low, high = low - 1, high + 1
        top = index * (HEIGHT + 20) + 20
        # No camera call for a while (slew mode, device at rest): leave a gap.
        segments, current, last = [], [], None
        for r in rows:
            if last is not None and r["seconds"] - last > GAP_SECONDS:
                segments.append(current)
                current = []
            current.append(f"{MARGIN + (r['seconds'] - t0) / span * WIDTH:.1f},"
                           f"{top + HEIGHT - (r[name] - low) / (high - low) * HEIGHT:.1f}")
            last = r["seconds"]
        segments.append(current)
        lines = "".join(f'<polyline fill="none" stroke="{colour}" stroke-width="1.5" '
                        f'points="{" ".join(points)}"/>' for points in segments)
        panels.append(
            f'<text x="5" y="{top + 12}" font-size="12">{name}</text>'
            f'<text x="5" y="{top + 28}" font-size="10">{high:.3g}</text>'
            f'<text x="5" y="{top + HEIGHT}" font-size="10">{low:.3g}</text>'
            f'<rect x="{MARGIN}" y="{top}" width="{WIDTH}" height="{HEIGHT}" fill="none" stroke="#ccc"/>'
            f'{lines}')
    total = len(SERIES) * (HEIGHT + 20) + 40
    footer = (f'<text x="{MARGIN}" y="{total - 10}" font-size="12">time {t0:.2f} s to {t1:.2f} s, '
              f'{len(rows)} camera calls</text>')
    with open(target, "w") as f:
        f.write(f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH + MARGIN + 20}" '
                f'height="{total}" font-family="sans-serif">'
                f'<rect width="100%" height="100%" fill="white"/>{"".join(panels)}{footer}</svg>\n')


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
