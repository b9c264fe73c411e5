// The Configure/QEP Gen and Remote DB pages of a QSR business segment: the remote database
// is configured only for an RDB generate set.
#include "QSRTestSupport.h"

#include "proxy/PxException.h"
#include "proxy/PxFaultInjection.h"
#include "proxy/PxVQBSSoftLink.h"

using namespace optionstest;

namespace {

constexpr int kRdbGenerateSet = 1273;
constexpr int kLanguage = 1071;
constexpr int kUsercode = 1154;
constexpr int kAccessCode = 1155;
constexpr int kRetainExistingDb = 1186;
constexpr int kNewClonedSecondaryDb = 1188;
constexpr int kUseDefaultSetting = 1190;

constexpr int kTimeoutFromPrimary = 1191;
constexpr int kDelayAuditRemoval = 1206;
constexpr int kAuditBlockWrite = 1193;
constexpr int kAuditFileSwitch = 1194;
constexpr int kNativeFileTransfer = 1203;
constexpr int kConnectionDropped = 1198;
constexpr int kOperatorIntervention = 1199;
constexpr int kDump1Name = 1207;
constexpr int kDump1OnPack = 1208;
constexpr int kDump1OnTape = 1209;
constexpr int kDump1Pack = 1210;
constexpr int kDump1SerialNumber = 1211;
constexpr int kDump1Cycle = 1212;
constexpr int kDump1Density = 1214;

} // namespace

TEST_F(QSRBSegSheetTest, TheRemoteDatabaseIsLiveOnlyForAnRdbGenerateSet)
{
    Session(kRemoteDBTab, [&] {
        for (int id : {kTimeoutFromPrimary, kDelayAuditRemoval, kAuditBlockWrite, kConnectionDropped, kDump1Name,
                       kDump1OnPack, kDump1Pack, kDump1SerialNumber})
            EXPECT_FALSE(Enabled(id)) << id;
        ShowTab(kQEPGenTab);
        Click(kRdbGenerateSet);
        ShowTab(kRemoteDBTab);
        for (int id : {kTimeoutFromPrimary, kDelayAuditRemoval, kAuditBlockWrite, kConnectionDropped, kDump1Name,
                       kDump1OnPack, kDump1SerialNumber})
            EXPECT_TRUE(Enabled(id)) << id;
        EXPECT_FALSE(Enabled(kDump1Pack));
        ShowTab(kQEPGenTab);
        Click(kRdbGenerateSet);
        ShowTab(kRemoteDBTab);
        EXPECT_FALSE(Enabled(kTimeoutFromPrimary));
    }, FALSE);
}

