// The "Oracle" pages of a Unix business segment, component and profile, used through the
// element's options dialog: what is shown per structure and partition, the checks before
// anything is written, and what is written where.
#include "../options_tarsk/OptionsDialogHarness.h"

#include "options/VqsOptionPage.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixOracleDBPartitionOptions.h"
#include "proxy/PxUnixProfileOptions.h"
#include "win/Window.h"

using namespace optionstest;

namespace {

constexpr int kComponentStoragePage = 2;
constexpr int kProfileStoragePage = 1;

constexpr int kComponentTable = 1925;
constexpr int kComponentIndex = 1926;
constexpr int kProfileTable = 1938;
constexpr int kProfileIspecIndex = 1939;
constexpr int kProfileOrdinateIndex = 1940;
constexpr int kSegmentTable = 1930;
constexpr int kSegmentIndex = 1931;

constexpr int kPartition = 1891;
constexpr int kUseDefaultFree = 1893;
constexpr int kFree = 1894;
constexpr int kUseDefaultUsed = 1897;
constexpr int kUsed = 1895;
constexpr int kUseDefaultInitial = 1908;
constexpr int kInitial = 1905;
constexpr int kInitialUnit = 1901;
constexpr int kUseDefaultNext = 1909;
constexpr int kNext = 1906;
constexpr int kNextUnit = 1902;
constexpr int kUseDefaultMax = 1911;
constexpr int kUnlimited = 1912;
constexpr int kMaxExtents = 1904;
constexpr int kUseDefaultInitTrans = 1913;
constexpr int kInitTrans = 1907;
constexpr int kUseDefaultMaxTrans = 1886;
constexpr int kMaxTrans = 1878;
constexpr int kCalculation = 1922;
constexpr int kExpected = 1899;
constexpr int kPack = 1900;

constexpr const char* kOptionsChanged = "Options have been changed.\nDo you want to save the changes?";

std::string Refusal(const char* text) { return std::string("Cannot save option values:\n") + text; }

struct UnixStoragePagesTest : OptionsDialogHarness {
    PxUnixCompOptionsPtr Component() const { return Stored<PxUnixCompOptionsPtr>("ORDER", "UNIXGEN"); }
    PxUnixProfileOptionsPtr Profile() const { return Stored<PxUnixProfileOptionsPtr>("CUSTBYNAME", "UNIXGEN"); }
    PxUnixBSegOptionsPtr SegmentRecord() const { return StoredSegment<PxUnixBSegOptionsPtr>("UNIXGEN"); }

    void ComponentSession(const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        Session(Element("SYS1", "SALES", "ORDER"), "UNIXGEN", kComponentStoragePage, actions, endWithOk);
    }
    void ProfileSession(const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        Session(Element("SYS1", "SALES", "CUSTBYNAME"), "UNIXGEN", kProfileStoragePage, actions, endWithOk);
    }
    void SegmentSession(const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        BeforeShowing([](VqsSoftLinkOptionsDlg& dialog) { dialog.SetEventView(TRUE); });
        Session(Segment("SYS1", "SALES"), "UNIXGEN", 0, actions, endWithOk);
    }
    // Valid values everywhere, so that one change can make one check fail.
    void TypeValidValues()
    {
        for (int box : {kUseDefaultFree, kUseDefaultUsed, kUseDefaultInitial, kUseDefaultNext, kUseDefaultInitTrans,
                        kUseDefaultMaxTrans})
            if (Enabled(box) && Checked(box))
                Click(box);
        for (const auto& [id, text] : {std::pair{kFree, "10"}, {kUsed, "40"}, {kInitial, "10"}, {kNext, "10"},
                                       {kInitTrans, "2"}, {kMaxTrans, "6"}})
            if (Enabled(id))
                Type(id, text);
    }
    PxUnixOracleDBPartitionOptionsPtr AddPartition(const char* name)
    {
        PxUnixOracleDBPartitionOptionsPtr partition;
        Write([&] { partition = PxUnixOracleDBPartitionOptionsPtr(Component()->CreateSubOptions(name)); });
        return partition;
    }
    int FocusId() { return ::GetDlgCtrlID(::GetFocus()); }
};

} // namespace

