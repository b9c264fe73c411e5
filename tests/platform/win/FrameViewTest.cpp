#include "WinTestSupport.h"

#include "win/CFrameWnd.h"
#include "win/CListView.h"
#include "win/CMenu.h"
#include "win/CSplitterWnd.h"
#include "win/CString.h"
#include "win/ListView.h"
#include "win/UserActions.h"

#include "support/ScriptedUiDriver.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr UINT ID_DELETE = 57632;
constexpr UINT ID_REFRESH = 32805;

std::string g_log;

class LogView : public CView {
public:
    ~LogView() override { g_log += "view deleted;"; }
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override
    {
        g_log += std::string(activate ? "activate " : "deactivate ") + (activateView == this ? "me" : "other") + ";";
        (void)deactiveView;
        CView::OnActivateView(activate, activateView, deactiveView);
    }
    void OnDelete() { g_log += "view delete;"; }
    void OnUpdateDelete(CCmdUI* cmdUI) { cmdUI->Enable(deleteEnabled); }
    BOOL deleteEnabled = TRUE;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LogView, CView)
    ON_COMMAND(ID_DELETE, &LogView::OnDelete)
    ON_UPDATE_COMMAND_UI(ID_DELETE, &LogView::OnUpdateDelete)
END_MESSAGE_MAP()

class LogFrame : public CFrameWnd {
public:
    ~LogFrame() override { g_log += "frame deleted;"; }
    void OnDelete() { g_log += "frame delete;"; }
    void OnRefresh() { g_log += "frame refresh;"; }
    BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context) override
    {
        return !refuseClient && CFrameWnd::OnCreateClient(cs, context);
    }
    BOOL refuseClient = FALSE;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(LogFrame, CFrameWnd)
    ON_COMMAND(ID_DELETE, &LogFrame::OnDelete)
    ON_COMMAND(ID_REFRESH, &LogFrame::OnRefresh)
END_MESSAGE_MAP()

struct FrameViewTest : ::testing::Test {
    RecordingWnd host;
    void SetUp() override
    {
        g_log.clear();
        host.CreateTop("host", WS_POPUP | WS_VISIBLE);
        host.MoveWindow(0, 0, 400, 300);
    }
    // A frame over the host's client area, made as the module makes its frames.
    LogFrame* MakeFrame(CCreateContext* context = nullptr, BOOL refuseClient = FALSE)
    {
        auto* frame = new LogFrame;
        frame->refuseClient = refuseClient;
        CRect client;
        host.GetClientRect(&client);
        return frame->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, client, &host, 0, context) ? frame : nullptr;
    }
};

CRect WindowRectIn(CWnd* window, CWnd* parent)
{
    CRect rect;
    window->GetWindowRect(&rect);
    parent->ScreenToClient(&rect);
    return rect;
}

} // namespace

TEST_F(FrameViewTest, AFrameMakesTheViewOfItsContextOverItsClientArea)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(LogView);
    LogFrame* frame = MakeFrame(&context);
    ASSERT_NE(frame, nullptr);
    auto* view = dynamic_cast<LogView*>(frame->GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetStyle() & (WS_CHILD | WS_VISIBLE | WS_BORDER), WS_CHILD | WS_VISIBLE | WS_BORDER);
    EXPECT_EQ(view->GetParentFrame(), frame);
    EXPECT_EQ(WindowRectIn(view, frame), CRect(0, 0, 400, 300));

    frame->MoveWindow(0, 0, 200, 100);
    EXPECT_EQ(WindowRectIn(view, frame), CRect(0, 0, 200, 100)) << "the layout follows the frame's size";
    EXPECT_EQ(frame->GetActiveFrame(), frame);
    EXPECT_TRUE(frame->IsFrameWnd());

    host.DestroyWindow();
    EXPECT_EQ(g_log, "view deleted;frame deleted;") << "frames and views belong to themselves";
}

