// Whatever arrives on an ICMP socket comes from the network: classifying it must stay within
// the packet and accept nothing as the reply unless it is exactly the probe's.
#include "core/monitor/icmp_echo.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tindrel::EchoProbe sent;
    sent.destination = 0x0100007f; // 127.0.0.1
    sent.identifier = 0x1234;
    sent.sequence = 7;
    std::memset(sent.payload.data(), 0x5a, sent.payload.size());

    const std::span<const uint8_t> packet(data, size);
    const auto raw = tindrel::classify_raw_packet(packet, sent);
    const auto datagram = tindrel::classify_datagram_packet(packet, sent.destination, sent);
    // A reply on a datagram socket is the echo message and nothing more.
    if (datagram == tindrel::PacketVerdict::echo_reply &&
        (size != tindrel::kEchoRequestSize || data[0] != 0)) {
        std::abort();
    }
    if (raw == tindrel::PacketVerdict::echo_reply && size < 20 + tindrel::kEchoRequestSize) {
        std::abort();
    }
    return 0;
}
