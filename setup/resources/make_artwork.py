#!/usr/bin/env python3
"""Draws the two dialog backgrounds of pivora.dll as 8-bit palette BMP files.

The pictures sit under the controls of the calibration dialog (468 x 464) and
the settings dialog (800 x 490), so every symbol is placed from the dialog-unit
rectangles of the controls around it. "MS Sans Serif" 8 has dialog base units
of 6 x 13 pixels, so a dialog unit is 1.5 pixels across and 1.625 down; the
two picture sizes are exactly the dialogs' picture areas in those units. Shapes are signed-distance functions, which gives clean
anti-aliased edges without any imaging library; the result is reduced to a
256-colour palette at the end. The output is deterministic, and the BMP files
are committed so that the build needs no image tools.

Usage: python3 make_artwork.py [output folder]   (default: this script's folder)
"""
import math
import os
import struct
import sys

kPixelsPerDuX = 1.5
kPixelsPerDuY = 1.625

# The background matches the dialog face colour of current Windows (and of
# Wine), so the label boxes that the system paints over it do not show.
kBackground = (240, 240, 240)
kCardFill = (252, 252, 252)
kCardEdge = (198, 202, 210)
kAircraft = (62, 72, 92)
kRotationInk = (196, 64, 40)
kTranslationInk = (36, 104, 184)
kCaptionInk = (44, 48, 64)
kRuleInk = (200, 200, 204)


def DuX(value):
    return value * kPixelsPerDuX


def DuY(value):
    return value * kPixelsPerDuY


# ---- canvas -----------------------------------------------------------------

class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.pixels = [list(colour) for _ in range(width * height)]

    def Blend(self, x, y, colour, alpha):
        if alpha <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        p = self.pixels[y * self.width + x]
        for c in range(3):
            p[c] += (colour[c] - p[c]) * min(alpha, 1.0)

    def Fill(self, distance, bounds, colour):
        """Paints every pixel whose centre lies inside the shape given by a
        signed distance (negative inside); the half-pixel band along the edge
        gets partial coverage, which is the anti-aliasing."""
        x0, y0, x1, y1 = bounds
        for y in range(max(0, int(y0) - 2), min(self.height, int(y1) + 3)):
            for x in range(max(0, int(x0) - 2), min(self.width, int(x1) + 3)):
                d = distance(x + 0.5, y + 0.5)
                if d < 0.5:
                    self.Blend(x, y, colour, 0.5 - d)


# ---- shapes as signed distances -----------------------------------------------

def SegmentDistance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def Capsule(canvas, a, b, thickness, colour):
    r = thickness / 2
    canvas.Fill(lambda x, y: SegmentDistance(x, y, a[0], a[1], b[0], b[1]) - r,
                (min(a[0], b[0]) - r, min(a[1], b[1]) - r, max(a[0], b[0]) + r, max(a[1], b[1]) + r),
                colour)


def Disc(canvas, centre, radius, colour):
    cx, cy = centre
    canvas.Fill(lambda x, y: math.hypot(x - cx, y - cy) - radius,
                (cx - radius, cy - radius, cx + radius, cy + radius), colour)


