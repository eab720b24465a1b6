#!/usr/bin/env python3
"""Draws Tindrel's artwork and alert clip into this folder.

The outputs are committed and compiled into the program; run this again after changing a
drawing (Python 3 and ImageMagick's `convert` are needed):

    python3 assets/draw_assets.py
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "draw"))

import clip  # noqa: E402
import files  # noqa: E402
import icon  # noqa: E402
import pictures  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))


def out(*parts):
    path = os.path.join(HERE, *parts)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    return path


def main():
    only = set(sys.argv[1:])
    for name, draw, grey, quality in pictures.PICTURES:
        if only and name not in only:
            continue
        canvas = draw()
        pixels = canvas.grey_bytes() if grey else canvas.rgb_bytes()
        files.write_jpeg(out("pictures", name + ".jpg"), canvas.width, canvas.height, pixels,
                         grey, quality)
    if not only or "icon" in only:
        icon.write_all(lambda name: out("icon", name))
    if not only or "clip" in only:
        files.write_wav(out("sound", "alert.wav"), clip.RATE, clip.whoop_samples())


if __name__ == "__main__":
    main()
