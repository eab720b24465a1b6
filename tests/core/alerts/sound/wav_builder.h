#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tindrel::testing {

// Builds RIFF/WAVE bytes chunk by chunk, so a test can lay out any clip, broken or not.
class WavBuilder {
public:
    WavBuilder() { bytes_ = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}; }

    WavBuilder& chunk(const std::string& id, const std::vector<uint8_t>& body) {
        return chunk_with_length(id, static_cast<uint32_t>(body.size()), body);
    }

    // A chunk whose length field says `length`, whatever the body holds.
    WavBuilder& chunk_with_length(const std::string& id, uint32_t length,
                                  const std::vector<uint8_t>& body) {
        bytes_.insert(bytes_.end(), id.begin(), id.end());
        put_u32(length);
        bytes_.insert(bytes_.end(), body.begin(), body.end());
        return *this;
    }

    WavBuilder& fmt(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
        const auto align = static_cast<uint16_t>(channels * bits / 8);
        std::vector<uint8_t> body;
        auto put = [&](uint32_t v, int byte_count) {
            for (int i = 0; i < byte_count; ++i) {
                body.push_back(static_cast<uint8_t>(v >> (8 * i)));
            }
        };
        auto u16 = [&](uint16_t v) { put(v, 2); };
        auto u32 = [&](uint32_t v) { put(v, 4); };
        u16(tag);
        u16(channels);
        u32(rate);
        u32(rate * align);
        u16(align);
        u16(bits);
        return chunk("fmt ", body);
    }

    // The finished clip, with the RIFF length filled in.
    std::vector<uint8_t> bytes() const {
        std::vector<uint8_t> out = bytes_;
        const auto length = static_cast<uint32_t>(out.size() - 8);
        for (int i = 0; i < 4; ++i) {
            out[4 + i] = static_cast<uint8_t>(length >> (8 * i));
        }
        return out;
    }

private:
    void put_u32(uint32_t v) {
        for (int i = 0; i < 4; ++i) {
            bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
        }
    }

    std::vector<uint8_t> bytes_;
};

} // namespace tindrel::testing
