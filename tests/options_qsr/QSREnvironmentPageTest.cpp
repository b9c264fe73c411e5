// The Environment page of a QSR business segment, and what it tells and asks the other tabs.
#include "QSRTestSupport.h"

using namespace optionstest;

namespace {

constexpr int kLogActivities = 1077;
constexpr int kLogTransactions = 1078;
constexpr int kLogFileSize = 1134;
constexpr int kUsePainter = 1099;
constexpr int kBackground = 1100;
constexpr int kForeground = 1101;
constexpr int kSampleText = 1107;
constexpr int kAdhocInquiry = 1080;
constexpr int kRocUsesDatabase = 1114;
constexpr int kValidateUsercode = 1113;
constexpr int kUseDefaultPofName = 1251;
constexpr int kPofName = 1121;
constexpr int kPofFamily = 1122;
constexpr int kDuplicateFamily = 1123;
constexpr int kExternPack1 = 1128;
constexpr int kExternPack2 = 1129;
constexpr int kCopyAuditNone = 1135;
constexpr int kCopyAuditTape = 1139;
constexpr int kCopyAuditUserDefined = 1145;
constexpr int kAuditDetails = 1286;
constexpr int kRocFileLocationDefault = 1832;
constexpr int kRocFileLocation = 1833;

constexpr const char* kSameFamily = "POF Family and Duplicate POF Family cannot have the same value.";

} // namespace

