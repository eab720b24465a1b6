#!/usr/bin/env python3
"""Describes the alert clip without listening to it: its layout, where the sound starts
and stops, the pitch along the whoop and how rich its tone is.

    python3 assets/analyse_clip.py [assets/sound/alert.wav]
"""

import cmath
import math
import os
import struct
import sys


def read_clip(path):
    data = open(path, "rb").read()
    assert data[:4] == b"RIFF" and data[8:16] == b"WAVEfmt "
    tag, channels, rate, avg, align, bits = struct.unpack("<HHIIHH", data[20:36])
    assert data[36:40] == b"data"
    length = struct.unpack("<I", data[40:44])[0]
    print("file %d bytes, RIFF length %d, fmt %d, tag %d, %d channel(s), %d Hz, %d B/s, "
          "align %d, %d bits, data %d bytes"
          % (len(data), struct.unpack("<I", data[4:8])[0], struct.unpack("<I", data[16:20])[0],
             tag, channels, rate, avg, align, bits, length))
    return rate, [b - 128 for b in data[44:44 + length]]


def pitch(frame, rate, low=200, high=1500):
    """The fundamental by autocorrelation: the shortest lag that repeats the frame almost
    as well as the best one does (longer lags repeat it too, an octave or more lower)."""
    def r(lag):
        return sum(frame[i] * frame[i + lag] for i in range(len(frame) - lag)) / (len(frame) - lag)

    lags = range(int(rate / high), int(rate / low) + 1)
    scores = {lag: r(lag) for lag in lags}
    top = max(scores.values())
    best_lag = next(lag for lag in lags
                    if scores[lag] >= 0.9 * top and scores[lag] >= scores.get(lag + 1, 0.0)
                    and scores[lag] >= scores.get(lag - 1, 0.0))
    # Refine between neighbouring lags with a parabola.
    a, b, c = r(best_lag - 1), r(best_lag), r(best_lag + 1)
    shift = 0.5 * (a - c) / (a - 2 * b + c) if a - 2 * b + c else 0.0
    return rate / (best_lag + shift)


def harmonic_levels(frame, rate, f0, count=6):
    """The level of the first harmonics relative to the fundamental, in dB."""
    window = [0.5 - 0.5 * math.cos(2 * math.pi * i / (len(frame) - 1)) for i in range(len(frame))]
    levels = []
    for k in range(1, count + 1):
        w = 2 * math.pi * k * f0 / rate
        s = sum(frame[i] * window[i] * cmath.exp(-1j * w * i) for i in range(len(frame)))
        levels.append(abs(s))
    return [20 * math.log10(max(level, 1e-9) / levels[0]) for level in levels]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    path = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "sound", "alert.wav")
    rate, samples = read_clip(path)
    sounding = [i for i, s in enumerate(samples) if s != 0]
    first, last = sounding[0], sounding[-1]
    print("length %.3f s; silence until %.3f s; sound for %.3f s; silence for the last %.3f s"
          % (len(samples) / rate, first / rate, (last + 1 - first) / rate,
             (len(samples) - last - 1) / rate))
    print("peak %d of 127" % max(abs(s) for s in samples))
    frame_length = 512
    for at in (0.05, 0.25, 0.5, 0.75, 0.95):
        start = first + int(at * (last - first - frame_length))
        frame = samples[start:start + frame_length]
        f0 = pitch(frame, rate)
        levels = harmonic_levels(frame, rate, f0)
        print("at %.2f s: pitch %4.0f Hz; harmonics 2-6 at %s dB"
              % (start / rate, f0, " ".join("%.0f" % v for v in levels[1:])))


if __name__ == "__main__":
    main()