TEST_F(UnixStoragePagesTest, EachCheckRefusesWithItsMessageAndFocusAndWritesNothing)
{
    const struct {
        const char* what;
        std::function<void(UnixStoragePagesTest&)> edit;
        const char* message;
        int focus;
    } cases[] = {
        {"percentages over 100", [](auto& t) { t.Type(kFree, "60"), t.Type(kUsed, "41"); },
         "Percent free + percent used must not be more than 100", kFree},
        {"initial extent of 9 kilobytes", [](auto& t) { t.Type(kInitial, "9"); },
         "Initial extent must be at least 10 kilobytes", kInitial},
        {"initial extent of 0 megabytes",
         [](auto& t) { t.Choose(kInitialUnit, "Megabytes"), t.Type(kInitial, "0"); },
         "Initial extent must be at least 10 kilobytes", kInitial},
        {"next extent of 9 kilobytes", [](auto& t) { t.Type(kNext, "9"); },
         "Next extent must be at least 10 kilobytes", kNext},
        {"no initial transaction", [](auto& t) { t.Type(kInitTrans, "0"); },
         "Initial transactions must be at least 1 for table or 2 for index", kInitTrans},
        {"four maximum transactions", [](auto& t) { t.Type(kMaxTrans, "4"), t.Type(kInitTrans, "3"); },
         "Maximum transactions must be at least 5", kMaxTrans},
        {"maximum equal to initial", [](auto& t) { t.Type(kMaxTrans, "5"), t.Type(kInitTrans, "5"); },
         "Maximum transactions must be greater than initial transactions", kMaxTrans},
        {"a pack that is not defined", [](auto& t) { t.Type(kPack, "NOSUCHPACK"); },
         "Specified Pack Name is not defined", kPack},
        {"the sum hides a small extent", [](auto& t) { t.Type(kInitial, "1"), t.Type(kFree, "99"); },
         "Percent free + percent used must not be more than 100", kFree},
    };
    Write([&] { Component()->SetCompPack("SALESTS"); });
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ComponentSession([&] {
            TypeValidValues();
            c.edit(*this);
            Answer(Refusal(c.message), IDOK);
            ApplyNow();
            EXPECT_EQ(FocusId(), c.focus);
        }, FALSE);
        const PxUnixCompOptionsPtr stored = Component();
        EXPECT_FALSE(stored->IsUpdatedComponentPercentFree(0));
        EXPECT_FALSE(stored->IsUpdatedComponentInitialExtent(0));
        EXPECT_FALSE(stored->IsUpdatedComponentTablespace(0));
    }
}

TEST_F(UnixStoragePagesTest, TheTableIsStoredWithItsUnitsAndTheInheritedPackStaysInherited)
{
    ComponentSession([&] {
        EXPECT_FALSE(Enabled(kPack));
        TypeValidValues();
        Type(kFree, "60");
        Choose(kNextUnit, "Megabytes");
        Type(kNext, "1");
        Click(kUseDefaultInitial);
        Type(kExpected, "1234");
        ApplyNow();
    });
    const PxUnixCompOptionsPtr stored = Component();
    EXPECT_EQ(stored->GetComponentPercentFree(0), 60);
    EXPECT_EQ(stored->GetComponentPercentUsed(0), 40);
    EXPECT_EQ(stored->GetComponentNextExtent(0), 1);
    EXPECT_EQ(stored->GetComponentNextExtentType(0), 'M');
    EXPECT_TRUE(stored->IsDefaultComponentInitialExtent(0));
    EXPECT_EQ(stored->GetComponentInitialExtentType(0), 'K');
    EXPECT_EQ(stored->GetComponentPopulation(0), 1234);
    EXPECT_EQ(stored->GetExpected(), 1234);
    EXPECT_TRUE(stored->IsDefaultCompPack());
    EXPECT_FALSE(stored->IsUpdatedComponentPercentFree(1));
}

