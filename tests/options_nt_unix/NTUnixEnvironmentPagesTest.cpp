// The Environment, Generate and Extract File pages of NT and Unix components, events,
// profiles and reports, used through the element's options dialog; on Unix the component's
// and profile's Environment page and database storage page keep the element's pack and
// expected number in step.
#include "../options_tarsk/OptionsDialogHarness.h"

#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEProfile.h"
#include "proxy/PxNTCompOptions.h"
#include "proxy/PxNTProfileOptions.h"
#include "proxy/PxNTReportOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixProfileOptions.h"
#include "proxy/PxUnixReportOptions.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"

using namespace optionstest;

namespace {

constexpr int kEnvironmentPage = 0;
constexpr int kComponentStoragePage = 2;
constexpr int kProfileStoragePage = 1;

constexpr int kComponentPack = 1432;
constexpr int kUseDefaultComponentPack = 1389;
constexpr int kComponentExpected = 1027;
constexpr int kNTComponentMark = 33097;
constexpr int kUnixComponentMark = 33032;
constexpr int kNTProfileMark = 33098;
constexpr int kUnixProfileMark = 33033;
constexpr int kProfilePack = 1411;
constexpr int kUseDefaultProfilePack = 1006;
constexpr int kExpectedEstimate = 1056;
constexpr int kProfileExpected = 1407;
constexpr int kStoragePack = 1900;
constexpr int kStorageExpected = 1899;
constexpr int kStorageIndex = 1926;
constexpr int kClusterIndex = 1767;
constexpr int kRollBackSegment = 1779;
constexpr int kReportPack = 1412;
constexpr int kUseDefaultReportPack = 1388;
constexpr int kUseFile = 1019;
constexpr int kDisk = 1051;
constexpr int kTape = 1052;
constexpr int kInternal = 32873;
constexpr int kUseDefaultBlocking = 1008;
constexpr int kDiskBlocking = 1036;
constexpr int kTapeBlocking = 1066;
constexpr int kMultiRecordIspecs = 61965;
constexpr int kMultiRecordReports = 61966;

struct NTUnixEnvironmentPagesTest : OptionsDialogHarness {
    void ElementSession(const char* element, const char* optionSet, UINT page, const std::function<void()>& actions,
                        BOOL endWithOk = TRUE)
    {
        Session(Element("SYS1", "SALES", element), optionSet, page, actions, endWithOk);
    }
    template <class Ptr>
    Ptr Record(const char* element, const char* optionSet) const
    {
        return Stored<Ptr>(element, optionSet);
    }
    void SetUsage(const char* element, int usage)
    {
        Write([&] { PxVQIspecSoftLinkPtr(Element("SYS1", "SALES", element))->SetIspecUsage(usage); });
    }
    // Design changes to the sample's business segment.
    template <class Change>
    void Design(Change change)
    {
        Write([&] {
            PxLSEBuilder builder(*app.GetLink());
            change(builder, app.GetLSEEnterprise()->GetBusinessSegment("SALES"));
        });
    }
};

} // namespace

