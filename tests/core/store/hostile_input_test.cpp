#include "core/store/data_file.h"
#include "store_test_support.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tindrel {
namespace {

using namespace std::string_literals;
using testing_support::TempDir;
using testing_support::write_bytes;

// The content is made when the case runs: every test runs in a process of its own, and
// large contents built up front would cost each of them.
struct HostileCase {
    std::string name;
    std::function<std::string()> content;
    size_t hosts;
};

std::function<std::string()> bytes(std::string content) {
    return [content] { return content; };
}

void PrintTo(const HostileCase& c, std::ostream* os) {
    *os << c.name;
}

std::string many_lines(size_t count) {
    std::string content;
    for (size_t i = 0; i < count; ++i) {
        content += "10.0." + std::to_string(i % 256) + ".1\r\n";
    }
    return content;
}

class HostileFile : public ::testing::TestWithParam<HostileCase> {};

// Whatever the bytes, loading finishes and every line lands somewhere: in a setting or in the
// host list.
TEST_P(HostileFile, LoadsWithoutCrashOrHang) {
    TempDir dir;
    const std::string path = dir.file("IPs.td");
    write_bytes(path, GetParam().content());
    Settings settings;
    AppState state;
    std::vector<std::string> hosts;
    const LoadOutcome outcome = load_data_file(path, settings, state, hosts);
    EXPECT_FALSE(outcome.open_failed);
    EXPECT_EQ(hosts.size(), GetParam().hosts);
}

INSTANTIATE_TEST_SUITE_P(
    Table, HostileFile,
    ::testing::Values(
        HostileCase{"NulBytes", bytes("\0\0a\0;port=1\0\0"s), 4},
        HostileCase{"NoFinalLineEnd", bytes(";port=1\r\n10.0.0.7"), 1},
        HostileCase{"MegabyteLine", [] { return std::string(1 << 20, 'x'); }, 1},
        HostileCase{"MegabyteSettingLine", [] { return ";smtp=" + std::string(1 << 20, ' '); }, 0},
        HostileCase{"HundredThousandLines", [] { return many_lines(100000); }, 100000},
        HostileCase{"ThirtyDigitNumbers",
                    bytes(";scan_every=999999999999999999999999999999\r\n"
                          ";port=-123456789012345678901234567890\r\n"
                          ";play_sound=$FFFFFFFFFFFFFFFFFFFFFFFFFFFFF"),
                    0},
        HostileCase{"PrefixesWithoutDigits", bytes(";scan_every=$\r\n;port=%\r\n;send_email=-$"),
                    0},
        HostileCase{"EveryByte",
                    [] {
                        std::string all;
                        for (int round = 0; round < 4; ++round) {
                            for (int byte = 0; byte < 256; ++byte) {
                                all += static_cast<char>(byte);
                            }
                        }
                        return all;
                    },
                    // Each round holds three terminators (NUL, LF and a lone CR); the
                    // last round's tail runs to the end of the file.
                    4 * 3 + 1}),
    [](const ::testing::TestParamInfo<HostileCase>& info) { return info.param.name; });

} // namespace
} // namespace tindrel
