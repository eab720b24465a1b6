"""Palettes for the icon's 256- and 16-colour images, chosen from the image's own colours."""

def median_cut(colours, count):
    """Reduces a list of RGB colours (repeats weigh more) to at most `count` colours."""
    unique = sorted(set(colours))
    if len(unique) <= count:
        return unique
    boxes = [colours]
    while len(boxes) < count:
        # Split the box with the widest channel range at its median.
        best = None
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for k in range(3):
                values = [c[k] for c in box]
                spread = max(values) - min(values)
                if best is None or spread > best[0]:
                    best = (spread, i, k)
        if best is None or best[0] == 0:
            break
        _, i, k = best
        box = sorted(boxes.pop(i), key=lambda c: c[k])
        half = len(box) // 2
        boxes += [box[:half], box[half:]]
    return [tuple(round(sum(c[k] for c in box) / len(box)) for k in range(3))
            for box in boxes if box]


def nearest(palette, colour):
    r, g, b = colour
    best, best_d = 0, None
    for i, (pr, pg, pb) in enumerate(palette):
        # Weighted so that greens, to which the eye is most sensitive, match best.
        d = 3 * (pr - r) ** 2 + 4 * (pg - g) ** 2 + 2 * (pb - b) ** 2
        if best_d is None or d < best_d:
            best, best_d = i, d
    return best
