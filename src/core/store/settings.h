#pragma once

#include <cstdint>
#include <string>

namespace tindrel {

// The persisted settings; the data file gives each field its key.
struct Settings {
    int32_t scan_interval_ms = 10000;
    int16_t play_sound = 1;
    int16_t send_email = 0;
    std::string smtp_server;
    int16_t smtp_port = 25;
    std::string recipient1;
    std::string recipient2;

    friend bool operator==(const Settings&, const Settings&) = default;
};

// SMTP counts as configured unless the port is 0 or both recipients are empty once
// leading and trailing spaces (not tabs) are removed. The server text plays no part.
bool is_smtp_configured(const Settings& settings);

} // namespace tindrel
