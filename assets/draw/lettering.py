"""Lettering drawn as strokes: the banner's rounded lower case and the logo's hand-drawn
capitals. Glyphs are polylines in units of the letter height, y pointing up from the
baseline; `layout` places them in pixels."""

import math

from raster import bezier


def _arc_up(cx, cy, rx, ry, start_deg, end_deg, steps=14):
    # Angles counter-clockwise from +x, as on paper, in the glyph's y-up space.
    return [(cx + rx * math.cos(math.radians(a)), cy + ry * math.sin(math.radians(a)))
            for a in (start_deg + (end_deg - start_deg) * i / steps for i in range(steps + 1))]


# Rounded lower case (with a capital T) for the banner. x-height 0.56, ascender 0.86.
X = 0.56
A = 0.86
BANNER_GLYPHS = {
    "T": (0.60, [[(0.0, A), (0.6, A)], [(0.3, A), (0.3, 0.0)]]),
    "i": (0.12, [[(0.06, 0.0), (0.06, X)], [(0.06, A - 0.08)]]),
    "n": (0.40, [[(0.0, 0.0), (0.0, X)],
                 [(0.0, 0.30)] + _arc_up(0.2, 0.32, 0.2, 0.24, 180, 0)[1:] + [(0.4, 0.0)]]),
    "d": (0.44, [_arc_up(0.21, X / 2, 0.21, X / 2, 0, 360, 24), [(0.42, 0.0), (0.42, A)]]),
    "r": (0.30, [[(0.0, 0.0), (0.0, X)],
                 [(0.0, 0.26)] + _arc_up(0.22, 0.28, 0.22, 0.28, 180, 70, 8)[1:]]),
    "e": (0.42, [[(0.02, 0.29), (0.41, 0.29)] + _arc_up(0.21, X / 2, 0.2, X / 2, 5, 320, 22)]),
    "l": (0.12, [[(0.06, A), (0.06, 0.0)]]),
}

# Hand-drawn capitals for the logo, cap height 1.
CAPITAL_GLYPHS = {
    "T": (0.62, [[(0.0, 1.0), (0.62, 1.0)], [(0.31, 1.0), (0.31, 0.0)]]),
    "I": (0.10, [[(0.05, 1.0), (0.05, 0.0)]]),
    "N": (0.60, [[(0.0, 0.0), (0.0, 1.0), (0.6, 0.0), (0.6, 1.0)]]),
    "D": (0.58, [[(0.0, 0.0), (0.0, 1.0)],
                 [(0.0, 1.0)] + bezier((0.0, 1.0), (0.75, 1.02), (0.75, -0.02), (0.0, 0.0))]),
    "R": (0.56, [[(0.0, 0.0), (0.0, 1.0)],
                 bezier((0.0, 1.0), (0.68, 1.02), (0.68, 0.44), (0.0, 0.46)),
                 [(0.22, 0.46), (0.56, 0.0)]]),
    "E": (0.50, [[(0.5, 1.0), (0.0, 1.0), (0.0, 0.0), (0.5, 0.0)], [(0.0, 0.52), (0.4, 0.52)]]),
    "L": (0.48, [[(0.0, 1.0), (0.0, 0.0), (0.48, 0.0)]]),
}


def layout(text, glyphs, x, baseline, height, spacing, slant=0.0, wobble=0.0, seed=1):
    """Places `text` with its left edge at x; returns strokes as lists of pixel points.

    `slant` leans the letters (a shear, as a tangent); `wobble` moves every point by up
    to that many pixels, repeatably, for a hand-drawn line."""
    state = [seed * 7919 + 17]

    def jitter():
        state[0] = (state[0] * 1103515245 + 12345) & 0x7FFFFFFF
        return (state[0] / 0x7FFFFFFF * 2 - 1) * wobble

    strokes = []
    for ch in text:
        advance, glyph = glyphs[ch]
        for stroke in glyph:
            placed = []
            for gx, gy in stroke:
                px = x + (gx + gy * slant) * height + jitter()
                py = baseline - gy * height + jitter()
                placed.append((px, py))
            strokes.append(placed)
        x += advance * height + spacing
    return strokes, x - spacing


def text_width(text, glyphs, height, spacing):
    return sum(glyphs[ch][0] for ch in text) * height + spacing * (len(text) - 1)