TEST_F(NTUnixEnvironmentPagesTest, AComponentMayBeMarkedUserMaintainedOnlyAsOutputNotTiedToAProfilesLogic)
{
    const struct {
        const char* what;
        int usage;
        bool linkedOrdinate;
        bool spanning;
        bool marked;
        bool enabled;
    } cases[] = {
        {"inquiry", 1, false, false, false, false},
        {"input", 2, false, false, false, false},
        {"output", 3, false, false, false, true},
        {"input and output", 4, false, false, false, true},
        {"output under a profile with a linked ordinate", 3, true, false, false, false},
        {"the same, already marked", 3, true, false, true, true},
        {"the same profile spanning all events", 4, true, true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUsage("CUSTOMER", c.usage);
        Design([&](PxLSEBuilder& builder, const PxLSEBusinessSegmentPtr& segment) {
            const PxLSEProfilePtr profile(segment->GetElement("CUSTBYNAME"));
            if (c.linkedOrdinate)
                builder.AddOrdinate(profile, segment->GetElement("CUSTNAME"), 2, 1);
            builder.SetNumber(PxObjectPtr(profile), "spanAllEvents", c.spanning ? 1 : 0);
        });
        Write([&] { Record<PxUnixCompOptionsPtr>("CUSTOMER", "UNIXGEN")->SetCompUserMaintained(c.marked ? 1 : 0); });
        for (const auto& [set, mark] : {std::pair{"NTGEN", kNTComponentMark}, {"UNIXGEN", kUnixComponentMark}}) {
            if (std::string(set) == "NTGEN")
                Write([&] {
                    Record<PxNTCompOptionsPtr>("CUSTOMER", "NTGEN")->SetCompUserMaintained(c.marked ? 1 : 0);
                });
            ElementSession(
                "CUSTOMER", set, kEnvironmentPage,
                [&] { EXPECT_EQ(Enabled(mark), c.enabled ? TRUE : FALSE) << set; }, FALSE);
        }
    }
}

TEST_F(NTUnixEnvironmentPagesTest, TheComponentsPackAndExpectedNumberAreStoredAndItsDefaultPackTakesTheDefault)
{
    ElementSession("CUSTOMER", "NTGEN", kEnvironmentPage, [&] {
        EXPECT_EQ(ComboItems(kComponentPack), (Strings{"PAYROLLFG", "PAYROLLTS", "SALESFG", "SALESTS", "STOCKFG",
                                                       "STOCKTS", "TARSKPACK"}));
        Click(kUseDefaultComponentPack);
        Choose(kComponentPack, "STOCKTS");
        Type(kComponentExpected, "4321");
        ApplyNow();
    });
    const PxNTCompOptionsPtr stored = Record<PxNTCompOptionsPtr>("CUSTOMER", "NTGEN");
    EXPECT_EQ(stored->GetCompPack(), "STOCKTS");
    EXPECT_EQ(stored->GetExpected(), 4321);
    ElementSession("CUSTOMER", "NTGEN", kEnvironmentPage, [&] {
        Click(kUseDefaultComponentPack);
        EXPECT_FALSE(Enabled(kComponentPack));
        EXPECT_EQ(Text(kComponentPack), std::string(stored->GetDefaultCompPack()));
        ApplyNow();
    });
    EXPECT_TRUE(Record<PxNTCompOptionsPtr>("CUSTOMER", "NTGEN")->IsDefaultCompPack());
}

TEST_F(NTUnixEnvironmentPagesTest, TheUnixComponentsPackAndExpectedNumberFollowEachOtherOnBothPagesAtTheTableOnly)
{
    ElementSession("CUSTOMER", "UNIXGEN", kEnvironmentPage, [&] {
        Click(kUseDefaultComponentPack);
        Choose(kComponentPack, "SALESFG");
        Type(kComponentExpected, "77777777");
        ShowTab(kComponentStoragePage);
        EXPECT_TRUE(Enabled(kStoragePack));
        EXPECT_EQ(Text(kStoragePack), "SALESFG");
        EXPECT_EQ(Text(kStorageExpected), "77777777");
        Choose(kStoragePack, "STOCKFG");
        Type(kStorageExpected, "123");
        ShowTab(kEnvironmentPage);
        EXPECT_EQ(Text(kComponentPack), "STOCKFG");
        EXPECT_EQ(Text(kComponentExpected), "123");
        ShowTab(kComponentStoragePage);
        Answer("Options have been changed.\nDo you want to save the changes?", IDNO);
        Click(kStorageIndex);
        Type(kStorageExpected, "5");
        ShowTab(kEnvironmentPage);
        EXPECT_EQ(Text(kComponentExpected), "123");
    }, FALSE);
}

TEST_F(NTUnixEnvironmentPagesTest, AUnixComponentsMultiRecordMaximaAreClearedByDefaults)
{
    Write([&] { Record<PxUnixCompOptionsPtr>("CUSTOMER", "UNIXGEN")->SetUnixMultiRecordMaxInIspecs(7); });
    ElementSession("CUSTOMER", "UNIXGEN", kEnvironmentPage, [&] {
        EXPECT_EQ(Text(kMultiRecordIspecs), "7");
        Defaults();
        ApplyNow();
    });
    EXPECT_FALSE(Record<PxUnixCompOptionsPtr>("CUSTOMER", "UNIXGEN")->IsUpdatedUnixMultiRecordMaxInIspecs());
}

TEST_F(NTUnixEnvironmentPagesTest, AUnixComponentsBoundedNumbersTakeOnlyTheDigitsTheirMaximaAllow)
{
    ElementSession("CUSTOMER", "UNIXGEN", kEnvironmentPage, [&] {
        EXPECT_EQ(TextLimit(kComponentExpected), 8);
        EXPECT_EQ(TextLimit(kMultiRecordIspecs), 2);
        EXPECT_EQ(TextLimit(kMultiRecordReports), 2);
    }, FALSE);
}

TEST_F(NTUnixEnvironmentPagesTest, TheNTClusterIndexOffersTheOrdinatesOfTheComponentsProfiles)
{
    Write([&] {
        const PxVQProfileSoftLinkPtr byName(Element("SYS1", "SALES", "CUSTBYNAME"));
        byName->SetComponent(PxVQIspecSoftLinkPtr(Element("SYS1", "SALES", "CUSTOMER")));
        byName->SetOrdinateName("CUSTNAME");
        const PxVQProfileSoftLinkPtr byDate(Element("SYS1", "SALES", "ORDBYDATE"));
        byDate->SetComponent(PxVQIspecSoftLinkPtr(Element("SYS1", "SALES", "ORDER")));
        byDate->SetOrdinateName("CUSTOMER");
    });
    ElementSession("CUSTOMER", "NTGEN", 2, [&] {
        EXPECT_EQ(ComboItems(kClusterIndex), (Strings{"CUSTNAME", "ORDBYDATE"}));
    }, FALSE);
}

TEST_F(NTUnixEnvironmentPagesTest, AProfileIsTiedToWhatItIsOverUnlessItsMarkDiffersFromTheDefault)
{
    const struct {
        const char* what;
        bool componentMarked;
        bool boxSet;
        bool enabled;
    } cases[] = {
        {"over an unmarked component", false, false, true},
        {"over a marked component", true, false, false},
        {"marked itself", true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Write([&] {
            Record<PxUnixCompOptionsPtr>("CUSTOMER", "UNIXGEN")->SetCompUserMaintained(c.componentMarked ? 1 : 0);
            Record<PxUnixProfileOptionsPtr>("CUSTBYNAME", "UNIXGEN")->SetProfUserMaintained(c.boxSet ? 1 : 0);
        });
        ElementSession("CUSTBYNAME", "UNIXGEN", kEnvironmentPage,
                       [&] { EXPECT_EQ(Enabled(kUnixProfileMark), c.enabled ? TRUE : FALSE); }, FALSE);
    }
    // Over an event it does not span; spanning all events frees it again.
    ElementSession("ORDBYDATE", "NTGEN", kEnvironmentPage, [&] { EXPECT_FALSE(Enabled(kNTProfileMark)); }, FALSE);
    Design([](PxLSEBuilder& builder, const PxLSEBusinessSegmentPtr& segment) {
        builder.SetNumber(PxObjectPtr(segment->GetElement("ORDBYDATE")), "spanAllEvents", 1);
    });
    ElementSession("ORDBYDATE", "NTGEN", kEnvironmentPage, [&] { EXPECT_TRUE(Enabled(kNTProfileMark)); }, FALSE);
}

TEST_F(NTUnixEnvironmentPagesTest, AProfileOverAnElementWithoutLinkIsNotTied)
{
    // A linked ordinate would tie it, but the element without link decides first.
    Design([](PxLSEBuilder& builder, const PxLSEBusinessSegmentPtr& segment) {
        const PxLSEProfilePtr profile(segment->GetElement("CUSTBYNAME"));
        builder.AddOrdinate(profile, segment->GetElement("CUSTNAME"), 2, 1);
    });
    ElementSession("CUSTBYNAME", "UNIXGEN", kEnvironmentPage, [&] { EXPECT_FALSE(Enabled(kUnixProfileMark)); }, FALSE);
    Design([](PxLSEBuilder& builder, const PxLSEBusinessSegmentPtr& segment) {
        builder.AddRelation(segment->GetElement("CUSTBYNAME"), builder.AddElement(segment, "PxLSEComponent", "GHOST"),
                            "O");
    });
    ElementSession("CUSTBYNAME", "UNIXGEN", kEnvironmentPage, [&] { EXPECT_TRUE(Enabled(kUnixProfileMark)); }, FALSE);
}

TEST_F(NTUnixEnvironmentPagesTest, AClearedProfileMarkIsStoredAsItsDefaultOnlyWhenTheDefaultIsClear)
{
    Write([&] { Record<PxNTProfileOptionsPtr>("CUSTBYNAME", "NTGEN")->SetProfUserMaintained(1); });
    ElementSession("CUSTBYNAME", "NTGEN", kEnvironmentPage, [&] {
        Click(kNTProfileMark);
        ApplyNow();
    });
    const PxNTProfileOptionsPtr stored = Record<PxNTProfileOptionsPtr>("CUSTBYNAME", "NTGEN");
    EXPECT_FALSE(stored->GetProfUserMaintained());
    EXPECT_EQ(stored->IsDefaultProfUserMaintained(), stored->GetDefaultProfUserMaintained() ? FALSE : TRUE);
}

TEST_F(NTUnixEnvironmentPagesTest, TheUnixProfilesExpectedNumberReachesTheStoragePageOnlyAsItsOwnEstimate)
{
    ElementSession("ORDBYDATE", "UNIXGEN", kEnvironmentPage, [&] {
        ShowTab(kProfileStoragePage);
        EXPECT_FALSE(Enabled(kStorageExpected));
        ShowTab(kEnvironmentPage);
        Click(kExpectedEstimate);
        Type(kProfileExpected, "9876543210");
        Click(kUseDefaultProfilePack);
        Choose(kProfilePack, "PAYROLLTS");
        ShowTab(kProfileStoragePage);
        EXPECT_TRUE(Enabled(kStorageExpected));
        EXPECT_EQ(Text(kStorageExpected), "9876543210");
        EXPECT_EQ(Text(kStoragePack), "PAYROLLTS");
    }, FALSE);
}

TEST_F(NTUnixEnvironmentPagesTest, ReportsOfferPathPacksAndAUnixRollBackSegmentStaysDefaultUntilChanged)
{
    Session(Element("SYS1", "SALES", "MONTHLY"), "UNIXGEN", kEnvironmentPage, [&] {
        EXPECT_EQ(ComboItems(kReportPack), (Strings{"SALESPATH", "PAYROLLPATH", "STOCKPATH", "TARSKPACK"}));
        Click(kUseDefaultReportPack);
        Click(kUseDefaultReportPack);
        ApplyNow();
    });
    EXPECT_FALSE(Record<PxUnixReportOptionsPtr>("MONTHLY", "UNIXGEN")->IsUpdatedRollBackSegmentName());
    Session(Element("SYS1", "SALES", "MONTHLY"), "UNIXGEN", kEnvironmentPage, [&] {
        Type(kRollBackSegment, "RBS1");
        ApplyNow();
        Defaults();
        ApplyNow();
    });
    EXPECT_FALSE(Record<PxUnixReportOptionsPtr>("MONTHLY", "UNIXGEN")->IsUpdatedRollBackSegmentName());
}

TEST_F(NTUnixEnvironmentPagesTest, ExtractFileKindsAndBlockingFollowTheFilesUse)
{
    Session(Element("SYS1", "SALES", "MONTHLY"), "NTGEN", 1, [&] {
        Click(kUseFile);
        EXPECT_FALSE(Enabled(kDisk));
        EXPECT_TRUE(Enabled(kInternal));
    }, FALSE);
    Write([&] { Record<PxUnixReportOptionsPtr>("MONTHLY", "UNIXGEN")->SetExtractFileRecOrBlock(0, 0); });
    Session(Element("SYS1", "SALES", "MONTHLY"), "UNIXGEN", 1, [&] {
        EXPECT_FALSE(Enabled(kDisk));
        Click(kUseFile);
        EXPECT_TRUE(Enabled(kDisk));
        EXPECT_EQ(Text(kDiskBlocking), "0");
        EXPECT_EQ(Text(kTapeBlocking), "1");
        EXPECT_TRUE(Enabled(kDiskBlocking));
        EXPECT_FALSE(Enabled(kTapeBlocking));
        Click(kTape);
        EXPECT_FALSE(Enabled(kUseDefaultBlocking));
        EXPECT_FALSE(Enabled(kDiskBlocking));
        EXPECT_TRUE(Enabled(kTapeBlocking));
        Type(kTapeBlocking, "40");
        ApplyNow();
    });
    const PxUnixReportOptionsPtr stored = Record<PxUnixReportOptionsPtr>("MONTHLY", "UNIXGEN");
    EXPECT_EQ(stored->GetExtractFileKind(0), 1);
    EXPECT_EQ(stored->GetExtractFileRecOrBlock(0), 40);
}
