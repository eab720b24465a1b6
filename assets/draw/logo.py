from raster import Canvas
def draw():
    return Canvas(84, 108)
