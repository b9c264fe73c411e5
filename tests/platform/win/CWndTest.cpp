#include "WinTestSupport.h"

#include "win/CString.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Notes the order in which windows hear of their destruction.
std::vector<std::string> g_destroyLog;

class NamedWnd : public RecordingWnd {
public:
    explicit NamedWnd(std::string name) : m_name(std::move(name)) {}
    void OnDestroy()
    {
        g_destroyLog.push_back("destroy " + m_name + (IsWindow(m_hWnd) ? "" : " (gone)"));
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override { g_destroyLog.push_back("gone " + m_name); }

private:
    std::string m_name;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(NamedWnd, RecordingWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST(CWndTest, TreeTextAndIds)
{
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateTop("Frame"));
    RecordingWnd first;
    RecordingWnd second;
    ASSERT_TRUE(first.CreateChild(&parent, 100));
    ASSERT_TRUE(second.CreateChild(&parent, 200));

    EXPECT_EQ(parent.GetTopWindow(), &first);
    EXPECT_EQ(first.GetNextWindow(), &second);
    EXPECT_EQ(second.GetNextWindow(), nullptr);
    EXPECT_EQ(parent.GetDlgItem(200), &second);
    EXPECT_EQ(parent.GetDlgItem(300), nullptr);
    EXPECT_EQ(second.GetDlgCtrlID(), 200);
    EXPECT_EQ(second.GetParent(), &parent);
    EXPECT_TRUE(parent.IsChild(&second));
    EXPECT_EQ(second.GetTopLevelParent(), &parent);

    CString text;
    parent.GetWindowText(text);
    EXPECT_EQ(text, "Frame");
    first.SetWindowText("Name");
    EXPECT_EQ(first.GetWindowTextLength(), 4);
    parent.GetDlgItemText(100, text);
    EXPECT_EQ(text, "Name");
    EXPECT_EQ(first.Count(WM_SETTEXT), 1);
}

TEST(CWndTest, WindowTextIsCutWithoutSplittingADoubleByteCharacter)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop("ab\x82\xa0"));
    char buffer[4];
    EXPECT_EQ(wnd.GetWindowText(buffer, sizeof buffer), 2);
    EXPECT_STREQ(buffer, "ab");
}

TEST(CWndTest, APopUpAnswersItsOwnerAsParent)
{
    RecordingWnd owner;
    ASSERT_TRUE(owner.CreateTop());
    RecordingWnd child;
    ASSERT_TRUE(child.CreateChild(&owner, 1));
    RecordingWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, "Recording", "Box", WS_POPUP, 0, 0, 10, 10, child.m_hWnd, nullptr));
    EXPECT_EQ(popup.GetParent(), &owner);
    EXPECT_EQ(popup.GetOwner(), &owner);
    EXPECT_FALSE(owner.IsChild(&popup));
    EXPECT_EQ(FindWindowEx(nullptr, nullptr, "recording", "BOX"), popup.m_hWnd);
}

TEST(CWndTest, ChildWithoutParentIsRefused)
{
    NamedWnd orphan("orphan");
    g_destroyLog.clear();
    EXPECT_FALSE(orphan.Create("Recording", "", WS_VISIBLE, CRect(0, 0, 1, 1), nullptr, 1));
    EXPECT_EQ(orphan.m_hWnd, nullptr);
    EXPECT_EQ(g_destroyLog, (std::vector<std::string>{"gone orphan"}));
}

class RefusingWnd : public RecordingWnd {
public:
    int OnCreate(LPCREATESTRUCT) { return -1; }
    void PostNcDestroy() override { ++postNcDestroy; }
    int postNcDestroy = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RefusingWnd, RecordingWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(CWndTest, CreationRefusedByOnCreateFailsAndCleansUpOnce)
{
    RefusingWnd wnd;
    EXPECT_FALSE(wnd.CreateTop());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.postNcDestroy, 1);
    EXPECT_EQ(wnd.Count(WM_SIZE), 0);
}

