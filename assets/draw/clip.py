"""The alert clip: 0.2 s of silence, a rising whoop of 0.9 s, silence to the end."""

import math

RATE = 11025
LENGTH = 14329  # samples, about 1.3 s
LEAD_IN = int(0.2 * RATE)
WHOOP = int(0.9 * RATE)
START_HZ = 400.0
END_HZ = 860.0
# A bright, brassy tone: harmonic k at 1/k (a softened sawtooth), limited below the
# Nyquist frequency so that nothing folds back as the pitch climbs.
HARMONIC_LIMIT_HZ = 5000.0
ATTACK_S = 0.02
RELEASE_S = 0.06
PEAK = 0.82  # of full scale


def whoop_samples():
    samples = [128] * LENGTH
    phase = 0.0
    raw = []
    for n in range(WHOOP):
        t = n / RATE
        frequency = START_HZ + (END_HZ - START_HZ) * n / (WHOOP - 1)
        phase += 2 * math.pi * frequency / RATE
        value = 0.0
        k = 1
        while k * frequency < HARMONIC_LIMIT_HZ:
            value += math.sin(k * phase) / k
            k += 1
        envelope = min(1.0, t / ATTACK_S, (WHOOP / RATE - t) / RELEASE_S)
        # A slight swell as the pitch rises gives the whoop its push.
        envelope *= 0.8 + 0.2 * n / WHOOP
        raw.append(value * max(0.0, envelope))
    scale = PEAK / max(abs(v) for v in raw)
    for n, v in enumerate(raw):
        samples[LEAD_IN + n] = max(0, min(255, int(round(128 + 127 * v * scale))))
    return samples
