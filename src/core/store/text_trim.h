#pragma once

#include <string_view>

namespace tindrel {

// `text` without its leading and trailing spaces. Tabs and other blanks stay: the settings
// treat only the space as padding.
std::string_view trim_spaces(std::string_view text);

} // namespace tindrel
