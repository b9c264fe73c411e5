// The directory view's commands as a user runs them: Delete, Parents, and the tree
// following the change notices of the model.
#include "SysViewTestSupport.h"

#include "model/VqsModelNode.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQReportGroup.h"
#include "shell/VqsTreeItem.h"
#include "support/ScriptedUiDriver.h"
#include "win/CComboBox.h"
#include "win/Messages.h"
#include "win/UserActions.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>

namespace {

constexpr UINT ID_PARENTS = 32773;
constexpr UINT ID_SHOW_ALL_FOLDERS = 32834;
constexpr UINT IDD_PARENTS = 135;
constexpr int IDC_PARENTS = 1044;
constexpr UINT IDS_CHECK_CHANGED_OPTIONS = 61908;
constexpr UINT IDS_SECURITY_VIOLATION = 61667;
constexpr UINT kLockProgressDialog = 105;

struct DirectoryCommandsTest : SysViewTest {
    vqtest::ScriptedUiDriver ui;
    std::string previousFolder;

    void SetUp() override
    {
        // The lock thread's progress dialog opens with the session and stays hidden.
        ui.WheneverDialog(kLockProgressDialog);
        SysViewTest::SetUp();
        char folder[4096] = {};
        ASSERT_NE(getcwd(folder, sizeof folder), nullptr);
        previousFolder = folder;
        ASSERT_EQ(chdir(dir.File("").c_str()), 0);
    }

    void TearDown() override
    {
        EXPECT_EQ(chdir(previousFolder.c_str()), 0);
        SysViewTest::TearDown();
    }

    void WriteFixedSettings(const std::string& lines) const
    {
        std::ofstream(dir.File("KESH.INI")) << "[Tamberlyn]\n" << lines;
    }


    void PressDelete()
    {
        vqui::user::PressKey(view->m_hWnd, VK_DELETE);
        vqwin::PumpPending();
    }

    Strings SegmentsOf(const char* system)
    {
        Strings names;
        PxTypedList<PxVQBSSoftLinkPtr> links;
        System(system)->GetCurConfig()->GetListOfBSSoftLinks(links);
        for (POSITION position = links.GetHeadPosition(); position;)
            names.push_back(links.GetNext(position)->GetName().GetString());
        return names;
    }

    void ShowSales()
    {
        OpenFrame();
        Expand("Sample system 1");
        Expand("SALES business segment");
        Command(ID_SHOW_ALL_FOLDERS);
    }
};

} // namespace

// ---------------------------------------------------------------- delete

TEST_F(DirectoryCommandsTest, DeletingASegmentRemovesItFromTheRepositoryAndItsRowFromTheTree)
{
    OpenFrame();
    Expand("Sample system 1");
    Select({"SALES business segment"});
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);

    PressDelete();

    ui.Verify();
    EXPECT_EQ(SegmentsOf("SYS1"), (Strings{"PAYROLL", "STOCK"}));
    EXPECT_EQ(Rows(), (Strings{"Sample enterprise", "  Sample system 1", "    PAYROLL business segment", "    STOCK business segment",
                               "  Sample system 2"}));
}

TEST_F(DirectoryCommandsTest, WhoMayDeleteDependsOnRightTwoAndTheFixedSettingForAnythingButSystems)
{
    struct Case {
        const char* settings;
        const char* row;
        bool refused;
    };
    const Case cases[] = {
        {nullptr, "SALES business segment", true},
        {"NonAdminCanDelGS=y\n", "SALES business segment", true},
        {"NonAdminCanDelGS=Yes\n", "SALES business segment", false},
        {"NonAdminCanDelGS=Y\n", "Sample system 2", true},
    };
    app.SetSecurityMask(1);
    OpenFrame();
    Expand("Sample system 1");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.settings ? c.settings : "no file") + c.row);
        std::remove(dir.File("KESH.INI").c_str());
        if (c.settings)
            WriteFixedSettings(c.settings);
        Select({c.row});
        if (c.refused) {
            ui.ExpectMessageBoxId(IDS_SECURITY_VIOLATION, IDOK);
        } else {
                    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDCANCEL);
        }
        PressDelete();
        ui.Verify();
    }
    Strings segments = SegmentsOf("SYS1");
    std::sort(segments.begin(), segments.end());
    EXPECT_EQ(segments, (Strings{"PAYROLL", "SALES", "STOCK"}));
    EXPECT_TRUE(System("SYS2"));
}

