#pragma once

#include "core/monitor/prober.h"
#include "fake_clock.h"

#include <cstdint>
#include <set>
#include <vector>

namespace tindrel::testing {

// Every address answers unless listed in `silent`. A probe may take time on a fake clock.
class FakeProber final : public Prober {
public:
    std::set<uint32_t> silent;
    std::vector<uint32_t> probed;
    FakeClock* clock = nullptr;
    uint32_t duration_ms = 0;

    bool probe_target(uint32_t address) override {
        probed.push_back(address);
        if (clock != nullptr) {
            clock->advance(duration_ms);
        }
        return silent.count(address) == 0;
    }
};

} // namespace tindrel::testing