TEST_F(UnixStoragePagesTest, AnIndexStructureIsStoredApartAndLeavesTheElementsPackAndExpectedNumber)
{
    Write([&] { Component()->SetCompPack("SALESTS"); });
    ComponentSession([&] {
        Click(kComponentIndex);
        EXPECT_FALSE(Enabled(kUseDefaultUsed));
        EXPECT_FALSE(Enabled(kUsed));
        EXPECT_TRUE(Enabled(kPack));
        EXPECT_EQ(Text(kPartition), "NoneDefined");
        EXPECT_FALSE(Enabled(kPartition));
        TypeValidValues();
        Type(kInitTrans, "1");
        Answer(Refusal("Initial transactions must be at least 1 for table or 2 for index"), IDOK);
        ApplyNow();
        Type(kInitTrans, "2");
        Choose(kPack, "STOCKTS");
        Type(kExpected, "77");
        ApplyNow();
    });
    const PxUnixCompOptionsPtr stored = Component();
    EXPECT_EQ(stored->GetComponentTablespace(1), "STOCKTS");
    EXPECT_EQ(stored->GetComponentPopulation(1), 77);
    EXPECT_EQ(stored->GetComponentInitTrans(1), 2);
    EXPECT_EQ(stored->GetCompPack(), "SALESTS");
    EXPECT_TRUE(stored->IsDefaultExpected());
    EXPECT_FALSE(stored->IsUpdatedComponentInitTrans(0));
}

TEST_F(UnixStoragePagesTest, MaxExtentsUnlimitedAndItsDefaultBoxGovernTheMaximum)
{
    ComponentSession([&] {
        Click(kUseDefaultMax);
        EXPECT_TRUE(Enabled(kUnlimited));
        EXPECT_TRUE(Enabled(kMaxExtents));
        Click(kUnlimited);
        EXPECT_FALSE(Enabled(kMaxExtents));
        Click(kUseDefaultMax);
        EXPECT_FALSE(Checked(kUnlimited));
        EXPECT_FALSE(Enabled(kUnlimited));
        EXPECT_FALSE(Enabled(kMaxExtents));
    }, FALSE);
}

TEST_F(UnixStoragePagesTest, SwitchingStructureWithEditsAsksToSaveThem)
{
    // No: the edits are dropped and the other structure shown.
    ComponentSession([&] {
        TypeValidValues();
        Answer(kOptionsChanged, IDNO);
        Click(kComponentIndex);
        EXPECT_TRUE(Checked(kComponentIndex));
        EXPECT_TRUE(Checked(kUseDefaultFree));
    }, FALSE);
    EXPECT_FALSE(Component()->IsUpdatedComponentPercentFree(0));

    // Yes: they are stored to the table that was shown.
    ComponentSession([&] {
        TypeValidValues();
        Type(kFree, "33");
        Answer(kOptionsChanged, IDYES);
        Click(kComponentIndex);
        EXPECT_TRUE(Checked(kComponentIndex));
        EXPECT_EQ(Text(kFree), "0");
    }, FALSE);
    EXPECT_EQ(Component()->GetComponentPercentFree(0), 33);
    EXPECT_FALSE(Component()->IsUpdatedComponentPercentFree(1));

    // A failed save stays on the table with the edits.
    ComponentSession([&] {
        TypeValidValues();
        Type(kFree, "70");
        Type(kUsed, "70");
        Answer(kOptionsChanged, IDYES);
        Answer(Refusal("Percent free + percent used must not be more than 100"), IDOK);
        Click(kComponentIndex);
        EXPECT_TRUE(Checked(kComponentTable));
        EXPECT_FALSE(Checked(kComponentIndex));
        EXPECT_EQ(Text(kFree), "70");
        Type(kUsed, "20");
        ApplyNow();
    });
    EXPECT_EQ(Component()->GetComponentPercentFree(0), 70);
    EXPECT_EQ(Component()->GetComponentPercentUsed(0), 20);
}

