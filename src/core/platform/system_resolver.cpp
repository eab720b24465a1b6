#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include "core/platform/resolver.h"

namespace tindrel {

std::optional<uint32_t> SystemResolver::resolve_ipv4(const std::string& name) {
    // An empty name resolves to nothing; asking the system would only cost a look-up.
    if (name.empty()) {
        return std::nullopt;
    }
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* results = nullptr;
    int rc;
    do {
        rc = getaddrinfo(name.c_str(), nullptr, &hints, &results);
    } while (rc == EAI_SYSTEM && errno == EINTR);
    if (rc != 0 || results == nullptr) {
        return std::nullopt;
    }
    const auto* address = reinterpret_cast<const sockaddr_in*>(results->ai_addr);
    const uint32_t value = address->sin_addr.s_addr;
    freeaddrinfo(results);
    return value;
}

} // namespace tindrel
