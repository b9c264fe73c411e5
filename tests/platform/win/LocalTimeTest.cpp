#include "win/Clock.h"

#include "support/ScopedTimeZone.h"

#include <gtest/gtest.h>

#include <ctime>

TEST(LocalTimeTest, ConvertsInTheLocalTimeZone)
{
    vqtest::ScopedTimeZone zone("UTC-2");  // two hours east of UTC
    __time64_t time = 1700000000;  // 2023-11-14 22:13:20 UTC
    struct tm* local = _localtime64(&time);
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(local->tm_year, 123);
    EXPECT_EQ(local->tm_mon, 10);
    EXPECT_EQ(local->tm_mday, 15);
    EXPECT_EQ(local->tm_hour, 0);
    EXPECT_EQ(local->tm_min, 13);
}

TEST(LocalTimeTest, RefusesTimesOutsideTheConvertibleRange)
{
    vqtest::ScopedTimeZone zone("UTC");
    __time64_t before1970 = -1;
    __time64_t after3000 = 32535216000;
    __time64_t last = 32535215999;
    EXPECT_EQ(_localtime64(&before1970), nullptr);
    EXPECT_EQ(_localtime64(&after3000), nullptr);
    EXPECT_EQ(_localtime64(nullptr), nullptr);
    ASSERT_NE(_localtime64(&last), nullptr);
    EXPECT_EQ(_localtime64(&last)->tm_year, 1100);
}
