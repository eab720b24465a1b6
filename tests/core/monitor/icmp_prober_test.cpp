#include "core/monitor/icmp_echo.h"
#include "core/monitor/icmp_prober.h"
#include "core/monitor/internet_checksum.h"
#include "network_sandbox.h"

#include <arpa/inet.h>
#include <array>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

// Every probe here goes to loopback or into a network namespace that the test builds itself.

namespace tindrel {
namespace {

using testing::run_in_network_sandbox;
using testing::SandboxResult;

uint32_t address(const char* dotted) {
    return inet_addr(dotted);
}

const char* kind_name(IcmpSocketKind kind) {
    return kind == IcmpSocketKind::raw ? "raw" : "datagram";
}

// "<kind>: <outcome>" for one probe with one kind of socket.
std::string probe_with(IcmpSocketChoice choice, const char* target) {
    SystemClock clock;
    IcmpProber prober(clock, IcmpProberOptions{1000, choice});
    const ProbeReport report = prober.probe(address(target));
    return std::string(kind_name(report.socket_kind)) + ": " + describe(report.outcome);
}

// The same probe with a datagram socket, then with a raw one.
std::string probe_with_both(const char* datagram_target, const char* raw_target) {
    return probe_with(IcmpSocketChoice::datagram_only, datagram_target) + ", " +
           probe_with(IcmpSocketChoice::raw_only, raw_target);
}

bool write_proc(const char* path, const char* value) {
    std::ofstream file(path);
    file << value;
    file.flush();
    return static_cast<bool>(file);
}

#define SKIP_UNLESS_ENTERED(result)                                                                \
    if (!(result).entered) {                                                                       \
        GTEST_SKIP() << (result).output;                                                           \
    }

// A fresh network namespace keeps ping sockets off; these tests open them to group 0, which
// the sandbox runs as, to test both paths.
const std::string kOpenPingSockets = "echo '0 0' > /proc/sys/net/ipv4/ping_group_range\n";

// A /24 on a veth pair where only our end has an address: the rest of it is silent.
const std::string kSilentNeighbours = kOpenPingSockets + R"sh(
ip link add va type veth peer name vb
ip addr add 198.18.5.1/24 dev va
ip link set va up
ip link set vb up
)sh";

TEST(IcmpProber, LoopbackAnswers) {
    SystemClock clock;
    IcmpProber prober(clock);
    const ProbeReport report = prober.probe(address("127.0.0.1"));
    EXPECT_EQ(report.outcome, ProbeOutcome::replied)
        << describe(report.outcome) << ", errno " << report.system_error;
    EXPECT_TRUE(prober.probe_target(address("127.0.0.1")));
}

TEST(IcmpProber, BothKindsOfSocketReachLoopback) {
    const SandboxResult result = run_in_network_sandbox(
        kOpenPingSockets, [] { return probe_with_both("127.0.0.1", "127.0.0.1"); });
    SKIP_UNLESS_ENTERED(result);
    EXPECT_EQ(result.output, "datagram: replied, raw: replied");
}

TEST(IcmpProber, SilentAddressTimesOut) {
    const SandboxResult result = run_in_network_sandbox(
        kSilentNeighbours, [] { return probe_with_both("198.18.5.2", "198.18.5.3"); });
    SKIP_UNLESS_ENTERED(result);
    EXPECT_EQ(result.output, "datagram: timed out, raw: timed out");
}

// With neighbour discovery cut short, the kernel reports the host unreachable by an ICMP
// error well within the time-out; the probe ends on it.
const std::string kFastNeighbourFailure = kSilentNeighbours + R"sh(
echo 1 > /proc/sys/net/ipv4/neigh/va/mcast_solicit
echo 50 > /proc/sys/net/ipv4/neigh/va/retrans_time_ms
)sh";

TEST(IcmpProber, IcmpErrorEndsTheProbe) {
    const SandboxResult result = run_in_network_sandbox(
        kFastNeighbourFailure, [] { return probe_with_both("198.18.5.2", "198.18.5.3"); });
    SKIP_UNLESS_ENTERED(result);
    EXPECT_EQ(result.output, "datagram: ICMP error reported, raw: ICMP error reported");
}