TEST_F(UnixStoragePagesTest, APartitionShowsAndStoresItsOwnValues)
{
    AddPartition("TQ1");
    AddPartition("AIDX1");
    ComponentSession([&] {
        EXPECT_TRUE(Enabled(kPartition));
        EXPECT_EQ(ComboItems(kPartition), (Strings{"Q1"}));
        EXPECT_EQ(Text(kPartition), "Q1");
        EXPECT_TRUE(Enabled(kPack));
        TypeValidValues();
        Choose(kPack, "SALESFG");
        Type(kExpected, "500");
        ApplyNow();
        Click(kComponentIndex);
        EXPECT_EQ(ComboItems(kPartition), (Strings{"IDX1"}));
    });
    const PxUnixOracleDBPartitionOptionsPtr partition(Component()->GetSubOptions("TQ1"));
    ASSERT_TRUE(partition);
    EXPECT_EQ(partition->GetTablespace(), "SALESFG");
    EXPECT_EQ(partition->GetPopulation(), 500);
    EXPECT_EQ(partition->GetPercentUsed(), 40);
    EXPECT_FALSE(Component()->IsUpdatedComponentPercentUsed(0));
    EXPECT_FALSE(Component()->IsUpdatedComponentTablespace(0));
}

TEST_F(UnixStoragePagesTest, TheProfilePageTakesAnyPackAndStoresTheExpectedNumberOnlyWhenItIsItsOwn)
{
    Write([&] {
        Profile()->SetPack("PAYROLLTS");
        Profile()->SetExpectedOrVolume(40);
    });
    ProfileSession([&] {
        EXPECT_TRUE(Enabled(kPack));
        EXPECT_TRUE(Enabled(kExpected));
        EXPECT_FALSE(Enabled(kProfileIspecIndex));
        TypeValidValues();
        Type(kPack, "ANYPACK");
        Type(kExpected, "41");
        ApplyNow();
    });
    EXPECT_EQ(Profile()->GetPack(), "ANYPACK");
    EXPECT_EQ(Profile()->GetProfileTablespace(0), "ANYPACK");
    EXPECT_EQ(Profile()->GetExpectedOrVolume(), 41);
}

TEST_F(UnixStoragePagesTest, TheSegmentsCalculationBoxAppliesToItsTableOnly)
{
    SegmentSession([&] {
        EXPECT_EQ(Tabs().at(ActiveTab()), "Oracle");
        EXPECT_TRUE(Enabled(kCalculation));
        if (!Checked(kCalculation))
            Click(kCalculation);
        EXPECT_FALSE(Enabled(kExpected));
        Click(kCalculation);
        TypeValidValues();
        Type(kExpected, "9000");
        Answer(kOptionsChanged, IDYES);
        Click(kSegmentIndex);
        EXPECT_FALSE(Enabled(kCalculation));
        EXPECT_FALSE(Checked(kCalculation));
        EXPECT_TRUE(Enabled(kExpected));
    });
    EXPECT_EQ(SegmentRecord()->GetBSPopulation(0), 9000);
    EXPECT_FALSE(SegmentRecord()->IsUpdatedBSPopulation(1));
    EXPECT_TRUE(SegmentRecord()->IsDefaultEventSet());
}

TEST_F(UnixStoragePagesTest, DefaultsOnAnIndexClearOnlyThatIndex)
{
    Write([&] {
        Component()->SetCompPack("SALESTS");
        Component()->SetExpected(5);
        Component()->SetComponentPercentFree(1, 12);
        Component()->SetComponentTablespace(1, "STOCKTS");
    });
    ComponentSession([&] {
        Click(kComponentIndex);
        EXPECT_EQ(Text(kFree), "12");
        Defaults();
        ApplyNow();
    });
    EXPECT_FALSE(Component()->IsUpdatedComponentPercentFree(1));
    EXPECT_FALSE(Component()->IsUpdatedComponentTablespace(1));
    EXPECT_EQ(Component()->GetCompPack(), "SALESTS");
    EXPECT_EQ(Component()->GetExpected(), 5);
}

