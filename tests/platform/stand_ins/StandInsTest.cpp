#include "logging/LogControl.h"
#include "version/Version.h"

#include <gtest/gtest.h>

TEST(StandInsTest, LoggingKeepsTheSettingsPath)
{
    g_VquLogCntrl.SetIniPath("/tmp/app.ini");
    EXPECT_EQ(g_VquLogCntrl.GetIniPath(), "/tmp/app.ini");
    g_VquLogCntrl.SetIniPath(nullptr);
    EXPECT_TRUE(g_VquLogCntrl.GetIniPath().IsEmpty());
}

TEST(StandInsTest, VersionTextsAreNotEmpty)
{
    EXPECT_FALSE(VerProductName().IsEmpty());
    EXPECT_FALSE(VerProductVersion().IsEmpty());
}
