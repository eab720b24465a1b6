#include "core/alerts/mail/network_facility.h"

namespace tindrel {

namespace {
bool network_started = false;
} // namespace

// Filled in with the socket checks by the monitor's work.
bool init_network(std::string* /*problem*/) {
    network_started = true;
    return network_started;
}

void end_network() { network_started = false; }

} // namespace tindrel