// The storage values are never negative: a minus sign cannot be typed into their edits.
TEST_F(UnixStoragePagesTest, ANegativeValueCannotBeEntered)
{
    ComponentSession([&] {
        TypeValidValues();
        for (int id : {kInitial, kNext, kFree, kMaxTrans, kExpected}) {
            Type(id, "-20");
            EXPECT_EQ(Text(id), "20") << id;
        }
        Type(kFree, "10");
        ApplyNow();
    });
    EXPECT_EQ(Component()->GetComponentInitialExtent(0), 20);
    EXPECT_EQ(Component()->GetComponentPopulation(0), 20);
}

TEST_F(UnixStoragePagesTest, APartitionGoneBehindThePageFallsBackToTheRemainingOnes)
{
    AddPartition("TQ1");
    AddPartition("TQ2");
    ComponentSession([&] {
        EXPECT_EQ(Text(kPartition), "Q1");
        Write([&] { Component()->DeleteSubOptions("TQ1"); });
        ui.ExpectMessageBoxId(61747, IDOK);
        TypeValidValues();
        Undo();
        EXPECT_EQ(ComboItems(kPartition), (Strings{"Q2"}));
        EXPECT_EQ(Text(kPartition), "Q2");
        TypeValidValues();
        ApplyNow();
    });
    const PxUnixOracleDBPartitionOptionsPtr partition(Component()->GetSubOptions("TQ2"));
    ASSERT_TRUE(partition);
    EXPECT_EQ(partition->GetPercentUsed(), 40);
    EXPECT_FALSE(Component()->IsUpdatedComponentPercentUsed(0));
}

TEST_F(UnixStoragePagesTest, AConditionalProfileOpensItsIndexStructures)
{
    ProfileSession([&] { EXPECT_FALSE(Enabled(kProfileOrdinateIndex)); }, FALSE);
    Session(Element("SYS1", "SALES", "ORDBYDATE"), "UNIXGEN", kProfileStoragePage, [&] {
        EXPECT_TRUE(Enabled(kProfileOrdinateIndex));
        Click(kProfileOrdinateIndex);
        EXPECT_FALSE(Enabled(kUseDefaultUsed));
        TypeValidValues();
        Type(kInitTrans, "1");
        Answer(Refusal("Initial transactions must be at least 1 for table or 2 for index"), IDOK);
        ApplyNow();
        Type(kInitTrans, "3");
        ApplyNow();
    });
    EXPECT_EQ(Stored<PxUnixProfileOptionsPtr>("ORDBYDATE", "UNIXGEN")->GetProfileInitTrans(2), 3);
}

TEST_F(UnixStoragePagesTest, TheSegmentsEventSetIsWrittenOnlyWhenItIsItsOwn)
{
    SegmentSession([&] {
        EXPECT_FALSE(Enabled(kPack));
        TypeValidValues();
        ApplyNow();
    });
    EXPECT_TRUE(SegmentRecord()->IsDefaultEventSet());
    Write([&] { SegmentRecord()->SetEventSet("SALESTS"); });
    SegmentSession([&] {
        EXPECT_TRUE(Enabled(kPack));
        Choose(kPack, "STOCKTS");
        ApplyNow();
    });
    EXPECT_EQ(SegmentRecord()->GetEventSet(), "STOCKTS");
    EXPECT_EQ(SegmentRecord()->GetBSTablespace(0), "STOCKTS");
}

