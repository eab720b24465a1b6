#include "core/alerts/mail/message_composer.h"
#include "mail_test_support.h"

#include <gtest/gtest.h>

namespace tindrel {
namespace {

using testing::example_local_time;
using testing::example_message_text;

// A clock that counts how often the local time is read.
class CountingClock final : public Clock {
public:
    explicit CountingClock(LocalTime local) : local_(local) {}
    int local_reads = 0;
    uint32_t tick_ms() override { return 0; }
    LocalTime local_time() override {
        ++local_reads;
        return local_;
    }
    int64_t wall_seconds() override { return 0; }

private:
    LocalTime local_;
};

struct Composed {
    std::vector<std::string> pieces;
    std::string text() const {
        std::string all;
        for (const auto& piece : pieces) {
            all += piece;
        }
        return all;
    }
};

Composed compose(MailMessage& message, Clock& clock) {
    Composed composed;
    compose_message(message, clock,
                    [&](std::string_view piece) { composed.pieces.emplace_back(piece); });
    return composed;
}

MailMessage& alert_message(MailTable& table) {
    MailMessage* message = create_mail(table, 0, "tindrel@localhost", "Tindrel WARNING...!!!");
    set_mail_body(table, 0, "10.0.0.7 not responding !!!");
    add_mail_recipient(table, 0, "ops@example.test", kRecipientTo);
    add_mail_recipient(table, 0, "boss@example.test", kRecipientCc);
    return *message;
}

TEST(ComposeMessage, WritesTheWholeAlertInEachZone) {
    const std::pair<int, std::string> zones[] = {
        {120, "+0200"}, {-300, "-0500"}, {330, "+0530"}, {0, "-0000"}};
    for (const auto& [offset, zone] : zones) {
        MailTable table;
        MailMessage& message = alert_message(table);
        message.progress = 1234;
        CountingClock clock(example_local_time(offset));

        const Composed composed = compose(message, clock);

        EXPECT_EQ(composed.text(), example_message_text("ops@example.test", "boss@example.test",
                                                        zone, "10.0.0.7 not responding !!!"))
            << zone;
        EXPECT_EQ(clock.local_reads, 1) << "every date field comes from one reading";
        EXPECT_EQ(message.progress, 0) << "the byte count starts with the message text";
    }
}

TEST(ComposeMessage, AMessageWithoutBodyEndsWithTheBlankLine) {
    MailTable table;
    MailMessage& message = *create_mail(table, 0, "s@x", "subject");
    CountingClock clock(example_local_time(0));

    const Composed composed = compose(message, clock);

    EXPECT_EQ(composed.text(), "From: s@x\r\nSubject: subject\r\n"
                               "Date: Tue, 5 Jun 2012 14:03:07 -0000\r\n"
                               "MIME-Version: 1.0\r\n"
                               "Content-Type: text/plain; charset=ISO-8859-1; format=flowed\r\n"
                               "Content-Transfer-Encoding: quoted-printable\r\n\r\n");
    EXPECT_EQ(composed.pieces.size(), 3u) << "From and Subject, Date, the MIME block";
}

TEST(ComposeMessage, BodyIsEncodedAndWrittenInOnePiece) {
    MailTable table;
    MailMessage& message = *create_mail(table, 0, "s@x", "subject");
    set_mail_body(table, 0, std::string(80, 'a') + "=");
    CountingClock clock(example_local_time());

    const Composed composed = compose(message, clock);

    EXPECT_EQ(composed.pieces.back(), std::string(72, 'a') + "=\r\n" + std::string(8, 'a') + "=3D");
}

TEST(FormatDateLine, DayWithoutLeadingZeroAndTwoDigitTimeFields) {
    // year, month, day, hour, minute, second, weekday, offset in minutes
    EXPECT_EQ(format_date_line(LocalTime{2023, 1, 1, 9, 5, 3, 0, -570}),
              "Date: Sun, 1 Jan 2023 09:05:03 -0930\r\n");
    EXPECT_EQ(format_date_line(LocalTime{1999, 12, 31, 23, 59, 59, 6, 840}),
              "Date: Sat, 31 Dec 1999 23:59:59 +1400\r\n");
}

TEST(BuildAddressLine, ListsRecipientsOfEachKindOldestFirst) {
    MailTable table;
    MailMessage& message = *create_mail(table, 0, "s@x", "subject");
    EXPECT_EQ(build_address_line(message, "To: ", kRecipientTo), std::nullopt);

    add_mail_recipient(table, 0, "A", kRecipientTo);
    add_mail_recipient(table, 0, "B", kRecipientTo);
    add_mail_recipient(table, 0, "both", kRecipientTo | kRecipientCc);
    add_mail_recipient(table, 0, "neither", 4);

    EXPECT_EQ(build_address_line(message, "To: ", kRecipientTo), "To: A, B, both\r\n");
    EXPECT_EQ(build_address_line(message, "Cc: ", kRecipientCc), "Cc: both\r\n");
}

TEST(ComposeMessage, OnlyACcRecipientGivesNoToLine) {
    MailTable table;
    MailMessage& message = *create_mail(table, 0, "s@x", "subject");
    add_mail_recipient(table, 0, "copy@x", kRecipientCc);
    add_mail_recipient(table, 0, "hidden@x", 4);
    CountingClock clock(example_local_time());

    const std::string text = compose(message, clock).text();

    EXPECT_EQ(text.find("To: "), std::string::npos);
    EXPECT_NE(text.find("\r\nCc: copy@x\r\nDate: "), std::string::npos);
    EXPECT_EQ(text.find("hidden@x"), std::string::npos);
}

} // namespace
} // namespace tindrel
