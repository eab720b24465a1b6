#pragma once

#include "core/platform/resolver.h"

#include <cstdint>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tindrel::testing {

// Knows only the names in `known`; records every name it was asked for.
class FakeResolver final : public Resolver {
public:
    std::map<std::string, uint32_t> known;
    std::vector<std::string> asked;

    std::optional<uint32_t> resolve_ipv4(const std::string& name) override {
        asked.push_back(name);
        const auto found = known.find(name);
        if (found == known.end()) {
            return std::nullopt;
        }
        return found->second;
    }
};

// An IPv4 address in network byte order from its four octets.
inline uint32_t ipv4(uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
    const uint8_t bytes[4] = {a, b, c, d};
    uint32_t address = 0;
    std::memcpy(&address, bytes, sizeof address);
    return address;
}

} // namespace tindrel::testing
