#include "core/alerts/mail/reply_matcher.h"

#include <gtest/gtest.h>

namespace tindrel {
namespace {

struct ReplyCase {
    std::string received;
    const char* code;
    bool matches;
};

TEST(ReplyMatcher, AcceptsWhenAnyLineUpToTheFirstEmptyOneBeginsWithTheCode) {
    const ReplyCase cases[] = {
        {"220 ready\r\n", "220", true},
        {"220-first line of several\r\n", "220", true},
        {"250-hello\r\n250-SIZE 100\r\n250 HELP\r\n", "250", true},
        {"500 what\r\n250 ok\r\n", "250", true}, // lines before a match do not matter
        {"250 ok\r\n500 what\r\n", "250", true}, // nor lines after it
        {"250", "250", true},                    // no line end: the end closes the line
        {"2500", "250", true},                   // only three characters are compared
        {"\r\n250 ok\r\n", "250", true},         // a lone CR is a line, not an empty one
        {"500 what\n\n250 ok\n", "250", false},  // the empty line ends the test
        {"421 closing\r\n", "220", false},
        {" 250 ok\r\n", "250", false},
        {"25\r\n", "250", false},
        {"", "220", false},
        {std::string("\0"
                     "220 ok\r\n",
                     9),
         "220", false}, // the text ends at a zero byte
        {std::string("220 ok\r\n\0junk", 13), "220", true},
    };
    for (const ReplyCase& c : cases) {
        EXPECT_EQ(reply_matches(c.received, c.code), c.matches)
            << ::testing::PrintToString(c.received);
    }
}

} // namespace
} // namespace tindrel
