#include "core/store/number_reading.h"
#include "store_test_support.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

namespace tindrel {
namespace {

struct NumberCase {
    std::string text;
    int64_t expected;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << testing_support::quoted(c.text) << " -> " << c.expected;
}

class NumberReading : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberReading, ReadsTheValueTheRuleGives) {
    EXPECT_EQ(read_number(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberReading,
    ::testing::Values(
        // Blanks before the number: spaces and tabs only.
        NumberCase{"15", 15}, NumberCase{" \t 15", 15}, NumberCase{"\n15", 0},
        NumberCase{"\r15", 0},
        // Signs, one at most, and nothing between sign and digits.
        NumberCase{"-5", -5}, NumberCase{"+5", 5}, NumberCase{"\t-42", -42}, NumberCase{"- 5", 0},
        NumberCase{"+-5", 0}, NumberCase{"--5", 0},
        // Hexadecimal after "$" in either case, binary after "%".
        NumberCase{"$1E", 30}, NumberCase{"$1e", 30}, NumberCase{"$fF", 255},
        NumberCase{"-$10", -16}, NumberCase{"%101", 5}, NumberCase{"-%11", -3},
        NumberCase{"%102", 2}, NumberCase{"$1g", 1}, NumberCase{"1E", 1},
        // No digits at all.
        NumberCase{"", 0}, NumberCase{"   ", 0}, NumberCase{"abc", 0}, NumberCase{"$", 0},
        NumberCase{"%", 0}, NumberCase{"-", 0}, NumberCase{"$xyz", 0}, NumberCase{"%2", 0},
        NumberCase{"-$", 0},
        // Stops at the first character that does not fit.
        NumberCase{"12ab", 12}, NumberCase{"7 8", 7}, NumberCase{"3.9", 3}, NumberCase{"25;", 25},
        NumberCase{std::string("9\0"
                               "9",
                               3),
                   9},
        // Limits and wrap-around modulo 2^64.
        NumberCase{"9223372036854775807", INT64_MAX}, NumberCase{"9223372036854775808", INT64_MIN},
        NumberCase{"-9223372036854775808", INT64_MIN}, NumberCase{"18446744073709551615", -1},
        NumberCase{"18446744073709551616", 0}, NumberCase{"$FFFFFFFFFFFFFFFF", -1},
        NumberCase{"$10000000000000005", 5},
        // 30 digits: 123456789012345678901234567890 mod 2^64, read as signed.
        NumberCase{"123456789012345678901234567890", -4362896299872285998},
        NumberCase{"-123456789012345678901234567890", 4362896299872285998},
        NumberCase{"%" + std::string(70, '1'), -1}));

} // namespace
} // namespace tindrel
