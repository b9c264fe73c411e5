#include "ListFrameTestSupport.h"
#include "ShellTestSupport.h"

#include "shell/StatusMessage.h"
#include "shell/VqsModuleResources.h"
#include "support/ScopedResourceLibrary.h"
#include "support/ScriptedUiDriver.h"
#include "win/Messages.h"

#include <cstdlib>
#include <cstring>

using frametest::HostLines;
using frametest::HostLinesStartingWith;
using frametest::HostWindow;
using frametest::TestFrame;
using frametest::TestView;

namespace {

constexpr UINT kTestMenu = 900;
constexpr UINT kMissingMenu = 901;

// Two accelerators for Open: the later one is the one the host hears of.
const ACCEL kTestKeys[] = {
    {FVIRTKEY | FCONTROL, 'O', 32825},
    {FVIRTKEY, VK_F9, 32825},
};
const ModuleAcceleratorTable kTestAccelerators[] = {{kTestMenu, kTestKeys}};
const ModuleResources kTestModuleResources{{}, kTestAccelerators};

std::string TestResourceRoot() { return std::string(std::getenv("VQ_SOURCE")) + "/tests/shell/resources"; }

struct ListFrameTest : ShellTest {
    vqtest::ScopedResourceLibrary resources{"frametests", TestResourceRoot()};
    HostWindow host;
    TestFrame* frame = nullptr;

    void SetUp() override
    {
        ShellTest::SetUp();
        HostLines().clear();
        frame = host.MakeFrame(kTestMenu);
        ASSERT_NE(frame, nullptr);
        app.GetFrameList().AddTail(frame);
    }
    void TearDown() override { vqres::SetModuleResources(&VqsGetModuleResources()); }

    // The deferred updates the frame has posted and not yet seen handled.
    int PendingUpdates()
    {
        int count = 0;
        MSG msg;
        std::vector<MSG> taken;
        while (PeekMessage(&msg, frame->m_hWnd, VqsListFrame::WM_UPDATE_COMMANDS, VqsListFrame::WM_UPDATE_COMMANDS,
                           PM_REMOVE)) {
            taken.push_back(msg);
            ++count;
        }
        for (const MSG& each : taken)
            PostMessage(each.hwnd, each.message, each.wParam, each.lParam);
        return count;
    }
};

} // namespace

TEST_F(ListFrameTest, TheMenuGoesToTheHostItemByItemWithNestedPopupsAndTheLaterAccelerator)
{
    vqres::SetModuleResources(&kTestModuleResources);
    ASSERT_TRUE(frame->AddMenuItems(&frametest::OnMenuItem));
    EXPECT_EQ(HostLines(), (std::vector<std::string>{
                               "menu: &File|&Open|32825|120|1|Open the model\nOpen",
                               "menu: &File|-|0|0|0|-",
                               "menu: &File|&Recent|0|0|0|-",
                               "menu: &Recent|E&xit|57665|0|0|-",
                               "menu: &Recent|Refresh|32805|0|0|-",
                               "menu: &File|Close|57602|0|0|-",
                               "menu: &Edit|&Delete|57632|0|0|-",
                           }));
    CString parent;
    EXPECT_TRUE(frame->GetCommandTable().Lookup(57665, parent));
    EXPECT_EQ(parent, "&Recent") << "a nested popup's commands belong to the nested popup";
    EXPECT_TRUE(frame->GetCommandTable().Lookup(32825, parent));
    EXPECT_EQ(parent, "&File");
    EXPECT_FALSE(frame->GetCommandTable().Lookup(57670, parent)) << "top-level items are not reported";
    EXPECT_EQ(frame->GetCommandTable().GetCount(), 5);
}

TEST_F(ListFrameTest, AMenuThatCannotBeLoadedKeepsTheCommandTable)
{
    ASSERT_TRUE(frame->AddMenuItems(&frametest::OnMenuItem));
    HostLines().clear();

    TestFrame* missing = host.MakeFrame(kMissingMenu);
    vqtest::ScriptedUiDriver ui;
    ui.ExpectMessageBox("Configuration error: Cannot load menu.", IDOK);
    EXPECT_FALSE(missing->AddMenuItems(&frametest::OnMenuItem));
    EXPECT_TRUE(missing->GetCommandTable().IsEmpty());

    TestFrame* none = host.MakeFrame(0);
    EXPECT_FALSE(none->AddMenuItems(&frametest::OnMenuItem)) << "a frame without a menu, and no box";
    EXPECT_TRUE(HostLines().empty());
    EXPECT_EQ(frame->GetCommandTable().GetCount(), 5);
}

