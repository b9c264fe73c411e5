// The "FOLN" tabs of Tarsk components and profiles, used through the options dialog.
#include "OptionsDialogHarness.h"

#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEBuilder.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxTarskBSegOptions.h"
#include "proxy/PxTarskCompOptions.h"
#include "proxy/PxTarskProfileOptions.h"
#include "proxy/PxTypedList.h"

using namespace optionstest;

namespace {

// The component's tab.
constexpr int kQubNumber = 32887;
constexpr int kNoQub = 32888;
constexpr int kPack = 32889;
constexpr int kDuplexPack = 32891;
constexpr int kDuplexDefault = 32892;
constexpr int kNoDuplex = 32893;
constexpr int kPageSize = 32894;
constexpr int kPageSizeDefault = 32895;
constexpr int kExpectedSizing = 32896;
constexpr int kMaxPagesSizing = 32897;
constexpr int kExpected = 32898;
constexpr int kMaxPages = 32899;
constexpr int kPackDefault = 32890;
constexpr int kAudited = 32905;
constexpr int kAuditedDefault = 32902;

// The profile's tab.
constexpr int kPopulation = 32926;
constexpr int kProfileMaxPagesSizing = 32927;
constexpr int kProfileMaxPages = 32928;
constexpr int kDefaultEstimates = 32912;
constexpr int kExpectedEstimate = 32914;
constexpr int kPercentEstimate = 32915;
constexpr int kExpectedOrVolume = 32938;
constexpr int kPercent = 32916;

constexpr int kComponentFolnTab = 2;
constexpr int kEventSlot = 5;

constexpr const char* kNotAvailable = "<not available>";
constexpr const char* kEmptyPack = "Please enter a string: no empty strings are allowed.";
constexpr const char* kAtLeast8 = "Please enter an integer greater than or equal to 8.";
constexpr const char* kAtLeast1 = "Please enter an integer greater than or equal to 1.";

struct TarskElementDbPagesTest : OptionsDialogHarness {
    INT_PTR Session(const char* element, UINT tab, const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        return OptionsDialogHarness::Session(Element("SYS1", "SALES", element), "TARSKGEN", tab, actions, endWithOk);
    }
    INT_PTR ComponentSession(const std::function<void()>& actions, BOOL endWithOk = TRUE)
    {
        return Session("CUSTOMER", kComponentFolnTab, actions, endWithOk);
    }
    PxTarskCompOptionsPtr Component(const char* name = "CUSTOMER") const
    {
        return Stored<PxTarskCompOptionsPtr>(name, "TARSKGEN");
    }
    PxTarskProfileOptionsPtr Profile(const char* name) const
    {
        return Stored<PxTarskProfileOptionsPtr>(name, "TARSKGEN");
    }
    PxTarskBSegOptionsPtr SegmentOptions() const { return StoredSegment<PxTarskBSegOptionsPtr>("TARSKGEN"); }

    PxLSEBusinessSegmentPtr DesignSegment() const { return app.GetLSEEnterprise()->GetBusinessSegment("SALES"); }
    PxLSEElementPtr DesignElement(const char* name) const { return DesignSegment()->GetElement(name); }
    PxLSERelationPtr FirstRelationOf(const char* name) const
    {
        PxTypedList<PxLSERelationPtr> relations;
        DesignElement(name)->GetTargetList(relations);
        return relations.GetHead();
    }
    // Sizes CUSTOMER by its own maximum pages or the system EVENT by the segment's.
    void SizeByMaximumPages(bool component, bool event)
    {
        Component()->SetCompMaxPagesSpecify(component ? 1 : 0);
        SegmentOptions()->SetBSMaxPagesSpecified(kEventSlot, event ? 1 : 0);
    }
};

} // namespace

TEST_F(TarskElementDbPagesTest, AStoredPageSizeShowsTheNextSizeOfTheLadder)
{
    const struct {
        std::int64_t stored;
        const char* shown;
        bool useDefault;
    } cases[] = {{1, "224", false},     {224, "224", false},   {225, "448", false}, {1000, "1792", false},
                 {7168, "7168", false}, {7169, "0", true},     {8000, "0", true},   {0, "0", true}};
    for (const auto& c : cases) {
        Write([&] { Component()->SetMinPageSize(c.stored); });
        ComponentSession([&] {
            EXPECT_EQ(Text(kPageSize), c.shown) << c.stored;
            EXPECT_EQ(Checked(kPageSizeDefault), c.useDefault) << c.stored;
            EXPECT_EQ(Enabled(kPageSize), !c.useDefault) << c.stored;
        });
    }
}

