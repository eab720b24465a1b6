#pragma once

#include "core/resources/picture.h"

#include <cstdint>
#include <optional>
#include <span>

namespace tindrel {

// The largest picture decode_jpeg accepts, in pixels (48 MiB of pixel data). The
// program's own pictures are far smaller; the limit keeps a damaged size field from
// asking for gigabytes.
inline constexpr std::int64_t max_picture_pixels = std::int64_t{1} << 24;

// Decodes a JPEG stream held in memory into a 24-bit picture of the stream's own size,
// upright, greyscale expanded to three equal channels. Reads only within `bytes`: data
// that ends early is completed as libjpeg's own sources do (a warning and an inserted
// end-of-image marker, the missing part filled in), which is not a failure.
// Returns nullopt when the data does not begin with the start-of-image marker FF D8, when
// libjpeg finds a fatal error (no image, corrupt headers, unsupported colour space), when
// the picture is larger than max_picture_pixels or when memory runs out. Nothing leaks and
// nothing is printed either way. `warnings`, when given, receives libjpeg's warning count.
std::optional<Picture> decode_jpeg(std::span<const uint8_t> bytes, long* warnings = nullptr);

} // namespace tindrel
