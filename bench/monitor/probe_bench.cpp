// The cost of one probe of 127.0.0.1 inside a running process: socket, request, reply, close.
#include "core/monitor/icmp_prober.h"

#include <arpa/inet.h>
#include <benchmark/benchmark.h>

namespace {

void BM_ProbeLoopback(benchmark::State& state) {
    tindrel::SystemClock clock;
    tindrel::IcmpProber prober(clock);
    const uint32_t loopback = inet_addr("127.0.0.1");
    for (auto _ : state) {
        if (!prober.probe_target(loopback)) {
            state.SkipWithError("127.0.0.1 did not answer");
            break;
        }
    }
}
BENCHMARK(BM_ProbeLoopback);

} // namespace

BENCHMARK_MAIN();