TEST_F(TarskElementDbPagesTest, TypingAPageSizeOfZeroTakesTheDefault)
{
    Write([&] { Component()->SetMinPageSize(1000); });
    ComponentSession([&] {
        Type(kPageSize, "0");
        EXPECT_TRUE(Checked(kPageSizeDefault));
        EXPECT_FALSE(Enabled(kPageSize));
        ApplyNow();
    });
    EXPECT_TRUE(Component()->IsDefaultMinPageSize());
    ComponentSession([&] {
        Click(kPageSizeDefault);
        Choose(kPageSize, "3584");
        ApplyNow();
    });
    EXPECT_EQ(Component()->GetMinPageSize(), 3584);
}

TEST_F(TarskElementDbPagesTest, WithoutAQubNumberThereIsNoDuplexPack)
{
    Write([&] {
        Component()->SetWEXQUBno(12);
        Component()->SetQUBDuplexPack("PACK2");
    });
    ComponentSession([&] {
        EXPECT_EQ(Text(kDuplexPack), "PACK2");
        EXPECT_TRUE(Enabled(kDuplexPack));
        Click(kNoQub);
        EXPECT_EQ(Text(kQubNumber), "0");
        EXPECT_EQ(Text(kDuplexPack), "");
        for (int id : {kQubNumber, kDuplexPack, kDuplexDefault, kNoDuplex})
            EXPECT_FALSE(Enabled(id)) << id;
        EXPECT_FALSE(Checked(kDuplexDefault));
        EXPECT_FALSE(Checked(kNoDuplex));
        ApplyNow();
    });
    EXPECT_TRUE(Component()->IsDefaultWEXQUBno());
    EXPECT_FALSE(Component()->IsDefaultQUBDuplexPack());
    EXPECT_EQ(Component()->GetQUBDuplexPack(), "");
}

// Every QUB file has a DUPLEX copy: an empty duplex pack of the component cannot stand.
TEST_F(TarskElementDbPagesTest, AllQubFilesDuplexOverridesAnEmptyDuplexPack)
{
    Write([&] {
        SegmentOptions()->SetDefaultDuplexPack("DUPPACK");
        SegmentOptions()->SetAllQUBduplex(1);
        Component()->SetWEXQUBno(7);
        Component()->SetQUBDuplexPack("");
    });
    ComponentSession([&] {
        EXPECT_FALSE(Checked(kNoDuplex));
        EXPECT_FALSE(Enabled(kNoDuplex));
        EXPECT_TRUE(Checked(kDuplexDefault));
        EXPECT_TRUE(Enabled(kDuplexDefault));
        EXPECT_EQ(Text(kDuplexPack), "DUPPACK");
        EXPECT_FALSE(Enabled(kDuplexPack));
    });
}

TEST_F(TarskElementDbPagesTest, NoDuplexEmptiesTheDuplexPackAndIsStoredAsAnEmptyPack)
{
    Write([&] {
        SegmentOptions()->SetDefaultDuplexPack("DUPPACK");
        Component()->SetWEXQUBno(7);
    });
    ComponentSession([&] {
        EXPECT_TRUE(Checked(kDuplexDefault));
        EXPECT_EQ(Text(kDuplexPack), "DUPPACK");
        Click(kNoDuplex);
        EXPECT_EQ(Text(kDuplexPack), "");
        EXPECT_FALSE(Checked(kDuplexDefault));
        EXPECT_FALSE(Enabled(kDuplexDefault));
        ApplyNow();
    });
    EXPECT_FALSE(Component()->IsDefaultQUBDuplexPack());
    EXPECT_EQ(Component()->GetQUBDuplexPack(), "");
    ComponentSession([&] { EXPECT_TRUE(Checked(kNoDuplex)); });
}

TEST_F(TarskElementDbPagesTest, AnExpectedNumberOfZeroIsStoredAsAHundred)
{
    ComponentSession([&] {
        Type(kExpected, "0");
        ApplyNow();
    });
    EXPECT_EQ(Component()->GetExpected(), 100);
}

TEST_F(TarskElementDbPagesTest, SizingByExpectedNumberDropsTooFewMaximumPages)
{
    const struct {
        const char* maxPages;
        const char* kept;
    } cases[] = {{"5", "0"}, {"8", "8"}};
    for (const auto& c : cases) {
        ComponentSession([&] {
            Click(kMaxPagesSizing);
            EXPECT_TRUE(Enabled(kMaxPages));
            EXPECT_FALSE(Enabled(kExpected));
            Type(kMaxPages, c.maxPages);
            Click(kExpectedSizing);
            EXPECT_EQ(Text(kMaxPages), c.kept);
            EXPECT_FALSE(Enabled(kMaxPages));
        }, FALSE);
    }
}

