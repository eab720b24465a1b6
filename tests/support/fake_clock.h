#pragma once

#include "core/platform/clock.h"

namespace tindrel::testing {

// A clock that moves only when the test says so. Every tick read may also advance it by
// `step_per_read`, which lets a test model time passing between two readings.
class FakeClock final : public Clock {
public:
    uint32_t now = 0;
    uint32_t step_per_read = 0;
    LocalTime local{};
    int64_t seconds = 0;

    uint32_t tick_ms() override {
        const uint32_t t = now;
        now += step_per_read;
        return t;
    }
    LocalTime local_time() override { return local; }
    int64_t wall_seconds() override { return seconds; }

    void advance(uint32_t ms) { now += ms; }
};

} // namespace tindrel::testing
