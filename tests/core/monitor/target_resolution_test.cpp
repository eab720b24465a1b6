#include "core/monitor/target_resolution.h"
#include "fake_resolver.h"

#include <array>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tindrel {
namespace {

using testing::FakeResolver;
using testing::ipv4;

struct DottedCase {
    std::string entry;
    std::array<uint8_t, 4> octets;
    std::string working_text;
};

class DottedEntryTest : public ::testing::TestWithParam<DottedCase> {};

TEST_P(DottedEntryTest, OctetsAndWorkingText) {
    const DottedCase& c = GetParam();
    FakeResolver resolver;
    const ResolvedTarget target = resolve_target(c.entry, resolver);
    const auto& o = c.octets;
    EXPECT_EQ(target.address, ipv4(o[0], o[1], o[2], o[3]));
    EXPECT_EQ(target.working_text, c.working_text);
    EXPECT_TRUE(resolver.asked.empty()) << "a dotted entry never reaches the resolver";
}

INSTANTIATE_TEST_SUITE_P(
    Entries, DottedEntryTest,
    ::testing::Values(
        DottedCase{"192.168.1.20", {192, 168, 1, 20}, "1.20"},
        // A field that recurs later is taken off the front only.
        DottedCase{"10.10.10.1", {10, 10, 10, 1}, "10.1"},
        DottedCase{"1.1.1.1", {1, 1, 1, 1}, "1.1"}, DottedCase{"1.2.3.4.5", {1, 2, 3, 4}, "3.4.5"},
        DottedCase{"1.2", {1, 0, 0, 2}, "2"}, DottedCase{"300.1.2.3", {44, 1, 2, 3}, "2.3"},
        DottedCase{"-1.0.0.1", {255, 0, 0, 1}, "0.1"},
        DottedCase{" 7.\t8.  9.10", {7, 8, 9, 10}, "  9.10"},
        DottedCase{"$ff.%101.+3.-0", {255, 5, 3, 0}, "+3.-0"},
        DottedCase{"0.0.0.0", {0, 0, 0, 0}, "0.0"}, DottedCase{"", {0, 0, 0, 0}, ""},
        // Host names written without "@" read as dotted entries with no digits.
        DottedCase{"router.example.lan", {0, 0, 0, 0}, "lan"},
        DottedCase{"router.lan", {0, 0, 0, 0}, "lan"}, DottedCase{"router", {0, 0, 0, 0}, "router"},
        DottedCase{"....", {0, 0, 0, 0}, ".."}),
    [](const ::testing::TestParamInfo<DottedCase>& info) {
        return "Case" + std::to_string(info.index);
    });

struct NameCase {
    std::string entry;
    std::string asked;
    uint32_t address;
};

class HostNameEntryTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(HostNameEntryTest, NameGoesUnchangedToTheResolver) {
    const NameCase& c = GetParam();
    FakeResolver resolver;
    resolver.known = {
        {"box.lan", ipv4(10, 0, 0, 7)}, {"1.2.3.4", ipv4(9, 9, 9, 9)}, {"zero.lan", 0}};
    const ResolvedTarget target = resolve_target(c.entry, resolver);
    EXPECT_EQ(resolver.asked, std::vector<std::string>{c.asked});
    EXPECT_EQ(target.address, c.address);
    EXPECT_EQ(target.working_text, c.asked);
}

INSTANTIATE_TEST_SUITE_P(Entries, HostNameEntryTest,
                         ::testing::Values(NameCase{"@box.lan", "box.lan", ipv4(10, 0, 0, 7)},
                                           NameCase{"@unknown.lan", "unknown.lan", 0},
                                           NameCase{"@zero.lan", "zero.lan", 0},
                                           NameCase{"@", "", 0},
                                           // Not parsed as dotted: the resolver decides.
                                           NameCase{"@1.2.3.4", "1.2.3.4", ipv4(9, 9, 9, 9)},
                                           NameCase{"@ box.lan", " box.lan", 0}),
                         [](const ::testing::TestParamInfo<NameCase>& info) {
                             return "Case" + std::to_string(info.index);
                         });

// Any text may stand in the list; none may crash the resolution or leave it with a working
// text that is not a piece of the entry.
TEST(ResolveTargetHostileInput, AnyTextResolvesToAPieceOfItself) {
    std::vector<std::string> entries = {"@",
                                        "....",
                                        std::string(1000, '.'),
                                        std::string(100 * 1024, '9'),
                                        std::string(100 * 1024, '.') + "1",
                                        "@" + std::string(100 * 1024, 'a'),
                                        std::string("1.2\0.3.4", 8),
                                        "$$$.%%%.---.+++",
                                        "99999999999999999999999999.1.1.1"};
    std::string high_bytes;
    for (int byte = 0x80; byte <= 0xff; ++byte) {
        high_bytes += static_cast<char>(byte);
        high_bytes += '.';
        entries.push_back(std::string(1, static_cast<char>(byte)));
    }
    entries.push_back(high_bytes);

    for (const std::string& entry : entries) {
        FakeResolver resolver;
        const ResolvedTarget target = resolve_target(entry, resolver);
        if (!entry.empty() && entry[0] == '@') {
            EXPECT_EQ(target.working_text, entry.substr(1));
        } else {
            ASSERT_LE(target.working_text.size(), entry.size());
            EXPECT_EQ(entry.compare(entry.size() - target.working_text.size(),
                                    target.working_text.size(), target.working_text),
                      0);
        }
    }
}

TEST(ResolveTargetHostileInput, OverlongNumbersKeepTheirLowByte) {
    FakeResolver resolver;
    // 2^64 + 258 wraps to 258, whose low byte is 2.
    EXPECT_EQ(resolve_target("18446744073709551874.1.1.1", resolver).address, ipv4(2, 1, 1, 1));
}

} // namespace
} // namespace tindrel
