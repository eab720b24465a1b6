"""The About window's banner, 235 x 92: "Tindrel" in blue in the middle, two desktop
computers on the left and a laptop and a network switch on the right, each wired to the
lettering."""

import lettering
from raster import Box, Canvas, Circle, Polygon, Stroke, Union, vertical_gradient

INK = (38, 44, 56)            # outlines of the machines
CASE_LIGHT = (236, 238, 242)
CASE_DARK = (196, 201, 210)
SCREEN_TOP = (92, 170, 235)
SCREEN_BOTTOM = (22, 80, 160)
WIRE = (120, 132, 150)
LED_GREEN = (40, 210, 70)
LETTER_LIGHT = (86, 170, 255)
LETTER_DARK = (16, 72, 190)
LETTER_EDGE = (10, 34, 96)


def _outlined_box(canvas, x0, y0, x1, y1, r, fill, edge=INK, width=1.0):
    canvas.paint(Box(x0, y0, x1, y1, r), edge)
    canvas.paint(Box(x0 + width, y0 + width, x1 - width, y1 - width, max(0.0, r - width)), fill)


def _screen(canvas, x0, y0, x1, y1, content):
    canvas.paint(Box(x0, y0, x1, y1, 1.0), vertical_gradient(y0, y1, SCREEN_TOP, SCREEN_BOTTOM))
    # A soft reflection across the upper left of the glass.
    canvas.paint(Polygon([(x0, y0), (x0 + (x1 - x0) * 0.55, y0), (x0, y0 + (y1 - y0) * 0.7)]),
                 (255, 255, 255), opacity=0.18)
    content(canvas, x0, y0, x1, y1)


def _graph(canvas, x0, y0, x1, y1):
    """A monitoring trace: a steady line with one dip."""
    w, h = x1 - x0, y1 - y0
    pts = [(x0 + 2, y0 + h * 0.45), (x0 + w * 0.3, y0 + h * 0.4), (x0 + w * 0.42, y0 + h * 0.72),
           (x0 + w * 0.52, y0 + h * 0.25), (x0 + w * 0.66, y0 + h * 0.48), (x1 - 2, y0 + h * 0.42)]
    canvas.paint(Stroke(pts, 1.1), (150, 255, 170))


def _window_lines(canvas, x0, y0, x1, y1):
    """A window with a title bar and lines of text."""
    canvas.paint(Box(x0 + 2, y0 + 2, x1 - 2, y1 - 2, 0.5), (235, 242, 250))
    canvas.paint(Box(x0 + 2, y0 + 2, x1 - 2, y0 + 4.2), (40, 110, 200))
    for i, length in enumerate((0.8, 0.55, 0.7)):
        y = y0 + 6.5 + i * 2.6
        if y > y1 - 3:
            break
        canvas.paint(Stroke([(x0 + 4, y), (x0 + 4 + (x1 - x0 - 8) * length, y)], 1.0), (120, 130, 145))


def desktop(canvas, x, y, content):
    """A monitor on a stand with a tower case at its left; (x, y) is the top left."""
    # Tower: a tall case with a drive slot, a button and a power light.
    tx0, ty0, tx1, ty1 = x, y + 6, x + 12, y + 34
    _outlined_box(canvas, tx0, ty0, tx1, ty1, 1.5,
                  vertical_gradient(ty0, ty1, CASE_LIGHT, CASE_DARK))
    canvas.paint(Box(tx0 + 2.5, ty0 + 4, tx1 - 2.5, ty0 + 5.5, 0.5), INK)
    canvas.paint(Box(tx0 + 2.5, ty0 + 8, tx1 - 2.5, ty0 + 9.5, 0.5), (120, 126, 136))
    canvas.paint(Circle(tx0 + 6, ty1 - 5, 1.4), LED_GREEN)
    # Monitor: bezel, glass, neck and foot.
    mx0, my0, mx1, my1 = x + 15, y, x + 45, y + 23
    canvas.paint(Polygon([(mx0 + 12, my1), (mx1 - 12, my1), (mx1 - 10, my1 + 7),
                          (mx0 + 10, my1 + 7)]), (150, 156, 166))
    _outlined_box(canvas, mx0 + 5, my1 + 6, mx1 - 5, my1 + 10, 1.5, CASE_DARK)
    _outlined_box(canvas, mx0, my0, mx1, my1, 2.0,
                  vertical_gradient(my0, my1, CASE_LIGHT, CASE_DARK))
    _screen(canvas, mx0 + 2.5, my0 + 2.5, mx1 - 2.5, my1 - 3.5, content)


