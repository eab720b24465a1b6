"""Tindrel's mascot: a round little watcher with big eyes and an antenna that picks up the
network. `draw` paints it in colour for the icon; `draw_ink` as a line drawing for the
logo. Both work in a 64-unit box."""

import math

from raster import (Canvas, Circle, Ellipse, Stroke, Union, arc, clamp, mix,
                    vertical_gradient)

NAVY = (20, 40, 80)
BODY_LIGHT = (96, 196, 255)
BODY_DARK = (24, 104, 196)
BELLY = (206, 236, 252)
ANTENNA_BALL = (255, 92, 56)
CHEEK = (255, 120, 150)


class Frame:
    """Maps the 64-unit design box onto pixels."""

    def __init__(self, scale, dx=0.0, dy=0.0):
        self.s, self.dx, self.dy = scale, dx, dy

    def p(self, x, y):
        return (self.dx + x * self.s, self.dy + y * self.s)

    def n(self, v):
        return v * self.s

    def ellipse(self, cx, cy, rx, ry):
        x, y = self.p(cx, cy)
        return Ellipse(x, y, rx * self.s, ry * self.s)

    def circle(self, cx, cy, r):
        x, y = self.p(cx, cy)
        return Circle(x, y, r * self.s)

    def stroke(self, points, width):
        return Stroke([self.p(x, y) for x, y in points], width)


# The design, in units of the 64-unit box.
BODY = (32, 39, 21, 19.5)
EYES = [(24.5, 35.5), (39.5, 35.5)]
EYE_SIZE = (6.0, 7.0)
LOOK = (1.3, 0.6)   # where the pupils look
PUPIL = 3.1
FEET = [(23.5, 58.0), (40.5, 58.0)]
ANTENNA = [(32, 20.5), (32.6, 14), (33.4, 9.5)]
BALL = (33.6, 7.4, 3.6)


def _eye_parts(f, cx, cy, eye_scale):
    rx, ry = EYE_SIZE[0] * eye_scale, EYE_SIZE[1] * eye_scale
    white = f.ellipse(cx, cy, rx, ry)
    px, py = cx + LOOK[0] * eye_scale, cy + LOOK[1] * eye_scale
    pupil = f.circle(px, py, PUPIL * eye_scale)
    glint = f.circle(px - 1.0 * eye_scale, py - 1.2 * eye_scale, 0.95 * eye_scale)
    return white, pupil, glint


def draw(size):
    """The colour mascot on a transparent square of `size` pixels."""
    if size <= 16:
        return _draw_tiny(size)
    canvas = Canvas(size, size, opaque=False)
    medium = size <= 32
    f = Frame(size / 64.0)
    edge = max(1.0, f.n(1.9))
    eye_scale = 1.12 if medium else 1.0

    body = f.ellipse(*BODY)
    feet = Union(*[f.ellipse(x, y, 6.2, 3.4) for x, y in FEET])

    # Antenna behind the body, with radio waves around its ball on the larger sizes.
    if not medium:
        for radius in (7.5, 11.5):
            for a0, a1 in ((-40, 40), (140, 220)):
                pts = arc(BALL[0], BALL[1], radius, radius, a0, a1, 10)
                canvas.paint(f.stroke(pts, 1.7), (255, 140, 60), opacity=0.9)
    canvas.paint(f.stroke(ANTENNA, edge * 1.1), NAVY)
    ball = f.circle(*BALL)
    canvas.paint(ball.grow(edge * 0.8), NAVY)
    bx, by = f.p(BALL[0] - 1.2, BALL[1] - 1.2)
    canvas.paint(ball, lambda x, y: mix((255, 200, 170), ANTENNA_BALL,
                                        clamp(math.hypot(x - bx, y - by) / f.n(3.5))))

    # Feet, then the body over them.
    canvas.paint(feet.grow(edge), NAVY)
    canvas.paint(feet, (28, 88, 170))
    canvas.paint(body.grow(edge), NAVY)
    top = f.p(0, BODY[1] - BODY[3])[1]
    bottom = f.p(0, BODY[1] + BODY[3])[1]
    canvas.paint(body, vertical_gradient(top, bottom, BODY_LIGHT, BODY_DARK), samples=2)
    if not medium:
        canvas.paint(f.ellipse(32, 49, 11, 6.5).within(body), BELLY, opacity=0.85)
        for cx in (17.5, 46.5):
            canvas.paint(f.ellipse(cx, 44.5, 2.8, 1.6), CHEEK, opacity=0.6)
    canvas.paint(f.stroke(arc(32, 42.0, 4.6, 3.4, 25, 155, 12), edge * 0.9), NAVY)

    for cx, cy in EYES:
        white, pupil, glint = _eye_parts(f, cx, cy, eye_scale)
        canvas.paint(white.grow(edge * 0.8), NAVY)
        canvas.paint(white, (255, 255, 255))
        canvas.paint(pupil, (12, 16, 28))
        canvas.paint(glint, (255, 255, 255))
    return canvas


