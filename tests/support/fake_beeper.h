#pragma once

#include "call_journal.h"
#include "core/monitor/beeper.h"
#include "fake_clock.h"

#include <string>
#include <utility>
#include <vector>

namespace tindrel::testing {

// Records each tone; the tone's length passes on the fake clock, if one is given.
class FakeBeeper final : public Beeper {
public:
    std::vector<std::pair<int, int>> beeps; // frequency, duration
    FakeClock* clock = nullptr;
    CallJournal* journal = nullptr;

    void beep(int frequency_hz, int duration_ms) override {
        beeps.emplace_back(frequency_hz, duration_ms);
        if (clock != nullptr) {
            clock->advance(static_cast<uint32_t>(duration_ms));
        }
        if (journal != nullptr) {
            journal->note("beep " + std::to_string(frequency_hz) + " " +
                          std::to_string(duration_ms));
        }
    }
};

} // namespace tindrel::testing
