#include "core/alerts/mail/alert_mail.h"
#include "mail_test_support.h"
#include "scripted_smtp_peer.h"
#include "test_listener.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace tindrel {
namespace {

using testing::example_message_text;
using testing::FakeResolver;
using testing::FixedDateClock;
using testing::TestListener;
using Peer = testing::ScriptedSmtpPeer;

struct Dispatch {
    int32_t result = 0;
    int waits = 0;
    std::string received;
};

// The settings' port is a signed 16-bit field, so an ephemeral port above 32767 is stored
// negative, exactly as the data file would keep it.
Settings settings_for(const std::string& server, uint16_t port, std::string recipient1,
                      std::string recipient2) {
    Settings settings;
    settings.smtp_server = server;
    settings.smtp_port = static_cast<int16_t>(port);
    settings.recipient1 = std::move(recipient1);
    settings.recipient2 = std::move(recipient2);
    return settings;
}

Dispatch dispatch(const Settings& settings, const std::string& body, FakeResolver& resolver,
                  Peer* peer = nullptr) {
    FixedDateClock clock;
    Dispatch outcome;
    MailDependencies deps{resolver, clock, [&](int ms) {
                              EXPECT_EQ(ms, kProgressPollMs);
                              ++outcome.waits;
                              // Stands for the front end's repaint; short, as the session runs
                              // on its own thread whatever the wait does.
                              std::this_thread::sleep_for(std::chrono::milliseconds(5));
                          }};
    outcome.result = send_alert_mail(settings, body, deps);
    if (peer != nullptr) {
        EXPECT_TRUE(peer->wait_until_done());
        outcome.received = peer->received();
    }
    return outcome;
}

TEST(SendAlertMail, DeliversToTheServerByNameWithToAndCc) {
    Peer peer(Peer::accepting_script(2));
    FakeResolver resolver;
    resolver.addresses["mail.example.test"] = "127.0.0.1";
    const auto settings =
        settings_for("mail.example.test", peer.port(), "ops@example.test", "boss@example.test");

    const Dispatch outcome = dispatch(settings, "10.0.0.7 not responding !!!", resolver, &peer);

    EXPECT_EQ(outcome.result, kMailFinished);
    EXPECT_GE(outcome.waits, 1);
    EXPECT_EQ(resolver.asked, std::vector<std::string>{"mail.example.test"});
    EXPECT_EQ(outcome.received,
              "EHLO dummy\r\nMAIL FROM:<tindrel@localhost>\r\n"
              "RCPT TO:<boss@example.test>\r\nRCPT TO:<ops@example.test>\r\nDATA\r\n" +
                  example_message_text("ops@example.test", "boss@example.test", "+0200",
                                       "10.0.0.7 not responding !!!") +
                  "\r\n.\r\nQUIT\r\n");
}

TEST(SendAlertMail, EachNonEmptyRecipientIsAddressedUntrimmed) {
    struct Case {
        const char* name;
        std::string recipient1;
        std::string recipient2;
        std::string header;
        std::string rcpt;
    };
    const Case cases[] = {
        {"only the copy", "", "boss@example.test",
         "\r\nCc: boss@example.test\r\nDate: ", "RCPT TO:<boss@example.test>\r\nDATA"},
        {"blanks", "   ", "", "\r\nTo:    \r\nDate: ", "RCPT TO:<   >\r\nDATA"},
    };
    for (const Case& c : cases) {
        Peer peer(Peer::accepting_script(1));
        FakeResolver resolver;
        const Dispatch outcome =
            dispatch(settings_for("127.0.0.1", peer.port(), c.recipient1, c.recipient2),
                     " This is a test !!!", resolver, &peer);
        EXPECT_EQ(outcome.result, kMailFinished) << c.name;
        EXPECT_NE(outcome.received.find(c.header), std::string::npos) << c.name;
        EXPECT_NE(outcome.received.find("MAIL FROM:<tindrel@localhost>\r\n" + c.rcpt),
                  std::string::npos)
            << c.name;
    }
}

TEST(SendAlertMail, FailedSessionGivesMinusTwo) {
    Peer peer({Peer::send("554 no service here\r\n"), Peer::close()});
    FakeResolver resolver;
    const Dispatch outcome = dispatch(
        settings_for("127.0.0.1", peer.port(), "ops@example.test", ""), "x", resolver, &peer);
    EXPECT_EQ(outcome.result, kMailFailed);
    EXPECT_GE(outcome.waits, 1);
    EXPECT_EQ(outcome.received, "");
}

TEST(SendAlertMail, UnreachedServerGivesZeroWithoutWaiting) {
    TestListener closed(false);
    struct Case {
        const char* name;
        std::string server;
    };
    const Case cases[] = {{"closed port", "127.0.0.1"}, {"unknown name", "mail.invalid"}};
    for (const Case& c : cases) {
        FakeResolver resolver;
        const Dispatch outcome =
            dispatch(settings_for(c.server, closed.port(), "ops@example.test", ""), "x", resolver);
        EXPECT_EQ(outcome.result, 0) << c.name;
        EXPECT_EQ(outcome.waits, 0) << c.name;
    }
}

} // namespace
} // namespace tindrel
