// The Pack Allocation page of a QSR business segment: the packs that use their default
// follow the pack above them in the tree of defaults.
#include "QSRTestSupport.h"

using namespace optionstest;

namespace {

constexpr int kDefaultPack = 1067;
constexpr int kDuplicateAudit = 1104;
constexpr int kDictionaryPack = 1106;
constexpr int kUseDefaultDictionaryPack = 1244;
constexpr int kDatabasePack = 1108;
constexpr int kUseDefaultDatabasePack = 1109;
constexpr int kRocFileLocation = 1833;
constexpr int kUseDefaultRocFileLocation = 1832;

// The packs under the default pack, and whether they are under the dictionary pack.
constexpr struct {
    int combo;
    bool underDictionary;
} kFollowers[] = {{1094, false}, {1106, true},  {1108, false}, {1242, true},  {1087, true},  {1102, true},
                  {1096, true},  {1224, false}, {1247, false}, {1240, false}, {1833, false}, {1245, false}};

} // namespace

TEST_F(QSRBSegSheetTest, ANewDefaultPackFlowsDownToEveryPackThatUsesItsDefault)
{
    Write([&] {
        Stored()->SetDefPack("SALESPATH");
        Stored()->SetDupAudit("STOCKTS");
    });
    Session(kPacksTab, [&] {
        EXPECT_EQ(ComboItems(kDefaultPack).size(), 10U);
        for (const auto& follower : kFollowers)
            EXPECT_EQ(Text(follower.combo), "SALESPATH") << follower.combo;
        Choose(kDefaultPack, "SALESFG");
        for (const auto& follower : kFollowers) {
            EXPECT_EQ(Text(follower.combo), "SALESFG") << follower.combo;
            EXPECT_FALSE(Enabled(follower.combo)) << follower.combo;
        }
        EXPECT_EQ(Text(kDuplicateAudit), "STOCKTS");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetDefPack(), "SALESFG");
    EXPECT_TRUE(Stored()->IsDefaultLogPack());
    EXPECT_EQ(Stored()->GetLogPack(), "SALESFG");
}

TEST_F(QSRBSegSheetTest, APackWithItsOwnValueStopsTheFlowBelowIt)
{
    Write([&] { Stored()->SetDefPack("SALESPATH"); });
    Session(kPacksTab, [&] {
        Click(kUseDefaultDictionaryPack);
        EXPECT_TRUE(Enabled(kDictionaryPack));
        Choose(kDefaultPack, "STOCKFG");
        for (const auto& follower : kFollowers)
            EXPECT_EQ(Text(follower.combo), follower.underDictionary ? "SALESPATH" : "STOCKFG") << follower.combo;
        Choose(kDictionaryPack, "PAYROLLTS");
        for (const auto& follower : kFollowers)
            EXPECT_EQ(Text(follower.combo), follower.underDictionary ? "PAYROLLTS" : "STOCKFG") << follower.combo;
        Click(kUseDefaultDictionaryPack);
        EXPECT_EQ(Text(kDictionaryPack), "STOCKFG");
        EXPECT_EQ(Text(1096), "STOCKFG");
        Click(kUseDefaultDatabasePack);
        Choose(kDatabasePack, "TARSKPACK");
        ApplyNow();
    });
    EXPECT_TRUE(Stored()->IsDefaultDictPack());
    EXPECT_FALSE(Stored()->IsDefaultDBPack());
    EXPECT_EQ(Stored()->GetDBPack(), "TARSKPACK");
    EXPECT_EQ(Stored()->GetStationInfo(), "TARSKPACK");
}

TEST_F(QSRBSegSheetTest, TheRocOutputFileLocationIsNotChosenWhileRocUsesTheDatabase)
{
    Write([&] {
        Stored()->SetROCusesDB(1);
        Stored()->SetROCFileLocation("STOCKTS");
    });
    Session(kPacksTab, [&] {
        EXPECT_FALSE(Enabled(kUseDefaultRocFileLocation));
        EXPECT_FALSE(Enabled(kRocFileLocation));
        Sheet().RefreshPacksPage(0);
        EXPECT_TRUE(Enabled(kUseDefaultRocFileLocation));
        EXPECT_TRUE(Enabled(kRocFileLocation));
        Click(kUseDefaultRocFileLocation);
        EXPECT_FALSE(Enabled(kRocFileLocation));
        Sheet().RefreshPacksPage(1);
        Sheet().RefreshPacksPage(0);
        EXPECT_FALSE(Enabled(kRocFileLocation));
    }, FALSE);
}

// The Internal TOLVE page asks for the database pack whether or not this tab was shown.
TEST_F(QSRBSegSheetTest, ThePacksAreAnsweredFromTheRecordUntilTheTabIsShown)
{
    Write([&] { Stored()->SetDBPack("STOCKPATH"); });
    Session(kEnvironmentTab, [&] {
        EXPECT_EQ(Sheet().GetDBPack(), "STOCKPATH");
        EXPECT_EQ(Sheet().GetAdhocInfo(), "STOCKPATH");
        ShowTab(kPacksTab);
        Choose(kDatabasePack, "SALESTS");
        EXPECT_EQ(Sheet().GetDBPack(), "SALESTS");
        EXPECT_EQ(Sheet().GetAdhocInfo(), "SALESTS");
        EXPECT_EQ(Sheet().GetROCoutput(), "SALESTS");
    }, FALSE);
}
