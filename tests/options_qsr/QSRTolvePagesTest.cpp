// The Default TOLVE and TOLVE pages of a QSR business segment, used through its options dialog.
#include "QSRTestSupport.h"

#include "options_qsr/VqsOptionPageQSRBSegTOLVE.h"

using namespace optionstest;

namespace {

constexpr UINT kDefaultTolvePage = 5;
constexpr UINT kTolvePage = 6;

// Default TOLVE
constexpr int kExtendedEdition = 1460;
constexpr int kDumpstamp = 1959;
constexpr int kKoraxIncrement = 33082;
constexpr int kIgnoreNational = 32869;
constexpr int kCCsversion = 1447;
constexpr int kReblockFactor = 1448;
constexpr int kPopulationIncrease = 1449;
constexpr int kDataSetBuffers = 1171;
constexpr int kDataSetPerUser = 1172;
constexpr int kDataSetPerRandomUser = 1173;
constexpr int kDataSetPerSerialUser = 1174;
constexpr int kSetBuffers = 1455;
constexpr int kSetPerUser = 1456;
constexpr int kSetPerRandomUser = 1457;
constexpr int kSetPerSerialUser = 1458;
constexpr int kSecurityGuardPack = 1446;

// TOLVE
constexpr int kReapply = 1269;
constexpr int kAllowedCore = 1271;
constexpr int kResidentLimit = 1272;
constexpr int kSyncWait = 1181;
constexpr int kOverlayGoal = 1182;
constexpr int kOverlayGoalDecimal = 1183;

constexpr const char* kExtendedEditionWarning =
    "Changing the Global KORAX Extended Edition option may cause a reorg failure in large systems.\r\n"
    "OZR is unable to detect this situation ahead of time.";
constexpr const char* kCannotReset =
    "Cannot reset this option. The 'Two Phase Commit', 'Extend Report Recovery' or 'Enable OLTP' options are set "
    "and are not compatible with this option being reset.";
constexpr const char* kTruncationWarning =
    "The value in the ALLOWEDCORE or RESIDENTLIMIT field is greater than 99,999,999.  This value will be "
    "truncated to 99999999 in any DORVE file that includes 'System Options' from the model directory or any DORVE "
    "file produced from the System Directory.";

} // namespace

TEST_F(QSRBSegSheetTest, TheBufferGroupsKeepTheirPerUserValuesConsistent)
{
    const struct {
        int buffers, perUser, perRandomUser, perSerialUser;
        std::int64_t (PxQSRBSegOptions::*storedPerUser)() const;
        std::int64_t (PxQSRBSegOptions::*storedPerRandomUser)() const;
    } groups[] = {
        {kDataSetBuffers, kDataSetPerUser, kDataSetPerRandomUser, kDataSetPerSerialUser,
         &PxQSRBSegOptions::GetDataSetBuffersPUser, &PxQSRBSegOptions::GetDataSetBuffersPRandomUser},
        {kSetBuffers, kSetPerUser, kSetPerRandomUser, kSetPerSerialUser, &PxQSRBSegOptions::GetSetBuffersPUser,
         &PxQSRBSegOptions::GetSetBuffersPRandomUser},
    };
    for (const auto& g : groups) {
        Session(kDefaultTolvePage, [&] {
            EXPECT_FALSE(Enabled(g.perUser)) << "no buffers";
            Type(g.buffers, "20");
            for (int id : {g.perUser, g.perRandomUser, g.perSerialUser})
                EXPECT_TRUE(Enabled(id)) << id;
            Type(g.perUser, "3");
            EXPECT_FALSE(Enabled(g.perRandomUser)) << "per user excludes per random user";
            Type(g.perUser, "0");
            Type(g.perRandomUser, "5");
            EXPECT_EQ(Text(g.perUser), "0");
            EXPECT_FALSE(Enabled(g.perUser)) << "per random user excludes per user";
            EXPECT_TRUE(Enabled(g.perSerialUser));
            ApplyNow();
            Type(g.buffers, "0");
            for (int id : {g.perUser, g.perRandomUser, g.perSerialUser}) {
                EXPECT_EQ(Text(id), "0") << id;
                EXPECT_FALSE(Enabled(id)) << id;
            }
        }, FALSE);
        EXPECT_EQ((Stored().get()->*g.storedPerUser)(), 0);
        EXPECT_EQ((Stored().get()->*g.storedPerRandomUser)(), 5);
    }
}

