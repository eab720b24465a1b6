#include "core/alerts/mail/mail_message.h"

#include <gtest/gtest.h>

namespace tindrel {
namespace {

TEST(MailTable, CreatingAgainReplacesTheMessageUnderThatNumber) {
    MailTable table;
    MailMessage* first = create_mail(table, 0, "a@x", "one");
    ASSERT_NE(first, nullptr);
    set_mail_body(table, 0, "old body");
    add_mail_recipient(table, 0, "r@x", kRecipientTo);

    MailMessage* second = create_mail(table, 0, "b@x", "two");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->sender, "b@x");
    EXPECT_EQ(second->subject, "two");
    EXPECT_FALSE(second->body.has_value());
    EXPECT_TRUE(second->recipients.empty());
    EXPECT_EQ(mail_progress(table, 0), 0);
}

TEST(MailTable, GrowsToTheNumberPlusSixteenAndKeepsEarlierMessagesInPlace) {
    MailTable table;
    EXPECT_EQ(table.slot_count(), 16u);
    MailMessage* zero = create_mail(table, 0, "a@x", "s");
    ASSERT_NE(create_mail(table, 40, "b@x", "s"), nullptr);
    EXPECT_EQ(table.slot_count(), 56u);
    EXPECT_EQ(table.find(0), zero);
    EXPECT_EQ(table.find(39), nullptr);
}

TEST(MailTable, NumbersOutOfRangeHoldNothing) {
    MailTable table;
    for (const int32_t number : {-1, MailTable::kMaxNumber + 1, INT32_MAX}) {
        EXPECT_EQ(create_mail(table, number, "a@x", "s"), nullptr) << number;
        EXPECT_EQ(set_mail_body(table, number, "text"), 0) << number;
        EXPECT_EQ(mail_progress(table, number), 0) << number;
        add_mail_recipient(table, number, "r@x", 1);
        free_mail(table, number);
    }
    EXPECT_EQ(table.slot_count(), 16u);
}

TEST(MailTable, OperationsOnAnEmptySlotDoNothing) {
    MailTable table;
    EXPECT_EQ(set_mail_body(table, 3, "text"), 0);
    add_mail_recipient(table, 3, "r@x", 1);
    EXPECT_EQ(mail_progress(table, 3), 0);
    free_mail(table, 3);
    EXPECT_EQ(table.find(3), nullptr);
}

TEST(MailMessage, RecipientsGoNewestFirstAndEmptyAddressesAreIgnored) {
    MailTable table;
    ASSERT_NE(create_mail(table, 0, "a@x", "s"), nullptr);
    add_mail_recipient(table, 0, "first@x", kRecipientTo);
    add_mail_recipient(table, 0, "", kRecipientTo);
    add_mail_recipient(table, 0, "  ", kRecipientCc); // blanks are an address like any other
    add_mail_recipient(table, 0, "third@x", 7);

    const auto& recipients = table.find(0)->recipients;
    ASSERT_EQ(recipients.size(), 3u);
    EXPECT_EQ(recipients[0].address, "third@x");
    EXPECT_EQ(recipients[0].kind, 7u);
    EXPECT_EQ(recipients[1].address, "  ");
    EXPECT_EQ(recipients[2].address, "first@x");
}

TEST(MailMessage, BodyIsCopiedAndReplaced) {
    MailTable table;
    ASSERT_NE(create_mail(table, 0, "a@x", "s"), nullptr);
    std::string text = "first";
    EXPECT_EQ(set_mail_body(table, 0, text), 1);
    text = "changed";
    EXPECT_EQ(table.find(0)->body, "first");
    EXPECT_EQ(set_mail_body(table, 0, "second"), 1);
    EXPECT_EQ(table.find(0)->body, "second");
    free_mail(table, 0);
    EXPECT_EQ(table.find(0), nullptr);
}

} // namespace
} // namespace tindrel
