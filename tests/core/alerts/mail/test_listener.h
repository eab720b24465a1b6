#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tindrel::testing {

// A TCP socket bound to an ephemeral port of 127.0.0.1; listening only when asked, so that
// an unasked one stands for a closed port that nobody else can take meanwhile.
class TestListener {
public:
    explicit TestListener(bool listening, int backlog = 4) {
        fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        bind(fd_, reinterpret_cast<sockaddr*>(&address), size);
        if (listening) {
            listen(fd_, backlog);
        }
        getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
    }
    ~TestListener() { close(fd_); }
    TestListener(const TestListener&) = delete;
    TestListener& operator=(const TestListener&) = delete;

    int fd() const { return fd_; }
    uint16_t port() const { return port_; }

private:
    int fd_ = -1;
    uint16_t port_ = 0;
};

} // namespace tindrel::testing
