#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tindrel {

inline constexpr size_t kIcmpHeaderSize = 8;
inline constexpr size_t kEchoPayloadSize = 16;
inline constexpr size_t kEchoRequestSize = kIcmpHeaderSize + kEchoPayloadSize;

// One echo request as it was sent. The payload is random per probe, so a late reply to an
// earlier probe, or another program's ping, never passes for this one.
struct EchoProbe {
    uint32_t destination = 0; // network byte order, as in sockaddr_in
    uint16_t identifier = 0;
    uint16_t sequence = 0;
    std::array<uint8_t, kEchoPayloadSize> payload{};
};

// The echo request (type 8) for `probe`, checksum filled in.
std::array<uint8_t, kEchoRequestSize> build_echo_request(const EchoProbe& probe);

enum class PacketVerdict {
    foreign,      // not about this probe: ignore it and keep waiting
    echo_reply,   // the destination answered this very probe
    error_report, // an ICMP error message that quotes this probe
};

// Classifies what a raw ICMP socket delivered: the IPv4 header, then the ICMP message.
// Anything truncated, malformed or not matching `sent` in every field is foreign.
PacketVerdict classify_raw_packet(std::span<const uint8_t> packet, const EchoProbe& sent);

// Classifies what a datagram ICMP socket delivered: the ICMP message alone, from `sender`
// (network byte order).
PacketVerdict classify_datagram_packet(std::span<const uint8_t> message, uint32_t sender,
                                       const EchoProbe& sent);

} // namespace tindrel
