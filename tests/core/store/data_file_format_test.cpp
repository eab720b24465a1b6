#include "core/store/data_file_format.h"
#include "store_test_support.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tindrel {
namespace {

using namespace std::string_literals;
using testing_support::kDefaultContent;

struct ParseCase {
    std::string name;
    std::string content;
    std::function<void(Settings&)> change = {}; // applied to the defaults to give the expectation
    std::vector<std::string> hosts = {};
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    *os << c.name;
}

class ParseDataFile : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDataFile, SetsTheFieldsAndCollectsTheHosts) {
    const ParseCase& c = GetParam();
    Settings expected;
    if (c.change) {
        c.change(expected);
    }
    Settings settings;
    std::vector<std::string> hosts;
    parse_data_file(c.content, settings, hosts);
    EXPECT_EQ(settings, expected);
    EXPECT_THAT(hosts, ::testing::ElementsAreArray(c.hosts));
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseDataFile,
    ::testing::Values(
        ParseCase{"ScanWithBlank", ";scan_every= 15",
                  [](Settings& s) { s.scan_interval_ms = 15000; }},
        ParseCase{"ScanHex", ";scan_every=$1E", [](Settings& s) { s.scan_interval_ms = 30000; }},
        ParseCase{"ScanNotANumber", ";scan_every=abc", [](Settings& s) { s.scan_interval_ms = 0; }},
        ParseCase{"ScanWithoutEquals", ";scan_every 20",
                  [](Settings& s) { s.scan_interval_ms = 0; }},
        ParseCase{"ScanNegative", ";scan_every=-5",
                  [](Settings& s) { s.scan_interval_ms = -5000; }},
        ParseCase{"ScanWrapsIn32Bits", ";scan_every=3000000",
                  [](Settings& s) { s.scan_interval_ms = -1294967296; }},
        ParseCase{"ScanLowBitsFirst", ";scan_every=4294967297",
                  [](Settings& s) { s.scan_interval_ms = 1000; }},
        ParseCase{"KeySpelledOtherwiseAfterFive", ";scanning_pause=7",
                  [](Settings& s) { s.scan_interval_ms = 7000; }},
        ParseCase{"CapitalKeyIgnored", ";SCAN_EVERY=7\r\n;Port=1", {}},
        ParseCase{"ShortOrUnknownKeysIgnored", ";\r\n;sca=1\r\n; comment=2\r\n;Play=0", {}},
        ParseCase{"PortKeepsLow16Bits", ";port=70000", [](Settings& s) { s.smtp_port = 4464; }},
        ParseCase{"PortAboveSigned16Bits", ";port=40000",
                  [](Settings& s) { s.smtp_port = -25536; }},
        ParseCase{"SwitchesHeldAsRead", ";play_sound=2\r\n;send_email=-1",
                  [](Settings& s) {
                      s.play_sound = 2;
                      s.send_email = -1;
                  }},
        ParseCase{"ServerWithoutEquals", ";smtp", [](Settings& s) { s.smtp_server = ";smtp"; }},
        ParseCase{"ServerKeepsBlanksAndLaterEquals", ";smtp= mail.test = x \t",
                  [](Settings& s) { s.smtp_server = " mail.test = x \t"; }},
        ParseCase{"RecipientsLoseSpacesOnly", ";1recipient=  a@b  \r\n;2recipient= \tc@d\t ",
                  [](Settings& s) {
                      s.recipient1 = "a@b";
                      s.recipient2 = "\tc@d\t";
                  }},
        ParseCase{"RecipientOfSpacesIsEmpty", ";1recipient=x\r\n;1recipient=    ", {}},
        ParseCase{"LaterLineOverrides",
                  ";port=1\r\nhost\r\n;port=2",
                  [](Settings& s) { s.smtp_port = 2; },
                  {"host"}},
        ParseCase{"HostLinesAsTheyStand",
                  "10.0.0.7\r\n\r\n@\r\n ;port=1\r\n\t;smtp=x\r\n@ name \xe9\r\n\r\n"s,
                  {},
                  {"10.0.0.7", "", "@", " ;port=1", "\t;smtp=x", "@ name \xe9", ""}},
        ParseCase{"LastByteALoneCr", "a\rb\r", {}, {"a", "b"}}),
    [](const ::testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(FormatDataFile, WritesTheDefaultsAsSevenLines) {
    EXPECT_EQ(format_data_file(Settings{}, {}), kDefaultContent);
}

TEST(FormatDataFile, WritesSettingsInFixedOrderThenHosts) {
    Settings settings;
    settings.scan_interval_ms = -1294967296;
    settings.play_sound = 2;
    settings.send_email = 1;
    settings.smtp_server = " mail.test";
    settings.smtp_port = -25536;
    settings.recipient1 = "a@b";
    settings.recipient2 = "c@d";
    EXPECT_EQ(format_data_file(settings, {"10.0.0.7", "", "@host"}),
              ";scan_every=-1294967\r\n;play_sound=2\r\n;send_email=1\r\n;smtp= mail.test\r\n"
              ";port=-25536\r\n;1recipient=a@b\r\n;2recipient=c@d\r\n10.0.0.7\r\n\r\n@host\r\n");
}

TEST(FormatDataFile, TruncatesTheIntervalTowardZero) {
    Settings settings;
    settings.scan_interval_ms = -1999;
    EXPECT_THAT(format_data_file(settings, {}), ::testing::StartsWith(";scan_every=-1\r\n"));
    settings.scan_interval_ms = 1999;
    EXPECT_THAT(format_data_file(settings, {}), ::testing::StartsWith(";scan_every=1\r\n"));
}

TEST(DataFileRoundTrip, GivesBackTheSettingsAndHostsInOrder) {
    Settings settings;
    settings.scan_interval_ms = 3600000;
    settings.play_sound = 0;
    settings.send_email = 2;
    settings.smtp_server = "  relay = 1 ";
    settings.smtp_port = -25536;
    settings.recipient1 = "a@b";
    settings.recipient2 = "\tc@d";
    const std::vector<std::string> hosts = {"z", "10.0.0.7", "", "@", " ;port=1", "\xff\x80", "a"};

    Settings read_back;
    std::vector<std::string> hosts_read;
    parse_data_file(format_data_file(settings, hosts), read_back, hosts_read);
    EXPECT_EQ(read_back, settings);
    EXPECT_EQ(hosts_read, hosts);
}

TEST(DataFileRoundTrip, WrappedIntervalComesBackAsTheSameValue) {
    Settings settings;
    std::vector<std::string> hosts;
    parse_data_file(";scan_every=3000000", settings, hosts);
    const std::string saved = format_data_file(settings, hosts);
    EXPECT_THAT(saved, ::testing::StartsWith(";scan_every=-1294967\r\n"));

    Settings read_back;
    parse_data_file(saved, read_back, hosts);
    EXPECT_EQ(read_back.scan_interval_ms, -1294967000);
}

TEST(DataFileRoundTrip, DropsCommentsAndUnknownKeys) {
    Settings settings;
    std::vector<std::string> hosts;
    parse_data_file("h1\r\n; a comment\r\n;SCAN_EVERY=99\r\n;port=26\r\nh2\r\n", settings, hosts);
    EXPECT_EQ(format_data_file(settings, hosts),
              ";scan_every=10\r\n;play_sound=1\r\n;send_email=0\r\n;smtp=\r\n;port=26\r\n"
              ";1recipient=\r\n;2recipient=\r\nh1\r\nh2\r\n");
}

} // namespace
} // namespace tindrel