TEST_F(ListFrameTest, TheFrameEnablesItsOwnCommandsAndAsksTheCurrentViewForTheOthers)
{
    TestView* view = frame->AddView();
    view->states[57632] = {1, 1};
    view->states[57602] = {0, 0};
    auto state = [&](UINT id) {
        int enabled = 0;
        int checked = 0;
        frame->GetCommandState(id, &enabled, &checked);
        return std::make_pair(enabled, checked);
    };
    EXPECT_EQ(state(57632), std::make_pair(0, 0)) << "no current view";
    frame->current = view;
    EXPECT_EQ(state(57632), std::make_pair(1, 1));
    EXPECT_EQ(state(57602), std::make_pair(1, 0)) << "close is enabled without asking the view";
    for (UINT id : {57665u, 32825u, 32826u, 32827u})
        EXPECT_EQ(state(id).first, 1) << id;
    EXPECT_EQ(state(32828), std::make_pair(0, 0));
}

TEST_F(ListFrameTest, DeferredUpdatesOfOneIdCollapseIntoOneMessage)
{
    frame->PostUpdateCommand(32795);
    frame->PostUpdateCommand(32795);
    frame->PostUpdateCommand(32795);
    frame->PostUpdateCommand(32798);
    EXPECT_EQ(PendingUpdates(), 2);
    vqwin::PumpPending();
    EXPECT_EQ(HostLines(), (std::vector<std::string>{"update: - 32795 enabled=0 checked=0",
                                                     "update: - 32798 enabled=0 checked=0"}));

    HostLines().clear();
    frame->PostUpdateCommand(32795);
    EXPECT_EQ(PendingUpdates(), 1) << "the handler cleared the mark";
    vqwin::PumpPending();

    HostLines().clear();
    frame->PostUpdateAllCommands();
    frame->PostUpdateCommand(32798);
    frame->PostUpdateCommand(0);
    EXPECT_EQ(PendingUpdates(), 1) << "one message with id 0";
    vqwin::PumpPending();
    EXPECT_EQ(HostLinesStartingWith("update: - ").size(), 0u) << "no menu yet: only the host's names";
    EXPECT_EQ(HostLines().size(), 15u);
}

TEST_F(ListFrameTest, ASingleUpdateReportsTheIdAndItsHostNamesOnce)
{
    TestView* view = frame->AddView();
    frame->current = view;
    view->states[57632] = {1, 0};
    app.UpdateCommands(frame->m_hWnd, 57632);
    EXPECT_EQ(HostLines(), (std::vector<std::string>{"update: - 57632 enabled=1 checked=0",
                                                     "update: delete 0 enabled=1 checked=0"}));

    HostLines().clear();
    TestFrame* stranger = host.MakeFrame();
    app.UpdateCommands(stranger->m_hWnd, 57632);
    EXPECT_TRUE(HostLines().empty()) << "a frame outside the frame list";
}

TEST_F(ListFrameTest, StatusMessagesRestoreThePreviousTextInReverseOrder)
{
    {
        StatusMessage outer(frame, "Loading...");
        {
            StatusMessage inner(frame, 61524u);
            EXPECT_EQ(frame->GetStatusText(), "Refreshing the views...");
        }
        StatusMessage missing(frame, 99999u);
        StatusMessage nowhere(nullptr, "nothing");
    }
    EXPECT_EQ(HostLines(), (std::vector<std::string>{
                               "message: statusTextSet: Loading...",
                               "message: statusTextSet: Refreshing the views...",
                               "message: statusTextSet: Loading...",
                               "message: statusTextSet: ",
                               "message: statusTextSet: Loading...",
                               "message: statusTextSet: ",
                           }));
    HostLines().clear();
    frame->SetStatusText(nullptr);
    EXPECT_EQ(HostLines(), (std::vector<std::string>{"message: statusTextClear: -"}));
}

TEST_F(ListFrameTest, AStaleViewIsRefreshedOnlyWhenTheUserSaysSo)
{
    vqtest::ScriptedUiDriver ui;
    app.UpdateCommands(frame->m_hWnd);
    EXPECT_TRUE(ui.Seen().empty()) << "nothing stale";

    frame->SetRefreshPending();
    ui.ExpectMessageBoxId(61491, IDNO);
    app.UpdateCommands(frame->m_hWnd);
    EXPECT_FALSE(frame->IsRefreshPending());
    HostLines().clear();
    vqwin::PumpPending();
    EXPECT_TRUE(HostLinesStartingWith("message:").empty());

    frame->SetRefreshPending();
    ui.ExpectMessageBoxId(61491, IDYES);
    app.UpdateCommands(frame->m_hWnd);
    HostLines().clear();
    vqwin::PumpPending();
    EXPECT_EQ(HostLines(), (std::vector<std::string>{"message: statusTextSet: Refreshing the views...",
                                                     "message: statusTextSet: "}));

    TestFrame* other = host.MakeFrame();
    frame->active = other;
    frame->SetRefreshPending();
    app.UpdateCommands(frame->m_hWnd);
    EXPECT_TRUE(frame->IsRefreshPending()) << "asked only when the frame is its own active frame";
}

