#include <gtest/gtest.h>

#include "core/platform/resolver.h"

namespace tindrel {
namespace {

// Only "localhost" is ever looked up: it resolves from /etc/hosts without the network.
TEST(SystemResolver, LocalhostResolvesToLoopback) {
    SystemResolver resolver;
    const auto address = resolver.resolve_ipv4("localhost");
    ASSERT_TRUE(address.has_value());
    const auto* octets = reinterpret_cast<const unsigned char*>(&*address);
    EXPECT_EQ(octets[0], 127);
}

TEST(SystemResolver, DottedTextNeedsNoLookup) {
    SystemResolver resolver;
    const auto address = resolver.resolve_ipv4("127.0.0.9");
    ASSERT_TRUE(address.has_value());
    const auto* octets = reinterpret_cast<const unsigned char*>(&*address);
    EXPECT_EQ(octets[0], 127);
    EXPECT_EQ(octets[3], 9);
}

TEST(SystemResolver, EmptyNameResolvesToNothing) {
    SystemResolver resolver;
    EXPECT_FALSE(resolver.resolve_ipv4("").has_value());
}

} // namespace
} // namespace tindrel
