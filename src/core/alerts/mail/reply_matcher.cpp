#include "core/alerts/mail/reply_matcher.h"

namespace tindrel {

bool reply_matches(std::string_view received, std::string_view code) {
    const std::string_view text = received.substr(0, received.find('\0'));
    size_t reply_cursor = 0; // start of the next line to test
    for (;;) {
        const size_t line_end = text.find('\n', reply_cursor);
        const std::string_view line =
            text.substr(reply_cursor, line_end == std::string_view::npos ? std::string_view::npos
                                                                         : line_end - reply_cursor);
        if (line.empty()) {
            return false;
        }
        if (line.starts_with(code)) {
            return true;
        }
        if (line_end == std::string_view::npos) {
            return false;
        }
        reply_cursor = line_end + 1;
    }
}

} // namespace tindrel
