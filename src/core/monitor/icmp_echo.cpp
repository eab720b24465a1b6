#include "core/monitor/icmp_echo.h"

#include "core/monitor/internet_checksum.h"

#include <algorithm>
#include <cstring>

namespace tindrel {
namespace {

constexpr uint8_t kEchoReply = 0;
constexpr uint8_t kDestinationUnreachable = 3;
constexpr uint8_t kSourceQuench = 4;
constexpr uint8_t kEchoRequest = 8;
constexpr uint8_t kTimeExceeded = 11;
constexpr uint8_t kParameterProblem = 12;
constexpr uint8_t kProtocolIcmp = 1;
constexpr size_t kMinimalIpHeaderSize = 20;

uint16_t read_be16(std::span<const uint8_t> bytes, size_t at) {
    return static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

// Addresses stay in network byte order: copy the four bytes as they lie.
uint32_t read_address(std::span<const uint8_t> bytes, size_t at) {
    uint32_t address = 0;
    std::memcpy(&address, bytes.data() + at, sizeof address);
    return address;
}

bool is_error_type(uint8_t type) {
    return type == kDestinationUnreachable || type == kSourceQuench || type == kTimeExceeded ||
           type == kParameterProblem;
}

// The IPv4 header at the front of `packet`: its length, or 0 when it is not a whole one.
size_t ip_header_size(std::span<const uint8_t> packet) {
    if (packet.size() < kMinimalIpHeaderSize || packet[0] >> 4 != 4) {
        return 0;
    }
    const size_t size = static_cast<size_t>(packet[0] & 0x0f) * 4;
    return size >= kMinimalIpHeaderSize && size <= packet.size() ? size : 0;
}

bool echo_header_matches(std::span<const uint8_t> icmp, uint8_t type, const EchoProbe& sent) {
    return icmp[0] == type && icmp[1] == 0 && read_be16(icmp, 4) == sent.identifier &&
           read_be16(icmp, 6) == sent.sequence;
}

bool is_reply_to(std::span<const uint8_t> icmp, uint32_t sender, const EchoProbe& sent) {
    return icmp.size() == kEchoRequestSize && sender == sent.destination &&
           echo_header_matches(icmp, kEchoReply, sent) &&
           std::equal(sent.payload.begin(), sent.payload.end(), icmp.begin() + kIcmpHeaderSize);
}

// An error message quotes the IP header of the packet that caused it and at least the first
// eight bytes of its ICMP message: enough to see our destination, identifier and sequence.
bool quotes_probe(std::span<const uint8_t> icmp, const EchoProbe& sent) {
    const auto quoted = icmp.subspan(kIcmpHeaderSize);
    const size_t header = ip_header_size(quoted);
    if (header == 0 || quoted[9] != kProtocolIcmp || read_address(quoted, 16) != sent.destination ||
        quoted.size() < header + kIcmpHeaderSize) {
        return false;
    }
    return echo_header_matches(quoted.subspan(header), kEchoRequest, sent);
}

PacketVerdict classify_icmp(std::span<const uint8_t> icmp, uint32_t sender, const EchoProbe& sent) {
    if (icmp.size() < kIcmpHeaderSize || internet_checksum(icmp) != 0) {
        return PacketVerdict::foreign;
    }
    if (is_reply_to(icmp, sender, sent)) {
        return PacketVerdict::echo_reply;
    }
    if (is_error_type(icmp[0]) && quotes_probe(icmp, sent)) {
        return PacketVerdict::error_report;
    }
    return PacketVerdict::foreign;
}

} // namespace

std::array<uint8_t, kEchoRequestSize> build_echo_request(const EchoProbe& probe) {
    std::array<uint8_t, kEchoRequestSize> packet{};
    packet[0] = kEchoRequest;
    packet[4] = static_cast<uint8_t>(probe.identifier >> 8);
    packet[5] = static_cast<uint8_t>(probe.identifier);
    packet[6] = static_cast<uint8_t>(probe.sequence >> 8);
    packet[7] = static_cast<uint8_t>(probe.sequence);
    std::copy(probe.payload.begin(), probe.payload.end(), packet.begin() + kIcmpHeaderSize);
    const uint16_t checksum = internet_checksum(packet);
    packet[2] = static_cast<uint8_t>(checksum >> 8);
    packet[3] = static_cast<uint8_t>(checksum);
    return packet;
}

PacketVerdict classify_raw_packet(std::span<const uint8_t> packet, const EchoProbe& sent) {
    const size_t header = ip_header_size(packet);
    if (header == 0 || packet[9] != kProtocolIcmp) {
        return PacketVerdict::foreign;
    }
    return classify_icmp(packet.subspan(header), read_address(packet, 12), sent);
}

PacketVerdict classify_datagram_packet(std::span<const uint8_t> message, uint32_t sender,
                                       const EchoProbe& sent) {
    return classify_icmp(message, sender, sent);
}

} // namespace tindrel
