// Feeds arbitrary server replies to the reply matcher: the first three bytes are the code
// awaited, the rest is what one read brought. Besides crashes and undefined behaviour it
// checks two properties any reading of a reply must keep: a reply whose first line carries
// the code is accepted whatever follows, and a reply that opens with an empty line is not.
#include "core/alerts/mail/reply_matcher.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using tindrel::reply_matches;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string_view code = bytes.substr(0, 3);
    const std::string_view received = bytes.substr(code.size());

    reply_matches(received, code);

    const bool code_is_printable =
        code.size() == 3 &&
        code.find_first_of(std::string_view("\n\0", 2)) == std::string_view::npos;
    if (code_is_printable &&
        !reply_matches(std::string(code) + "\r\n" + std::string(received), code)) {
        std::abort();
    }
    if (reply_matches("\n" + std::string(received), code)) {
        std::abort();
    }
    return 0;
}
