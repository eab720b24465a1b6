#pragma once

#include "core/monitor/icmp_socket.h"
#include "core/monitor/prober.h"
#include "core/platform/clock.h"

#include <cstdint>
#include <random>

namespace tindrel {

enum class ProbeOutcome {
    replied,
    timed_out,
    error_reported, // an ICMP error message about the probe (unreachable, time exceeded...)
    no_socket,      // no ICMP socket could be opened
    send_failed,    // the kernel refused the request, e.g. no route to the network
    receive_failed,
};

const char* describe(ProbeOutcome outcome);

struct ProbeReport {
    ProbeOutcome outcome = ProbeOutcome::no_socket;
    IcmpSocketKind socket_kind = IcmpSocketKind::datagram; // meaningful once a socket opened
    int system_error = 0;                                  // errno of a failed call, else 0
};

struct IcmpProberOptions {
    int timeout_ms = 1000;
    IcmpSocketChoice socket_choice = IcmpSocketChoice::automatic;
};

// The real reachability probe: one ICMP echo request, then a wait on the monotonic clock for
// the matching reply. Replies are checked by length, checksum, type, identifier, sequence,
// payload and sender, so that other pings on the host cannot pass for ours; every other
// packet is ignored and the wait goes on with the time that remains. The request leaves
// with the system's normal hop limit, so targets behind routers are reached.
class IcmpProber final : public Prober {
public:
    explicit IcmpProber(Clock& clock, IcmpProberOptions options = {});

    bool probe_target(uint32_t address) override;

    // The same probe, saying why it ended. Never fails otherwise.
    ProbeReport probe(uint32_t address);

private:
    Clock& clock_;
    IcmpProberOptions options_;
    std::mt19937 random_;
    uint16_t identifier_;
    uint16_t next_sequence_;
};

} // namespace tindrel
