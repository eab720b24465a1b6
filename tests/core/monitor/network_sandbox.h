#pragma once

#include <functional>
#include <string>

namespace tindrel::testing {

struct SandboxResult {
    bool entered = false; // false: this host allows no private network namespace
    std::string output;   // what the body returned, or why the sandbox failed
};

// Runs `body` in a forked child inside a network namespace of its own (inside a user
// namespace too when the test is not privileged), so that it can build any topology and
// reach nothing outside. `setup` runs first there under "/bin/sh -e", with loopback up and
// /usr/sbin on the PATH; processes it leaves in the background may block reading fd 3,
// which reaches end-of-file when the child ends, so they end with it.
SandboxResult run_in_network_sandbox(const std::string& setup,
                                     const std::function<std::string()>& body);

// Drops CAP_NET_RAW from the calling process's effective set. False when that fails.
bool drop_raw_socket_capability();

} // namespace tindrel::testing
