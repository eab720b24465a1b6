"""The five pictures of the windows: arrow, on and off balls, logo and banner."""

from raster import Canvas, Circle, Polygon, sphere_shading

import banner
import logo


def arrow():
    """A solid black triangle pointing left, 9 x 15, on white."""
    canvas = Canvas(9, 15)
    canvas.paint(Polygon([(0.5, 7.5), (9.0, 0.5), (9.0, 14.5)]), (0, 0, 0))
    return canvas


def ball(base):
    """A shaded ball 14 x 14 on white: lit from the upper left, with a dark rim."""
    canvas = Canvas(14, 14)
    cx = cy = 7.0
    r = 6.4
    rim = tuple(v * 0.45 for v in base)
    canvas.paint(Circle(cx, cy, r), rim)
    canvas.paint(Circle(cx, cy, r - 0.7), sphere_shading(cx, cy, r - 0.7, base), samples=4)
    return canvas


def on_ball():
    return ball((40, 200, 50))


def off_ball():
    return ball((225, 40, 35))


# name, drawing, greyscale, JPEG quality
PICTURES = [
    ("arrow", arrow, False, 95),
    ("on_ball", on_ball, False, 95),
    ("off_ball", off_ball, False, 95),
    ("logo", logo.draw, True, 92),
    ("banner", banner.draw, False, 92),
]
