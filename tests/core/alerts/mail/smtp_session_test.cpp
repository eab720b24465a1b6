#include "core/alerts/mail/smtp_session.h"
#include "core/alerts/mail/tcp_connection.h"
#include "mail_test_support.h"
#include "scripted_smtp_peer.h"

#include <cstring>
#include <deque>
#include <gtest/gtest.h>

namespace tindrel {
namespace {

using testing::example_message_text;
using testing::FakeResolver;
using testing::FixedDateClock;
using Peer = testing::ScriptedSmtpPeer;

const std::string kTo = "ops@example.test";
const std::string kCc = "boss@example.test";
const std::string kBody = "10.0.0.7 not responding !!!";

std::unique_ptr<MailMessage> make_message(std::optional<std::string> body,
                                          std::vector<MailRecipient> in_order_added) {
    auto message = std::make_unique<MailMessage>();
    message->sender = "tindrel@localhost";
    message->subject = "Tindrel WARNING...!!!";
    message->body = std::move(body);
    for (auto& recipient : in_order_added) {
        message->recipients.push_front(std::move(recipient));
    }
    return message;
}

std::unique_ptr<MailMessage> alert_to_both() {
    return make_message(kBody, {{kTo, kRecipientTo}, {kCc, kRecipientCc}});
}

// Short reply waits for peers that go quiet. The wait counts whole seconds of the wall clock,
// so a limit of 2 still leaves a second or more for each reply that does come.
constexpr int32_t kShortReplyTimeoutS = 2;

struct Outcome {
    int32_t progress;
    std::string received;
};

// Runs a session on this thread against a peer playing `script`.
Outcome run_against(std::vector<Peer::Step> script, MailMessage& message,
                    int32_t reply_timeout_s = 10) {
    Peer peer(std::move(script));
    FakeResolver resolver;
    FixedDateClock clock;
    message.connection = open_tcp_connection("127.0.0.1", peer.port(), resolver);
    EXPECT_NE(message.connection, nullptr);
    message.reply_timeout_s = reply_timeout_s;
    run_smtp_session(message, SessionEnvironment{&clock, {}});
    EXPECT_TRUE(peer.wait_until_done());
    return {message.progress.load(), peer.received()};
}

std::string commands_up_to_data(const std::vector<std::string>& rcpt_order) {
    std::string commands = "EHLO dummy\r\nMAIL FROM:<tindrel@localhost>\r\n";
    for (const auto& address : rcpt_order) {
        commands += "RCPT TO:<" + address + ">\r\n";
    }
    return commands + "DATA\r\n";
}

TEST(SmtpSession, DeliversToBothRecipientsNewestFirstAndQuits) {
    auto message = alert_to_both();
    const Outcome outcome = run_against(Peer::accepting_script(2), *message);

    EXPECT_EQ(outcome.progress, kMailFinished);
    EXPECT_EQ(outcome.received, commands_up_to_data({kCc, kTo}) +
                                    example_message_text(kTo, kCc, "+0200", kBody) +
                                    "\r\n.\r\nQUIT\r\n");
    EXPECT_EQ(message->connection, nullptr);
}

TEST(SmtpSession, RestOfASplitGreetingIsReadAsTheEhloReply) {
    auto message = alert_to_both();
    const Outcome outcome = run_against(
        {Peer::send("220-first\r\n"), Peer::read_line(), Peer::send("220 second\r\n")}, *message);

    EXPECT_EQ(outcome.progress, kMailFailed);
    EXPECT_EQ(outcome.received, "EHLO dummy\r\n");
}

TEST(SmtpSession, RestOfASplitEhloReplyAnswersMailFrom) {
    auto message = make_message(kBody, {{kTo, kRecipientTo}});
    // The peer never answers MAIL FROM itself: the second half of its EHLO reply does.
    const Outcome outcome =
        run_against({Peer::send("220 hi\r\n"), Peer::read_line(), Peer::send("250-first\r\n"),
                     Peer::read_line(), Peer::send("250 second\r\n"), Peer::read_line(),
                     Peer::send("250 recipient ok\r\n"), Peer::read_line(),
                     Peer::send("354 go\r\n"), Peer::read_data(), Peer::send("250 queued\r\n")},
                    *message);

    EXPECT_EQ(outcome.progress, kMailFinished);
    EXPECT_EQ(outcome.received.substr(0, commands_up_to_data({kTo}).size()),
              commands_up_to_data({kTo}));
}

TEST(SmtpSession, RefusalsEndTheDialogueWithoutQuit) {
    struct Case {
        const char* name;
        std::unique_ptr<MailMessage> message;
        std::vector<Peer::Step> script;
        std::string received;
    };
    Case cases[] = {
        {"421 greeting", alert_to_both(), {Peer::send("421 busy\r\n"), Peer::close()}, ""},
        {"refused recipient",
         alert_to_both(),
         {Peer::send("220 hi\r\n"), Peer::read_line(), Peer::send("250 hello\r\n"),
          Peer::read_line(), Peer::send("250 ok\r\n"), Peer::read_line(),
          Peer::send("550 no such user\r\n")},
         "EHLO dummy\r\nMAIL FROM:<tindrel@localhost>\r\nRCPT TO:<" + kCc + ">\r\n"},
        {"no recipients, DATA refused",
         make_message(kBody, {}),
         {Peer::send("220 hi\r\n"), Peer::read_line(), Peer::send("250 hello\r\n"),
          Peer::read_line(), Peer::send("250 ok\r\n"), Peer::read_line(),
          Peer::send("503 need RCPT first\r\n")},
         commands_up_to_data({})},
        {"message refused", alert_to_both(),
         [] {
             auto script = Peer::accepting_script(2);
             script.back() = Peer::send("554 rejected\r\n");
             return script;
         }(),
         commands_up_to_data({kCc, kTo}) + example_message_text(kTo, kCc, "+0200", kBody) +
             "\r\n.\r\n"},
    };
    for (Case& c : cases) {
        const Outcome outcome = run_against(std::move(c.script), *c.message);
        EXPECT_EQ(outcome.progress, kMailFailed) << c.name;
        EXPECT_EQ(outcome.received, c.received) << c.name;
    }
}

TEST(SmtpSession, SilentServerTimesOut) {
    auto message = alert_to_both();
    const Outcome outcome = run_against({}, *message, kShortReplyTimeoutS);
    EXPECT_EQ(outcome.progress, kMailFailed);
    EXPECT_EQ(outcome.received, "");
}

TEST(SmtpSession, LineStartingWithADotIsDoubled) {
    // The soft break after 72 characters puts ".end" at the start of a line, and the body's
    // own first character starts the first body line.
    const std::string body = "." + std::string(71, 'a') + ".end";
    auto message = make_message(body, {{kTo, kRecipientTo}});
    const Outcome outcome = run_against(Peer::accepting_script(1), *message);

    EXPECT_EQ(outcome.progress, kMailFinished);
    const std::string data_end =
        "\r\n\r\n.." + std::string(71, 'a') + "=\r\n..end\r\n.\r\nQUIT\r\n";
    ASSERT_GE(outcome.received.size(), data_end.size());
    EXPECT_EQ(outcome.received.substr(outcome.received.size() - data_end.size()), data_end);
}

TEST(SmtpSession, CommandsThatWouldNotFitAreRefusedBeforeAnythingIsSent) {
    // "MAIL FROM:<" + sender + ">\r\n" and "RCPT TO:<" + address + ">\r\n" may take 1023 bytes.
    const std::string longest_sender = std::string(1009 - 4, 's') + "@x.t";
    const std::string longest_address = std::string(1011 - 4, 'r') + "@x.t";
    struct Case {
        const char* name;
        std::string sender;
        std::string address;
        int32_t progress;
    };
    const Case cases[] = {
        {"longest sender and address", longest_sender, longest_address, kMailFinished},
        {"sender one byte longer", "s" + longest_sender, kTo, kMailFailed},
        {"address one byte longer", "tindrel@localhost", "r" + longest_address, kMailFailed},
        {"address with a line break", "tindrel@localhost", "a@x.t>\r\nRCPT TO:<b@x.t", kMailFailed},
    };
    for (const Case& c : cases) {
        auto message = make_message(kBody, {{c.address, kRecipientTo}});
        message->sender = c.sender;
        const Outcome outcome = run_against(Peer::accepting_script(1), *message);
        EXPECT_EQ(outcome.progress, c.progress) << c.name;
        if (c.progress == kMailFailed) {
            EXPECT_EQ(outcome.received, "") << c.name;
        } else {
            EXPECT_NE(outcome.received.find("RCPT TO:<" + c.address + ">\r\n"), std::string::npos);
        }
    }
}

TEST(SmtpSession, PeerClosingInTheMiddleOfTheDataFailsTheSession) {
    // Large enough that the client is still sending when the peer's reset arrives; the
    // sends must fail quietly, not raise SIGPIPE.
    auto message = make_message(std::string(4 << 20, 'x'), {{kTo, kRecipientTo}});
    auto script = Peer::accepting_script(1);
    script.resize(script.size() - 2); // drop reading the data and accepting it
    script.push_back(Peer::read_bytes(100));
    script.push_back(Peer::close());

    const Outcome outcome = run_against(std::move(script), *message, kShortReplyTimeoutS);

    EXPECT_EQ(outcome.progress, kMailFailed);
    EXPECT_EQ(outcome.received.substr(0, commands_up_to_data({kTo}).size()),
              commands_up_to_data({kTo}));
}

// Hostile peers: each must end the session as failed within the reply time-outs.
TEST(SmtpSession, GarbageFromThePeerFailsTheSession) {
    const std::string megabytes(4 << 20, 'x');
    struct Case {
        const char* name;
        std::vector<Peer::Step> script;
    };
    Case cases[] = {
        {"megabytes without a line end", {Peer::send(megabytes)}},
        {"greeting then megabytes", {Peer::send("220 hi\r\n" + megabytes)}},
        {"zero bytes before the greeting",
         {Peer::send(std::string("\0\0\0"
                                 "220 hi\r\n",
                                 11))}},
        {"zero bytes as the EHLO reply",
         {Peer::send("220 hi\r\n"), Peer::read_line(), Peer::send(std::string(3000, '\0'))}},
    };
    for (Case& c : cases) {
        auto message = alert_to_both();
        const Outcome outcome = run_against(std::move(c.script), *message, kShortReplyTimeoutS);
        EXPECT_EQ(outcome.progress, kMailFailed) << c.name;
    }
}

class SmtpSessionCut : public ::testing::TestWithParam<size_t> {};

TEST_P(SmtpSessionCut, PeerClosingAtAnyPointFailsTheSession) {
    auto script = Peer::accepting_script(1);
    script.resize(GetParam());
    script.push_back(Peer::close());
    auto message = make_message(kBody, {{kTo, kRecipientTo}});

    const Outcome outcome = run_against(std::move(script), *message, kShortReplyTimeoutS);

    EXPECT_EQ(outcome.progress, kMailFailed);
    EXPECT_EQ(message->connection, nullptr);
}

INSTANTIATE_TEST_SUITE_P(AfterSteps, SmtpSessionCut,
                         ::testing::Range<size_t>(0, Peer::accepting_script(1).size()));

// A connection fed from a queue of arriving chunks, with a clock that moves only while the
// session pauses: reply waits run without real time passing. The wire outlives the
// connection, which the session releases at its end.
struct FakeWire {
    std::deque<std::string> arriving;
    std::string sent;
    std::function<void()> on_send;
};

class FakeConnection final : public Connection {
public:
    explicit FakeConnection(FakeWire& wire) : wire_(wire) {}

