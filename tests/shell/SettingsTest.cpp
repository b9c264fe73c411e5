#include "shell/VqsSysApp.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct SettingsTest : ::testing::Test {
    vqtest::TempDir dir;
    VqsSysApp app;

    void UseSettings(const std::string& content = {})
    {
        if (!content.empty())
            dir.Write("vqs.ini", content);
        app.SetIniPath(dir.File("vqs.ini").c_str());
    }
    std::string Settings() const { return dir.Read("vqs.ini"); }
    std::pair<UINT, UINT> SystemLayout() const
    {
        UINT first = 0;
        UINT second = 0;
        app.GetSystemFrameLayout(first, second);
        return {first, second};
    }
};

} // namespace

TEST_F(SettingsTest, WithoutASettingsPathEveryGetterGivesItsDefault)
{
    ASSERT_TRUE(app.GetIniPath().IsEmpty());
    EXPECT_EQ(app.GetDisplayFolders(), 63);
    EXPECT_FALSE(app.GetSortByType());
    EXPECT_EQ(app.GetPreviousConfig(), 0);
    EXPECT_EQ(app.GetOptionsPreview(), 0);
    EXPECT_EQ(app.GetSynchronizeMode(), 2);
    for (int hostType = -1; hostType <= 4; ++hostType)
        EXPECT_EQ(app.GetDefaultPort(hostType), 7777u);
    EXPECT_EQ(SystemLayout(), std::make_pair(60u, 40u));
    UINT first = 0;
    UINT second = 0;
    app.GetHostFrameLayout(first, second);
    EXPECT_EQ(std::make_pair(first, second), std::make_pair(50u, 50u));
    EXPECT_TRUE(app.GetHelpDebug());
    EXPECT_TRUE(app.GetHelpNoPopup());
    EXPECT_FALSE(app.GetDisassociateComponentAndProfileOracle());
}

TEST_F(SettingsTest, WithoutASettingsPathSettersWriteNothing)
{
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    app.SetDisplayFolders(1);
    app.SetSortBy(TRUE);
    app.SetPreviousConfig(1);
    app.SetOptionsPreview(1);
    app.SetSynchronizeMode(0);
    app.SetSystemFrameLayout(1, 2);
    app.SetHostFrameLayout(1, 2);
    app.SetDefaultPort(0, 80);
    std::filesystem::current_path(previous);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST_F(SettingsTest, DisplayFoldersAreWrittenInHexadecimalAndReadBack)
{
    UseSettings();
    app.SetDisplayFolders(63);
    EXPECT_EQ(Settings(), "[systems]\nDisplay folders=0x0000003f\n");
    EXPECT_EQ(app.GetDisplayFolders(), 63);
    app.SetDisplayFolders(5);
    EXPECT_EQ(app.GetDisplayFolders(), 5);
}

TEST_F(SettingsTest, FrameLayoutsAreWrittenOnlyBelow9999)
{
    UseSettings();
    app.SetSystemFrameLayout(9999, 10);
    app.SetHostFrameLayout(10, 9999);
    EXPECT_FALSE(std::filesystem::exists(dir.File("vqs.ini")));
    app.SetSystemFrameLayout(9998, 10);
    EXPECT_EQ(Settings(), "[systems]\nSystem Frame Layout=9998,10\n");
    EXPECT_EQ(SystemLayout(), std::make_pair(9998u, 10u));
}

TEST_F(SettingsTest, ALayoutReplacesTheDefaultsOnlyWithTheNumbersThatParse)
{
    UseSettings("[systems]\nSystem Frame Layout=70\nHost Frame Layout=abc\n");
    EXPECT_EQ(SystemLayout(), std::make_pair(70u, 40u));
    UINT first = 0;
    UINT second = 0;
    app.GetHostFrameLayout(first, second);
    EXPECT_EQ(std::make_pair(first, second), std::make_pair(50u, 50u));
}

TEST_F(SettingsTest, SortByCountsOnlyTheFirstFourCharacters)
{
    UseSettings("[systems]\nSort by=NAMES\n");
    EXPECT_FALSE(app.GetSortByType());
    dir.Write("vqs.ini", "[systems]\nSort by=Type\n");
    EXPECT_TRUE(app.GetSortByType());  // read again, nothing cached
    dir.Write("vqs.ini", "[systems]\nSort by=nam\n");
    EXPECT_TRUE(app.GetSortByType());
    app.SetSortBy(FALSE);
    EXPECT_EQ(Settings(), "[systems]\nSort by=name\n");
    app.SetSortBy(TRUE);
    EXPECT_EQ(Settings(), "[systems]\nSort by=type\n");
}

TEST_F(SettingsTest, DefaultPortsAreWrittenForKnownHostTypesAndPortsBelow10000)
{
    UseSettings();
    app.SetDefaultPort(4, 80);
    app.SetDefaultPort(-1, 80);
    app.SetDefaultPort(0, 10000);
    app.SetDefaultPort(0, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("vqs.ini")));
    app.SetDefaultPort(0, 9999);
    app.SetDefaultPort(3, 80);
    EXPECT_EQ(Settings(), "[systems]\nDefault Port on NT hosts=9999\nDefault Port on Unix hosts=80\n");
    EXPECT_EQ(app.GetDefaultPort(0), 9999u);
    EXPECT_EQ(app.GetDefaultPort(1), 7777u);
    EXPECT_EQ(app.GetDefaultPort(3), 80u);
    dir.Write("vqs.ini", "[systems]\nDefault Port on QSR hosts=none\n");
    EXPECT_EQ(app.GetDefaultPort(1), 7777u);
}

