"""A small anti-aliased rasteriser for the artwork.

Shapes are signed distance functions in pixel units (negative inside). Painting a shape
covers each pixel by how far its centre lies inside the edge, which gives smooth edges
without supersampling; shading that varies inside a shape is averaged over a few
sub-samples instead.
"""

import math


def clamp(value, low=0.0, high=1.0):
    return low if value < low else high if value > high else value


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


class Canvas:
    """An RGBA image of floats (0..255 colour, 0..1 alpha), painted back to front."""

    def __init__(self, width, height, background=(255, 255, 255), opaque=True):
        self.width = width
        self.height = height
        alpha = 1.0 if opaque else 0.0
        self.rgb = [[list(background) for _ in range(width)] for _ in range(height)]
        self.alpha = [[alpha] * width for _ in range(height)]

    def paint(self, shape, colour, opacity=1.0, samples=1):
        """Covers `shape` with `colour`, a tuple or a function of (x, y) giving one."""
        x0, y0, x1, y1 = shape.bounds
        x0 = max(0, int(math.floor(x0)) - 1)
        y0 = max(0, int(math.floor(y0)) - 1)
        x1 = min(self.width, int(math.ceil(x1)) + 1)
        y1 = min(self.height, int(math.ceil(y1)) + 1)
        offsets = [((i + 0.5) / samples, (j + 0.5) / samples)
                   for j in range(samples) for i in range(samples)]
        for y in range(y0, y1):
            for x in range(x0, x1):
                if samples == 1:
                    coverage = clamp(0.5 - shape.distance(x + 0.5, y + 0.5))
                    if coverage <= 0.0:
                        continue
                    c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                else:
                    coverage = 0.0
                    acc = [0.0, 0.0, 0.0]
                    for ox, oy in offsets:
                        px, py = x + ox, y + oy
                        inside = clamp(0.5 - shape.distance(px, py) * samples)
                        if inside <= 0.0:
                            continue
                        c = colour(px, py) if callable(colour) else colour
                        coverage += inside
                        for k in range(3):
                            acc[k] += c[k] * inside
                    if coverage <= 0.0:
                        continue
                    c = [a / coverage for a in acc]
                    coverage /= len(offsets)
                self._blend(x, y, c, coverage * opacity)

    def _blend(self, x, y, colour, a):
        below_a = self.alpha[y][x]
        out_a = a + below_a * (1.0 - a)
        if out_a <= 0.0:
            return
        below = self.rgb[y][x]
        for k in range(3):
            below[k] = (colour[k] * a + below[k] * below_a * (1.0 - a)) / out_a
        self.alpha[y][x] = out_a

    def rgb_bytes(self):
        out = bytearray()
        for row in self.rgb:
            for c in row:
                out += bytes(int(round(clamp(v, 0, 255))) for v in c)
        return bytes(out)

    def grey_bytes(self):
        out = bytearray()
        for row in self.rgb:
            for r, g, b in row:
                out.append(int(round(clamp(0.299 * r + 0.587 * g + 0.114 * b, 0, 255))))
        return bytes(out)

    def rgba_rows(self):
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                r, g, b = (int(round(clamp(v, 0, 255))) for v in self.rgb[y][x])
                row.append((r, g, b, int(round(clamp(self.alpha[y][x]) * 255))))
            rows.append(row)
        return rows


# Shapes ------------------------------------------------------------------------------------

class Shape:
    bounds = (0, 0, 0, 0)

    def distance(self, x, y):
        raise NotImplementedError

    def grow(self, amount):
        return Grown(self, amount)

    def outline(self, half_width):
        return Outline(self, half_width)

    def minus(self, other):
        return Difference(self, other)

    def within(self, other):
        return Intersection(self, other)


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r
        self.bounds = (cx - r, cy - r, cx + r, cy + r)

    def distance(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) - self.r


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry
        self.bounds = (cx - rx, cy - ry, cx + rx, cy + ry)

    def distance(self, x, y):
        # Scaled distance: exact on the axes, close enough for gentle ellipses.
        dx, dy = (x - self.cx) / self.rx, (y - self.cy) / self.ry
        k = math.hypot(dx, dy)
        if k == 0:
            return -min(self.rx, self.ry)
        gx, gy = dx / self.rx, dy / self.ry
        return (k - 1.0) * k / math.hypot(gx, gy)


class Box(Shape):
    """An axis-aligned rectangle with rounded corners of radius `r`."""

    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.cx, self.cy = (x0 + x1) / 2, (y0 + y1) / 2
        self.hw, self.hh = (x1 - x0) / 2, (y1 - y0) / 2
        self.r = r
        self.bounds = (x0, y0, x1, y1)

    def distance(self, x, y):
        qx = abs(x - self.cx) - self.hw + self.r
        qy = abs(y - self.cy) - self.hh + self.r
        outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
        return outside + min(max(qx, qy), 0.0) - self.r


def _segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else clamp(((px - ax) * dx + (py - ay) * dy) / length2)
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


