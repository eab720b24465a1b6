// Probes 127.0.0.1 once, as the monitor does for one target, and exits 0 when it answered.
// scripts beside it time this program against the system's ping as whole processes.
#include "core/monitor/icmp_prober.h"

#include <arpa/inet.h>
#include <cstdio>

int main() {
    tindrel::SystemClock clock;
    tindrel::IcmpProber prober(clock);
    const tindrel::ProbeReport report = prober.probe(inet_addr("127.0.0.1"));
    if (report.outcome != tindrel::ProbeOutcome::replied) {
        std::fprintf(stderr, "probe of 127.0.0.1: %s\n", tindrel::describe(report.outcome));
        return 1;
    }
    return 0;
}