def RoundedBox(canvas, box, radius, colour):
    x0, y0, x1, y1 = box
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def distance(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - radius
    canvas.Fill(distance, box, colour)


def Polygon(canvas, points, colour):
    def distance(x, y):
        best = min(SegmentDistance(x, y, *points[i], *points[(i + 1) % len(points)])
                   for i in range(len(points)))
        inside = False
        j = len(points) - 1
        for i in range(len(points)):
            (xi, yi), (xj, yj) = points[i], points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return -best if inside else best
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    canvas.Fill(distance, (min(xs), min(ys), max(xs), max(ys)), colour)


def Arc(canvas, centre, radius, start_deg, end_deg, thickness, colour):
    """A round-capped arc from start to end, clockwise on screen (y down)."""
    cx, cy = centre
    a0, a1 = math.radians(start_deg), math.radians(end_deg)
    ends = [(cx + radius * math.cos(a), cy + radius * math.sin(a)) for a in (a0, a1)]
    r = thickness / 2

    def distance(x, y):
        angle = math.atan2(y - cy, x - cx)
        while angle < a0:
            angle += 2 * math.pi
        if angle <= a1:
            return abs(math.hypot(x - cx, y - cy) - radius) - r
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - r
    extent = radius + r
    canvas.Fill(distance, (cx - extent, cy - extent, cx + extent, cy + extent), colour)


def ArrowHead(canvas, tip, direction_deg, size, colour):
    a = math.radians(direction_deg)
    ux, uy = math.cos(a), math.sin(a)
    bx, by = tip[0] - ux * size, tip[1] - uy * size
    half = size * 0.62
    Polygon(canvas, [tip, (bx - uy * half, by + ux * half), (bx + uy * half, by - ux * half)], colour)


def StraightArrow(canvas, a, b, colour, thickness=5, head=13):
    """A double-headed straight arrow from a to b."""
    angle = math.degrees(math.atan2(b[1] - a[1], b[0] - a[0]))
    ux, uy = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    inset = head * 0.8
    Capsule(canvas, (a[0] + ux * inset, a[1] + uy * inset), (b[0] - ux * inset, b[1] - uy * inset),
            thickness, colour)
    ArrowHead(canvas, b, angle, head, colour)
    ArrowHead(canvas, a, angle + 180, head, colour)


def CurvedArrow(canvas, centre, radius, start_deg, end_deg, colour, thickness=5, head=13):
    """A double-headed arc, the sign of a rotation."""
    # Shorten the arc by the head length so that the heads end on the circle.
    trim = math.degrees(head * 0.8 / radius)
    Arc(canvas, centre, radius, start_deg + trim, end_deg - trim, thickness, colour)
    for angle, turn in ((end_deg, 90), (start_deg, -90)):
        a = math.radians(angle)
        tip = (centre[0] + radius * math.cos(a), centre[1] + radius * math.sin(a))
        ArrowHead(canvas, tip, angle + turn, head, colour)


# ---- a 5 x 7 bitmap font for the captions ---------------------------------------

# Seven rows of five, top to bottom.
kGlyphs = {
    'A': ".###./#...#/#...#/#####/#...#/#...#/#...#",
    'B': "####./#...#/#...#/####./#...#/#...#/####.",
    'C': ".###./#...#/#..../#..../#..../#...#/.###.",
    'D': "####./#...#/#...#/#...#/#...#/#...#/####.",
    'E': "#####/#..../#..../####./#..../#..../#####",
    'F': "#####/#..../#..../####./#..../#..../#....",
    'G': ".###./#...#/#..../#.###/#...#/#...#/.####",
    'H': "#...#/#...#/#...#/#####/#...#/#...#/#...#",
    'I': ".###./..#../..#../..#../..#../..#../.###.",
    'K': "#...#/#..#./#.#../##.../#.#../#..#./#...#",
    'L': "#..../#..../#..../#..../#..../#..../#####",
    'N': "#...#/#...#/##..#/#.#.#/#..##/#...#/#...#",
    'O': ".###./#...#/#...#/#...#/#...#/#...#/.###.",
    'P': "####./#...#/#...#/####./#..../#..../#....",
    'R': "####./#...#/#...#/####./#.#../#..#./#...#",
    'T': "#####/..#../..#../..#../..#../..#../..#..",
    'U': "#...#/#...#/#...#/#...#/#...#/#...#/.###.",
    'W': "#...#/#...#/#...#/#.#.#/#.#.#/#.#.#/.#.#.",
    'Y': "#...#/#...#/.#.#./..#../..#../..#../..#..",
    '&': ".##../#..#./#.#../.#.../#.#.#/#..#./.##.#",
    ' ': "...../...../...../...../...../...../.....",
}
kGlyphWidth, kGlyphHeight = 5, 7


def TextWidth(text, scale):
    return (len(text) * (kGlyphWidth + 1) - 1) * scale


def Caption(canvas, text, centre_x, top, colour, scale=2):
    """Writes text centred on centre_x, pixel-aligned so the strokes stay crisp."""
    left = int(round(centre_x - TextWidth(text, scale) / 2))
    for index, char in enumerate(text):
        rows = kGlyphs[char].split("/")
        for gy in range(kGlyphHeight):
            for gx in range(kGlyphWidth):
                if rows[gy][gx] == "#":
                    x = left + (index * (kGlyphWidth + 1) + gx) * scale
                    y = int(top) + gy * scale
                    for dy in range(scale):
                        for dx in range(scale):
                            canvas.Blend(x + dx, y + dy, colour, 1.0)


# ---- aircraft silhouettes, drawn around a centre point --------------------------

def AircraftTop(canvas, c, size):
    """Seen from above, nose up."""
    x, y, s = c[0], c[1], size / 100
    Polygon(canvas, [(x, y - 20 * s), (x + 50 * s, y + 8 * s), (x + 50 * s, y + 16 * s),
                     (x, y + 6 * s), (x - 50 * s, y + 16 * s), (x - 50 * s, y + 8 * s)], kAircraft)
    Polygon(canvas, [(x, y + 30 * s), (x + 20 * s, y + 42 * s), (x + 20 * s, y + 47 * s),
                     (x, y + 42 * s), (x - 20 * s, y + 47 * s), (x - 20 * s, y + 42 * s)], kAircraft)
    Capsule(canvas, (x, y - 42 * s), (x, y + 44 * s), 12 * s, kAircraft)


def AircraftSide(canvas, c, size):
    """Seen from the left, nose to the right."""
    x, y, s = c[0], c[1], size / 100
    Capsule(canvas, (x - 44 * s, y), (x + 42 * s, y), 14 * s, kAircraft)
    Polygon(canvas, [(x - 50 * s, y + 2 * s), (x - 54 * s, y - 26 * s), (x - 42 * s, y - 26 * s),
                     (x - 26 * s, y - 2 * s)], kAircraft)
    Capsule(canvas, (x - 8 * s, y + 5 * s), (x + 16 * s, y + 5 * s), 7 * s, (40, 46, 60))


def AircraftFront(canvas, c, size):
    """Seen from the front."""
    x, y, s = c[0], c[1], size / 100
    Capsule(canvas, (x - 56 * s, y + 4 * s), (x + 56 * s, y + 4 * s), 6 * s, kAircraft)
    Capsule(canvas, (x - 18 * s, y - 16 * s), (x + 18 * s, y - 16 * s), 4 * s, kAircraft)
    Capsule(canvas, (x, y - 32 * s), (x, y), 5 * s, kAircraft)
    Disc(canvas, (x, y), 11 * s, kAircraft)


# ---- settings dialog: six cards, three per column -------------------------------

def SettingsBackground():
    canvas = Canvas(800, 490, kBackground)
    # Each card sits beside its axis's controls: the left column's controls
    # start at x 120 du, the right column's at 390 du; the three rows span the
    # "Enabled" box down to the "Invert" box.
    rows = [(30, 83), (124, 178), (219, 274)]
    columns = [(90, ["PITCH", "BANK", "YAW"]),
               (476, ["FORWARD & BACKWARD", "LEFT & RIGHT", "UP & DOWN"])]
    symbols = [[PitchSymbol, BankSymbol, YawSymbol],
               [ForwardBackwardSymbol, LeftRightSymbol, UpDownSymbol]]
    for column, (centre_x, captions) in enumerate(columns):
        for row, (top_du, bottom_du) in enumerate(rows):
            centre_y = (DuY(top_du) + DuY(bottom_du)) / 2
            card = (centre_x - 74, centre_y - 50, centre_x + 74, centre_y + 50)
            RoundedBox(canvas, (card[0] - 1, card[1] - 1, card[2] + 1, card[3] + 1), 11, kCardEdge)
            RoundedBox(canvas, card, 10, kCardFill)
            Caption(canvas, captions[row], centre_x, card[1] - 22, kCaptionInk)
            symbols[column][row](canvas, (centre_x, centre_y))
    # A rule above the two switches that apply to the whole device.
    Capsule(canvas, (8, DuY(289)), (792, DuY(289)), 1.5, kRuleInk)
    return canvas


def PitchSymbol(canvas, c):
    AircraftSide(canvas, (c[0] - 10, c[1] + 6), 90)
    CurvedArrow(canvas, (c[0] - 10, c[1] + 6), 56, -38, 38, kRotationInk)


def BankSymbol(canvas, c):
    AircraftFront(canvas, (c[0], c[1] + 16), 100)
    CurvedArrow(canvas, (c[0], c[1] + 16), 50, -145, -35, kRotationInk)


def YawSymbol(canvas, c):
    AircraftTop(canvas, (c[0], c[1] + 10), 70)
    CurvedArrow(canvas, (c[0], c[1] + 10), 42, -150, -30, kRotationInk)


def ForwardBackwardSymbol(canvas, c):
    AircraftTop(canvas, (c[0] - 22, c[1] + 2), 80)
    StraightArrow(canvas, (c[0] + 46, c[1] - 40), (c[0] + 46, c[1] + 40), kTranslationInk)


def LeftRightSymbol(canvas, c):
    AircraftTop(canvas, (c[0], c[1] - 8), 66)
    StraightArrow(canvas, (c[0] - 62, c[1] + 36), (c[0] + 62, c[1] + 36), kTranslationInk)


def UpDownSymbol(canvas, c):
    AircraftSide(canvas, (c[0] - 16, c[1] + 4), 84)
    StraightArrow(canvas, (c[0] + 50, c[1] - 40), (c[0] + 50, c[1] + 40), kTranslationInk)


# ---- calibration dialog: four symbols framed by their min/max labels --------------

def CalibrationBackground():
    canvas = Canvas(468, 464, kBackground)

    # Pitch and bank share one knob: pitch max above (label at y 11 du), pitch
    # min below (112 du), bank min to the left (ends at x 60 du), bank max to
    # the right (starts at 112 du), both bank labels at about 79 du.
    knob = (DuX(86), DuY(69))
    CurvedArrow(canvas, (knob[0] - 150, knob[1]), 150, -24, 24, kRotationInk)
    CurvedArrow(canvas, (knob[0], knob[1] + 60), 60, -125, -55, kRotationInk)
    Knob(canvas, knob)

    # Yaw: a turn around the knob's own axis, seen from above; the arrow ends
    # just above the min and max labels (yaw min ends at x 225 du, yaw max
    # starts at 238 du, both at y 94 du).
    yaw = (DuX(231.5), DuY(94) - 52)
    CurvedArrow(canvas, yaw, 50, 130, 410, kRotationInk)
    Disc(canvas, yaw, 24, kCardEdge)
    Disc(canvas, yaw, 22, kAircraft)
    Capsule(canvas, (yaw[0], yaw[1] - 5), (yaw[0], yaw[1] - 17), 4, kCardFill)

    # Forward and backward with left and right: forward label above at
    # 164 du, backward below at 250 du, left ends at 53 du, right starts at
    # 113 du, both at y 218 du.
    cross = (DuX(83), DuY(222) - 2)
    StraightArrow(canvas, (cross[0], DuY(172) + 4), (cross[0], DuY(250) - 4), kTranslationInk)
    StraightArrow(canvas, (DuX(53) + 4, cross[1]), (DuX(113) - 4, cross[1]), kTranslationInk)
    Knob(canvas, cross)

    # Up and down: up label at 165 du, down label at 252 du, centred on 230 du.
    lift = (DuX(230), (DuY(173) + DuY(252)) / 2)
    StraightArrow(canvas, (lift[0], DuY(173) + 4), (lift[0], DuY(252) - 4), kTranslationInk)
    RoundedBox(canvas, (lift[0] - 26, lift[1] - 9, lift[0] + 26, lift[1] + 9), 9, kCardEdge)
    RoundedBox(canvas, (lift[0] - 24, lift[1] - 7, lift[0] + 24, lift[1] + 7), 7, kAircraft)
    return canvas


def Knob(canvas, c):
    Disc(canvas, c, 15, kCardEdge)
    Disc(canvas, c, 13, kAircraft)
    Disc(canvas, (c[0] - 4, c[1] - 4), 4, (110, 120, 140))


# ---- palette and BMP output ----------------------------------------------------

def Quantize(canvas):
    """Returns (palette, indexes). Colours that cover much of the picture keep
    their exact value; the anti-aliasing shades share the remaining entries
    by median cut."""
    counts = {}
    flat = []
    for p in canvas.pixels:
        rgb = (int(round(p[0])), int(round(p[1])), int(round(p[2])))
        flat.append(rgb)
        counts[rgb] = counts.get(rgb, 0) + 1
    by_count = sorted(counts.items(), key=lambda item: (-item[1], item[0]))
    exact = [rgb for rgb, n in by_count[:32] if n * 1000 >= len(flat)]
    rest = [(rgb, n) for rgb, n in by_count if rgb not in exact]
    palette = exact + MedianCut(rest, 256 - len(exact))
    nearest = {}
    for rgb in counts:
        nearest[rgb] = min(range(len(palette)),
                           key=lambda i: sum((palette[i][c] - rgb[c]) ** 2 for c in range(3)))
    return palette, [nearest[rgb] for rgb in flat]


def MedianCut(colours, slots):
    if not colours or slots <= 0:
        return []
    boxes = [colours]
    while len(boxes) < slots:
        splittable = [b for b in boxes if len(b) > 1]
        if not splittable:
            break
        box = max(splittable, key=lambda b: max(max(c[0][k] for c in b) - min(c[0][k] for c in b)
                                                 for k in range(3)))
        channel = max(range(3), key=lambda k: max(c[0][k] for c in box) - min(c[0][k] for c in box))
        box.sort(key=lambda c: (c[0][channel], c[0]))
        total, half, cut = sum(n for _, n in box), 0, 1
        for i, (_, n) in enumerate(box[:-1]):
            half += n
            cut = i + 1
            if half * 2 >= total:
                break
        boxes.remove(box)
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _, n in box)
        palette.append(tuple(int(round(sum(rgb[k] * n for rgb, n in box) / total)) for k in range(3)))
    return palette


def WriteBmp(path, canvas):
    palette, indexes = Quantize(canvas)
    palette += [(0, 0, 0)] * (256 - len(palette))
    stride = (canvas.width + 3) & ~3
    rows = bytearray()
    for y in range(canvas.height - 1, -1, -1):  # BMP rows run bottom-up
        row = indexes[y * canvas.width:(y + 1) * canvas.width]
        rows += bytes(row) + bytes(stride - canvas.width)
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colour_table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 0, len(rows),
                       3780, 3780, 256, 0)
    with open(path, "wb") as f:
        f.write(header + info + colour_table + rows)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    WriteBmp(os.path.join(folder, "calibration_background.bmp"), CalibrationBackground())
    WriteBmp(os.path.join(folder, "settings_background.bmp"), SettingsBackground())


if __name__ == "__main__":
    main()
