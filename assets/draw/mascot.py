from raster import Canvas, Circle
def draw(size):
    c = Canvas(size, size, opaque=False)
    c.paint(Circle(size/2, size/2, size/2-1), (30, 120, 200))
    return c
