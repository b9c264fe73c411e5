#include "SysViewTestSupport.h"

#include "shell/VqsTreeItem.h"
#include "win/CListCtrl.h"

namespace {

// The commands of the directory view's table, in the order of the expected answers below.
constexpr UINT kCommands[] = {
    32775, // Open Selected
    32772, // Options
    32785, // New System
    32771, // Add Business Segment
    57632, // Delete
    32773, // Parents
    32788, // New Report Group
    32781, // Add Report
    32829, // New Bundle
    32830, // Add Ispec
    32797, // Expand Branch
    32801, // Set Root
    32820, // Load
    32821, // Extract
    32790, // Synchronize Configuration
    32792, // Generate System
    32808, // Generate Reports
    32828, // Generate Bundle
    32857, // Report Differences
    32859, // Show Generate Status
    32822, // Monitor Generate
    32847, // folders of the selected link
};

struct CommandStateTest : SysViewTest {
    void SetUp() override
    {
        SysViewTest::SetUp();
        OpenFrame();
        Expand("Sample system 1");
        Expand("SALES business segment");
        for (const char* folder : {"Ispecs", "Report Groups", "Bundles"})
            Expand(folder);
        Expand("CUSTOMER of SALES");
        Expand("MONTHEND");
    }

    // One character a command: 1 enabled, . disabled.
    std::string Answers(std::initializer_list<std::string> selection)
    {
        CListCtrl& list = view->GetListCtrl();
        list.SetItemState(-1, 0, LVIS_SELECTED);
        for (const std::string& name : selection)
            list.SetItemState(RowOf(name), LVIS_SELECTED, LVIS_SELECTED);
        std::string answers;
        for (UINT id : kCommands) {
            int enabled = 0;
            int checked = 0;
            view->GetCommandState(id, &enabled, &checked);
            answers += enabled ? '1' : '.';
        }
        return answers;
    }
};

} // namespace

TEST_F(CommandStateTest, EachCommandFollowsItsRuleForWhatIsSelected)
{
    const struct {
        std::initializer_list<std::string> selection;
        const char* answers;
    } cases[] = {
        {{"Sample enterprise"}, "1.1.......1.1........."},
        {{"Sample system 1"}, "11..11....11.1111....."},
        {{"SALES business segment"}, "11..111.1.11..1111...1"},
        {{"Ispecs"}, ".....1....11..11.....1"},
        {{"EVENT of SALES"}, "11..11.....1..11.....1"},
        {{"ORDER of SALES"}, "11..11.....1..11.1...1"},
        {{"CUSTOMER of SALES (Sample PxLSEProfile CUSTBYNAME) ordinate"}, "11..11.....1..11.1...1"},
        {{"MONTHEND"}, "11..11.1..11..1111...1"},
        {{"DAILY of SALES"}, "11..11.....1..1111...1"},
        {{"WEBALL"}, "11..11....11..11.11..1"},
        {{"Sample system 1", "Sample system 2"}, "....1................."},
        {{"PAYROLL business segment", "SALES business segment"}, "....1.........11......"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Answers(c.selection), c.answers) << *c.selection.begin();
}

TEST_F(CommandStateTest, GenerateSystemNeedsTheSegmentInTheDesignAndAllowed)
{
    Select({"Sample system 1"});
    EXPECT_EQ(State(32792), "enabled");
    app.SetSecurityMask(127);
    app.SetBusinessSegment("PAYROLL");
    EXPECT_EQ(State(32792), "-") << "the configuration's last link is not in the allowed list";
    app.SetBusinessSegment("STOCK");
    EXPECT_EQ(State(32792), "enabled");
}

TEST_F(CommandStateTest, GenerateReportsRefusesAReportLinkWithAnAliasAndAcceptsAliasesOfOneGroup)
{
    Expand("Reports");
    Select({"MONTHLY of SALES", "DAILY of SALES"});
    EXPECT_EQ(State(32808), "enabled") << "two aliases of MONTHEND (their rows come before the Reports folder's)";
    CListCtrl& list = view->GetListCtrl();
    int reportLink = list.GetItemCount() - 1;
    while (reportLink > 0 && std::string(view->GetItem(reportLink)->GetText()) != "MONTHLY of SALES")
        --reportLink;
    ASSERT_GT(reportLink, RowOf("Reports")) << "the report link, after the alias of the same name";
    list.SetItemState(RowOf("DAILY of SALES"), 0, LVIS_SELECTED);
    list.SetItemState(reportLink, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(State(32808), "-");
}

TEST_F(CommandStateTest, TheStatusCommandFollowsTheMarksOfTheSelectedRows)
{
    Expand("Global Logics");
    const struct {
        std::initializer_list<std::string> selection;
        const char* state;
    } cases[] = {
        {{"EVENT of SALES"}, "enabled"},            // a marked row leaves it on and takes the check mark off
        {{"STARTUP of SALES"}, "enabled"},
        {{"Ispecs"}, "enabled"},                    // folders are drawn marked
        {{"Sample system 1"}, "-"},                 // an unmarked row turns it off
        {{"MONTHEND", "WEBALL"}, "-"},
        {{"Sample system 1", "EVENT of SALES"}, "enabled"}, // the event's options turn it on again
    };
    for (const auto& c : cases) {
        Select(c.selection);
        EXPECT_EQ(State(32804), c.state) << *c.selection.begin();
    }
}
