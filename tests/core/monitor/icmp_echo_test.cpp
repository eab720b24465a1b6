#include "core/monitor/icmp_echo.h"
#include "core/monitor/internet_checksum.h"
#include "fake_resolver.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tindrel {
namespace {

using Bytes = std::vector<uint8_t>;
using testing::ipv4;

struct ChecksumCase {
    Bytes bytes;
    uint16_t checksum;
};

class InternetChecksumTest : public ::testing::TestWithParam<ChecksumCase> {};

TEST_P(InternetChecksumTest, MatchesHandComputedValue) {
    EXPECT_EQ(internet_checksum(GetParam().bytes), GetParam().checksum);
}

// Worked by hand: sum the big-endian words, fold the carries, complement. An odd last byte is
// the high half of a word; a signed reading of bytes from 0x80 up would spoil these.
INSTANTIATE_TEST_SUITE_P(
    Values, InternetChecksumTest,
    ::testing::Values(ChecksumCase{{}, 0xffff},
                      ChecksumCase{{0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7}, 0x220d},
                      ChecksumCase{{0x80}, 0x7fff}, ChecksumCase{{0xff}, 0x00ff},
                      ChecksumCase{{0xff, 0xff, 0xff}, 0x00ff},
                      ChecksumCase{{0x12, 0x34, 0x80}, 0x6dcb},
                      ChecksumCase{{0x80, 0x81, 0x82, 0x83, 0x84}, 0x78fa},
                      ChecksumCase{{0xfe, 0xdc, 0xba, 0x98, 0x76}, 0xd089}));

TEST(InternetChecksum, LongRunsOfHighBytesFoldEveryCarry) {
    const Bytes ones(100001, 0xff); // 50000 words of 0xffff and a last 0xff00
    EXPECT_EQ(internet_checksum(ones), 0x00ff);
}

// A probe and the packets that can come back for it, built byte by byte.
class EchoPacketTest : public ::testing::Test {
protected:
    EchoPacketTest() {
        sent.destination = ipv4(192, 0, 2, 9);
        sent.identifier = 0xbeef;
        sent.sequence = 0x8001;
        for (size_t i = 0; i < sent.payload.size(); ++i) {
            sent.payload[i] = static_cast<uint8_t>(0xa0 + i);
        }
    }

    static void put16(Bytes& bytes, size_t at, uint16_t value) {
        bytes[at] = static_cast<uint8_t>(value >> 8);
        bytes[at + 1] = static_cast<uint8_t>(value);
    }

    static void seal(Bytes& icmp) {
        put16(icmp, 2, 0);
        put16(icmp, 2, internet_checksum(icmp));
    }

    static Bytes ip_header(uint32_t source, uint32_t destination, size_t payload_size) {
        Bytes header(20, 0);
        header[0] = 0x45;
        put16(header, 2, static_cast<uint16_t>(20 + payload_size));
        header[8] = 64;
        header[9] = 1;
        std::memcpy(&header[12], &source, 4);
        std::memcpy(&header[16], &destination, 4);
        return header;
    }

    Bytes reply() const {
        const auto request = build_echo_request(sent);
        Bytes icmp(request.begin(), request.end());
        icmp[0] = 0;
        seal(icmp);
        return icmp;
    }

    Bytes raw(const Bytes& icmp, uint32_t source) const {
        Bytes packet = ip_header(source, ipv4(192, 0, 2, 1), icmp.size());
        packet.insert(packet.end(), icmp.begin(), icmp.end());
        return packet;
    }

    // An ICMP error about `original` (an IP packet), quoting its header and 8 more bytes.
    static Bytes error_about(uint8_t type, const Bytes& original) {
        Bytes icmp(8, 0);
        icmp[0] = type;
        icmp.insert(icmp.end(), original.begin(), original.begin() + 28);
        seal(icmp);
        return icmp;
    }

    Bytes request_as_sent() const {
        const auto request = build_echo_request(sent);
        Bytes packet = ip_header(ipv4(192, 0, 2, 1), sent.destination, request.size());
        packet.insert(packet.end(), request.begin(), request.end());
        return packet;
    }

