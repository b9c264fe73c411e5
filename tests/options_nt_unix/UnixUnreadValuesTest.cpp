// Values a Unix page reads in its own code: one whose read failed shows as not available,
// stays so when its "Use default" box is ticked and cleared, and is never written.
#include "../options_tarsk/OptionsDialogHarness.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxUnixCompOptions.h"
#include "proxy/PxUnixOracleDBPartitionOptions.h"
#include "proxy/PxUnixProfileOptions.h"

using namespace optionstest;

namespace {

constexpr int kEnvironmentPage = 0;
constexpr int kCollatingSequence = 33043;
constexpr int kUseDefaultCollating = 33044;

constexpr int kComponentStoragePage = 2;
constexpr int kUseDefaultFree = 1893;
constexpr int kFree = 1894;
constexpr int kSca = 1954;
constexpr int kComponentIndex = 1926;
constexpr int kPack = 1900;
constexpr int kComponentTable = 1925;
constexpr int kSegmentIndex = 1931;
constexpr int kUnlimited = 1912;
constexpr int kUseDefaultMax = 1911;
constexpr int kMaxExtents = 1904;
constexpr int kExpected = 1899;
constexpr int kCalculation = 1922;
constexpr int kInitial = 1905;
constexpr int kInitialUnit = 1901;
constexpr int kNext = 1906;
constexpr int kNextUnit = 1902;
constexpr int kProfileStoragePage = 1;

struct UnixUnreadValuesTest : OptionsDialogHarness {
    PxUnixBSegOptionsPtr SegmentRecord() const { return StoredSegment<PxUnixBSegOptionsPtr>("UNIXGEN"); }
    PxUnixCompOptionsPtr Component() const { return Stored<PxUnixCompOptionsPtr>("ORDER", "UNIXGEN"); }
    PxUnixProfileOptionsPtr Profile() const { return Stored<PxUnixProfileOptionsPtr>("CUSTBYNAME", "UNIXGEN"); }

    // A check box whose value could not be read: clear, disabled, whatever else is clicked.
    void ExpectUnknownBox(int id)
    {
        EXPECT_FALSE(Checked(id)) << id;
        EXPECT_FALSE(Enabled(id)) << id;
    }
    // The only edit of the session: the storage clause of what the page shows.
    void EditTheStorageClauseAndApply()
    {
        Type(kSca, clause.c_str());
        ApplyNow();
    }
    std::string clause;
};

} // namespace

TEST_F(UnixUnreadValuesTest, AValueThePageCouldNotReadIsNeverWritten)
{
    Write([&] { app.GetLSEEnterprise()->GetBusinessSegment("SALES")->SetAttributeInt("ccsVersionSupport", 1); });
    const struct {
        const char* story;
        PxVQSoftLinkPtr link;
        UINT page;
        std::function<void()> store;
        const char* failing;
        std::function<void()> act;
        std::function<void()> check;
    } cases[] = {
        {"a segment's own collating sequence", PxVQSoftLinkPtr(Segment("SYS1", "SALES")), kEnvironmentPage,
         [&] { SegmentRecord()->SetCollatingSequence("OWN"); }, "PxUnixBSegOptions::GetCollatingSequence",
         [&] {
             ExpectUnread(kCollatingSequence);
             Click(kUseDefaultCollating);
             Click(kUseDefaultCollating);
             ExpectUnread(kCollatingSequence);
             ApplyNow();
         },
         [&] { EXPECT_EQ(SegmentRecord()->GetCollatingSequence(), "OWN"); }},
        {"a component table's own percent free", PxVQSoftLinkPtr(Element("SYS1", "SALES", "ORDER")),
         kComponentStoragePage, [&] { Component()->SetComponentPercentFree(0, 30); },
         "PxUnixCompOptions::GetComponentPercentFree",
         [&] {
             ExpectUnread(kFree);
             Click(kUseDefaultFree);
             Click(kUseDefaultFree);
             ExpectUnread(kFree);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Component()->GetComponentPercentFree(0), 30); }},
        {"a component table's own storage clause", PxVQSoftLinkPtr(Element("SYS1", "SALES", "ORDER")),
         kComponentStoragePage, [&] { Component()->SetCompSQLsca(0, "TABLESPACE OWN"); },
         "PxUnixCompOptions::GetCompSQLsca",
         [&] {
             ExpectUnread(kSca);
             Click(kUseDefaultFree);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Component()->GetCompSQLsca(0), "TABLESPACE OWN"); }},
        {"a component index's own tablespace", PxVQSoftLinkPtr(Element("SYS1", "SALES", "ORDER")),
         kComponentStoragePage, [&] { Component()->SetComponentTablespace(1, "STOCKTS"); }, nullptr,
         [&] {
             FailEveryRead("PxUnixCompOptions::GetComponentTablespace");
             Click(kComponentIndex);
             PxFaultInjection::Reset();
             ExpectUnread(kPack);
             Click(kUseDefaultFree);
             ApplyNow();
         },
         [&] { EXPECT_EQ(Component()->GetComponentTablespace(1), "STOCKTS"); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.story);
        Write(c.store);
        if (c.failing)
            FailEveryRead(c.failing);
        Session(c.link, "UNIXGEN", c.page, [&] {
            PxFaultInjection::Reset();
            c.act();
        });
        PxFaultInjection::Reset();
        c.check();
        EXPECT_EQ(MessageBoxes(), Strings{});
    }
}

