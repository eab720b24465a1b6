#pragma once

#include <cstdint>

namespace tindrel {

// Run-time values that are never saved.
struct AppState {
    int16_t sound_available = 0;
    uint8_t smtp_configured = 0;
    int16_t modified = 0; // 1 when the host list or settings may differ from the file
    int16_t log_limit = 100;
};

} // namespace tindrel
