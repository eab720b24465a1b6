#pragma once

#include <cstdint>

namespace tindrel {

// One reading of the local wall clock, with the zone offset in force at that moment.
struct LocalTime {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 4;            // 0 = Sunday
    int utc_offset_minutes = 0; // local time minus UTC, daylight saving included
};

// The clocks the monitor and the mail read, behind one interface so tests can drive time.
class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic milliseconds cut to 32 bits; callers compare ticks as signed differences.
    virtual uint32_t tick_ms() = 0;
    // The local date and time, read once.
    virtual LocalTime local_time() = 0;
    // Whole seconds of the wall clock, used for coarse reply time-outs.
    virtual int64_t wall_seconds() = 0;
};

// The real clocks: CLOCK_MONOTONIC, localtime_r and time().
class SystemClock final : public Clock {
public:
    uint32_t tick_ms() override;
    LocalTime local_time() override;
    int64_t wall_seconds() override;
};

} // namespace tindrel