TEST_F(QSRBSegSheetTest, CancellingTheExtendedEditionWarningLeavesTheBoxAndThePageAlone)
{
    Write([&] { Stored()->SetReapplyCompletedIndependentTrans(1); });
    Session(kDefaultTolvePage, [&] {
        EXPECT_TRUE(Enabled(kExtendedEdition));
        EXPECT_FALSE(Enabled(kDumpstamp));
        Answer(kExtendedEditionWarning, IDCANCEL);
        Click(kExtendedEdition);
        EXPECT_FALSE(Checked(kExtendedEdition));
        EXPECT_FALSE(Enabled(kApplyNow)) << "the page is not modified";
        Answer(kExtendedEditionWarning, IDOK);
        Click(kExtendedEdition);
        EXPECT_TRUE(Checked(kExtendedEdition));
        EXPECT_TRUE(Enabled(kDumpstamp));
        Click(kDumpstamp);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetDefaultIspecExtendedEdition(), 1);
    EXPECT_EQ(Stored()->GetDumpstamp(), 1);
}

TEST_F(QSRBSegSheetTest, WithoutReapplyExtendedEditionLoadsClearAndDisabled)
{
    Write([&] {
        Stored()->SetReapplyCompletedIndependentTrans(0);
        Stored()->SetDefaultIspecExtendedEdition(1);
    });
    Session(kDefaultTolvePage, [&] {
        EXPECT_FALSE(Checked(kExtendedEdition));
        EXPECT_FALSE(Enabled(kExtendedEdition));
        EXPECT_FALSE(Enabled(kDumpstamp));
    });
}

TEST_F(QSRBSegSheetTest, NoneAsTheCCsversionIgnoresNationalItems)
{
    Write([&] { Stored()->SetCCsversion("NONE"); });
    Session(kDefaultTolvePage, [&] {
        EXPECT_TRUE(Checked(kIgnoreNational));
        EXPECT_EQ(Text(kCCsversion), "");
        EXPECT_FALSE(Enabled(kCCsversion));
        Click(kIgnoreNational);
        EXPECT_TRUE(Enabled(kCCsversion));
        Type(kCCsversion, "V2");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetCCsversion(), "V2");
    Session(kDefaultTolvePage, [&] {
        Type(kCCsversion, "none");
        EXPECT_TRUE(Checked(kIgnoreNational));
        EXPECT_FALSE(Enabled(kCCsversion));
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetCCsversion(), "NONE");
}

TEST_F(QSRBSegSheetTest, WithAdhocInquiryTheReblockFactorStopsAtEight)
{
    Write([&] { Stored()->SetAdhocInqReq(1); });
    Session(kDefaultTolvePage, [&] {
        Type(kReblockFactor, "9");
        Answer("Please enter an integer in the range of 0 to 8.", IDOK);
        ApplyNow();
        Type(kReblockFactor, "8");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetReblockFactor(), 8);
}

// The increase stays as stored while the KORAX increment is used: the edit shows none.
TEST_F(QSRBSegSheetTest, TheKoraxIncrementKeepsTheStoredIncrease)
{
    Write([&] {
        Stored()->SetPopulationIncreaseFlag(1);
        Stored()->SetPopulationIncrease(15);
    });
    Session(kDefaultTolvePage, [&] {
        EXPECT_EQ(Text(kPopulationIncrease), "<not available>");
        EXPECT_FALSE(Enabled(kPopulationIncrease));
        Type(kReblockFactor, "4");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetPopulationIncrease(), 15);
    Session(kDefaultTolvePage, [&] {
        Click(kKoraxIncrement);
        EXPECT_TRUE(Enabled(kPopulationIncrease));
        EXPECT_EQ(Text(kPopulationIncrease), "0");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetPopulationIncreaseFlag(), 0);
    EXPECT_EQ(Stored()->GetPopulationIncrease(), 0);
}

TEST_F(QSRBSegSheetTest, PackCombosListTheEnterprisesNamedPacks)
{
    Session(kDefaultTolvePage, [&] {
        const Strings packs = ComboItems(kSecurityGuardPack);
        EXPECT_FALSE(packs.empty());
        for (const std::string& pack : packs)
            EXPECT_FALSE(pack.empty());
    });
}

TEST(QSRTolveFormatTest, TheOverlayGoalIsShownInHundredths)
{
    const struct {
        std::int64_t value;
        const char* shown;
    } cases[] = {{0, "0.00"}, {5, "0.05"}, {7, "0.07"}, {150, "1.50"}, {12345, "123.45"},
                 {4294967295LL, "42949672.95"}, {-5, "-0.05"}};
    for (const auto& c : cases)
        EXPECT_EQ(std::string(VqsOptionPageQSRBSegTOLVE::FormatHundredths(c.value)), c.shown) << c.value;
}

TEST_F(QSRBSegSheetTest, TheOverlayGoalShowsItsDecimalBesideIt)
{
    Session(kTolvePage, [&] {
        EXPECT_FALSE(Enabled(kOverlayGoalDecimal));
        Type(kOverlayGoal, "7");
        EXPECT_EQ(Text(kOverlayGoalDecimal), "0.07");
    });
}

TEST_F(QSRBSegSheetTest, AResidentLimitAboveTheAllowedCoreIsRefusedAndNothingStored)
{
    Session(kTolvePage, [&] {
        Type(kAllowedCore, "500");
        Type(kResidentLimit, "501");
        Type(kOverlayGoal, "9");
        Answer("Cannot save option values:\nResident Limit must not be > Allowed Core", IDOK);
        ApplyNow();
        Type(kResidentLimit, "500");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetResidentLimit(), 500);
    EXPECT_EQ(Stored()->GetOverlayGoal(), 9);
}

TEST_F(QSRBSegSheetTest, ValuesAboveTheHostsLimitAreStoredAfterAWarning)
{
    Session(kTolvePage, [&] {
        Type(kAllowedCore, "100000000");
        Type(kResidentLimit, "5");
        Answer(kTruncationWarning, IDOK);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetAllowedCore(), 100000000);
    EXPECT_EQ(Stored()->GetResidentLimit(), 5);
}

TEST_F(QSRBSegSheetTest, ReapplyCannotBeClearedWhileOLTPIsEnabledEvenWithTheOLTPTabUnopened)
{
    Write([&] {
        Stored()->SetReapplyCompletedIndependentTrans(1);
        Stored()->SetEnableOLTP(1);
        Stored()->SetSyncWait(30);
    });
    Session(kTolvePage, [&] {
        Answer(kCannotReset, IDOK);
        Click(kReapply);
        EXPECT_TRUE(Checked(kReapply));
        EXPECT_TRUE(Enabled(kSyncWait));
    }, FALSE);
    Write([&] { Stored()->SetEnableOLTP(0); });
    Session(kDefaultTolvePage, [&] {
        EXPECT_TRUE(Enabled(kExtendedEdition));
        ShowTab(kTolvePage);
        Click(kReapply);
        EXPECT_EQ(Text(kSyncWait), "0");
        EXPECT_FALSE(Enabled(kSyncWait));
        ShowTab(kDefaultTolvePage);
        EXPECT_FALSE(Enabled(kExtendedEdition));
        ShowTab(kTolvePage);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetReapplyCompletedIndependentTrans(), 0);
    EXPECT_EQ(Stored()->GetSyncWait(), 0);
}

TEST_F(QSRBSegSheetTest, TheTolveValuesComeFromTheRecordUntilTheUserEditsThem)
{
    Write([&] {
        Stored()->SetReblockFactor(6);
        Stored()->SetPopulationWarn(3);
        Stored()->SetReapplyCompletedIndependentTrans(1);
    });
    Session(0, [&] {
        EXPECT_EQ(Sheet().GetReblockFactor(), 6);
        EXPECT_EQ(Sheet().GetPopulationWarn(), 3);
        EXPECT_EQ(Sheet().GetReapplyCompleted(), 1);
        ShowTab(kDefaultTolvePage);
        Type(kReblockFactor, "4");
        EXPECT_EQ(Sheet().GetReblockFactor(), 4);
        ShowTab(kTolvePage);
        Click(kReapply);
        EXPECT_EQ(Sheet().GetReapplyCompleted(), 0);
    }, FALSE);
    EXPECT_EQ(Stored()->GetReblockFactor(), 6) << "cancelled";
}