TEST_F(FrameViewTest, AFrameWhoseClientAreaFailsIsNotMadeAndIsDeleted)
{
    EXPECT_EQ(MakeFrame(nullptr, TRUE), nullptr);
    EXPECT_EQ(g_log, "frame deleted;");
    EXPECT_EQ(host.GetTopWindow(), nullptr);

    g_log.clear();
    auto* orphan = new LogFrame;
    EXPECT_FALSE(orphan->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(g_log, "frame deleted;") << "a child frame without a parent window";
}

TEST_F(FrameViewTest, CommandsGoToTheActiveViewFirst)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(LogView);
    LogFrame* frame = MakeFrame(&context);
    auto* view = dynamic_cast<LogView*>(frame->GetDlgItem(static_cast<int>(AFX_IDW_PANE_FIRST)));
    EXPECT_EQ(frame->GetActiveView(), view) << "the first pane is active from the frame's creation";
    EXPECT_EQ(g_log, "") << "without notice";

    frame->SetActiveView(nullptr);
    frame->SendMessage(WM_COMMAND, ID_DELETE);
    EXPECT_EQ(g_log, "deactivate other;frame delete;") << "no active view";

    g_log.clear();
    frame->SetActiveView(view);
    frame->SendMessage(WM_COMMAND, ID_DELETE);
    frame->SendMessage(WM_COMMAND, ID_REFRESH);
    EXPECT_EQ(g_log, "activate me;view delete;frame refresh;");

    g_log.clear();
    view->deleteEnabled = FALSE;
    frame->SendMessage(WM_COMMAND, ID_DELETE);
    EXPECT_EQ(g_log, "") << "the view's update handler disables the command for the frame too";
}

TEST_F(FrameViewTest, ActivationTellsBothViewsAndGivesTheFocus)
{
    LogFrame* frame = MakeFrame();
    CSplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(frame, 1, 2));
    ASSERT_TRUE(splitter.CreateView(0, 0, RUNTIME_CLASS(LogView), CSize(200, 300), nullptr));
    ASSERT_TRUE(splitter.CreateView(0, 1, RUNTIME_CLASS(LogView), CSize(200, 300), nullptr));
    auto* left = dynamic_cast<CView*>(splitter.GetPane(0, 0));
    auto* right = dynamic_cast<CView*>(splitter.GetPane(0, 1));
    EXPECT_EQ(left->GetParentFrame(), frame) << "through the splitter";

    splitter.SetActivePane(0, 0);
    EXPECT_EQ(frame->GetActiveView(), left);
    g_log.clear();
    splitter.SetActivePane(0, 1);
    EXPECT_EQ(frame->GetActiveView(), right);
    EXPECT_EQ(g_log, "deactivate other;activate me;");
    EXPECT_EQ(CWnd::GetFocus(), right);

    g_log.clear();
    frame->SetActiveView(left, FALSE);
    EXPECT_EQ(g_log, "") << "without notice";

    left->DestroyWindow();
    EXPECT_EQ(frame->GetActiveView(), nullptr) << "a destroyed view is no longer active";
    frame->DestroyWindow();
}

TEST_F(FrameViewTest, AListViewIsAListControl)
{
    LogFrame* frame = MakeFrame();
    CSplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(frame, 1, 1));
    ASSERT_TRUE(splitter.CreateView(0, 0, RUNTIME_CLASS(CListView), CSize(400, 300), nullptr));
    auto* view = dynamic_cast<CListView*>(splitter.GetPane(0, 0));
    ASSERT_NE(view, nullptr);
    char className[32] = {};
    GetClassName(view->m_hWnd, className, sizeof className);
    EXPECT_STREQ(className, "SysListView32");

    CListCtrl& list = view->GetListCtrl();
    EXPECT_EQ(list.m_hWnd, view->m_hWnd);
    list.InsertColumn(0, "Name");
    list.InsertItem(0, "SYS1");
    EXPECT_EQ(view->GetListCtrl().GetItemText(0, 0), "SYS1");
    EXPECT_EQ(CWnd::FromHandlePermanent(view->m_hWnd), view) << "the view keeps its window";
    frame->DestroyWindow();
}