def laptop(canvas, x, y):
    """An open laptop; (x, y) is the top left of its lid."""
    lx0, ly0, lx1, ly1 = x + 4, y, x + 40, y + 24
    _outlined_box(canvas, lx0, ly0, lx1, ly1, 2.0, (70, 76, 88))
    _screen(canvas, lx0 + 2.5, ly0 + 2.5, lx1 - 2.5, ly1 - 2.0, _graph)
    # The deck in perspective, with rows of keys and a touch pad.
    base_y, front_y = ly1, ly1 + 9
    deck = [(lx0, base_y), (lx1, base_y), (lx1 + 4.5, front_y), (lx0 - 4.5, front_y)]
    canvas.paint(Polygon(deck).grow(0.6), INK)
    canvas.paint(Polygon(deck).grow(-0.5), vertical_gradient(base_y, front_y, CASE_LIGHT, CASE_DARK))
    for row in range(3):
        yy = base_y + 1.8 + row * 1.9
        inset = 1.5 - row * 1.3 * 0.5
        keys = 11
        span0, span1 = lx0 + inset + 1.5, lx1 - inset - 1.5
        for k in range(keys):
            kx = span0 + (span1 - span0) * (k + 0.5) / keys
            canvas.paint(Box(kx - 1.0, yy - 0.55, kx + 1.0, yy + 0.55), (110, 116, 128))
    canvas.paint(Box((lx0 + lx1) / 2 - 4, front_y - 2.6, (lx0 + lx1) / 2 + 4, front_y - 1.2, 0.5),
                 (170, 176, 186))
    canvas.paint(Stroke([(lx0 - 4.5, front_y + 0.3), (lx1 + 4.5, front_y + 0.3)], 1.0), INK)


def switch(canvas, x, y):
    """A rack switch seen from the front and a little above; (x, y) is its top left."""
    w, top, front = 46, 5, 13
    lid = [(x + 4, y), (x + w, y), (x + w - 4, y + top), (x, y + top)]
    canvas.paint(Polygon(lid).grow(0.6), INK)
    canvas.paint(Polygon(lid).grow(-0.4), (214, 220, 228))
    _outlined_box(canvas, x - 0.6, y + top - 0.6, x + w - 4 + 0.6, y + top + front, 1.0,
                  vertical_gradient(y + top, y + top + front, (92, 100, 114), (58, 64, 76)))
    # Eight ports with a link light above each; one light is off.
    for p in range(8):
        px = x + 4 + p * 4.6
        canvas.paint(Circle(px + 1.6, y + top + 3.0, 0.85), LED_GREEN if p != 5 else (70, 76, 84))
        canvas.paint(Box(px, y + top + 5, px + 3.4, y + top + 10, 0.4), (18, 20, 26))
        canvas.paint(Box(px + 0.9, y + top + 5, px + 2.5, y + top + 6.1), (120, 126, 136))


def _lettering_strokes(canvas_width):
    height = 34.0
    spacing = 4.6
    width = lettering.text_width("Tindrel", lettering.BANNER_GLYPHS, height, spacing)
    left = (canvas_width - width) / 2 - 2
    strokes, _ = lettering.layout("Tindrel", lettering.BANNER_GLYPHS, left, BASELINE, height,
                                  spacing, slant=0.12)
    return strokes, BASELINE - 0.86 * height


def _paint_lettering(canvas, strokes, cap_top):
    stroke_width = 6.4
    letters = Union(*[Stroke(s, stroke_width) for s in strokes])
    # A soft shadow, a dark rim, the blue body and a light stripe along the top of each
    # stroke give the lettering its depth.
    shadow = Union(*[Stroke([(px + 2.0, py + 2.2) for px, py in s], stroke_width) for s in strokes])
    canvas.paint(shadow.grow(1.0), (150, 160, 178), opacity=0.45)
    canvas.paint(letters.grow(1.4), LETTER_EDGE)
    canvas.paint(letters, vertical_gradient(cap_top - 4, BASELINE + 4, LETTER_LIGHT, LETTER_DARK),
                 samples=3)
    shine = Union(*[Stroke([(px - 0.9, py - 1.1) for px, py in s], stroke_width * 0.28)
                    for s in strokes])
    canvas.paint(shine.within(letters.grow(-1.2)), (255, 255, 255), opacity=0.45)


def _wire(canvas, start, end):
    canvas.paint(Stroke([start, end], 1.6), WIRE)
    canvas.paint(Circle(start[0], start[1], 2.0), (90, 102, 122))


BASELINE = 60.0


def draw():
    canvas = Canvas(235, 92)
    strokes, cap_top = _lettering_strokes(canvas.width)
    t_bar, t_stem = strokes[0], strokes[1]
    l_stem = strokes[-1]
    # Wires first, each ending under a letter: the T's bar and foot on the left, the l's
    # top and foot on the right.
    _wire(canvas, (45, 22), t_bar[0])
    _wire(canvas, (45, 68), t_stem[-1])
    _wire(canvas, (196, 22), l_stem[0])
    _wire(canvas, (189, 70), l_stem[-1])
    desktop(canvas, 3, 4, _window_lines)
    desktop(canvas, 3, 50, _graph)
    laptop(canvas, 188, 6)
    switch(canvas, 186, 58)
    _paint_lettering(canvas, strokes, cap_top)
    return canvas
