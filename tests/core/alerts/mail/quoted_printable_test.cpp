#include "core/alerts/mail/quoted_printable.h"

#include <gtest/gtest.h>

namespace tindrel {
namespace {

struct QpCase {
    const char* name;
    std::string text;
    std::string encoded;
};

const std::string a72(72, 'a');
const std::string a71(71, 'a');

const QpCase kQpCases[] = {
    {"plain text passes", " This is a test !!!", " This is a test !!!"},
    {"empty text", "", ""},
    {"long line breaks after 72", std::string(80, 'a'), a72 + "=\r\n" + std::string(8, 'a')},
    {"72 then CR LF gets its own empty line", a72 + "\r\nb", a72 + "=\r\n\r\nb"},
    {"71 then CR LF passes", a71 + "\r\nb", a71 + "\r\nb"},
    {"equals, Latin-1 and blank before LF", "a=b\xE9 \n", "a=3Db=E9=20\n"},
    {"tab before LF", "a\t\n", "a=09\n"},
    {"blank before CR passes", "a \r\n", "a \r\n"},
    {"blank at the very end passes", "a ", "a "},
    {"bare LF stays bare", "a\nb", "a\nb"},
    {"control bytes and DEL", std::string("\x01\x7F\0", 3), "=01=7F=00"},
    {"escape is never split",
     std::string(70, 'a') + "\xE9"
                            "b",
     std::string(70, 'a') + "=E9=\r\nb"},
    {"line count restarts after LF", a71 + "\n" + a72, a71 + "\n" + a72 + "=\r\n"},
};

class QuotedPrintable : public ::testing::TestWithParam<QpCase> {};

TEST_P(QuotedPrintable, Encodes) {
    EXPECT_EQ(encode_quoted_printable(GetParam().text), GetParam().encoded);
}

INSTANTIATE_TEST_SUITE_P(Cases, QuotedPrintable, ::testing::ValuesIn(kQpCases),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& c : name) {
                                 if (!isalnum(static_cast<unsigned char>(c))) {
                                     c = '_';
                                 }
                             }
                             return name;
                         });

} // namespace
} // namespace tindrel
