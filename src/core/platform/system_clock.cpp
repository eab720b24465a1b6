#include <ctime>

#include "core/platform/clock.h"

namespace tindrel {

uint32_t SystemClock::tick_ms() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u +
                        static_cast<uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

LocalTime SystemClock::local_time() {
    const time_t now = time(nullptr);
    tm local{};
    localtime_r(&now, &local);
    LocalTime t;
    t.year = local.tm_year + 1900;
    t.month = local.tm_mon + 1;
    t.day = local.tm_mday;
    t.hour = local.tm_hour;
    t.minute = local.tm_min;
    t.second = local.tm_sec;
    t.weekday = local.tm_wday;
    t.utc_offset_minutes = static_cast<int>(local.tm_gmtoff / 60);
    return t;
}

int64_t SystemClock::wall_seconds() { return static_cast<int64_t>(time(nullptr)); }

} // namespace tindrel
