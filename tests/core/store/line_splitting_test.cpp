#include "core/store/line_splitting.h"
#include "store_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tindrel {
namespace {

struct SplitCase {
    std::string text;
    std::vector<std::string> lines;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << testing_support::quoted(c.text) << " ->";
    for (const std::string& line : c.lines) {
        *os << ' ' << testing_support::quoted(line);
    }
}

class LineSplitting : public ::testing::TestWithParam<SplitCase> {};

TEST_P(LineSplitting, EndsLinesAtEveryTerminator) {
    const std::vector<std::string_view> views = split_lines(GetParam().text);
    const std::vector<std::string> lines(views.begin(), views.end());
    EXPECT_THAT(lines, ::testing::ElementsAreArray(GetParam().lines));
}

using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Table, LineSplitting,
    ::testing::Values(SplitCase{"", {}},
                      // One terminator of each kind, and the last line without one.
                      SplitCase{"a\r\nb\nc\rd\0e"s, {"a", "b", "c", "d", "e"}},
                      // A terminator at the very end gives no extra line, whichever it is.
                      SplitCase{"a\r\n", {"a"}}, SplitCase{"a\n", {"a"}}, SplitCase{"a\r", {"a"}},
                      SplitCase{"a\0"s, {"a"}},
                      // Terminators in a row give empty lines; only CR then LF is a pair.
                      SplitCase{"\r\n", {""}}, SplitCase{"\r\n\r\n", {"", ""}},
                      SplitCase{"\n\r", {"", ""}}, SplitCase{"\r\r\n", {"", ""}},
                      SplitCase{"a\0\0b"s, {"a", "", "b"}}, SplitCase{"\0"s, {""}},
                      // Blanks and other bytes belong to the line.
                      SplitCase{" ;x \t\r\n\xff\x01", {" ;x \t", "\xff\x01"}}));

} // namespace
} // namespace tindrel
