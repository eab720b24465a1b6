#include "core/alerts/mail/tcp_connection.h"
#include "mail_test_support.h"
#include "test_listener.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace tindrel {
namespace {

using testing::FakeResolver;
using testing::TestListener;

TEST(OpenTcpConnection, ReachesTheServerByAddressOrByNameOnTheLow16BitsOfThePort) {
    TestListener listener(true);
    const int32_t port = listener.port();
    struct Case {
        std::string host;
        int32_t port;
    };
    const Case cases[] = {
        {"127.0.0.1", port},
        {"127.0.0.1", port + 65536},
        {"127.0.0.1", port - 65536},
        {"mail.example.test", port},
    };
    for (const Case& c : cases) {
        FakeResolver resolver;
        resolver.addresses["mail.example.test"] = "127.0.0.1";
        EXPECT_NE(open_tcp_connection(c.host, c.port, resolver), nullptr) << c.host << c.port;
        EXPECT_EQ(resolver.asked.size(), c.host == "mail.example.test" ? 1u : 0u) << c.host;
        const int accepted = accept(listener.fd(), nullptr, nullptr);
        EXPECT_GE(accepted, 0);
        close(accepted);
    }
}

TEST(OpenTcpConnection, HostsThatNameNoServerAreRefused) {
    TestListener listener(true);
    struct Case {
        std::string host;
        std::vector<std::string> asked;
    };
    const Case cases[] = {
        {"", {}},
        {"255.255.255.255", {}},
        {"nowhere.invalid", {"nowhere.invalid"}},
        {"broadcast.test", {"broadcast.test"}},
    };
    for (const Case& c : cases) {
        FakeResolver resolver;
        resolver.addresses["broadcast.test"] = "255.255.255.255";
        EXPECT_EQ(open_tcp_connection(c.host, listener.port(), resolver), nullptr) << c.host;
        EXPECT_EQ(resolver.asked, c.asked) << c.host;
    }
}

TEST(OpenTcpConnection, ClosedPortIsRefused) {
    TestListener closed(false);
    FakeResolver resolver;
    EXPECT_EQ(open_tcp_connection("127.0.0.1", closed.port(), resolver), nullptr);
}

TEST(OpenTcpConnection, GivesUpWhenTheHandshakeHangs) {
    // A listener whose accept queue is full drops new SYNs, so the next attempt hangs the way
    // one towards an unreachable host does.
    TestListener listener(true, /*backlog=*/0);
    FakeResolver resolver;
    auto queued = open_tcp_connection("127.0.0.1", listener.port(), resolver, 5000);
    ASSERT_NE(queued, nullptr);

    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(open_tcp_connection("127.0.0.1", listener.port(), resolver, 300), nullptr);
    const auto took = std::chrono::steady_clock::now() - started;
    EXPECT_GE(took, std::chrono::milliseconds(290));
    EXPECT_LT(took, std::chrono::seconds(5));
}

TEST(TcpConnection, ClosedPeerReportsNothingPendingAndReadsAsClosed) {
    TestListener listener(true);
    FakeResolver resolver;
    auto connection = open_tcp_connection("127.0.0.1", listener.port(), resolver);
    ASSERT_NE(connection, nullptr);
    const int server = accept(listener.fd(), nullptr, nullptr);
    ASSERT_GE(server, 0);
    EXPECT_FALSE(connection->input_pending());

    ASSERT_EQ(send(server, "220 hi\r\n", 8, 0), 8);
    for (int i = 0; i < 500 && !connection->input_pending(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    char buffer[64];
    EXPECT_EQ(connection->receive_bytes(buffer, sizeof buffer), 8);
    EXPECT_EQ(connection->send_bytes("EHLO dummy\r\n", 12), 12);
    // Read before closing: unread input would turn the close into a reset.
    ASSERT_EQ(recv(server, buffer, 12, MSG_WAITALL), 12);

    close(server);
    EXPECT_FALSE(connection->input_pending());
    EXPECT_EQ(connection->receive_bytes(buffer, sizeof buffer), 0);

    connection->close_connection();
    EXPECT_EQ(connection->send_bytes("QUIT\r\n", 6), -1);
    EXPECT_EQ(connection->receive_bytes(buffer, sizeof buffer), -1);
}

} // namespace
} // namespace tindrel
