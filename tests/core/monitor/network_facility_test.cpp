#include "core/alerts/mail/network_facility.h"
#include "network_sandbox.h"

#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

namespace tindrel {
namespace {

using testing::run_in_network_sandbox;
using testing::SandboxResult;

TEST(NetworkFacility, StartsWhereItsSocketsOpenAndStopsOnce) {
    std::string problem;
    EXPECT_TRUE(init_network(&problem)) << problem;
    EXPECT_TRUE(problem.empty());
    end_network();
    end_network(); // a second stop, or one without a start, does nothing
}

TEST(NetworkFacility, NamesTheSocketThatCannotBeOpened) {
    // No file descriptor left: even the stream socket fails.
    SandboxResult result = run_in_network_sandbox("", [] {
        const rlimit none{0, 0};
        setrlimit(RLIMIT_NOFILE, &none);
        std::string problem;
        const bool started = init_network(&problem);
        return std::string(started ? "started" : "failed") + ": " + problem;
    });
    if (!result.entered) {
        GTEST_SKIP() << result.output;
    }
    EXPECT_EQ(result.output, "failed: IPv4 stream socket: Too many open files");

    // Ping sockets closed (as in any fresh namespace) and no CAP_NET_RAW: no ICMP socket.
    result = run_in_network_sandbox("", [] {
        if (!testing::drop_raw_socket_capability()) {
            return std::string("could not drop CAP_NET_RAW");
        }
        std::string problem;
        const bool started = init_network(&problem);
        end_network();
        return std::string(started ? "started" : "failed") + ": " + problem;
    });
    EXPECT_EQ(result.output, "failed: datagram ICMP socket: Permission denied; "
                             "raw ICMP socket: Operation not permitted");
}

} // namespace
} // namespace tindrel
