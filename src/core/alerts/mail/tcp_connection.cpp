#include "core/alerts/mail/tcp_connection.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <netinet/in.h>
#include <optional>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tindrel {

namespace {

class TcpConnection final : public Connection {
public:
    explicit TcpConnection(int socket_handle) : socket_handle_(socket_handle) {}
    ~TcpConnection() override { close_connection(); }
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;

    int64_t send_bytes(const char* bytes, size_t length) override {
        if (socket_handle_ < 0) {
            return -1;
        }
        size_t sent = 0;
        while (sent < length) {
            // MSG_NOSIGNAL: a server that has gone away must cost us a failed send, not the
            // process.
            const ssize_t n = send(socket_handle_, bytes + sent, length - sent, MSG_NOSIGNAL);
            if (n < 0) {
                if (errno == EINTR) {
                    continue;
                }
                break;
            }
            sent += static_cast<size_t>(n);
        }
        return sent > 0 || length == 0 ? static_cast<int64_t>(sent) : -1;
    }

    bool input_pending() override {
        int pending = 0;
        if (socket_handle_ < 0 || ioctl(socket_handle_, FIONREAD, &pending) != 0) {
            return false;
        }
        return pending > 0;
    }

    int64_t receive_bytes(char* buffer, size_t max_length) override {
        if (socket_handle_ < 0) {
            return -1;
        }
        ssize_t n;
        do {
            n = recv(socket_handle_, buffer, max_length, 0);
        } while (n < 0 && errno == EINTR);
        return n;
    }

    void close_connection() override {
        if (socket_handle_ >= 0) {
            // Not retried on EINTR: on Linux the descriptor is gone either way.
            close(socket_handle_);
            socket_handle_ = -1;
        }
    }

private:
    int socket_handle_;
};

std::optional<in_addr> server_address(const std::string& host, Resolver& resolver) {
    in_addr address{};
    if (inet_aton(host.c_str(), &address) == 0) {
        // An empty name would stand for this machine in some resolvers; it names no server.
        if (host.empty()) {
            return std::nullopt;
        }
        const auto resolved = resolver.resolve_ipv4(host);
        if (!resolved) {
            return std::nullopt;
        }
        address.s_addr = *resolved;
    }
    if (address.s_addr == INADDR_NONE) {
        return std::nullopt; // 255.255.255.255, the broadcast address, is never a server
    }
    return address;
}

bool set_blocking(int socket_handle, bool blocking) {
    const int flags = fcntl(socket_handle, F_GETFL);
    if (flags < 0) {
        return false;
    }
    const int wanted = blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK;
    return fcntl(socket_handle, F_SETFL, wanted) == 0;
}

// Connects the non-blocking socket, waiting at most `timeout_ms` for the handshake.
bool connect_within(int socket_handle, const sockaddr_in& address, int timeout_ms) {
    using std::chrono::steady_clock;
    const auto deadline = steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    if (connect(socket_handle, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
        return true;
    }
    // After EINTR the attempt goes on in the background, just as after EINPROGRESS.
    if (errno != EINPROGRESS && errno != EINTR) {
        return false;
    }
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(deadline - steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd waiting{socket_handle, POLLOUT, 0};
        const int ready = poll(&waiting, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno != EINTR) {
            return false;
        }
        if (ready <= 0) {
            continue;
        }
        int error = 0;
        socklen_t error_size = sizeof error;
        if (getsockopt(socket_handle, SOL_SOCKET, SO_ERROR, &error, &error_size) != 0) {
            return false;
        }
        return error == 0;
    }
}

} // namespace

std::unique_ptr<Connection> open_tcp_connection(const std::string& host, int32_t port,
                                                Resolver& resolver, int timeout_ms) {
    const auto address = server_address(host, resolver);
    if (!address) {
        return nullptr;
    }
    const int socket_handle = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (socket_handle < 0) {
        return nullptr;
    }
    auto connection = std::make_unique<TcpConnection>(socket_handle);
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<uint16_t>(port));
    target.sin_addr = *address;
    if (!connect_within(socket_handle, target, timeout_ms) || !set_blocking(socket_handle, true)) {
        return nullptr;
    }
    return connection;
}

} // namespace tindrel
