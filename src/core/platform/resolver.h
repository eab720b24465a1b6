#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tindrel {

// Host name resolution, behind an interface so tests never touch real DNS.
class Resolver {
public:
    virtual ~Resolver() = default;
    // The first IPv4 address of `name` in network byte order (first octet in the lowest
    // byte of memory), or nullopt when the name does not resolve. Blocks while it looks up.
    virtual std::optional<uint32_t> resolve_ipv4(const std::string& name) = 0;
};

// getaddrinfo, IPv4 only.
class SystemResolver final : public Resolver {
public:
    std::optional<uint32_t> resolve_ipv4(const std::string& name) override;
};

} // namespace tindrel
