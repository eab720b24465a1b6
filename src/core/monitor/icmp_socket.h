#pragma once

#include <string>

namespace tindrel {

// How an ICMP echo socket talks to the kernel. A datagram socket ("ping socket") needs no
// privilege where net.ipv4.ping_group_range admits the user's group; the kernel then picks
// the identifier and delivers only replies to it. A raw socket needs CAP_NET_RAW and sees
// every ICMP packet of the host, IPv4 header included.
enum class IcmpSocketKind { datagram, raw };

enum class IcmpSocketChoice {
    automatic,     // datagram where the system allows it, raw otherwise
    datagram_only, // for tests of one path
    raw_only,
};

// An open, non-blocking, close-on-exec ICMP socket; closes itself. Move-only.
class IcmpSocket {
public:
    // Opens a socket of the chosen kind. On failure the result is not open and `problem`,
    // when given, receives the cause for each kind tried, with the system's error text.
    static IcmpSocket open(IcmpSocketChoice choice, std::string* problem = nullptr);

    IcmpSocket() = default;
    IcmpSocket(IcmpSocket&& other) noexcept;
    IcmpSocket& operator=(IcmpSocket&& other) noexcept;
    IcmpSocket(const IcmpSocket&) = delete;
    IcmpSocket& operator=(const IcmpSocket&) = delete;
    ~IcmpSocket();

    bool is_open() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    IcmpSocketKind kind() const { return kind_; }

private:
    IcmpSocket(int fd, IcmpSocketKind kind) : fd_(fd), kind_(kind) {}

    int fd_ = -1;
    IcmpSocketKind kind_ = IcmpSocketKind::datagram;
};

} // namespace tindrel
