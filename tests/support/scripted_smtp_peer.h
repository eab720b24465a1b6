#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tindrel::testing {

// A mail server stand-in for one client connection on 127.0.0.1: it accepts, then plays its
// script of sends and reads, recording every byte the client sent. When the script has run
// out it keeps reading until the client closes, so the record also shows whatever the client
// sent unasked. Every wait is bounded; the destructor stops and joins the peer.
class ScriptedSmtpPeer {
public:
    struct Step {
        enum class Kind { send, read_line, read_data, read_bytes, close };
        Kind kind;
        std::string bytes; // for send
        size_t count = 0;  // for read_bytes
    };
    static Step send(std::string bytes) { return {Step::Kind::send, std::move(bytes)}; }
    // Reads up to and including the next CR LF.
    static Step read_line() { return {Step::Kind::read_line, {}}; }
    // Reads up to and including the CR LF "." CR LF that ends message data.
    static Step read_data() { return {Step::Kind::read_data, {}}; }
    static Step read_bytes(size_t count) { return {Step::Kind::read_bytes, {}, count}; }
    // Closes the connection at once, leaving unread whatever the client still sends.
    static Step close() { return {Step::Kind::close, {}}; }

    // The script of an accepting server: greeting, EHLO, MAIL FROM, `recipients` RCPT TO,
    // DATA, the message, then the client's QUIT.
    static std::vector<Step> accepting_script(size_t recipients);

    // Starts listening on an ephemeral port and runs the script in a thread.
    explicit ScriptedSmtpPeer(std::vector<Step> script,
                              std::chrono::milliseconds step_limit = std::chrono::seconds(15));
    ~ScriptedSmtpPeer();
    ScriptedSmtpPeer(const ScriptedSmtpPeer&) = delete;
    ScriptedSmtpPeer& operator=(const ScriptedSmtpPeer&) = delete;

    uint16_t port() const { return port_; }
    // Waits, bounded, until the peer has closed its side; false if it has not.
    bool wait_until_done(std::chrono::milliseconds limit = std::chrono::seconds(30));
    // Every byte received so far.
    std::string received();
    // True when a read step ran out of time or met the client's close before it was done.
    bool script_broken() const { return script_broken_; }

private:
    void run();
    bool accept_client();
    bool play(const Step& step);
    bool read_until(const std::string& terminator);
    bool read_some(size_t limit, size_t* got);
    bool send_all(const std::string& bytes);
    void drain();
    std::chrono::steady_clock::time_point step_deadline() const;

    std::vector<Step> script_;
    std::chrono::milliseconds step_limit_;
    int listener_ = -1;
    int client_ = -1;
    uint16_t port_ = 0;
    std::mutex received_mutex_;
    std::string received_;
    size_t scanned_ = 0; // bytes of received_ already consumed by read steps
    std::atomic<bool> stop_{false};
    std::atomic<bool> done_{false};
    std::atomic<bool> script_broken_{false};
    std::thread thread_;
};

} // namespace tindrel::testing