TEST(IcmpProber, NoRouteFailsWithoutWaiting) {
    const SandboxResult result = run_in_network_sandbox(
        kOpenPingSockets, [] { return probe_with_both("198.18.9.9", "198.18.9.9"); });
    SKIP_UNLESS_ENTERED(result);
    EXPECT_EQ(result.output, "datagram: send failed, raw: send failed");
}

TEST(IcmpProber, WithoutAnyIcmpSocketNothingIsSent) {
    // A fresh namespace keeps ping sockets closed; without CAP_NET_RAW no raw one opens.
    const SandboxResult result = run_in_network_sandbox("", [] {
        if (!testing::drop_raw_socket_capability()) {
            return std::string("could not drop CAP_NET_RAW");
        }
        SystemClock clock;
        IcmpProber prober(clock);
        return std::string(describe(prober.probe(address("127.0.0.1")).outcome));
    });
    SKIP_UNLESS_ENTERED(result);
    EXPECT_EQ(result.output, "no ICMP socket");
}

// Probe -- a0 [198.18.1.1] == [198.18.1.2] r0 router r1 [198.18.2.1] == [198.18.2.2] b0 target.
// The target is one router away: a probe limited to one hop would never reach it.
const std::string kTargetBehindRouter = kOpenPingSockets + R"sh(
unshare -n sh -c 'read _' <&3 &
router=$!
unshare -n sh -c 'read _' <&3 &
target=$!
for pid in $router $target; do
    while [ "$(readlink /proc/$pid/ns/net)" = "$(readlink /proc/self/ns/net)" ]; do sleep 0.01; done
done
ip link add a0 type veth peer name r0 netns $router
ip addr add 198.18.1.1/24 dev a0
ip link set a0 up
ip route add 198.18.2.0/24 via 198.18.1.2
nsenter --net=/proc/$router/ns/net sh -ec "
    ip link set lo up
    ip addr add 198.18.1.2/24 dev r0
    ip link set r0 up
    ip link add r1 type veth peer name b0 netns $target
    ip addr add 198.18.2.1/24 dev r1
    ip link set r1 up
    echo 1 > /proc/sys/net/ipv4/ip_forward"
nsenter --net=/proc/$target/ns/net sh -ec "
    ip link set lo up
    ip addr add 198.18.2.2/24 dev b0
    ip link set b0 up
    ip route add default via 198.18.2.1"
)sh";

TEST(IcmpProber, TargetsBehindARouterAnswerWithTheSystemHopLimit) {
    const SandboxResult result = run_in_network_sandbox(kTargetBehindRouter, [] {
        std::string report = probe_with_both("198.18.2.2", "198.18.2.2");
        // The probe follows the system's hop limit: at 1 the router sends "time exceeded".
        if (!write_proc("/proc/sys/net/ipv4/ip_default_ttl", "1")) {
            return report + " / could not set ip_default_ttl";
        }
        return report + " / " + probe_with_both("198.18.2.2", "198.18.2.2");
    });
    SKIP_UNLESS_ENTERED(result);
    EXPECT_EQ(result.output, "datagram: replied, raw: replied / "
                             "datagram: ICMP error reported, raw: ICMP error reported");
}

// --- Replies forged on loopback, with the kernel's own echo answers turned off ---

struct SeenRequest {
    uint16_t identifier = 0;
    uint16_t sequence = 0;
    std::array<uint8_t, kEchoPayloadSize> payload{};
};