TEST_F(TarskElementDbPagesTest, TheComponentPageRefusesAnEmptyPackAndTooFewPages)
{
    ComponentSession([&] {
        Click(kPackDefault);
        Type(kPack, " ");
        Answer(kEmptyPack, IDOK);
        ApplyNow();
        Choose(kPack, "TARSKPACK");
        Click(kMaxPagesSizing);
        Type(kMaxPages, "7");
        Answer(kAtLeast8, IDOK);
        ApplyNow();
        Type(kMaxPages, "9");
        ApplyNow();
    });
    EXPECT_EQ(Component()->GetCompPack(), "TARSKPACK");
    EXPECT_EQ(Component()->GetCompMaxPages(), 9);
    EXPECT_EQ(Component()->GetCompMaxPagesSpecify(), 1);
}

// CUSTBYNAME is over the component CUSTOMER, ORDBYDATE over the system EVENT.
TEST_F(TarskElementDbPagesTest, AProfileOverADatabaseSizedByMaximumPagesIsSizedSoToo)
{
    const struct {
        const char* profile;
        bool componentSized;
        bool eventSized;
        bool forced;
    } cases[] = {{"CUSTBYNAME", true, false, true},
                 {"CUSTBYNAME", false, true, false},
                 {"ORDBYDATE", false, true, true},
                 {"ORDBYDATE", true, false, false}};
    for (const auto& c : cases) {
        Write([&] {
            Component()->SetCompMaxPagesSpecify(c.componentSized ? 1 : 0);
            SegmentOptions()->SetBSMaxPagesSpecified(kEventSlot, c.eventSized ? 1 : 0);
            Profile(c.profile)->SetProMaxPagesSpecify(0);
        });
        Session(c.profile, 0, [&] {
            EXPECT_EQ(Enabled(kPopulation), !c.forced) << c.profile;
            EXPECT_EQ(Checked(kProfileMaxPagesSizing), c.forced) << c.profile;
            EXPECT_EQ(Enabled(kProfileMaxPages), c.forced) << c.profile;
            EXPECT_EQ(Enabled(kDefaultEstimates), !c.forced) << c.profile;
        });
    }
}

TEST_F(TarskElementDbPagesTest, StoredEstimatesChooseTheCalculation)
{
    Write([&] { Profile("CUSTBYNAME")->SetPercent(40); });
    Session("CUSTBYNAME", 0, [&] {
        EXPECT_TRUE(Checked(kPercentEstimate));
        EXPECT_EQ(Text(kPercent), "40");
        EXPECT_EQ(Text(kExpectedOrVolume), kNotAvailable);
        EXPECT_TRUE(Enabled(kPercent));
        EXPECT_FALSE(Enabled(kExpectedOrVolume));
        Click(kDefaultEstimates);
        EXPECT_FALSE(Enabled(kPercent));
        ApplyNow();
    });
    EXPECT_TRUE(Profile("CUSTBYNAME")->IsDefaultPercent());
    EXPECT_TRUE(Profile("CUSTBYNAME")->IsDefaultExpectedOrVolume());
    Session("CUSTBYNAME", 0, [&] {
        Click(kExpectedEstimate);
        Type(kExpectedOrVolume, "0");
        Answer(kAtLeast1, IDOK);
        ApplyNow();
        Type(kExpectedOrVolume, "2500");
        ApplyNow();
    });
    EXPECT_EQ(Profile("CUSTBYNAME")->GetExpectedOrVolume(), 2500);
    EXPECT_TRUE(Profile("CUSTBYNAME")->IsDefaultPercent());
}

TEST_F(TarskElementDbPagesTest, TheProfilePageRefusesTooFewMaximumPages)
{
    Session("CUSTBYNAME", 0, [&] {
        Click(kProfileMaxPagesSizing);
        EXPECT_FALSE(Enabled(kDefaultEstimates));
        Type(kProfileMaxPages, "7");
        Answer(kAtLeast8, IDOK);
        ApplyNow();
        Type(kProfileMaxPages, "8");
        ApplyNow();
    });
    EXPECT_EQ(Profile("CUSTBYNAME")->GetProMaxPagesSpecify(), 1);
    EXPECT_EQ(Profile("CUSTBYNAME")->GetProMaxPages(), 8);
}