    int64_t send_bytes(const char* bytes, size_t length) override {
        if (wire_.on_send) {
            wire_.on_send();
        }
        wire_.sent.append(bytes, length);
        return static_cast<int64_t>(length);
    }
    bool input_pending() override { return !wire_.arriving.empty(); }
    int64_t receive_bytes(char* buffer, size_t max_length) override {
        if (wire_.arriving.empty()) {
            return 0;
        }
        std::string& chunk = wire_.arriving.front();
        const size_t n = std::min(max_length, chunk.size());
        std::memcpy(buffer, chunk.data(), n);
        chunk.erase(0, n);
        if (chunk.empty()) {
            wire_.arriving.pop_front();
        }
        return static_cast<int64_t>(n);
    }
    void close_connection() override {}

private:
    FakeWire& wire_;
};

class PausedTimeClock final : public Clock {
public:
    explicit PausedTimeClock(int64_t start_ms) : now_ms(start_ms) {}
    int64_t now_ms;
    uint32_t tick_ms() override { return static_cast<uint32_t>(now_ms); }
    LocalTime local_time() override { return testing::example_local_time(); }
    int64_t wall_seconds() override { return now_ms / 1000; }
};

struct FakeSession {
    explicit FakeSession(int64_t start_ms) : clock(start_ms) {
        message = make_message(kBody, {{kTo, kRecipientTo}});
        message->connection = std::make_unique<FakeConnection>(wire);
        environment.clock = &clock;
        environment.pause = [this](int ms) {
            pauses.push_back(ms);
            clock.now_ms += ms;
        };
    }
    PausedTimeClock clock;
    FakeWire wire;
    std::unique_ptr<MailMessage> message;
    SessionEnvironment environment;
    std::vector<int> pauses;
};

TEST(ExpectReply, WaitsWholeSecondsOfTheWallClockLookingEveryTenthOfASecond) {
    // Ten whole seconds are 9.1 s of real time when the wait begins just before a second
    // ticks over, and 10 s when it begins right on one.
    const std::pair<int64_t, size_t> starts[] = {{50'000, 100}, {50'999, 91}};
    for (const auto& [start_ms, expected_pauses] : starts) {
        FakeSession fake(start_ms);
        fake.message->reply_timeout_s = 10;
        SmtpSession session{*fake.message, fake.environment};

        EXPECT_FALSE(expect_reply(session, "220"));
        EXPECT_EQ(fake.pauses.size(), expected_pauses) << start_ms;
        EXPECT_EQ(std::count(fake.pauses.begin(), fake.pauses.end(), kReplyPollMs),
                  static_cast<long>(fake.pauses.size()));
    }
}

TEST(ExpectReply, ReadsAtMost2047BytesAndLeavesTheRestForTheNextWait) {
    FakeSession fake(0);
    fake.wire.arriving.push_back("220 hi\r\n" + std::string(2039, 'x') + "250 next\r\n");
    SmtpSession session{*fake.message, fake.environment};

    EXPECT_TRUE(expect_reply(session, "220"));
    EXPECT_TRUE(expect_reply(session, "250"));
    EXPECT_TRUE(fake.wire.arriving.empty());
    EXPECT_TRUE(fake.pauses.empty()) << "input already there is read at once";
}

TEST(SmtpSession, ProgressCountsEveryByteHandedOverStuffedDotsIncluded) {
    FakeSession fake(0);
    fake.message->body = ".x";
    for (const char* reply : {"220 hi\r\n", "250 hello\r\n", "250 ok\r\n", "250 ok\r\n",
                              "354 go\r\n", "250 queued\r\n"}) {
        fake.wire.arriving.push_back(reply);
    }
    std::vector<int32_t> progress_at_send;
    fake.wire.on_send = [&] { progress_at_send.push_back(fake.message->progress); };

    run_smtp_session(*fake.message, fake.environment);

    EXPECT_EQ(fake.message->progress, kMailFinished);
    const std::string sent = fake.wire.sent;
    const size_t data_start = sent.find("DATA\r\n") + 6;
    const size_t quit_start = sent.rfind("QUIT\r\n");
    ASSERT_NE(progress_at_send.size(), 0u);
    EXPECT_EQ(progress_at_send.front(), kMailInDialogue) << "EHLO follows the greeting";
    EXPECT_EQ(progress_at_send.back(), static_cast<int32_t>(quit_start - data_start));
    EXPECT_NE(sent.find("\r\n\r\n..x\r\n.\r\n"), std::string::npos);
}

} // namespace
} // namespace tindrel
