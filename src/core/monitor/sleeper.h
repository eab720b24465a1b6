#pragma once

namespace tindrel {

// A short blocking pause, behind an interface so tests never sleep.
class Sleeper {
public:
    virtual ~Sleeper() = default;
    // Returns after `ms` milliseconds (at once for 0 or less); never fails.
    virtual void pause_ms(int ms) = 0;
};

// Sleeps on the monotonic clock and sleeps on after a signal until the time is up.
class SystemSleeper final : public Sleeper {
public:
    void pause_ms(int ms) override;
};

} // namespace tindrel