// The first relation marked with an O in either case to an event or a component decides;
// relations to other kinds of element are passed over.
TEST_F(TarskElementDbPagesTest, TheFirstOrdinateRelationToADatabaseDecidesTheProfilesSizing)
{
    PxLSEBuilder builder(*app.GetLink());
    Write([&] {
        FirstRelationOf("CUSTBYNAME")->SetAttributeText("relationString", "R");
        builder.AddRelation(DesignElement("CUSTBYNAME"), DesignElement("STARTUP"), "o");
        builder.AddRelation(DesignElement("CUSTBYNAME"), DesignElement("EVENT"), "xo");
        builder.AddRelation(DesignElement("CUSTBYNAME"), DesignElement("CUSTOMER"), "O");
    });
    const struct {
        bool componentSized;
        bool eventSized;
        bool forced;
    } cases[] = {{false, true, true}, {true, false, false}};
    for (const auto& c : cases) {
        Write([&] { SizeByMaximumPages(c.componentSized, c.eventSized); });
        Session("CUSTBYNAME", 0, [&] { EXPECT_EQ(Checked(kProfileMaxPagesSizing), c.forced) << c.eventSized; });
    }
}

// A profile the design model no longer has is loaded as it is stored, never forced.
TEST_F(TarskElementDbPagesTest, AProfileMissingFromTheDesignLoadsAsStored)
{
    Write([&] {
        SizeByMaximumPages(true, true);
        Profile("CUSTBYNAME")->SetProMaxPagesSpecify(0);
        Profile("CUSTBYNAME")->SetExpectedOrVolume(700);
        DesignElement("CUSTBYNAME")->SetAttributeText("name", "RENAMED");
    });
    Session("CUSTBYNAME", 0, [&] {
        EXPECT_TRUE(Enabled(kPopulation));
        EXPECT_TRUE(Checked(kPopulation));
        EXPECT_TRUE(Checked(kExpectedEstimate));
        EXPECT_EQ(Text(kExpectedOrVolume), "700");
    });
}

TEST_F(TarskElementDbPagesTest, AuditedByDefaultShowsWhetherTheDesignSegmentIsAProductionSystem)
{
    PxLSEBuilder builder(*app.GetLink());
    Write([&] { builder.SetNumber(DesignSegment(), "productionSystem", 1); });
    ComponentSession([&] {
        EXPECT_TRUE(Checked(kAuditedDefault));
        EXPECT_TRUE(Checked(kAudited));
        EXPECT_FALSE(Enabled(kAudited));
    });
    Write([&] { DesignSegment()->SetAttributeText("name", "RENAMED"); });
    ComponentSession([&] {
        EXPECT_TRUE(Checked(kAuditedDefault));
        EXPECT_FALSE(Checked(kAudited)) << "without the design segment the record's own setting shows";
    });
}

TEST_F(TarskElementDbPagesTest, TypingAQubNumberOpensTheDuplexControls)
{
    Write([&] { SegmentOptions()->SetDefaultDuplexPack("DUPPACK"); });
    ComponentSession([&] {
        for (int id : {kDuplexPack, kDuplexDefault, kNoDuplex})
            EXPECT_FALSE(Enabled(id)) << id;
        Click(kNoQub);
        Type(kQubNumber, "5");
        for (int id : {kDuplexPack, kDuplexDefault, kNoDuplex})
            EXPECT_TRUE(Enabled(id)) << id;
        Choose(kDuplexPack, "TARSKPACK");
        ApplyNow();
    });
    EXPECT_EQ(Component()->GetWEXQUBno(), 5);
    EXPECT_EQ(Component()->GetQUBDuplexPack(), "TARSKPACK");
}

// Giving up the default keeps the segment's setting on a profile, the record's own on a
// component.
TEST_F(TarskElementDbPagesTest, GivingUpTheKeepAssignedDefaultKeepsTheSegmentsSettingOnlyOnAProfile)
{
    const struct {
        const char* element;
        UINT tab;
        int keepAssigned;
        int useDefault;
        bool shownAfter;
    } cases[] = {{"CUSTOMER", kComponentFolnTab, 32906, 32903, false}, {"CUSTBYNAME", 0, 32934, 32933, true}};
    Write([&] { SegmentOptions()->SetKeepAssigned(1); });
    for (const auto& c : cases) {
        Session(c.element, c.tab, [&] {
            EXPECT_TRUE(Checked(c.keepAssigned)) << c.element;
            EXPECT_FALSE(Enabled(c.keepAssigned)) << c.element;
            Click(c.useDefault);
            EXPECT_EQ(Checked(c.keepAssigned), c.shownAfter) << c.element;
            EXPECT_TRUE(Enabled(c.keepAssigned)) << c.element;
            ApplyNow();
        });
    }
    EXPECT_EQ(static_cast<int>(Component()->GetCompKeepAssigned()), 2);
    EXPECT_EQ(static_cast<int>(Profile("CUSTBYNAME")->GetProKeepAssigned()), 1);
}