TEST_F(ListFrameTest, ClosingTheWindowTakesTheFrameOffTheListLikeTheExportedClose)
{
    TestFrame* second = host.MakeFrame();
    app.GetFrameList().AddTail(second);
    app.SetCurrentFrame(second->m_hWnd);
    second->SendMessage(WM_CLOSE);
    EXPECT_EQ(app.GetFrameList().GetCount(), 1);
    EXPECT_EQ(app.GetFrameList().GetHead(), frame);
    EXPECT_EQ(app.GetCurrentFrame(), frame->m_hWnd) << "the remaining frame's active frame";
}

TEST_F(ListFrameTest, CloseAsksTheNearestMdiChildToCloseAndExitAsksTheHost)
{
    CWnd mdiChild;
    mdiChild.CreateEx(WS_EX_MDICHILD, nullptr, "view", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, host.m_hWnd, nullptr);
    CWnd pane;
    pane.CreateEx(0, nullptr, "pane", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, mdiChild.m_hWnd, nullptr);
    auto* inner = new TestFrame;
    ASSERT_TRUE(VqsCreateFrameOverHost(inner, pane.m_hWnd));
    app.GetFrameList().AddTail(inner);

    frame->SendMessage(WM_COMMAND, 57602);
    vqwin::PumpPending();
    EXPECT_TRUE(::IsWindow(frame->m_hWnd)) << "no MDI child above it";

    inner->SendMessage(WM_COMMAND, 57602);
    vqwin::PumpPending();
    EXPECT_FALSE(::IsWindow(mdiChild.m_hWnd)) << "SC_CLOSE closed the MDI child";
    EXPECT_EQ(app.GetFrameList().GetCount(), 1) << "and the frame over it went with it";

    frame->SendMessage(WM_COMMAND, 57665);
    EXPECT_EQ(HostLines(), (std::vector<std::string>{"message: exit: -"}));
}

TEST_F(ListFrameTest, TheHostsRefreshMessageRunsRefresh)
{
    EXPECT_EQ(frame->SendMessage(VqsListFrame::WM_REFRESH_VIEWS), 1);
    EXPECT_EQ(HostLines(), (std::vector<std::string>{"message: statusTextSet: Refreshing the views...",
                                                     "message: statusTextSet: "}));
}

TEST_F(ListFrameTest, ANewFontReachesEveryView)
{
    TestView* first = frame->AddView();
    TestView* second = frame->AddView();
    LOGFONT font{};
    font.lfHeight = -17;
    std::strcpy(font.lfFaceName, "Mono");
    frame->SetFont(&font);
    EXPECT_EQ(first->fontChanges, 1);
    EXPECT_EQ(second->fontChanges, 1);
    LOGFONT made{};
    frame->GetFont()->GetLogFont(&made);
    EXPECT_EQ(made.lfHeight, -17);
    EXPECT_STREQ(made.lfFaceName, "Mono");

    frame->SetFont(nullptr);
    EXPECT_EQ(first->fontChanges, 1) << "a null font changes nothing";
}

TEST(ListFrameWithoutCallbacksTest, KeywordMessagesAreDropped)
{
    class Silent : public VqsListFrame {
    public:
        Silent() : VqsListFrame(nullptr, nullptr, nullptr) {}
        VqsListView* GetCurrentView() override { return nullptr; }
        VqsListView* GetNextView(VqsListView*) override { return nullptr; }
        VqsListView* GetNextPane(VqsListView*) override { return nullptr; }
    } silent;
    EXPECT_EQ(silent.NotifyHost("exit:", nullptr), 0);
    silent.SetStatusText("text");
    silent.ReportCommandState("delete", 0, TRUE, FALSE);
    EXPECT_EQ(silent.GetStatusText(), "text");
}

namespace {

// The host's MDI client: records which document window it was asked to activate.
class MdiClient : public CWnd {
public:
    HWND activated = nullptr;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MDIACTIVATE)
            activated = reinterpret_cast<HWND>(wParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST_F(ListFrameTest, TheDocumentWindowHoldingAViewIsActivatedInItsClient)
{
    MdiClient client;
    client.CreateEx(0, nullptr, "client", WS_CHILD | WS_VISIBLE, 0, 0, 400, 300, host.m_hWnd, nullptr);
    CWnd document;
    document.CreateEx(WS_EX_MDICHILD, nullptr, "document", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, client.m_hWnd, nullptr);
    CWnd pane;
    pane.CreateEx(0, nullptr, "pane", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, document.m_hWnd, nullptr);

    EXPECT_EQ(VqsMdiChildAncestor(&pane), &document);
    VqsFindMdiChildAncestor(&pane);
    EXPECT_EQ(client.activated, document.m_hWnd);

    client.activated = nullptr;
    VqsFindMdiChildAncestor(&client);
    EXPECT_EQ(client.activated, nullptr) << "a window outside every document window activates nothing";
    EXPECT_EQ(VqsMdiChildAncestor(nullptr), nullptr);
}
