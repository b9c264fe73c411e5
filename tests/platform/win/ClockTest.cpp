#include "win/Clock.h"

#include <gtest/gtest.h>

TEST(ClockTest, ManualClockMovesTimeAndTicks)
{
    vqclock::ManualClock clock(1000, 50);
    vqclock::ScopedClock scope(clock);
    EXPECT_EQ(_time64(nullptr), 1000);
    clock.Advance(2500);
    std::int64_t now = 0;
    EXPECT_EQ(_time64(&now), 1002);
    EXPECT_EQ(now, 1002);
    EXPECT_EQ(GetTickCount(), 2550u);
}

TEST(ClockTest, PauseOnManualClockMovesItInsteadOfWaiting)
{
    vqclock::ManualClock clock(1000, 0);
    vqclock::ScopedClock scope(clock);
    vqclock::Current().Pause(1500);
    EXPECT_EQ(_time64(nullptr), 1001);
    EXPECT_EQ(GetTickCount64(), 1500u);
}
