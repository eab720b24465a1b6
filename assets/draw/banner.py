from raster import Canvas
def draw():
    return Canvas(235, 92)
