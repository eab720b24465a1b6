#include <gtest/gtest.h>

#include <ctime>

#include "core/platform/clock.h"

namespace tindrel {
namespace {

TEST(SystemClock, LocalTimeAgreesWithTheCLibraryAndTheZoneOffset) {
    SystemClock clock;
    const time_t before = time(nullptr);
    const LocalTime t = clock.local_time();
    tm local{};
    localtime_r(&before, &local);
    EXPECT_EQ(t.year, local.tm_year + 1900);
    EXPECT_EQ(t.utc_offset_minutes, local.tm_gmtoff / 60);
    EXPECT_GE(t.month, 1);
    EXPECT_LE(t.month, 12);
    EXPECT_GE(t.weekday, 0);
    EXPECT_LE(t.weekday, 6);
}

TEST(SystemClock, TicksNeverRunBackwards) {
    SystemClock clock;
    const uint32_t first = clock.tick_ms();
    const uint32_t second = clock.tick_ms();
    EXPECT_GE(static_cast<int32_t>(second - first), 0);
}

} // namespace
} // namespace tindrel
