#pragma once

#include "core/monitor/sleeper.h"
#include "fake_clock.h"

#include <vector>

namespace tindrel::testing {

// Records each pause; the pause passes on the fake clock, if one is given.
class FakeSleeper final : public Sleeper {
public:
    std::vector<int> pauses;
    FakeClock* clock = nullptr;

    void pause_ms(int ms) override {
        pauses.push_back(ms);
        if (clock != nullptr && ms > 0) {
            clock->advance(static_cast<uint32_t>(ms));
        }
    }
};

} // namespace tindrel::testing