class Stroke(Shape):
    """A polyline drawn with round ends and joins, `width` pixels wide. The width may
    change along the line: give one width per point."""

    def __init__(self, points, width):
        self.points = list(points)
        if isinstance(width, (int, float)):
            width = [width] * len(self.points)
        self.half = [w / 2 for w in width]
        m = max(self.half)
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        self.bounds = (min(xs) - m, min(ys) - m, max(xs) + m, max(ys) + m)

    def distance(self, x, y):
        best = 1e9
        pts, half = self.points, self.half
        if len(pts) == 1:
            return math.hypot(x - pts[0][0], y - pts[0][1]) - half[0]
        for i in range(len(pts) - 1):
            ax, ay = pts[i]
            bx, by = pts[i + 1]
            dx, dy = bx - ax, by - ay
            length2 = dx * dx + dy * dy
            t = 0.0 if length2 == 0 else clamp(((x - ax) * dx + (y - ay) * dy) / length2)
            d = math.hypot(x - ax - t * dx, y - ay - t * dy) - (half[i] + (half[i + 1] - half[i]) * t)
            if d < best:
                best = d
        return best


class Polygon(Shape):
    def __init__(self, points):
        self.points = list(points)
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        self.bounds = (min(xs), min(ys), max(xs), max(ys))

    def distance(self, x, y):
        pts = self.points
        best = 1e9
        inside = False
        j = len(pts) - 1
        for i in range(len(pts)):
            ax, ay = pts[j]
            bx, by = pts[i]
            best = min(best, _segment_distance(x, y, ax, ay, bx, by))
            if (by > y) != (ay > y) and x < (ax - bx) * (y - by) / (ay - by) + bx:
                inside = not inside
            j = i
        return -best if inside else best


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes
        self.bounds = (min(s.bounds[0] for s in shapes), min(s.bounds[1] for s in shapes),
                       max(s.bounds[2] for s in shapes), max(s.bounds[3] for s in shapes))

    def distance(self, x, y):
        best = 1e9
        for s in self.shapes:
            # A shape whose box lies farther off than the best so far cannot win.
            x0, y0, x1, y1 = s.bounds
            box = math.hypot(max(x0 - x, 0.0, x - x1), max(y0 - y, 0.0, y - y1))
            if box < best:
                best = min(best, s.distance(x, y))
        return best


class Grown(Shape):
    def __init__(self, shape, amount):
        self.shape, self.amount = shape, amount
        b = shape.bounds
        self.bounds = (b[0] - amount, b[1] - amount, b[2] + amount, b[3] + amount)

    def distance(self, x, y):
        return self.shape.distance(x, y) - self.amount


class Outline(Shape):
    def __init__(self, shape, half_width):
        self.shape, self.half = shape, half_width
        b = shape.bounds
        self.bounds = (b[0] - half_width, b[1] - half_width, b[2] + half_width, b[3] + half_width)

    def distance(self, x, y):
        return abs(self.shape.distance(x, y)) - self.half


class Difference(Shape):
    def __init__(self, shape, cut):
        self.shape, self.cut = shape, cut
        self.bounds = shape.bounds

    def distance(self, x, y):
        return max(self.shape.distance(x, y), -self.cut.distance(x, y))


class Intersection(Shape):
    def __init__(self, shape, mask):
        self.shape, self.mask = shape, mask
        self.bounds = shape.bounds

    def distance(self, x, y):
        return max(self.shape.distance(x, y), self.mask.distance(x, y))


# Curves ------------------------------------------------------------------------------------

def bezier(p0, p1, p2, p3, steps=12):
    """Points along a cubic Bezier curve, both ends included."""
    out = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        out.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return out


def arc(cx, cy, rx, ry, start_deg, end_deg, steps=16):
    """Points along an elliptical arc; angles in degrees, clockwise on screen from +x."""
    out = []
    for i in range(steps + 1):
        a = math.radians(start_deg + (end_deg - start_deg) * i / steps)
        out.append((cx + rx * math.cos(a), cy + ry * math.sin(a)))
    return out


def vertical_gradient(top_y, bottom_y, top, bottom):
    def colour(x, y):
        return mix(top, bottom, clamp((y - top_y) / (bottom_y - top_y)))
    return colour


def sphere_shading(cx, cy, r, base, light=(-0.45, -0.6, 0.66), shine=0.9):
    """Colour of a lit ball: diffuse base colour, a soft dark rim and a white highlight."""
    lx, ly, lz = light
    n = math.sqrt(lx * lx + ly * ly + lz * lz)
    lx, ly, lz = lx / n, ly / n, lz / n

    def colour(x, y):
        dx, dy = (x - cx) / r, (y - cy) / r
        d2 = dx * dx + dy * dy
        nz = math.sqrt(max(0.0, 1.0 - d2))
        diffuse = max(0.0, dx * lx + dy * ly + nz * lz)
        shade = 0.35 + 0.75 * diffuse
        c = tuple(clamp(v * shade, 0, 255) for v in base)
        # Phong highlight: reflect the light about the normal and look straight on.
        rz = 2 * (dx * lx + dy * ly + nz * lz) * nz - lz
        highlight = max(0.0, rz) ** 14 * shine
        return mix(c, (255, 255, 255), clamp(highlight))
    return colour
