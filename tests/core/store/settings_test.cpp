#include "core/store/settings.h"
#include "store_test_support.h"

#include <gtest/gtest.h>
#include <string>

namespace tindrel {
namespace {

struct MailCase {
    int16_t port;
    std::string recipient1;
    std::string recipient2;
    bool configured;
};

void PrintTo(const MailCase& c, std::ostream* os) {
    *os << "port " << c.port << ", " << testing_support::quoted(c.recipient1) << ", "
        << testing_support::quoted(c.recipient2) << " -> " << c.configured;
}

class SmtpConfigured : public ::testing::TestWithParam<MailCase> {};

TEST_P(SmtpConfigured, NeedsAPortAndOneRecipient) {
    Settings settings;
    settings.smtp_port = GetParam().port;
    settings.recipient1 = GetParam().recipient1;
    settings.recipient2 = GetParam().recipient2;
    EXPECT_EQ(is_smtp_configured(settings), GetParam().configured);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SmtpConfigured,
    ::testing::Values(MailCase{25, "a@b", "", true}, MailCase{25, "", "c@d", true},
                      MailCase{-25536, " a ", "", true}, MailCase{0, "a@b", "c@d", false},
                      MailCase{25, "", "", false}, MailCase{25, "   ", " ", false},
                      // Only spaces are padding: a tab is a recipient.
                      MailCase{25, "\t", "", true}));

TEST(SmtpConfigured, IgnoresTheServer) {
    Settings settings;
    settings.recipient1 = "ops@example.org";
    EXPECT_TRUE(is_smtp_configured(settings));
    settings.smtp_server = "mail.example.org";
    settings.recipient1 = " ";
    EXPECT_FALSE(is_smtp_configured(settings));
}

} // namespace
} // namespace tindrel
