#include "core/store/line_splitting.h"

namespace tindrel {

std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t pos = 0; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (c != '\r' && c != '\n' && c != '\0') {
            continue;
        }
        lines.push_back(text.substr(start, pos - start));
        if (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') {
            ++pos;
        }
        start = pos + 1;
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

} // namespace tindrel
