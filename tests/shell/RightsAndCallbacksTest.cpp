#include "shell/VqsSysApp.h"

#include "vqclient/VqcTesting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

struct RightsAndCallbacksTest : ::testing::Test {
    VqsSysApp app;
    void SetUp() override { vqclient::Reset(); }
};

struct HostCallbacks {
    static inline Strings calls;
    static inline int answer = 0;
    static int Query(const char* value)
    {
        calls.push_back(std::string("query ") + value);
        return answer;
    }
    static void Notify(const char* value) { calls.push_back(std::string("notify ") + value); }
    static void Log(int code, const char* level, const char* text)
    {
        calls.push_back(std::to_string(code) + " " + level + " [" + text + "]");
    }
};

} // namespace

TEST_F(RightsAndCallbacksTest, TheMaskKeepsSevenBitsAndTellsTheClientAboutTheAdministratorRight)
{
    app.SetSecurityMask(0xFF);
    EXPECT_EQ(app.GetSecurityMask(), 127);
    EXPECT_TRUE(app.IsSecurityOn());
    for (int right : {2, 4, 8, 32, 64})
        EXPECT_TRUE(app.HasRight(right)) << right;

    app.SetSecurityMask(1 | 2 | 32);
    EXPECT_TRUE(app.HasRight(2));
    EXPECT_TRUE(app.HasRight(32));
    EXPECT_FALSE(app.HasRight(4));
    EXPECT_FALSE(app.HasRight(64));

    app.SetSecurityMask(0);
    EXPECT_FALSE(app.IsSecurityOn());
    EXPECT_TRUE(app.HasRight(64)) << "security off grants every right";

    app.SetSecurityMask(0x100 | 1);
    EXPECT_EQ(app.GetSecurityMask(), 1);
    EXPECT_EQ(vqclient::Calls(),
              (Strings{"VqcSetAdminUser 1", "VqcSetAdminUser 0", "VqcSetAdminUser 1", "VqcSetAdminUser 0"}));
}

TEST_F(RightsAndCallbacksTest, BusinessSegmentsAreAllowedByExactNameWhileSecurityIsOn)
{
    EXPECT_TRUE(app.SetBusinessSegment("SALES"));
    EXPECT_TRUE(app.SetBusinessSegment("SALES"));
    EXPECT_FALSE(app.SetBusinessSegment(""));
    EXPECT_FALSE(app.SetBusinessSegment(nullptr));
    EXPECT_TRUE(app.IsBusinessSegmentAllowed("anything")) << "security is off";

    app.SetSecurityMask(1);
    EXPECT_TRUE(app.IsBusinessSegmentAllowed("SALES"));
    EXPECT_FALSE(app.IsBusinessSegmentAllowed("sales"));
    EXPECT_FALSE(app.IsBusinessSegmentAllowed(nullptr));

    app.RemoveBusinessSegmentList();
    EXPECT_FALSE(app.IsBusinessSegmentAllowed("SALES"));
}

TEST_F(RightsAndCallbacksTest, WyrCallbacksAndLogLinesReachTheHostWhenRegistered)
{
    EXPECT_TRUE(app.WyrQuery("BS")) << "no callback answers yes";
    app.WyrNotify("BS");
    app.LogError(1, "lost");

    HostCallbacks::calls.clear();
    app.RegisterWYRCallBack(&HostCallbacks::Query, &HostCallbacks::Notify, &HostCallbacks::Log);
    HostCallbacks::answer = 0;
    EXPECT_FALSE(app.WyrQuery("SALES"));
    HostCallbacks::answer = 7;
    EXPECT_TRUE(app.WyrQuery("SALES"));
    app.WyrNotify("SALES");
    app.LogError(61484, "broken");
    app.LogInfo(2, nullptr);
    app.LogWarning(3, "careful");
    EXPECT_EQ(HostCallbacks::calls, (Strings{"query SALES", "query SALES", "notify SALES", "61484 ERROR [broken]",
                                             "2 INFO []", "3 WARNING [careful]"}));
}

TEST_F(RightsAndCallbacksTest, TheHelpFileMustBeAReadableNonEmptyPath)
{
    EXPECT_FALSE(app.SetHelpFilePath(""));
    EXPECT_FALSE(app.SetHelpFilePath(nullptr));
    EXPECT_EQ(app.m_pszHelpFilePath, nullptr);
    EXPECT_TRUE(app.SetHelpFilePath("/opt/help/vqs.hlp"));
    EXPECT_EQ(app.GetHelpPath(), "/opt/help/vqs.hlp");
    EXPECT_STREQ(app.m_pszHelpFilePath, "/opt/help/vqs.hlp");
}
