#pragma once

#include "core/alerts/mail/connection.h"
#include "core/platform/resolver.h"

#include <cstdint>
#include <memory>
#include <string>

namespace tindrel {

// How long a connection attempt may take before it is given up, close to what desktop
// systems allow rather than Linux's two minutes.
inline constexpr int kConnectTimeoutMs = 20000;

// Opens a blocking TCP connection to `host` on the low 16 bits of `port`. The host is read
// as a dotted IPv4 address first, otherwise looked up through `resolver` (its first IPv4
// address). Returns nullptr when the host is empty, does not resolve or is
// 255.255.255.255, when the socket cannot be made, when the server refuses, or when the
// connection is not up within `timeout_ms` on the monotonic clock. Blocks the calling thread
// for the look-up and the attempt.
std::unique_ptr<Connection> open_tcp_connection(const std::string& host, int32_t port,
                                                Resolver& resolver,
                                                int timeout_ms = kConnectTimeoutMs);

} // namespace tindrel