TEST(CWndTest, StylesStateAndPlacement)
{
    RecordingWnd parent;
    ASSERT_TRUE(parent.CreateTop());
    parent.MoveWindow(100, 50, 300, 200);
    EXPECT_EQ(parent.received.back().message, WM_SIZE);
    EXPECT_EQ(parent.received.back().lParam, MAKELPARAM(300, 200));

    RecordingWnd child;
    ASSERT_TRUE(child.CreateChild(&parent, 1, WS_VISIBLE, CRect(10, 20, 60, 40)));
    CRect rect;
    child.GetWindowRect(&rect);
    EXPECT_EQ(rect, CRect(110, 70, 160, 90));
    child.GetClientRect(&rect);
    EXPECT_EQ(rect, CRect(0, 0, 50, 20));
    CPoint point(115, 75);
    child.ScreenToClient(&point);
    EXPECT_EQ(point, CPoint(5, 5));

    EXPECT_TRUE(child.ModifyStyle(0, WS_TABSTOP));
    EXPECT_FALSE(child.ModifyStyle(0, WS_TABSTOP));
    EXPECT_TRUE(child.GetStyle() & WS_TABSTOP);
    EXPECT_TRUE(parent.ModifyStyleEx(0, WS_EX_MDICHILD));
    EXPECT_EQ(parent.GetExStyle(), WS_EX_MDICHILD);

    EXPECT_FALSE(child.EnableWindow(FALSE));
    EXPECT_FALSE(child.IsWindowEnabled());
    EXPECT_TRUE(child.EnableWindow(TRUE));
    EXPECT_EQ(child.Count(WM_ENABLE), 2);

    parent.ShowWindow(SW_HIDE);
    EXPECT_FALSE(child.IsWindowVisible());
    parent.ShowWindow(SW_SHOWMINNOACTIVE);
    EXPECT_TRUE(parent.IsIconic());
    EXPECT_EQ(parent.received.back().wParam, SIZE_MINIMIZED);
    parent.ShowWindow(SW_RESTORE);
    EXPECT_FALSE(parent.IsIconic());
    EXPECT_EQ(parent.received.back().wParam, SIZE_RESTORED);
    EXPECT_TRUE(child.IsWindowVisible());
}

TEST(CWndTest, SystemCommandsMinimiseRestoreAndClose)
{
    auto* wnd = new NamedWnd("box");
    ASSERT_TRUE(wnd->CreateTop());
    wnd->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE);
    EXPECT_TRUE(wnd->IsIconic());
    wnd->SendMessage(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_FALSE(wnd->IsIconic());
    g_destroyLog.clear();
    wnd->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_EQ(g_destroyLog, (std::vector<std::string>{"destroy box", "gone box"}));
    delete wnd;
}

TEST(CWndTest, DestroyReachesEveryDescendantAndTheirHandlesGoFirst)
{
    auto frame = std::make_unique<NamedWnd>("frame");
    auto view = std::make_unique<NamedWnd>("view");
    auto header = std::make_unique<NamedWnd>("header");
    ASSERT_TRUE(frame->CreateTop());
    ASSERT_TRUE(view->CreateChild(frame.get(), 1));
    ASSERT_TRUE(header->CreateChild(view.get(), 2));
    HWND viewHandle = view->m_hWnd;
    g_destroyLog.clear();

    EXPECT_TRUE(frame->DestroyWindow());
    EXPECT_EQ(g_destroyLog, (std::vector<std::string>{"destroy frame", "destroy view", "destroy header",
                                                      "gone header", "gone view", "gone frame"}));
    EXPECT_FALSE(IsWindow(viewHandle));
    EXPECT_EQ(view->m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandle(viewHandle), nullptr);
}

TEST(CWndTest, OnlyTheOwningThreadDestroysAWindow)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTop());
    BOOL destroyed = TRUE;
    Worker worker([&] { destroyed = ::DestroyWindow(wnd.m_hWnd); });
    worker.Join();
    EXPECT_FALSE(destroyed);
    EXPECT_TRUE(IsWindow(wnd.m_hWnd));
}

// An object-less window's behaviour comes from its class.
class DialogCodeClass : public vqwin::ClassProcedure {
public:
    LRESULT WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GETDLGCODE)
            return DLGC_WANTCHARS;
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    }
};

class SubclassingWnd : public RecordingWnd {
public:
    void PreSubclassWindow() override { ++subclassed; }
    int subclassed = 0;
};

TEST(CWndTest, ObjectLessWindowsGetTemporaryObjectsUntilSubclassed)
{
    vqwin::RegisterWindowClass("TestControl", []() -> std::unique_ptr<vqwin::ClassProcedure> {
        return std::make_unique<DialogCodeClass>();
    });
    RecordingWnd dialog;
    ASSERT_TRUE(dialog.CreateTop());
    HWND control = CreateWindowEx(0, "testcontrol", "text", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, dialog.m_hWnd,
                                  reinterpret_cast<HMENU>(1001), nullptr, nullptr);
    ASSERT_TRUE(IsWindow(control));
    EXPECT_EQ(::SendMessage(control, WM_GETDLGCODE, 0, 0), static_cast<LRESULT>(DLGC_WANTCHARS));

    CWnd* temporary = dialog.GetDlgItem(1001);
    ASSERT_NE(temporary, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(control), nullptr);
    EXPECT_EQ(dynamic_cast<RecordingWnd*>(temporary), nullptr);

    SubclassingWnd typed;
    EXPECT_TRUE(typed.SubclassDlgItem(1001, &dialog));
    EXPECT_EQ(typed.subclassed, 1);
    EXPECT_EQ(dialog.GetDlgItem(1001), &typed);
    EXPECT_EQ(typed.SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTCHARS));
    EXPECT_EQ(typed.Count(WM_GETDLGCODE), 1);
    EXPECT_FALSE(RecordingWnd().SubclassWindow(control));
    EXPECT_EQ(typed.UnsubclassWindow(), control);
    EXPECT_EQ(CWnd::FromHandlePermanent(control), nullptr);
}

} // namespace