TEST_F(DirectoryCommandsTest, ASelectionAcrossLevelsDeletesNothingAndSaysNothing)
{
    ShowSales();
    Expand("Reports");
    Select({"Reports", "DAILY of SALES"});
    Command(57632);
    Select({"SALES business segment", "Sample system 2"});
    Command(57632);
    ui.Verify();
    EXPECT_TRUE(ui.Seen().empty());
}

TEST_F(DirectoryCommandsTest, DeletingAReportTakesItsRowAway)
{
    ShowSales();
    Expand("Reports");
    Select({"DAILY of SALES"});
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);

    Command(57632);

    ui.Verify();
    EXPECT_EQ(RowOf("DAILY of SALES"), -1);
    EXPECT_GE(RowOf("MONTHLY of SALES"), 0);
}

// ---------------------------------------------------------------- parents

TEST_F(DirectoryCommandsTest, ParentsListsTheAncestorsNearestFirstAndSelectsTheChosenOne)
{
    ShowSales();
    Expand("Report Groups");
    Select({"MONTHEND"});
    Strings names;
    ui.ExpectDialog(IDD_PARENTS)
        .Run([&] {
            const std::vector<vqui::UiEvent> seen = ui.Seen();
            HWND combo = ::GetDlgItem(seen.back().window, IDC_PARENTS);
            const int count = static_cast<int>(::SendMessage(combo, CB_GETCOUNT, 0, 0));
            for (int index = 0; index < count; ++index) {
                char text[256] = {};
                ::SendMessage(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
                names.emplace_back(text);
            }
        })
        .Select(IDC_PARENTS, 2)
        .OK();

    Command(ID_PARENTS);

    ui.Verify();
    // The names (long names here), not the rows' texts: the design enterprise's row reads
    // "Sample enterprise System Definitions".
    EXPECT_EQ(names, (Strings{"Report Groups", "SALES business segment", "Sample system 1", "Sample enterprise"}));
    EXPECT_EQ(view->GetSelectedItem(), Item("Sample system 1"));
}

TEST_F(DirectoryCommandsTest, ParentsCancelledLeavesTheSelection)
{
    ShowSales();
    Select({"Bundles"});
    ui.ExpectDialog(IDD_PARENTS).Cancel();
    Command(ID_PARENTS);
    ui.Verify();
    EXPECT_EQ(view->GetSelectedItem(), Item("Bundles"));
}

// ---------------------------------------------------------------- change notices

TEST_F(DirectoryCommandsTest, ANewSystemGetsItsRowInOrderAndARemovedOneLosesIt)
{
    OpenFrame();
    PxVQLink* link = app.GetLink();
    link->BeginTransaction();
    PxVQSystemPtr system = app.GetEnterprise()->CreateSystem("SYS3");
    system->SetLongName("A system between");
    link->CommitTransaction();
    const PxVQObjectPtr object(system);

    app.BroadcastObjectChange(VqsKindSystem, nullptr, &object, nullptr);

    EXPECT_EQ(Rows(), (Strings{"Sample enterprise", "  A system between", "  Sample system 1", "  Sample system 2"}));
    app.BroadcastObjectChange(VqsNodeGone, nullptr, &object, nullptr);
    EXPECT_EQ(Rows(), (Strings{"Sample enterprise", "  Sample system 1", "  Sample system 2"}));
}

TEST_F(DirectoryCommandsTest, ANewGroupEntersACollapsedFolderWithoutARowAndShowsWhenTheFolderOpens)
{
    ShowSales();
    const PxVQBSSoftLinkPtr sales = System("SYS1")->GetCurConfig()->GetBSSoftLink("SALES");
    PxVQLink* link = app.GetLink();
    link->BeginTransaction();
    const PxVQObjectPtr group(sales->CreateReportGroup("WEEKEND"));
    link->CommitTransaction();
    const PxVQObjectPtr parent(sales);

    app.BroadcastObjectChange(VqsKindRepGroup, nullptr, &group, &parent);

    EXPECT_EQ(RowOf("WEEKEND"), -1);
    Expand("Report Groups");
    EXPECT_GE(RowOf("WEEKEND"), 0);
    EXPECT_GE(RowOf("MONTHEND"), 0);
}

TEST_F(DirectoryCommandsTest, RemovingAnAncestorOfTheSelectionSelectsItsParent)
{
    ShowSales();
    Expand("Reports");
    Select({"DAILY of SALES"});
    const PxVQObjectPtr sales(System("SYS1")->GetCurConfig()->GetBSSoftLink("SALES"));

    app.BroadcastObjectChange(VqsNodeGone, nullptr, &sales, nullptr);

    EXPECT_EQ(RowOf("DAILY of SALES"), -1);
    EXPECT_EQ(view->GetSelectedItem(), Item("Sample system 1"));
}

TEST_F(DirectoryCommandsTest, AChangeMadeElsewhereMarksTheFrameStaleOnlyForObjectsItShows)
{
    OpenFrame();
    const PxVQObjectPtr hidden(System("SYS1")->GetCurConfig()->GetBSSoftLink("SALES"));
    app.BroadcastObjectChange(18, nullptr, &hidden, nullptr);
    EXPECT_FALSE(frame->IsRefreshPending());
    const PxVQObjectPtr shown(System("SYS1"));
    app.BroadcastObjectChange(18, nullptr, &shown, nullptr);
    EXPECT_TRUE(frame->IsRefreshPending());
}

TEST_F(DirectoryCommandsTest, TheHolderOfPreviousConfigurationsDeletesEveryOldConfigurationOfItsSystemAndNothingElse)
{
    PxVQLink* link = app.GetLink();
    link->BeginTransaction();
    System("SYS1")->CreateOldConfig()->SetGenerationTime(1700000000);
    System("SYS1")->CreateOldConfig()->SetGenerationTime(1800000000);
    link->CommitTransaction();
    OpenFrame();
    Expand("Sample system 1");
    Command(32794);
    Select({"Previous Configurations"});
    ui.ExpectMessageBoxId(IDS_CHECK_CHANGED_OPTIONS, IDNO);

    Command(57632);

    ui.Verify();
    PxTypedList<PxVQOldConfigPtr> configs;
    System("SYS1")->GetListOfOldConfigs(configs);
    EXPECT_TRUE(configs.IsEmpty());
    EXPECT_EQ(SegmentsOf("SYS1").size(), 3u);
}

TEST_F(DirectoryCommandsTest, ANewReportWhoseFolderIsHiddenShowsDirectlyUnderItsSegment)
{
    OpenFrame();
    Expand("Sample system 1");
    Expand("SALES business segment");
    Command(32844);
    const PxVQBSSoftLinkPtr sales = System("SYS1")->GetCurConfig()->GetBSSoftLink("SALES");
    PxVQLink* link = app.GetLink();
    link->BeginTransaction();
    const PxVQObjectPtr report(sales->CreateElementSoftLink("WEEKLY", VQSoftLinkReport));
    link->CommitTransaction();
    const PxVQObjectPtr parent(sales);

    app.BroadcastObjectChange(VqsKindElementLink, nullptr, &report, &parent);

    // A report without a design element is named by its link alone.
    ASSERT_NE(Item("WEEKLY"), nullptr);
    EXPECT_EQ(Item("WEEKLY")->GetLevel(), Item("SALES business segment")->GetLevel() + 1);
}

TEST_F(DirectoryCommandsTest, ANewSegmentOfACollapsedSystemGivesNoRowButAnExpandMark)
{
    OpenFrame();
    const PxVQConfigPtr config = System("SYS2")->GetCurConfig();
    PxVQLink* link = app.GetLink();
    link->BeginTransaction();
    const PxVQObjectPtr segment(config->CreateBSSoftLink("NEWSEG"));
    link->CommitTransaction();
    const PxVQObjectPtr parent(config);

    app.BroadcastObjectChange(VqsKindBSLink, nullptr, &segment, &parent);

    EXPECT_EQ(RowOf("NEWSEG business segment"), -1);
    EXPECT_NE(Item("Sample system 2")->GetState(), VqsTreeItem::Leaf);
}
