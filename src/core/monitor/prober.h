#pragma once

#include <cstdint>

namespace tindrel {

// Asks whether one IPv4 address answers. Behind an interface so the scan is tested without
// the network.
class Prober {
public:
    virtual ~Prober() = default;
    // `address` in network byte order, not 0. True when the target answered; false when it
    // did not, for whatever reason (time-out, unreachable, no socket): the scan needs no more.
    // Blocks until the answer or the time-out.
    virtual bool probe_target(uint32_t address) = 0;
};

} // namespace tindrel
