#include "core/resources/picture_table.h"

#include "core/resources/jpeg_decoder.h"

#include <map>
#include <memory>
#include <new>

namespace tindrel {
namespace {

bool jpeg_enabled = false;

// Pictures are few and live from start-up to shutdown; the map keeps each one at a fixed
// address, which is the handle the callers hold.
std::map<int, std::unique_ptr<Picture>>& table() {
    static std::map<int, std::unique_ptr<Picture>> pictures;
    return pictures;
}

} // namespace

void enable_jpeg_decoding() {
    jpeg_enabled = true;
}

const Picture* load_picture(int number, std::span<const uint8_t> bytes) {
    release_picture(number);
    if (!jpeg_enabled) {
        return nullptr;
    }
    std::optional<Picture> decoded = decode_jpeg(bytes);
    if (!decoded) {
        return nullptr;
    }
    try {
        auto& slot = table()[number];
        slot = std::make_unique<Picture>(std::move(*decoded));
        return slot.get();
    } catch (const std::bad_alloc&) {
        table().erase(number);
        return nullptr;
    }
}

const Picture* find_picture(int number) {
    const auto it = table().find(number);
    return it == table().end() ? nullptr : it->second.get();
}

void release_picture(int number) {
    table().erase(number);
}

void release_all_pictures() {
    table().clear();
}

} // namespace tindrel
