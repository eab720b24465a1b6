#include "core/monitor/icmp_socket.h"

#include <cerrno>
#include <cstring>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace tindrel {
namespace {

constexpr int kSocketFlags = SOCK_NONBLOCK | SOCK_CLOEXEC;

std::string error_text(int error) {
    return std::strerror(error);
}

// Ping sockets report ICMP errors only through the error queue, and only with IP_RECVERR.
int open_datagram(std::string& cause) {
    const int fd = socket(AF_INET, SOCK_DGRAM | kSocketFlags, IPPROTO_ICMP);
    if (fd < 0) {
        cause = "datagram ICMP socket: " + error_text(errno) +
                " (net.ipv4.ping_group_range does not admit this group)";
        return -1;
    }
    const int on = 1;
    if (setsockopt(fd, IPPROTO_IP, IP_RECVERR, &on, sizeof on) != 0) {
        cause = "datagram ICMP socket: IP_RECVERR: " + error_text(errno);
        close(fd);
        return -1;
    }
    return fd;
}

// A raw socket receives every ICMP packet of the host; the kernel-side filter keeps only
// echo replies and the error messages that can quote a probe, so other traffic never
// wakes the waiting probe.
int open_raw(std::string& cause) {
    const int fd = socket(AF_INET, SOCK_RAW | kSocketFlags, IPPROTO_ICMP);
    if (fd < 0) {
        cause = "raw ICMP socket: " + error_text(errno) + " (needs CAP_NET_RAW)";
        return -1;
    }
    icmp_filter filter{};
    filter.data =
        ~((1u << ICMP_ECHOREPLY) | (1u << ICMP_DEST_UNREACH) | (1u << ICMP_SOURCE_QUENCH) |
          (1u << ICMP_TIME_EXCEEDED) | (1u << ICMP_PARAMETERPROB));
    if (setsockopt(fd, SOL_RAW, ICMP_FILTER, &filter, sizeof filter) != 0) {
        cause = "raw ICMP socket: ICMP_FILTER: " + error_text(errno);
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

IcmpSocket IcmpSocket::open(IcmpSocketChoice choice, std::string* problem) {
    std::string datagram_cause;
    std::string raw_cause;
    if (choice != IcmpSocketChoice::raw_only) {
        const int fd = open_datagram(datagram_cause);
        if (fd >= 0) {
            return IcmpSocket(fd, IcmpSocketKind::datagram);
        }
    }
    if (choice != IcmpSocketChoice::datagram_only) {
        const int fd = open_raw(raw_cause);
        if (fd >= 0) {
            return IcmpSocket(fd, IcmpSocketKind::raw);
        }
    }
    if (problem != nullptr) {
        *problem = datagram_cause;
        if (!datagram_cause.empty() && !raw_cause.empty()) {
            *problem += "; ";
        }
        *problem += raw_cause;
    }
    return IcmpSocket();
}

IcmpSocket::IcmpSocket(IcmpSocket&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), kind_(other.kind_) {}

IcmpSocket& IcmpSocket::operator=(IcmpSocket&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) {
            close(fd_);
        }
        fd_ = std::exchange(other.fd_, -1);
        kind_ = other.kind_;
    }
    return *this;
}

IcmpSocket::~IcmpSocket() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

} // namespace tindrel
