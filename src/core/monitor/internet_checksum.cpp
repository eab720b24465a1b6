#include "core/monitor/internet_checksum.h"

namespace tindrel {

uint16_t internet_checksum(std::span<const uint8_t> bytes) {
    uint64_t sum = 0;
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        sum += static_cast<uint64_t>(bytes[i]) << 8 | bytes[i + 1];
    }
    if (i < bytes.size()) {
        sum += static_cast<uint64_t>(bytes[i]) << 8;
    }
    while (sum >> 16 != 0) {
        sum = (sum & 0xffffu) + (sum >> 16);
    }
    return static_cast<uint16_t>(~sum);
}

} // namespace tindrel
