#include "core/monitor/icmp_prober.h"

#include "core/monitor/icmp_echo.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

namespace tindrel {
namespace {

ProbeReport failure(ProbeOutcome outcome, IcmpSocketKind kind, int error) {
    return ProbeReport{outcome, kind, error};
}

bool send_request(const IcmpSocket& socket, const EchoProbe& probe) {
    const auto packet = build_echo_request(probe);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = probe.destination;
    ssize_t sent;
    do {
        sent = sendto(socket.fd(), packet.data(), packet.size(), 0,
                      reinterpret_cast<const sockaddr*>(&to), sizeof to);
    } while (sent < 0 && errno == EINTR);
    return sent == static_cast<ssize_t>(packet.size());
}

// A ping socket's identifier is its local port, which the kernel wrote over ours.
bool learn_datagram_identifier(const IcmpSocket& socket, EchoProbe& probe) {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (getsockname(socket.fd(), reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        return false;
    }
    probe.identifier = ntohs(local.sin_port);
    return true;
}

void drain_error_queue(const IcmpSocket& socket) {
    unsigned char data[512];
    unsigned char control[512];
    for (;;) {
        iovec io{data, sizeof data};
        msghdr message{};
        message.msg_iov = &io;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        if (recvmsg(socket.fd(), &message, MSG_ERRQUEUE | MSG_DONTWAIT) < 0 && errno != EINTR) {
            return;
        }
    }
}

enum class ReadResult { nothing_ours, reply, error_report, failed };

// Reads every packet that is waiting and stops at the first one about `probe`.
ReadResult read_pending(const IcmpSocket& socket, const EchoProbe& probe) {
    unsigned char buffer[4096];
    for (;;) {
        sockaddr_in from{};
        socklen_t from_length = sizeof from;
        const ssize_t size = recvfrom(socket.fd(), buffer, sizeof buffer, MSG_DONTWAIT | MSG_TRUNC,
                                      reinterpret_cast<sockaddr*>(&from), &from_length);
        if (size < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno == EAGAIN || errno == EWOULDBLOCK ? ReadResult::nothing_ours
                                                           : ReadResult::failed;
        }
        if (static_cast<size_t>(size) > sizeof buffer) {
            continue; // larger than anything about an echo probe
        }
        const std::span<const uint8_t> packet(buffer, static_cast<size_t>(size));
        const PacketVerdict verdict =
            socket.kind() == IcmpSocketKind::raw
                ? classify_raw_packet(packet, probe)
                : classify_datagram_packet(packet, from.sin_addr.s_addr, probe);
        if (verdict == PacketVerdict::echo_reply) {
            return ReadResult::reply;
        }
        if (verdict == PacketVerdict::error_report) {
            return ReadResult::error_report;
        }
    }
}

} // namespace

const char* describe(ProbeOutcome outcome) {
    switch (outcome) {
    case ProbeOutcome::replied:
        return "replied";
    case ProbeOutcome::timed_out:
        return "timed out";
    case ProbeOutcome::error_reported:
        return "ICMP error reported";
    case ProbeOutcome::no_socket:
        return "no ICMP socket";
    case ProbeOutcome::send_failed:
        return "send failed";
    case ProbeOutcome::receive_failed:
        return "receive failed";
    }
    return "unknown";
}

IcmpProber::IcmpProber(Clock& clock, IcmpProberOptions options)
    : clock_(clock), options_(options), random_(std::random_device{}()),
      identifier_(static_cast<uint16_t>(random_())),
      next_sequence_(static_cast<uint16_t>(random_())) {}

bool IcmpProber::probe_target(uint32_t address) {
    return probe(address).outcome == ProbeOutcome::replied;
}

ProbeReport IcmpProber::probe(uint32_t address) {
    const IcmpSocket socket = IcmpSocket::open(options_.socket_choice);
    if (!socket.is_open()) {
        return failure(ProbeOutcome::no_socket, IcmpSocketKind::datagram, errno);
    }
    const IcmpSocketKind kind = socket.kind();
    if (address == 0) {
        // 0.0.0.0 would reach this host itself; it stands for "no address" here.
        return failure(ProbeOutcome::send_failed, kind, EDESTADDRREQ);
    }

    EchoProbe probe;
    probe.destination = address;
    probe.identifier = identifier_;
    probe.sequence = next_sequence_++;
    for (auto& byte : probe.payload) {
        byte = static_cast<uint8_t>(random_());
    }
    if (!send_request(socket, probe)) {
        return failure(ProbeOutcome::send_failed, kind, errno);
    }
    if (kind == IcmpSocketKind::datagram && !learn_datagram_identifier(socket, probe)) {
        return failure(ProbeOutcome::receive_failed, kind, errno);
    }

    const uint32_t deadline = clock_.tick_ms() + static_cast<uint32_t>(options_.timeout_ms);
    for (;;) {
        const auto remaining = static_cast<int32_t>(deadline - clock_.tick_ms());
        if (remaining <= 0) {
            return failure(ProbeOutcome::timed_out, kind, 0);
        }
        pollfd waiting{socket.fd(), POLLIN, 0};
        const int ready = poll(&waiting, 1, remaining);
        if (ready < 0 && errno != EINTR) {
            return failure(ProbeOutcome::receive_failed, kind, errno);
        }
        if (ready <= 0) {
            continue;
        }
        if ((waiting.revents & POLLERR) != 0) {
            // Only a ping socket gets here: its own error queue holds only news of this probe.
            drain_error_queue(socket);
            return failure(ProbeOutcome::error_reported, kind, 0);
        }
        if ((waiting.revents & POLLIN) == 0) {
            // Nothing to read and no error: polling again would return at once for ever.
            return failure(ProbeOutcome::receive_failed, kind, 0);
        }
        switch (read_pending(socket, probe)) {
        case ReadResult::reply:
            return ProbeReport{ProbeOutcome::replied, kind, 0};
        case ReadResult::error_report:
            return failure(ProbeOutcome::error_reported, kind, 0);
        case ReadResult::failed:
            return failure(ProbeOutcome::receive_failed, kind, errno);
        case ReadResult::nothing_ours:
            break;
        }
    }
}

} // namespace tindrel
