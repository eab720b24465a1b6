#pragma once

#include "core/monitor/sleeper.h"

namespace tindrel {

// A plain tone, as the scan gives when it stops.
class Beeper {
public:
    virtual ~Beeper() = default;
    // Sounds `frequency_hz` for `duration_ms` and returns when the tone has ended.
    // Never fails: without a sound device it stays silent for the same time.
    virtual void beep(int frequency_hz, int duration_ms) = 0;
};

// Keeps the timing of a tone without sounding it, for hosts without a sound device.
class SilentBeeper final : public Beeper {
public:
    explicit SilentBeeper(Sleeper& sleeper) : sleeper_(sleeper) {}
    void beep(int /*frequency_hz*/, int duration_ms) override { sleeper_.pause_ms(duration_ms); }

private:
    Sleeper& sleeper_;
};

} // namespace tindrel
