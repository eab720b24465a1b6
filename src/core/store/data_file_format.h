#pragma once

#include "core/store/settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace tindrel {

// Reads the content of a data file: each settings line (first byte ";") whose first five
// bytes name a known key sets its field in `settings`, later lines overriding earlier ones;
// other settings lines are comments and are dropped. Every other line, empty ones included,
// is appended to `hosts` as it stands. Never fails: malformed values read as the number
// rule or the text gives them.
void parse_data_file(std::string_view bytes, Settings& settings, std::vector<std::string>& hosts);

// The content a save writes: the seven settings lines in their fixed order, then one line
// per host, every line ended by CR LF.
std::string format_data_file(const Settings& settings, const std::vector<std::string>& hosts);

} // namespace tindrel
