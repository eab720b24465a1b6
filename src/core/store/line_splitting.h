#pragma once

#include <string_view>
#include <vector>

namespace tindrel {

// Splits 8-bit text into lines. A line ends at CR LF, a lone LF, a lone CR, a zero byte or
// the end of the text; the terminator is not part of the line. A terminator at the very end
// yields no extra empty line, and empty text yields no line at all. The views point into
// `text`. Never fails.
std::vector<std::string_view> split_lines(std::string_view text);

} // namespace tindrel
