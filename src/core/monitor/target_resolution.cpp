#include "core/monitor/target_resolution.h"

#include "core/store/number_reading.h"

#include <cstring>

namespace tindrel {
namespace {

// The text before the first "."; the empty text when there is no ".".
std::string_view leading_field(std::string_view text) {
    const size_t dot = text.find('.');
    return dot == std::string_view::npos ? std::string_view() : text.substr(0, dot);
}

// Takes the leading field and its "." off the front; text without "." stays as it is.
std::string_view drop_leading_field(std::string_view text) {
    const size_t dot = text.find('.');
    return dot == std::string_view::npos ? text : text.substr(dot + 1);
}

uint8_t read_octet(std::string_view field) {
    return static_cast<uint8_t>(read_number(field));
}

// The first octet goes to the lowest byte of memory: network byte order on any host.
uint32_t address_of(uint8_t first, uint8_t second, uint8_t third, uint8_t fourth) {
    const uint8_t bytes[4] = {first, second, third, fourth};
    uint32_t address = 0;
    std::memcpy(&address, bytes, sizeof address);
    return address;
}

} // namespace

ResolvedTarget resolve_target(std::string_view entry, Resolver& resolver) {
    if (!entry.empty() && entry.front() == '@') {
        ResolvedTarget target{0, std::string(entry.substr(1))};
        target.address = resolver.resolve_ipv4(target.working_text).value_or(0);
        return target;
    }
    std::string_view working = entry;
    const uint8_t first = read_octet(leading_field(working));
    working = drop_leading_field(working);
    const uint8_t second = read_octet(leading_field(working));
    working = drop_leading_field(working);
    const uint8_t third = read_octet(leading_field(working));
    const uint8_t fourth = read_octet(drop_leading_field(working));
    return ResolvedTarget{address_of(first, second, third, fourth), std::string(working)};
}

} // namespace tindrel
