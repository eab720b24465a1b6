#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tindrel {

// A decoded picture: 24 bits per pixel in red, green, blue byte order, rows from the top,
// each row padded to a multiple of 4 bytes. The layout is that of QImage::Format_RGB888,
// so the front end can wrap it without copying:
//
//   QImage(p->pixels.data(), p->width, p->height, p->stride, QImage::Format_RGB888)
struct Picture {
    int width = 0;
    int height = 0;
    int depth = 24;         // bits per pixel; always 24
    std::size_t stride = 0; // bytes per row
    std::vector<uint8_t> pixels;

    const uint8_t* row(int y) const { return pixels.data() + static_cast<std::size_t>(y) * stride; }
};

} // namespace tindrel