// Waits on a raw socket for the probe's echo request to 127.0.0.1 and reads it.
bool catch_request(int sniffer, SeenRequest& seen) {
    for (int attempts = 0; attempts < 100; ++attempts) {
        pollfd waiting{sniffer, POLLIN, 0};
        if (poll(&waiting, 1, 3000) <= 0) {
            return false;
        }
        uint8_t packet[2048];
        const ssize_t size = recv(sniffer, packet, sizeof packet, 0);
        if (size != 20 + static_cast<ssize_t>(kEchoRequestSize) || packet[20] != 8) {
            continue;
        }
        seen.identifier = static_cast<uint16_t>(packet[24] << 8 | packet[25]);
        seen.sequence = static_cast<uint16_t>(packet[26] << 8 | packet[27]);
        std::memcpy(seen.payload.data(), packet + 28, kEchoPayloadSize);
        return true;
    }
    return false;
}

std::vector<uint8_t> reply_to(const SeenRequest& seen) {
    EchoProbe probe;
    probe.identifier = seen.identifier;
    probe.sequence = seen.sequence;
    probe.payload = seen.payload;
    const auto request = build_echo_request(probe);
    std::vector<uint8_t> reply(request.begin(), request.end());
    reply[0] = 0;
    reply[2] = reply[3] = 0;
    const uint16_t checksum = internet_checksum(reply);
    reply[2] = static_cast<uint8_t>(checksum >> 8);
    reply[3] = static_cast<uint8_t>(checksum);
    return reply;
}

void send_from(const char* source, const std::vector<uint8_t>& message) {
    const int out = socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
    sockaddr_in from{};
    from.sin_family = AF_INET;
    from.sin_addr.s_addr = address(source);
    bind(out, reinterpret_cast<const sockaddr*>(&from), sizeof from);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = address("127.0.0.1");
    sendto(out, message.data(), message.size(), 0, reinterpret_cast<const sockaddr*>(&to),
           sizeof to);
    close(out);
}

// Answers the probe with replies that are all slightly wrong, then, if asked, the right one.
std::string probe_among_forgeries(IcmpSocketChoice choice, bool then_the_real_reply) {
    const int sniffer = socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
    if (sniffer < 0) {
        return "no sniffer socket";
    }
    std::thread forger([&] {
        SeenRequest seen;
        if (!catch_request(sniffer, seen)) {
            return;
        }
        const std::vector<uint8_t> real = reply_to(seen);
        auto with = [&](auto change) {
            SeenRequest other = seen;
            change(other);
            return reply_to(other);
        };
        send_from("127.0.0.1", with([](SeenRequest& r) { r.identifier ^= 1; }));
        send_from("127.0.0.1", with([](SeenRequest& r) { ++r.sequence; }));
        send_from("127.0.0.1", with([](SeenRequest& r) { r.payload[5] ^= 0x80; }));
        std::vector<uint8_t> bad_checksum = real;
        bad_checksum[3] ^= 1;
        send_from("127.0.0.1", bad_checksum);
        send_from("127.0.0.2", real); // right packet, wrong sender
        if (then_the_real_reply) {
            send_from("127.0.0.1", real);
        }
    });
    SystemClock clock;
    IcmpProber prober(clock, IcmpProberOptions{1000, choice});
    const ProbeReport report = prober.probe(address("127.0.0.1"));
    forger.join();
    close(sniffer);
    return std::string(kind_name(report.socket_kind)) + ": " + describe(report.outcome);
}

const std::string kNoEchoAnswers =
    kOpenPingSockets + "echo 1 > /proc/sys/net/ipv4/icmp_echo_ignore_all\n";

TEST(IcmpProber, ForgedRepliesAreIgnoredAndTheWaitGoesOn) {
    const SandboxResult result = run_in_network_sandbox(kNoEchoAnswers, [] {
        return probe_among_forgeries(IcmpSocketChoice::datagram_only, false) + ", " +
               probe_among_forgeries(IcmpSocketChoice::raw_only, false) + " / " +
               probe_among_forgeries(IcmpSocketChoice::datagram_only, true) + ", " +
               probe_among_forgeries(IcmpSocketChoice::raw_only, true);
    });
    SKIP_UNLESS_ENTERED(result);
    EXPECT_EQ(result.output, "datagram: timed out, raw: timed out / "
                             "datagram: replied, raw: replied");
}

} // namespace
} // namespace tindrel