// After its first load the storage page takes the component's pack and expected number from the
// record, not from the Environment page: Undo takes an edit back on both pages, and Defaults
// shows the defaults.
TEST_F(UnixStoragePagesTest, UndoAndDefaultsAtTheTableShowTheRecordsPackAndExpectedNumberOnBothPages)
{
    constexpr int kEnvironmentPage = 0;
    constexpr int kComponentPack = 1432;
    constexpr int kComponentExpected = 1027;
    Write([&] {
        Component()->SetCompPack("SALESTS");
        Component()->SetExpected(5);
    });
    const std::string defaultPack(Component()->GetDefaultCompPack());
    Session(Element("SYS1", "SALES", "ORDER"), "UNIXGEN", kEnvironmentPage, [&] {
        ShowTab(kComponentStoragePage);
        EXPECT_EQ(Text(kExpected), "5");
        Type(kExpected, "1234");
        Choose(kPack, "STOCKTS");
        Undo();
        EXPECT_EQ(Text(kExpected), "5");
        EXPECT_EQ(Text(kPack), "SALESTS");
        ShowTab(kEnvironmentPage);
        EXPECT_EQ(Text(kComponentExpected), "5");
        EXPECT_EQ(Text(kComponentPack), "SALESTS");
        ShowTab(kComponentStoragePage);
        TypeValidValues();
        ApplyNow();
        Defaults();
        EXPECT_EQ(Text(kPack), defaultPack);
        EXPECT_EQ(Text(kExpected), std::to_string(Component()->GetDefaultExpected()));
    }, FALSE);
    EXPECT_EQ(Component()->GetExpected(), 5);
    EXPECT_EQ(Component()->GetComponentPopulation(0), 5);
    EXPECT_EQ(Component()->GetCompPack(), "SALESTS");
}

// "Defaults" on the last page with own values of a Unix business segment shown outside the event
// view, whose storage pages are not part of the sheet: the storage values and partitions stay
// while the link is in use and when the user keeps an unused link; they go with an unused link
// the user lets go.
TEST_F(UnixStoragePagesTest, AllDefaultsOfASegmentLeaveItsStorageValuesToTheLinkTheyBelongTo)
{
    constexpr int kGeneratePage = 2;
    const struct {
        const char* what;
        bool unused;
        int answer;
        bool linkRemoved;
    } cases[] = {{"link in use", false, 0, false}, {"unused link kept", true, IDNO, false},
                 {"unused link let go", true, IDYES, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PxUnixOracleDBPartitionOptionsPtr partition;
        Write([&] {
            const PxUnixBSegOptionsPtr record = SegmentRecord();
            record->SetGenEnvironment("PROD");
            record->SetBSPercentFree(0, 12);
            if (!record->GetSubOptions("TQ1"))
                partition = PxUnixOracleDBPartitionOptionsPtr(record->CreateSubOptions("TQ1"));
            else
                partition = PxUnixOracleDBPartitionOptionsPtr(record->GetSubOptions("TQ1"));
            partition->SetPercentFree(20);
            const PxVQSoftLinkPtr link = Segment("SYS1", "SALES");
            link->SetUnusedMark(c.unused ? 1 : 0);
            // The segment's options in the other option sets hold nothing of their own.
            PxObjectArray records;
            link->GetAllOptions(records);
            for (const PxObjectPtr& other : records)
                if (!other->IsSameOid(record))
                    PxVQObjectPtr(other)->DeleteObject();
            link->CreateBlankOptions();
        });
        const PxUnixBSegOptionsPtr record = SegmentRecord();
        // Let go, the link's removal closes the dialog.
        Session(Segment("SYS1", "SALES"), "UNIXGEN", kGeneratePage, [&] {
            Defaults();
            if (c.answer)
                ui.ExpectMessageBoxId(61560, c.answer);
            if (!c.linkRemoved)
                ApplyNow();
        }, c.linkRemoved);
        record->Refresh();
        partition->Refresh();
        if (c.linkRemoved) {
            EXPECT_FALSE(Segment("SYS1", "SALES"));
            EXPECT_FALSE(record->ObjectPresent());
            EXPECT_FALSE(partition->ObjectPresent());
            continue;
        }
        EXPECT_EQ(record->IsUpdatedGenEnvironment(), c.unused ? TRUE : FALSE);
        EXPECT_EQ(record->GetBSPercentFree(0), 12);
        EXPECT_EQ(partition->GetPercentFree(), 20);
    }
}