TEST_F(SettingsTest, SynchronizeModeRoundTripsThroughTwoKeys)
{
    UseSettings();
    app.SetSynchronizeMode(0);
    EXPECT_EQ(Settings(), "[systems]\nAuto Synchronize=Y\nRemove Old Options=Y\n");
    EXPECT_EQ(app.GetSynchronizeMode(), 0);
    app.SetSynchronizeMode(1);
    EXPECT_EQ(Settings(), "[systems]\nAuto Synchronize=N\nRemove Old Options=Y\n");
    EXPECT_EQ(app.GetSynchronizeMode(), 1);
    app.SetSynchronizeMode(2);
    EXPECT_EQ(Settings(), "[systems]\nAuto Synchronize=Y\nRemove Old Options=N\n");
    EXPECT_EQ(app.GetSynchronizeMode(), 2);

    dir.Write("vqs.ini", "[systems]\nAuto Synchronize=yes\nRemove Old Options=y\n");
    EXPECT_EQ(app.GetSynchronizeMode(), 0);
    dir.Write("vqs.ini", "[systems]\nAuto Synchronize=\n");
    EXPECT_EQ(app.GetSynchronizeMode(), 2);
    dir.Write("vqs.ini", "[systems]\nAuto Synchronize=Y\nRemove Old Options=\n");
    EXPECT_EQ(app.GetSynchronizeMode(), 2);
}

TEST_F(SettingsTest, OnOffSwitchesAreWrittenAsOneDigit)
{
    UseSettings();
    app.SetPreviousConfig(1);
    app.SetOptionsPreview(0);
    EXPECT_EQ(Settings(), "[systems]\nPrevious Config=1\nOptions Preview=0\n");
    EXPECT_EQ(app.GetPreviousConfig(), 1);
    EXPECT_EQ(app.GetOptionsPreview(), 0);
}

TEST_F(SettingsTest, YesSwitchesWithASettingsFile)
{
    UseSettings("[startup]\ndebughelp=y\nhelpNoPopup=Yes\n[Tamberlyn]\nDisassociateComponentAndProfileOracle=y\n");
    EXPECT_TRUE(app.GetHelpDebug());
    EXPECT_FALSE(app.GetHelpNoPopup());
    EXPECT_TRUE(app.GetDisassociateComponentAndProfileOracle());

    dir.Write("vqs.ini", "[startup]\ndebughelp=\n");
    EXPECT_TRUE(app.GetHelpDebug());    // nothing could be read
    EXPECT_FALSE(app.GetHelpNoPopup());  // missing: "N"
    EXPECT_FALSE(app.GetDisassociateComponentAndProfileOracle());
}
