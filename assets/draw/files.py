"""Writers for the artwork's file formats: PNG and ICO by hand, JPEG through ImageMagick."""

import os
import struct
import subprocess
import tempfile
import zlib


def write_png(path, rows):
    """Writes RGBA rows (lists of (r, g, b, a) tuples) as an 8-bit RGBA PNG."""
    height, width = len(rows), len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for pixel in row:
            raw += bytes(pixel)

    def chunk(kind, body):
        crc = zlib.crc32(kind + body) & 0xFFFFFFFF
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", crc)

    data = b"\x89PNG\r\n\x1a\n"
    data += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    data += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    data += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(data)


def write_jpeg(path, width, height, pixels, grey, quality):
    """Encodes raw pixels (RGB, or one grey byte per pixel) as a baseline JFIF 1.01 JPEG at
    72 dpi, without thumbnail or metadata; colour is YCbCr with 4:2:0 chroma."""
    kind = "P5" if grey else "P6"
    with tempfile.TemporaryDirectory() as tmp:
        source = os.path.join(tmp, "picture.pnm")
        with open(source, "wb") as f:
            f.write(b"%s\n%d %d\n255\n" % (kind.encode(), width, height))
            f.write(pixels)
        options = ["-strip", "-interlace", "none", "-quality", str(quality),
                   "-units", "PixelsPerInch", "-density", "72"]
        if grey:
            options += ["-type", "Grayscale", "-colorspace", "Gray"]
        else:
            # TrueColor keeps three components even for a picture that happens to be grey.
            options += ["-type", "TrueColor", "-sampling-factor", "2x2,1x1,1x1"]
        subprocess.run(["convert", source] + options + ["jpeg:" + path], check=True)


def write_ico(path, images):
    """Writes a Windows icon from a list of (width, bits_per_pixel, rows, palette) entries.

    32-bit entries carry straight alpha; paletted entries (8 or 4 bits) hold palette indices
    and take their transparency from the AND mask. Every entry is a bottom-up DIB.
    """
    entries = []
    bodies = []
    for width, bpp, rows, palette in images:
        body = _dib(width, bpp, rows, palette)
        colours = 0 if bpp >= 8 else (1 << bpp)
        entries.append((width, colours, bpp, body))
        bodies.append(body)
    header = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    directory = b""
    for width, colours, bpp, body in entries:
        size = 0 if width >= 256 else width
        directory += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bpp, len(body), offset)
        offset += len(body)
    with open(path, "wb") as f:
        f.write(header + directory + b"".join(bodies))


def _dib(width, bpp, rows, palette):
    height = len(rows)
    palette_size = 0 if bpp == 32 else (1 << bpp)
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, bpp, 0, 0, 0, 0,
                       palette_size if bpp != 32 else 0, 0)
    colour_table = b""
    if bpp != 32:
        for r, g, b in palette:
            colour_table += bytes((b, g, r, 0))
        colour_table += b"\0\0\0\0" * (palette_size - len(palette))

    def padded(row_bytes):
        return row_bytes + b"\0" * ((-len(row_bytes)) % 4)

    xor = b""
    mask = b""
    for row in reversed(rows):
        if bpp == 32:
            xor += padded(b"".join(bytes((b, g, r, a)) for r, g, b, a in row["rgba"]))
        elif bpp == 8:
            xor += padded(bytes(row["index"]))
        else:
            packed = bytearray()
            idx = row["index"]
            for x in range(0, width, 2):
                hi = idx[x]
                lo = idx[x + 1] if x + 1 < width else 0
                packed.append((hi << 4) | lo)
            xor += padded(bytes(packed))
        bits = bytearray((width + 7) // 8)
        for x, transparent in enumerate(row["transparent"]):
            if transparent:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += padded(bytes(bits))
    return info + colour_table + xor + mask


def write_wav(path, rate, samples):
    """Writes unsigned 8-bit mono PCM as a canonical RIFF/WAVE file of two chunks."""
    data = bytes(samples)
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt
    body += b"data" + struct.pack("<I", len(data)) + data
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", len(body)) + body)
