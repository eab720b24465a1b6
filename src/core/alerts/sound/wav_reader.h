#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tindrel {

// The body of a "fmt " chunk: the standard wave-format fields, taken as they stand.
struct WaveFormat {
    uint16_t format_tag = 0; // 1: PCM
    uint16_t channels = 0;
    uint32_t samples_per_second = 0;
    uint32_t average_bytes_per_second = 0;
    uint16_t block_align = 0;
    uint16_t bits_per_sample = 0;
};

// A clip as read from its RIFF/WAVE bytes: the format and the samples, which point into
// the bytes that were read.
struct WaveClip {
    WaveFormat format;
    std::span<const uint8_t> samples;
};

// Reads a clip laid out as "RIFF", length, form type, then a "fmt " chunk at byte 12
// whose body holds at least the six wave-format fields, then any chunks up to the "data"
// chunk, whose body is the samples. Chunks are an identifier, a 32-bit little-endian
// length and that many bytes, without padding. The RIFF length and form type are not
// examined; the format is not judged (the output decides what it can play).
// Returns nullopt when the clip does not begin "RIFF", when bytes 12 to 15 are not
// "fmt ", when a header or the "fmt " body runs past the end of `bytes`, when no "data"
// chunk follows, or when the "data" chunk claims more bytes than there are. Never reads
// outside `bytes`.
std::optional<WaveClip> read_wav(std::span<const uint8_t> bytes);

} // namespace tindrel