namespace {

// A list pane that writes down each click it hears of, and whether it was its frame's
// active view by then.
class ClickListView : public CListView {
public:
    void OnClick(NMHDR*, LRESULT*) { Heard("click"); }
    void OnRightClick(NMHDR*, LRESULT* result)
    {
        Heard("right click");
        *result = 1;
    }
    void OnDoubleClick(NMHDR*, LRESULT*) { Heard("double click"); }
    void OnColumnClick(NMHDR*, LRESULT*) { Heard("column click"); }
    void Heard(const char* what)
    {
        g_log += std::string(what) + (GetParentFrame()->GetActiveView() == this ? " when active;" : " when inactive;");
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ClickListView, CListView)
    ON_NOTIFY_REFLECT(NM_CLICK, &ClickListView::OnClick)
    ON_NOTIFY_REFLECT(NM_RCLICK, &ClickListView::OnRightClick)
    ON_NOTIFY_REFLECT(NM_DBLCLK, &ClickListView::OnDoubleClick)
    ON_NOTIFY_REFLECT(LVN_COLUMNCLICK, &ClickListView::OnColumnClick)
END_MESSAGE_MAP()

} // namespace

TEST_F(FrameViewTest, EveryButtonMakesTheClickedPaneTheActiveViewBeforeTheClickIsHandled)
{
    LogFrame* frame = MakeFrame();
    CSplitterWnd splitter;
    ASSERT_TRUE(splitter.CreateStatic(frame, 1, 2));
    ASSERT_TRUE(splitter.CreateView(0, 0, RUNTIME_CLASS(ClickListView), CSize(200, 300), nullptr));
    ASSERT_TRUE(splitter.CreateView(0, 1, RUNTIME_CLASS(ClickListView), CSize(200, 300), nullptr));
    splitter.RecalcLayout();
    auto* left = dynamic_cast<CListView*>(splitter.GetPane(0, 0));
    auto* right = dynamic_cast<CListView*>(splitter.GetPane(0, 1));
    CListCtrl& list = right->GetListCtrl();
    list.ModifyStyle(0, LVS_REPORT);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    list.InsertItem(0, "NTGEN");
    CRect row;
    list.GetItemRect(0, &row, LVIR_LABEL);

    struct Case {
        const char* click;
        std::function<void()> act;
        const char* heard;
    };
    const Case cases[] = {
        {"left", [&] { vqui::user::SelectIndex(list.m_hWnd, 0); }, "click when active;"},
        {"right", [&] { vqui::user::OpenContextMenu(list.m_hWnd, row.CenterPoint()); }, "right click when active;"},
        {"double", [&] { vqui::user::DoubleClick(list.m_hWnd, 0); }, "click when active;double click when active;"},
        {"column header", [&] { vqui::user::ClickColumnHeader(list.m_hWnd, 0); }, "column click when active;"},
    };
    for (const Case& c : cases) {
        splitter.SetActivePane(0, 0);
        g_log.clear();
        c.act();
        EXPECT_EQ(frame->GetActiveView(), right) << c.click;
        EXPECT_EQ(g_log, c.heard) << c.click;
        EXPECT_EQ(CWnd::GetFocus(), right) << c.click;
    }
    EXPECT_EQ(splitter.GetActivePane(), right);
    left->SetFocus();
    EXPECT_EQ(splitter.GetActivePane(), left) << "the pane with the focus comes first";
    host.SetFocus();
    EXPECT_EQ(splitter.GetActivePane(), right) << "then the frame's active view";
    frame->DestroyWindow();
}

TEST_F(FrameViewTest, APopupMenuOfTheFrameShowsTheStatesItsCommandRoutingGives)
{
    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(LogView);
    LogFrame* frame = MakeFrame(&context);
    auto* view = dynamic_cast<LogView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    constexpr UINT kNobodysCommand = 32999;
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_STRING, ID_DELETE, "&Delete");
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, ID_REFRESH, "&Refresh");
    menu.AppendMenu(MF_STRING, kNobodysCommand, "&Nobody's");

    struct Case {
        BOOL viewEnablesDelete;
        std::vector<bool> enabled;  // Delete, Refresh, Nobody's
    };
    for (const Case& c : {Case{TRUE, {true, true, false}}, Case{FALSE, {false, true, false}}}) {
        view->deleteEnabled = c.viewEnablesDelete;
        vqtest::ScriptedUiDriver ui;
        ui.ExpectPopupMenu(0);
        menu.TrackPopupMenu(TPM_LEFTALIGN, 0, 0, frame);
        const std::vector<vqui::UiEvent> seen = ui.Seen();
        ASSERT_EQ(seen.size(), 1u);
        std::vector<bool> enabled;
        for (const vqui::MenuEntry& entry : seen.front().menu) {
            if (entry.kind == vqui::MenuEntry::Kind::Command)
                enabled.push_back(entry.enabled);
        }
        EXPECT_EQ(enabled, c.enabled) << "the view enables Delete: " << c.viewEnablesDelete;
    }
    frame->DestroyWindow();
}
