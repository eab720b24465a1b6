#include "core/alerts/mail/network_facility.h"

#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tindrel {

namespace {
bool network_started = false;

// Opens and closes one socket; on failure returns the cause with the system's text.
bool can_open(int type, int protocol, const char* what, std::string& cause) {
    const int fd = socket(AF_INET, type | SOCK_CLOEXEC, protocol);
    if (fd < 0) {
        cause = std::string(what) + ": " + std::strerror(errno);
        return false;
    }
    close(fd);
    return true;
}
} // namespace

// Linux sockets need no start-up call: the facility is there when the two kinds of socket
// the program needs, a TCP one for the mail and an ICMP echo one for the probe, can be
// opened. The probe takes a datagram ("ping") socket where the system allows it and a raw
// one otherwise, so either will do here.
bool init_network(std::string* problem) {
    network_started = false;
    std::string cause;
    std::string raw_cause;
    const bool started = can_open(SOCK_STREAM, 0, "IPv4 stream socket", cause) &&
                         (can_open(SOCK_DGRAM, IPPROTO_ICMP, "datagram ICMP socket", cause) ||
                          can_open(SOCK_RAW, IPPROTO_ICMP, "raw ICMP socket", raw_cause));
    if (!started && problem != nullptr) {
        *problem = raw_cause.empty() ? cause : cause + "; " + raw_cause;
    }
    network_started = started;
    return started;
}

// Nothing is held between start and stop; the flag keeps a stop without a start harmless.
void end_network() {
    if (network_started) {
        network_started = false;
    }
}

} // namespace tindrel
