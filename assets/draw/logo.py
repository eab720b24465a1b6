"""The maker's mark for the About window, 84 x 108 greyscale: the mascot as an ink drawing,
peering through a magnifying glass, over the hand-lettered name."""

import lettering
import mascot
from raster import Canvas, Circle, Stroke, Union, bezier

INK = (0, 0, 0)
LINE = 1.5


def draw():
    canvas = Canvas(84, 108)
    f = mascot.Frame(1.12, 4.0, 2.0)

    # The arm holding the magnifying glass goes behind the body's outline.
    hand = f.p(57.5, 36.5)
    lens_x, lens_y = f.p(61, 19.5)
    lens_r = f.n(6.8)
    canvas.paint(Stroke(bezier(f.p(49, 44), f.p(54, 43), f.p(56, 40), hand, 8), LINE * 1.6), INK)
    mascot.draw_ink(canvas, f, INK, LINE)
    # The handle runs from the hand into the rim of the lens.
    canvas.paint(Stroke([hand, (lens_x - lens_r * 0.35, lens_y + lens_r * 0.9)], LINE * 2.4), INK)
    canvas.paint(Circle(*hand, f.n(2.3)).grow(LINE / 2), INK)
    canvas.paint(Circle(*hand, f.n(2.3)).grow(-LINE / 2), (255, 255, 255))
    lens = Circle(lens_x, lens_y, lens_r)
    canvas.paint(lens.grow(LINE * 0.9), INK)
    canvas.paint(lens.grow(-LINE * 0.4), (255, 255, 255))
    canvas.paint(Stroke(bezier((lens_x - lens_r * 0.55, lens_y - lens_r * 0.1),
                               (lens_x - lens_r * 0.5, lens_y - lens_r * 0.5),
                               (lens_x - lens_r * 0.2, lens_y - lens_r * 0.62),
                               (lens_x + lens_r * 0.05, lens_y - lens_r * 0.6), 6), 1.0), INK)
    # The other arm waves hello.
    wave = bezier(f.p(12.0, 44), f.p(7.5, 43), f.p(5.0, 38), f.p(5.5, 33), 8)
    canvas.paint(Stroke(wave, LINE * 1.6), INK)
    mitt = Circle(*f.p(5.8, 31), f.n(2.3))
    canvas.paint(mitt.grow(LINE / 2), INK)
    canvas.paint(mitt.grow(-LINE / 2), (255, 255, 255))

    # The ground and the hand-lettered name with a swash beneath it.
    canvas.paint(Stroke(bezier((10, 73), (30, 71.5), (55, 74.5), (74, 72.5), 16), 1.0), INK)
    height, spacing = 13.0, 2.8
    width = lettering.text_width("TINDREL", lettering.CAPITAL_GLYPHS, height, spacing)
    left = (canvas.width - width) / 2
    strokes, _ = lettering.layout("TINDREL", lettering.CAPITAL_GLYPHS, left, 94, height, spacing,
                                  slant=0.05, wobble=0.45, seed=5)
    canvas.paint(Union(*[Stroke(s, 2.0) for s in strokes]), INK)
    swash = bezier((left - 2, 101), (left + 20, 97.5), (left + width - 20, 103.5),
                   (left + width + 3, 98.5), 20)
    widths = [0.6 + 1.6 * (1 - abs(2 * i / (len(swash) - 1) - 1)) for i in range(len(swash))]
    canvas.paint(Stroke(swash, widths), INK)
    return canvas
