#include "core/store/text_trim.h"

namespace tindrel {

std::string_view trim_spaces(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

} // namespace tindrel