// After a failed read the user edits only the storage clause and applies: of the values in
// force only that clause changed, and what the page could not read is stored byte for byte as
// before.
TEST_F(UnixUnreadValuesTest, AfterAFailedReadAnApplyOfAnotherEditChangesNothingElse)
{
    const PxVQSoftLinkPtr order(Element("SYS1", "SALES", "ORDER"));
    const PxVQSoftLinkPtr profile(Element("SYS1", "SALES", "CUSTBYNAME"));
    const PxVQSoftLinkPtr segment(Segment("SYS1", "SALES"));
    const auto component = [&] { return PxOptionsPtr(Component()); };
    const struct {
        const char* story;
        PxVQSoftLinkPtr link;
        UINT page;
        std::function<PxOptionsPtr()> record;
        std::function<void()> store;
        std::vector<const char*> unread;
        std::function<void()> show;
        std::function<void()> act;
        const char* clauseShown;
    } cases[] = {
        {"a component index's Unlimited box and population", order, kComponentStoragePage, component,
         [&] {
             Component()->SetComponentMaxExtentsUnlimited(1, 1);
             Component()->SetComponentPopulation(1, 5000);
         },
         {"PxUnixCompOptions::GetComponentMaxExtentsUnlimited", "PxUnixCompOptions::GetComponentPopulation"},
         [&] { Click(kComponentIndex); },
         [&] {
             ExpectUnknownBox(kUnlimited);
             EXPECT_FALSE(Enabled(kMaxExtents));
             ExpectUnread(kExpected);
             Click(kUseDefaultMax);
             Click(kUseDefaultMax);
             ExpectUnknownBox(kUnlimited);
             EditTheStorageClauseAndApply();
         },
         "CompSQLsca[1]"},
        {"a component table's extent units", order, kComponentStoragePage, component,
         [&] {
             Component()->SetComponentInitialExtentType(0, 'M');
             Component()->SetComponentInitialExtent(0, 2);
             Component()->SetComponentNextExtentType(0, 'M');
             Component()->SetComponentNextExtent(0, 3);
         },
         {"PxUnixCompOptions::GetComponentInitialExtentType", "PxUnixCompOptions::GetComponentNextExtentType"}, nullptr,
         [&] {
             ExpectUnread(kInitialUnit);
             ExpectUnread(kNextUnit);
             EXPECT_FALSE(Enabled(kInitial));
             EXPECT_FALSE(Enabled(kNext));
             EditTheStorageClauseAndApply();
         },
         "CompSQLsca[0]"},
        {"a component table's expected number", order, kComponentStoragePage, component,
         [&] { Component()->SetExpected(300); }, {"PxCompOptions::GetExpected"}, nullptr,
         [&] {
             ExpectUnread(kExpected);
             EditTheStorageClauseAndApply();
         },
         "CompSQLsca[0]"},
        {"a component's pack the Environment page could not read", order, kEnvironmentPage, component,
         [&] { Component()->SetCompPack("SALESTS"); }, {"PxCompOptions::GetCompPack"},
         [&] { ShowTab(kComponentStoragePage); },
         [&] {
             ExpectUnread(kPack);
             EditTheStorageClauseAndApply();
         },
         "CompSQLsca[0]"},
        {"a partition's Unlimited box and population", order, kComponentStoragePage, component,
         [&] {
             const PxUnixOracleDBPartitionOptionsPtr partition(Component()->CreateSubOptions("TQ1"));
             partition->SetMaxExtentsUnlimited(1);
             partition->SetPopulation(5000);
         },
         {"PxUnixOracleDBPartitionOptions::GetMaxExtentsUnlimited", "PxUnixOracleDBPartitionOptions::GetPopulation"},
         nullptr,
         [&] {
             ExpectUnknownBox(kUnlimited);
             ExpectUnread(kExpected);
             EditTheStorageClauseAndApply();
         },
         "TQ1.SQLsca"},
        {"a segment table's own population, calculation box ticked and cleared", segment, 0,
         [&] { return PxOptionsPtr(SegmentRecord()); }, [&] { SegmentRecord()->SetBSPopulation(0, 5000); },
         {"PxUnixBSegOptions::GetBSPopulation"}, nullptr,
         [&] {
             ExpectUnread(kExpected);
             Click(kCalculation);
             Click(kCalculation);
             ExpectUnread(kExpected);
             EditTheStorageClauseAndApply();
         },
         "BSSQLsca[0]"},
        {"a segment index's Unlimited box", segment, 0, [&] { return PxOptionsPtr(SegmentRecord()); },
         [&] { SegmentRecord()->SetBSMaxExtentsUnlimited(1, 1); }, {"PxUnixBSegOptions::GetBSMaxExtentsUnlimited"},
         [&] { Click(kSegmentIndex); },
         [&] {
             ExpectUnknownBox(kUnlimited);
             EditTheStorageClauseAndApply();
         },
         "BSSQLsca[1]"},
        {"a profile table's Unlimited box", profile, kProfileStoragePage, [&] { return PxOptionsPtr(Profile()); },
         [&] { Profile()->SetProfileMaxExtentsUnlimited(0, 1); },
         {"PxUnixProfileOptions::GetProfileMaxExtentsUnlimited"}, nullptr,
         [&] {
             ExpectUnknownBox(kUnlimited);
             EditTheStorageClauseAndApply();
         },
         "ProfSQLsca[0]"},
    };
    int freeLists = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.story);
        Write(c.store);
        const std::string first = "STORAGE (FREELISTS 1)";
        const std::string second = "STORAGE (FREELISTS " + std::to_string(++freeLists) + ")";
        const Strings changes = ChangesAfterAFailedRead(c.record, c.unread, [&](BOOL failing) {
            // The page stores the units as it names them and the table's tablespace as the
            // element's pack: the first session stores them so.
            clause = failing ? second : first;
            if (c.link == segment)
                BeforeShowing([](VqsSoftLinkOptionsDlg& dialog) { dialog.SetEventView(TRUE); });
            Session(c.link, "UNIXGEN", c.page, [&] {
                if (c.show)
                    c.show();
                PxFaultInjection::Reset();
                if (failing)
                    c.act();
                else
                    EditTheStorageClauseAndApply();
            });
        });
        const std::string shown = c.clauseShown;
        EXPECT_EQ(changes, (Strings{"- " + shown + " = " + first, "+ " + shown + " = " + second}));
        EXPECT_EQ(MessageBoxes(), Strings{});
    }
}