TEST_F(QSRBSegSheetTest, ADumpOnPackIsStoredAsOneAndOnTapeAsZero)
{
    Write([&] {
        Stored()->SetConfigRDBGenSet(1);
        Stored()->SetConfigDumpKind(0, PxConfigDumpKindOnPack);
        Stored()->SetConfigDumpPack(0, "SALESTS");
    });
    Session(kRemoteDBTab, [&] {
        EXPECT_TRUE(Checked(kDump1OnPack));
        EXPECT_TRUE(Enabled(kDump1Pack));
        EXPECT_FALSE(Enabled(kDump1SerialNumber));
        EXPECT_FALSE(Enabled(kDump1Cycle));
        Click(kDump1OnTape);
        EXPECT_FALSE(Enabled(kDump1Pack));
        EXPECT_TRUE(Enabled(kDump1Density));
        Type(kDump1SerialNumber, "T001");
        Type(kDump1Cycle, "42");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetConfigDumpKind(0), PxConfigDumpKindOnTape);
    EXPECT_EQ(Stored()->GetConfigDumpKind(1), PxConfigDumpKindOnTape);
    EXPECT_EQ(Stored()->GetConfigDumpPack(0), "SALESTS");
    EXPECT_EQ(Stored()->GetConfigDumpSerialNo(0), "T001");
    EXPECT_EQ(Stored()->GetConfigDumpCycle(0), 42);
}

TEST_F(QSRBSegSheetTest, ErrorHandlingIsChosenOnlyForAuditBlockWrites)
{
    Write([&] { Stored()->SetConfigRDBGenSet(1); });
    Session(kRemoteDBTab, [&] {
        EXPECT_TRUE(Enabled(kOperatorIntervention));
        Click(kOperatorIntervention);
        Click(kAuditFileSwitch);
        EXPECT_FALSE(Enabled(kConnectionDropped));
        EXPECT_FALSE(Enabled(kOperatorIntervention));
        Click(kNativeFileTransfer);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetConfigFTMode(), PxConfigFTModeAuditFileSwitch);
    EXPECT_EQ(Stored()->GetConfigErrorHandling(), PxConfigErrorHandlingOperatorIntervention);
    EXPECT_EQ(Stored()->GetConfigFTOption(), PxConfigFTOptionNative);
}

TEST_F(QSRBSegSheetTest, AnExistingDatabaseWithoutAnOwnSettingUsesTheDefault)
{
    Session(kQEPGenTab, [&] {
        EXPECT_TRUE(Checked(kUseDefaultSetting));
        Click(kNewClonedSecondaryDb);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetConfigExistingDB(), 2);
    Session(kQEPGenTab, [&] {
        EXPECT_TRUE(Checked(kNewClonedSecondaryDb));
        Click(kUseDefaultSetting);
        ApplyNow();
    });
    EXPECT_FALSE(Stored()->IsUpdatedConfigExistingDB());
    Write([&] { Stored()->SetConfigExistingDB(5); });
    Session(kQEPGenTab, [&] {
        EXPECT_TRUE(Checked(kUseDefaultSetting));
        EXPECT_FALSE(Checked(kRetainExistingDb));
    });
}

TEST_F(QSRBSegSheetTest, TheLanguagesAreTheSegmentsNamedSlots)
{
    Write([&] {
        const PxVQBSSoftLinkPtr segment = Segment("SYS1", "SALES");
        segment->SetLanguage(1, "ENGLISH");
        segment->SetLanguage(2, "");
        segment->SetLanguage(15, "JAPANESE");
    });
    Session(kQEPGenTab, [&] {
        const Strings languages = ComboItems(kLanguage);
        EXPECT_EQ(languages.front(), "ENGLISH");
        EXPECT_EQ(languages.back(), "JAPANESE");
        EXPECT_LE(languages.size(), 15U);
        EXPECT_EQ(std::count(languages.begin(), languages.end(), ""), 0);
        Choose(kLanguage, "JAPANESE");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetConfigLanguage(), "JAPANESE");
}

// The user code and the access code of QEP generation take their own options' lengths.
TEST_F(QSRBSegSheetTest, TheQepCodesTakeTheirOwnLengths)
{
    const int usercodeLength = static_cast<int>(Stored()->GetMaxLengthGenUserCode());
    const int accessCodeLength = static_cast<int>(Stored()->GetMaxLengthGenAccessCode());
    Session(kQEPGenTab, [&] {
        EXPECT_EQ(TextLimit(kUsercode), usercodeLength);
        EXPECT_EQ(TextLimit(kAccessCode), accessCodeLength);
        Type(kUsercode, "QEPUSER");
        Type(kAccessCode, "SECRET");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetGenUserCode(), "QEPUSER");
    EXPECT_EQ(Stored()->GetGenAccessCode(), "SECRET");
}

// A stored setting that cannot be read leaves "Use default setting" selected, and neither an
// apply of another change nor the page itself removes it; picking a button still does.
TEST_F(QSRBSegSheetTest, AnExistingDatabaseSettingThatCannotBeReadIsNeverCleared)
{
    const auto unreadable = [] {
        PxFaultInjection::Run("PxQSRBSegOptions::GetConfigExistingDB", [] {
            throw PxExceptionDefOption(__FILE__, __LINE__, "The setting cannot be read.");
        });
    };
    Write([&] { Stored()->SetConfigExistingDB(1); });
    unreadable();
    Session(kQEPGenTab, [&] {
        EXPECT_TRUE(Checked(kUseDefaultSetting));
        Type(kUsercode, "USER1");
        ApplyNow();
    });
    PxFaultInjection::Reset();
    EXPECT_EQ(Stored()->GetGenUserCode(), "USER1");
    EXPECT_EQ(Stored()->GetConfigExistingDB(), 1);
    unreadable();
    Session(kQEPGenTab, [&] {
        Click(kNewClonedSecondaryDb);
        Click(kUseDefaultSetting);
        ApplyNow();
    });
    PxFaultInjection::Reset();
    EXPECT_FALSE(Stored()->IsUpdatedConfigExistingDB());
}
