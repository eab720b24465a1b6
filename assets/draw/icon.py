"""The program icon: the mascot at 16, 32, 48 and 64 pixels, as PNGs and as a Windows icon."""

import files
import mascot
import palette

PNG_SIZES = [16, 32, 48, 64]
# The nine images of the Windows icon: size and bits per pixel.
ICO_IMAGES = [(64, 32), (48, 32), (32, 32), (16, 32),
              (48, 8), (32, 8), (16, 8),
              (32, 4), (16, 4)]


def write_all(out):
    rows = {size: mascot.draw(size).rgba_rows() for size in PNG_SIZES}
    for size in PNG_SIZES:
        files.write_png(out("tindrel-%d.png" % size), rows[size])
    images = []
    for size, bpp in ICO_IMAGES:
        images.append(_ico_image(rows[size], size, bpp))
    files.write_ico(out("tindrel.ico"), images)


def _ico_image(rgba_rows, size, bpp):
    if bpp == 32:
        entries = [{"rgba": row, "transparent": [a < 128 for *_, a in row]} for row in rgba_rows]
        return (size, 32, entries, None)
    opaque = [(r, g, b) for row in rgba_rows for r, g, b, a in row if a >= 128]
    colours = palette.median_cut(opaque, 1 << bpp)
    entries = []
    for row in rgba_rows:
        entries.append({
            "index": [palette.nearest(colours, (r, g, b)) if a >= 128 else 0 for r, g, b, a in row],
            "transparent": [a < 128 for *_, a in row],
        })
    return (size, bpp, entries, colours)
