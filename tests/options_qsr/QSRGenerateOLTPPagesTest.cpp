// The Generate and OLTP pages of a QSR business segment.
#include "QSRTestSupport.h"

using namespace optionstest;

namespace {

constexpr int kVarnWindow = 1278;
constexpr int kUseDefaultVarnWindow = 1069;
constexpr int kUserCode = 1439;
constexpr int kUseDefaultUserCode = 1070;
constexpr int kSortOnReorg = 1149;
constexpr int kReorgTasks = 1262;
constexpr int kKoraxOffline = 1769;
constexpr int kOfflineNoPostdump = 1770;
constexpr int kOnlineReorganization = 1771;

constexpr int kEnableOltp = 1090;
constexpr int kServiceNames[] = {1249, 1250, 1252, 1253, 1255, 1258, 1261, 1263, 1264, 1265};
constexpr int kConcurrentReports = 1032;
constexpr int kReportTimeout = 33095;

} // namespace

TEST_F(QSRBSegSheetTest, UseDefaultShowsTheDefaultCodeAndNameAndStoresThem)
{
    Write([&] {
        Stored()->SetUserCode("OWNCODE");
        Stored()->SetVARNwindow("OWNWINDOW");
    });
    const std::string defaultCode(Stored()->GetDefaultUserCode());
    const std::string defaultWindow(Stored()->GetDefaultVARNwindow());
    Session(kGenerateTab, [&] {
        EXPECT_EQ(Text(kUserCode), "OWNCODE");
        EXPECT_TRUE(Enabled(kUserCode));
        Click(kUseDefaultUserCode);
        EXPECT_EQ(Text(kUserCode), defaultCode);
        EXPECT_FALSE(Enabled(kUserCode));
        Click(kUseDefaultVarnWindow);
        EXPECT_EQ(Text(kVarnWindow), defaultWindow);
        ApplyNow();
    });
    EXPECT_TRUE(Stored()->IsDefaultUserCode());
    EXPECT_TRUE(Stored()->IsDefaultVARNwindow());
}

TEST_F(QSRBSegSheetTest, NoRestartOnReorgShowsTheStoredChoiceAndKeepsAnUnknownOneOff)
{
    const struct {
        int stored;
        int checked;
    } cases[] = {{PxNoRestartOnReorgOfflineNoPostdump, kOfflineNoPostdump},
                 {PxNoRestartOnReorgOnline, kOnlineReorganization},
                 {3, kKoraxOffline}};
    for (const auto& c : cases) {
        Write([&] { Stored()->SetNoRestartOnReorg(static_cast<PxEnumNoRestartOnReorg>(c.stored)); });
        Session(kGenerateTab, [&] {
            for (int id : {kKoraxOffline, kOfflineNoPostdump, kOnlineReorganization})
                EXPECT_EQ(Checked(id), id == c.checked) << c.stored << " " << id;
        });
    }
    Session(kGenerateTab, [&] {
        Click(kSortOnReorg);
        Type(kReorgTasks, "12");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetNoRestartOnReorg(), PxNoRestartOnReorgKoraxOffline);
    EXPECT_EQ(Stored()->GetReorgTasks(), 12);
}

TEST_F(QSRBSegSheetTest, ClearingEnableOltpDisablesTheServiceNamesAndKeepsThem)
{
    Write([&] {
        Stored()->SetEnableOLTP(1);
        Stored()->SetDefServices(3, "SVC4");
    });
    Session(kOLTPTab, [&] {
        EXPECT_EQ(Text(kServiceNames[3]), "SVC4");
        Type(kServiceNames[9], "SVC10");
        Click(kEnableOltp);
        for (int id : kServiceNames)
            EXPECT_FALSE(Enabled(id)) << id;
        EXPECT_FALSE(Enabled(kConcurrentReports));
        EXPECT_FALSE(Enabled(kReportTimeout));
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetEnableOLTP(), 0);
    EXPECT_EQ(Stored()->GetDefServices(3), "SVC4");
    EXPECT_EQ(Stored()->GetDefServices(9), "SVC10");
}

// The TOLVE page asks for "Enable OLTP" whether or not the OLTP tab was shown.
TEST_F(QSRBSegSheetTest, EnableOltpIsAnsweredFromTheRecordUntilTheTabIsShown)
{
    Write([&] { Stored()->SetEnableOLTP(1); });
    Session(kEnvironmentTab, [&] {
        EXPECT_EQ(Sheet().GetOLTPEnabled(), 1);
        ShowTab(kOLTPTab);
        Type(kReportTimeout, "30");
        Click(kEnableOltp);
        EXPECT_EQ(Sheet().GetOLTPEnabled(), 0);
    }, FALSE);
    EXPECT_EQ(Stored()->GetEnableOLTP(), 1);
}
