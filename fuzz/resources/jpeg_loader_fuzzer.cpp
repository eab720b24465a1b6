// Feeds arbitrary bytes to the picture loader: it must never read outside them, crash,
// leak or hang, whatever libjpeg makes of them.
#include "core/resources/picture_table.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    tindrel::enable_jpeg_decoding();
    const tindrel::Picture* picture = tindrel::load_picture(0, {data, size});
    if (picture != nullptr &&
        picture->pixels.size() != picture->stride * static_cast<std::size_t>(picture->height)) {
        __builtin_trap();
    }
    tindrel::release_picture(0);
    return 0;
}
