#include "scripted_smtp_peer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace tindrel::testing {

namespace {

constexpr int kSliceMs = 20; // how often a blocked peer looks at its stop flag

// Waits for `events` on `fd` in short slices until the deadline or a stop request.
bool wait_for(int fd, short events, std::chrono::steady_clock::time_point deadline,
              const std::atomic<bool>& stop) {
    while (!stop && std::chrono::steady_clock::now() < deadline) {
        pollfd waiting{fd, events, 0};
        const int ready = poll(&waiting, 1, kSliceMs);
        if (ready > 0) {
            return true;
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
    return false;
}

} // namespace

std::vector<ScriptedSmtpPeer::Step> ScriptedSmtpPeer::accepting_script(size_t recipients) {
    std::vector<Step> script = {send("220 peer ready\r\n"), read_line(), send("250 hello\r\n"),
                                read_line(), send("250 sender ok\r\n")};
    for (size_t i = 0; i < recipients; ++i) {
        script.push_back(read_line());
        script.push_back(send("250 recipient ok\r\n"));
    }
    script.push_back(read_line());
    script.push_back(send("354 go ahead\r\n"));
    script.push_back(read_data());
    script.push_back(send("250 queued\r\n"));
    return script;
}

ScriptedSmtpPeer::ScriptedSmtpPeer(std::vector<Step> script, std::chrono::milliseconds step_limit)
    : script_(std::move(script)), step_limit_(step_limit) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
        listen(listener_, 1) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        script_broken_ = true;
        done_ = true;
        return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
}

ScriptedSmtpPeer::~ScriptedSmtpPeer() {
    stop_ = true;
    if (thread_.joinable()) {
        thread_.join();
    }
    if (client_ >= 0) {
        ::close(client_);
    }
    if (listener_ >= 0) {
        ::close(listener_);
    }
}

bool ScriptedSmtpPeer::wait_until_done(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done_ && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done_;
}

std::string ScriptedSmtpPeer::received() {
    std::lock_guard lock(received_mutex_);
    return received_;
}

std::chrono::steady_clock::time_point ScriptedSmtpPeer::step_deadline() const {
    return std::chrono::steady_clock::now() + step_limit_;
}

void ScriptedSmtpPeer::run() {
    if (accept_client()) {
        bool closed_by_script = false;
        for (const Step& step : script_) {
            if (step.kind == Step::Kind::close) {
                closed_by_script = true;
                break;
            }
            if (!play(step)) {
                script_broken_ = true;
                break;
            }
        }
        if (!closed_by_script && !script_broken_) {
            drain();
        }
        ::close(client_);
        client_ = -1;
    } else {
        script_broken_ = true;
    }
    done_ = true;
}

bool ScriptedSmtpPeer::accept_client() {
    if (!wait_for(listener_, POLLIN, step_deadline(), stop_)) {
        return false;
    }
    client_ = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    return client_ >= 0;
}

bool ScriptedSmtpPeer::play(const Step& step) {
    switch (step.kind) {
    case Step::Kind::send:
        return send_all(step.bytes);
    case Step::Kind::read_line:
        return read_until("\r\n");
    case Step::Kind::read_data:
        return read_until("\r\n.\r\n");
    case Step::Kind::read_bytes: {
        const auto deadline = step_deadline();
        for (;;) {
            {
                std::lock_guard lock(received_mutex_);
                if (received_.size() - scanned_ >= step.count) {
                    scanned_ += step.count;
                    return true;
                }
            }
            size_t got = 0;
            if (!wait_for(client_, POLLIN, deadline, stop_) || !read_some(65536, &got) ||
                got == 0) {
                return false;
            }
        }
    }
    case Step::Kind::close:
        break;
    }
    return false;
}

bool ScriptedSmtpPeer::read_until(const std::string& terminator) {
    const auto deadline = step_deadline();
    for (;;) {
        {
            std::lock_guard lock(received_mutex_);
            const size_t found = received_.find(terminator, scanned_);
            if (found != std::string::npos) {
                scanned_ = found + terminator.size();
                return true;
            }
        }
        size_t got = 0;
        if (!wait_for(client_, POLLIN, deadline, stop_) || !read_some(65536, &got) || got == 0) {
            return false;
        }
    }
}

bool ScriptedSmtpPeer::read_some(size_t limit, size_t* got) {
    std::string chunk(limit, '\0');
    ssize_t n;
    do {
        n = recv(client_, chunk.data(), chunk.size(), 0);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        return false;
    }
    *got = static_cast<size_t>(n);
    std::lock_guard lock(received_mutex_);
    received_.append(chunk.data(), *got);
    return true;
}

bool ScriptedSmtpPeer::send_all(const std::string& bytes) {
    const auto deadline = step_deadline();
    size_t sent = 0;
    while (sent < bytes.size()) {
        if (!wait_for(client_, POLLOUT, deadline, stop_)) {
            return false;
        }
        const ssize_t n =
            ::send(client_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno != EINTR && errno != EAGAIN) {
            return false;
        }
        sent += n > 0 ? static_cast<size_t>(n) : 0;
    }
    return true;
}

void ScriptedSmtpPeer::drain() {
    const auto deadline = step_deadline();
    size_t got = 1;
    while (got > 0 && wait_for(client_, POLLIN, deadline, stop_) && read_some(65536, &got)) {
    }
}

} // namespace tindrel::testing
