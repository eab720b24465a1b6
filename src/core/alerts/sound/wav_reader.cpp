#include "core/alerts/sound/wav_reader.h"

#include <cstring>

namespace tindrel {
namespace {

constexpr std::size_t chunk_header_size = 8;
constexpr std::size_t wave_format_size = 16;

uint16_t read_u16(std::span<const uint8_t> bytes, std::size_t at) {
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

uint32_t read_u32(std::span<const uint8_t> bytes, std::size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

bool has_id(std::span<const uint8_t> bytes, std::size_t at, const char (&id)[5]) {
    return std::memcmp(bytes.data() + at, id, 4) == 0;
}

} // namespace

std::optional<WaveClip> read_wav(std::span<const uint8_t> bytes) {
    constexpr std::size_t fmt_at = 12;
    constexpr std::size_t format_at = fmt_at + chunk_header_size;
    if (bytes.size() < format_at || !has_id(bytes, 0, "RIFF") || !has_id(bytes, fmt_at, "fmt ")) {
        return std::nullopt;
    }
    // 64-bit offsets: a 32-bit length added to an offset cannot wrap.
    const uint64_t fmt_length = read_u32(bytes, fmt_at + 4);
    if (fmt_length < wave_format_size || format_at + fmt_length > bytes.size()) {
        return std::nullopt;
    }
    WaveClip clip;
    clip.format.format_tag = read_u16(bytes, format_at);
    clip.format.channels = read_u16(bytes, format_at + 2);
    clip.format.samples_per_second = read_u32(bytes, format_at + 4);
    clip.format.average_bytes_per_second = read_u32(bytes, format_at + 8);
    clip.format.block_align = read_u16(bytes, format_at + 12);
    clip.format.bits_per_sample = read_u16(bytes, format_at + 14);

    uint64_t at = format_at + fmt_length;
    while (at + chunk_header_size <= bytes.size()) {
        const uint64_t length = read_u32(bytes, at + 4);
        const uint64_t body = at + chunk_header_size;
        if (has_id(bytes, at, "data")) {
            if (body + length > bytes.size()) {
                return std::nullopt;
            }
            clip.samples = bytes.subspan(body, length);
            return clip;
        }
        at = body + length;
    }
    return std::nullopt;
}

} // namespace tindrel