    EchoProbe sent;
};

TEST_F(EchoPacketTest, RequestCarriesTypeIdentifierSequencePayloadAndAValidChecksum) {
    const auto request = build_echo_request(sent);
    EXPECT_EQ(request[0], 8);
    EXPECT_EQ(request[1], 0);
    EXPECT_EQ(request[4], 0xbe);
    EXPECT_EQ(request[5], 0xef);
    EXPECT_EQ(request[6], 0x80);
    EXPECT_EQ(request[7], 0x01);
    EXPECT_EQ(request[8], 0xa0);
    EXPECT_EQ(internet_checksum(request), 0);
}

TEST_F(EchoPacketTest, TheMatchingReplyIsRecognisedOnBothKindsOfSocket) {
    EXPECT_EQ(classify_datagram_packet(reply(), sent.destination, sent), PacketVerdict::echo_reply);
    EXPECT_EQ(classify_raw_packet(raw(reply(), sent.destination), sent), PacketVerdict::echo_reply);
}

// Each change makes the reply someone else's, or damaged: every one must be ignored.
TEST_F(EchoPacketTest, RepliesThatDifferInAnyFieldAreForeign) {
    const std::vector<std::pair<std::string, std::function<void(Bytes&)>>> changes = {
        {"identifier", [](Bytes& p) { put16(p, 4, 0xbeee); }},
        {"sequence", [](Bytes& p) { put16(p, 6, 0x8000); }},
        {"payload", [](Bytes& p) { p[20] ^= 1; }},
        {"code", [](Bytes& p) { p[1] = 1; }},
        {"type (our own request)", [](Bytes& p) { p[0] = 8; }},
        {"longer", [](Bytes& p) { p.push_back(0); }},
        {"shorter", [](Bytes& p) { p.pop_back(); }},
        {"header only", [](Bytes& p) { p.resize(8); }},
        {"truncated header", [](Bytes& p) { p.resize(7); }},
    };
    for (const auto& [what, change] : changes) {
        Bytes icmp = reply();
        change(icmp);
        if (icmp.size() >= 4) {
            seal(icmp);
        }
        EXPECT_EQ(classify_datagram_packet(icmp, sent.destination, sent), PacketVerdict::foreign)
            << what;
        EXPECT_EQ(classify_raw_packet(raw(icmp, sent.destination), sent), PacketVerdict::foreign)
            << what;
    }

    Bytes corrupted = reply();
    corrupted[10] ^= 0x40; // checksum left as it was
    EXPECT_EQ(classify_datagram_packet(corrupted, sent.destination, sent), PacketVerdict::foreign);

    const uint32_t elsewhere = ipv4(192, 0, 2, 10);
    EXPECT_EQ(classify_datagram_packet(reply(), elsewhere, sent), PacketVerdict::foreign);
    EXPECT_EQ(classify_raw_packet(raw(reply(), elsewhere), sent), PacketVerdict::foreign);
}

TEST_F(EchoPacketTest, MalformedIpHeadersAreForeign) {
    const Bytes good = raw(reply(), sent.destination);
    const std::vector<std::pair<std::string, std::function<void(Bytes&)>>> changes = {
        {"IPv6 version", [](Bytes& p) { p[0] = 0x65; }},
        {"header shorter than 20", [](Bytes& p) { p[0] = 0x44; }},
        {"header longer than the packet", [](Bytes& p) { p[0] = 0x4f; }},
        {"not ICMP", [](Bytes& p) { p[9] = 17; }},
        {"cut inside the header", [](Bytes& p) { p.resize(19); }},
        {"empty", [](Bytes& p) { p.clear(); }},
    };
    for (const auto& [what, change] : changes) {
        Bytes packet = good;
        change(packet);
        EXPECT_EQ(classify_raw_packet(packet, sent), PacketVerdict::foreign) << what;
    }
}

TEST_F(EchoPacketTest, ErrorMessagesQuotingThisProbeEndIt) {
    const uint32_t router = ipv4(192, 0, 2, 254);
    for (const uint8_t type : {3, 4, 11, 12}) {
        EXPECT_EQ(classify_raw_packet(raw(error_about(type, request_as_sent()), router), sent),
                  PacketVerdict::error_report)
            << "type " << int(type);
    }
    // A redirect is advice, not a failure; it also does not carry the answer.
    EXPECT_EQ(classify_raw_packet(raw(error_about(5, request_as_sent()), router), sent),
              PacketVerdict::foreign);
}

TEST_F(EchoPacketTest, ErrorMessagesAboutOtherPacketsAreForeign) {
    const uint32_t router = ipv4(192, 0, 2, 254);
    const std::vector<std::pair<std::string, std::function<void(Bytes&)>>> changes = {
        {"other identifier", [](Bytes& p) { put16(p, 24, 0x1234); }},
        {"other sequence", [](Bytes& p) { put16(p, 26, 0x1234); }},
        {"other destination", [](Bytes& p) { p[19] ^= 1; }},
        {"not ICMP", [](Bytes& p) { p[9] = 6; }},
        {"not a request", [](Bytes& p) { p[20] = 0; }},
    };
    for (const auto& [what, change] : changes) {
        Bytes original = request_as_sent();
        change(original);
        EXPECT_EQ(classify_raw_packet(raw(error_about(11, original), router), sent),
                  PacketVerdict::foreign)
            << what;
    }
    Bytes cut = error_about(11, request_as_sent());
    cut.resize(8 + 20 + 4); // the quoted ICMP header cut short
    seal(cut);
    EXPECT_EQ(classify_raw_packet(raw(cut, router), sent), PacketVerdict::foreign);
}

} // namespace
} // namespace tindrel
