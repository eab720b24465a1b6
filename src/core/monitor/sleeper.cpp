#include "core/monitor/sleeper.h"

#include <cerrno>
#include <ctime>

namespace tindrel {

void SystemSleeper::pause_ms(int ms) {
    if (ms <= 0) {
        return;
    }
    timespec until{};
    clock_gettime(CLOCK_MONOTONIC, &until);
    until.tv_sec += ms / 1000;
    until.tv_nsec += static_cast<long>(ms % 1000) * 1000000L;
    if (until.tv_nsec >= 1000000000L) {
        until.tv_sec += 1;
        until.tv_nsec -= 1000000000L;
    }
    // An absolute deadline lets an interrupted sleep resume without drifting.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

} // namespace tindrel