def _draw_tiny(size):
    """At 16 pixels the face is all that reads: a full round body, big eyes and the
    antenna's ball, laid out pixel by pixel."""
    canvas = Canvas(size, size, opaque=False)
    k = size / 16.0
    body = Circle(8 * k, 9.6 * k, 6.1 * k)
    canvas.paint(Stroke([(8.3 * k, 4 * k), (9.0 * k, 2.4 * k)], 1.0), NAVY)
    ball = Circle(9.2 * k, 2.0 * k, 1.5 * k)
    canvas.paint(ball.grow(0.6), NAVY)
    canvas.paint(ball, ANTENNA_BALL)
    canvas.paint(body.grow(1.0), NAVY)
    canvas.paint(body, vertical_gradient(3.5 * k, 15.7 * k, BODY_LIGHT, BODY_DARK))
    for cx in (5.6, 10.4):
        white = Ellipse(cx * k, 8.7 * k, 2.1 * k, 2.5 * k)
        canvas.paint(white.grow(0.5), NAVY)
        canvas.paint(white, (255, 255, 255))
        canvas.paint(Circle((cx + 0.55) * k, 9.1 * k, 1.15 * k), (12, 16, 28))
    return canvas


def draw_ink(canvas, f, ink=(0, 0, 0), line=1.5):
    """The mascot as a black-and-white line drawing, in the frame `f` on `canvas`."""
    white = (255, 255, 255)
    body = f.ellipse(*BODY)
    # Antenna and its radio waves.
    canvas.paint(f.stroke(ANTENNA, line * 1.1), ink)
    for radius in (7.0, 11.0):
        for a0, a1 in ((-38, 38), (142, 218)):
            canvas.paint(f.stroke(arc(BALL[0], BALL[1], radius, radius, a0, a1, 10), line * 0.9), ink)
    ball = f.circle(*BALL)
    canvas.paint(ball.grow(line / 2), ink)
    canvas.paint(ball.grow(-line / 2), white)
    bx, by = f.p(BALL[0] - 1.0, BALL[1] - 1.0)
    canvas.paint(Circle(bx, by, f.n(0.9)), ink)
    # Feet and body, outlined and filled white.
    for x, y in FEET:
        foot = f.ellipse(x, y, 6.2, 3.4)
        canvas.paint(foot.grow(line / 2), ink)
        canvas.paint(foot.grow(-line / 2), white)
    canvas.paint(body.grow(line / 2), ink)
    canvas.paint(body.grow(-line / 2), white)
    # Hatching along the shaded lower right of the body.
    hatch = []
    for i in range(8):
        x0 = 30 + i * 3.4
        hatch.append(f.stroke([(x0, 62), (x0 + 14, 42)], line * 0.7))
    shade = body.grow(-line * 1.2).minus(f.ellipse(27.5, 33.5, 21.0, 20.0))
    canvas.paint(Union(*hatch).within(shade), ink)
    # Face.
    for cx, cy in EYES:
        white_part, pupil, glint = _eye_parts(f, cx, cy, 1.0)
        canvas.paint(white_part.outline(line / 2), ink)
        canvas.paint(pupil, ink)
        canvas.paint(glint, white)
    canvas.paint(f.stroke(arc(32, 42.0, 4.6, 3.4, 25, 155, 12), line), ink)
    return body
