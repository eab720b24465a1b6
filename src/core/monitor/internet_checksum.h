#pragma once

#include <cstdint>
#include <span>

namespace tindrel {

// The Internet checksum (RFC 1071) of `bytes`, read as big-endian 16-bit words; an odd last
// byte counts as the high half of a word whose low half is zero. Returns the value for the
// header field in host order: store it big-endian. A packet whose checksum field holds the
// right value sums to zero, so checking a received packet means testing the result for 0.
uint16_t internet_checksum(std::span<const uint8_t> bytes);

} // namespace tindrel