TEST_F(QSRBSegSheetTest, LogTransactionsAreOnlyKeptWhileActivitiesAreLogged)
{
    Write([&] {
        Stored()->SetLogAct(0);
        Stored()->SetLogTrans(1);
    });
    Session(kEnvironmentTab, [&] {
        EXPECT_FALSE(Checked(kLogTransactions));
        EXPECT_FALSE(Enabled(kLogTransactions));
        EXPECT_FALSE(Enabled(kLogFileSize));
        Click(kLogActivities);
        EXPECT_TRUE(Enabled(kLogTransactions));
        Click(kLogTransactions);
        Click(kLogActivities);
        EXPECT_FALSE(Checked(kLogTransactions));
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetLogTrans(), 0);
    EXPECT_TRUE(Stored()->IsUpdatedLogTrans());
}

TEST_F(QSRBSegSheetTest, ThePofIsOfferedOnlyWhileCompletedTransactionsAreReapplied)
{
    const struct {
        int reapply;
        const char* duplicate;
        const char* shownName;
        const char* shownFamily;
        const char* shownDuplicate;
    } cases[] = {{0, "DUP", "NONE", " ", " "}, {1, "DUP", "POFA", "FAM", "DUP"}, {1, "FAM", "POFA", "FAM", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.duplicate);
        Write([&] {
            Stored()->SetReapplyCompletedIndependentTrans(c.reapply);
            Stored()->SetPOFname("POFA");
            Stored()->SetPOFfamily("FAM");
            Stored()->SetDupPOFfamily(c.duplicate);
        });
        Session(kEnvironmentTab, [&] {
            EXPECT_EQ(Text(kPofName), c.shownName);
            EXPECT_EQ(Text(kPofFamily), c.shownFamily);
            EXPECT_EQ(Text(kDuplicateFamily), c.shownDuplicate);
            for (int id : {kUseDefaultPofName, kPofName, kPofFamily, kDuplicateFamily})
                EXPECT_EQ(Enabled(id), c.reapply != 0) << id;
            Click(kValidateUsercode);
            ApplyNow();
        });
        EXPECT_EQ(Stored()->GetPOFname(), c.reapply ? "POFA" : "");
        EXPECT_EQ(Stored()->GetPOFfamily(), c.reapply ? "FAM" : "");
    }
    EXPECT_EQ(Stored()->GetDupPOFfamily(), "");
}

TEST_F(QSRBSegSheetTest, TheTOLVEPageSwitchesThePofOnWhileTheEnvironmentIsOpen)
{
    Write([&] { Stored()->SetPOFname("POFA"); });
    Session(kEnvironmentTab, [&] {
        EXPECT_FALSE(Enabled(kPofName));
        Sheet().NotifyEnvAndDefTOLVEPages(1);
        EXPECT_EQ(Text(kPofName), "POFA");
        EXPECT_TRUE(Enabled(kPofName));
        Sheet().NotifyEnvAndDefTOLVEPages(0);
        EXPECT_EQ(Text(kPofName), "NONE");
        EXPECT_FALSE(Enabled(kUseDefaultPofName));
    });
}

TEST_F(QSRBSegSheetTest, ADuplicatePofFamilyEqualToTheFamilyIsRefusedAtApply)
{
    Write([&] {
        Stored()->SetReapplyCompletedIndependentTrans(1);
        Stored()->SetPOFname("POFA");
    });
    Session(kEnvironmentTab, [&] {
        Type(kPofFamily, "FAM");
        Type(kDuplicateFamily, "FAM");
        Answer(kSameFamily, IDOK);
        ApplyNow();
        EXPECT_FALSE(Stored()->IsUpdatedPOFfamily());
        Type(kDuplicateFamily, "FAM2");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetPOFfamily(), "FAM");
    EXPECT_EQ(Stored()->GetDupPOFfamily(), "FAM2");
}

TEST_F(QSRBSegSheetTest, UseDefaultPofNameShowsTheDefaultAndStoresIt)
{
    Write([&] {
        Stored()->SetReapplyCompletedIndependentTrans(1);
        Stored()->SetPOFname("OWN");
    });
    const std::string defaultName(Stored()->GetDefaultPOFname());
    Session(kEnvironmentTab, [&] {
        EXPECT_FALSE(Checked(kUseDefaultPofName));
        Click(kUseDefaultPofName);
        EXPECT_EQ(Text(kPofName), defaultName);
        EXPECT_FALSE(Enabled(kPofName));
        ApplyNow();
    });
    EXPECT_TRUE(Stored()->IsDefaultPOFname());
}

TEST_F(QSRBSegSheetTest, TheUserDefinedCopyAuditChoiceEnablesTheDetailsTab)
{
    Write([&] { Stored()->SetCopyAudit2tape(PxCopyAudit2tapeTape); });
    Session(kEnvironmentTab, [&] {
        EXPECT_TRUE(Checked(kCopyAuditTape));
        EXPECT_FALSE(Sheet().GetCopyAudit2tape());
        Click(kCopyAuditUserDefined);
        EXPECT_TRUE(Sheet().GetCopyAudit2tape());
        ShowTab(kAuditDetailTab);
        EXPECT_TRUE(Enabled(kAuditDetails));
        ShowTab(kEnvironmentTab);
        Click(kCopyAuditNone);
        ShowTab(kAuditDetailTab);
        EXPECT_FALSE(Enabled(kAuditDetails));
        ShowTab(kEnvironmentTab);
        Click(kCopyAuditUserDefined);
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetCopyAudit2tape(), PxCopyAudit2tapeUserDefined);
    Session(kAuditDetailTab, [&] { EXPECT_TRUE(Enabled(kAuditDetails)); });
}

TEST_F(QSRBSegSheetTest, AdhocInquiryNeedsAReblockFactorOfEightOrLess)
{
    for (std::int64_t factor : {8, 9}) {
        Write([&] { Stored()->SetReblockFactor(factor); });
        Session(kEnvironmentTab, [&] { EXPECT_EQ(Enabled(kAdhocInquiry), factor <= 8) << factor; });
    }
    Session(kEnvironmentTab, [&] {
        Sheet().SetReblockFactorOnPages(4);
        EXPECT_TRUE(Enabled(kAdhocInquiry));
    });
}

TEST_F(QSRBSegSheetTest, ThePainterColoursHideTheSampleAndShowTheDefaultColours)
{
    Write([&] {
        Stored()->SetBSUsePainter(0);
        Stored()->SetBSBColor(PxBColorBlue);
    });
    Session(kEnvironmentTab, [&] {
        EXPECT_TRUE(Visible(kSampleText));
        EXPECT_EQ(Text(kBackground), "Blue");
        Click(kUsePainter);
        EXPECT_FALSE(Visible(kSampleText));
        EXPECT_FALSE(Enabled(kBackground));
        EXPECT_FALSE(Enabled(kForeground));
        Click(kUsePainter);
        EXPECT_TRUE(Enabled(kBackground));
        EXPECT_EQ(Text(kBackground), "Black");
        Choose(kForeground, "Cyan");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetBSUsePainter(), 0);
    EXPECT_EQ(Stored()->GetBSBColor(), PxBColorBlack);
    EXPECT_EQ(Stored()->GetBSFColor(), PxBColorCyan);
}

TEST_F(QSRBSegSheetTest, TheExternalDatabasesTakeTheEnterprisesPacks)
{
    Session(kEnvironmentTab, [&] {
        const Strings packs = ComboItems(kExternPack1);
        EXPECT_EQ(packs.front(), "SALESPATH");
        EXPECT_EQ(packs.size(), 10U);
        EXPECT_EQ(ComboItems(kExternPack2), packs);
        Choose(kExternPack2, "STOCKTS");
        Type(1125, "USER2");
        ApplyNow();
    });
    EXPECT_EQ(Stored()->GetExternDBpack(1), "STOCKTS");
    EXPECT_EQ(Stored()->GetExternDBuser(1), "USER2");
}

// The other tabs get the values of the Environment page from the record until it is shown,
// and the user's values from then on, applied or not.
TEST_F(QSRBSegSheetTest, TheEnvironmentAnswersTheOtherTabsFromTheRecordUntilItIsShown)
{
    Write([&] {
        Stored()->SetAdhocInqReq(1);
        Stored()->SetROCusesDB(0);
        Stored()->SetCopyAudit2tape(PxCopyAudit2tapeUserDefined);
    });
    Session(kPacksTab, [&] {
        EXPECT_EQ(Sheet().GetAdhocInqReq(), 1);
        EXPECT_EQ(Sheet().GetROCusesDB(), 0);
        EXPECT_TRUE(Sheet().GetCopyAudit2tape());
        EXPECT_TRUE(Enabled(kRocFileLocationDefault));
        ShowTab(kEnvironmentTab);
        Click(kAdhocInquiry);
        Click(kRocUsesDatabase);
        EXPECT_EQ(Sheet().GetAdhocInqReq(), 0);
        EXPECT_EQ(Sheet().GetROCusesDB(), 1);
        ShowTab(kPacksTab);
        EXPECT_FALSE(Enabled(kRocFileLocationDefault));
        EXPECT_FALSE(Enabled(kRocFileLocation));
    }, FALSE);
    EXPECT_EQ(Stored()->GetROCusesDB(), 0);
}
