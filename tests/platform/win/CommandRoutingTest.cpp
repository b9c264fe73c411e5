#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr UINT ID_REFRESH = 32805;
constexpr UINT ID_OPEN = 32825;
constexpr UINT ID_FIRST_PANE = 33000;
constexpr UINT ID_EDIT = 1001;
constexpr UINT ID_LIST = 1002;
constexpr UINT WM_UPDATE_COMMANDS = WM_USER + 1;

class BaseFrame : public RecordingWnd {
public:
    void OnRefresh() { log += "refresh;"; }
    LRESULT OnUpdateCommands(WPARAM id, LPARAM) { log += "update " + std::to_string(id) + ";"; return 1; }
    std::string log;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(BaseFrame, RecordingWnd)
    ON_COMMAND(ID_REFRESH, &BaseFrame::OnRefresh)
    ON_MESSAGE(WM_UPDATE_COMMANDS, &BaseFrame::OnUpdateCommands)
END_MESSAGE_MAP()

class Frame : public BaseFrame {
public:
    void OnOpen() { log += "open;"; }
    void OnUpdateOpen(CCmdUI* cmdUI) { cmdUI->Enable(openEnabled); }
    void OnPane(UINT id) { log += "pane " + std::to_string(id) + ";"; }
    void OnEditChange() { log += "edit changed;"; }
    void OnListClick(NMHDR* header, LRESULT* result)
    {
        log += "list click " + std::to_string(header->idFrom) + ";";
        *result = 5;
    }
    void OnOk() { log += "ok;"; }
    void OnCancel() { log += "cancel;"; }
    BOOL OnHelpInfo(HELPINFO* info)
    {
        log += "help " + std::to_string(info->iCtrlId) + ";";
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* msg) override { return PreTranslateInput(msg); }

    BOOL openEnabled = TRUE;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Frame, BaseFrame)
    ON_COMMAND(ID_OPEN, &Frame::OnOpen)
    ON_UPDATE_COMMAND_UI(ID_OPEN, &Frame::OnUpdateOpen)
    ON_COMMAND_RANGE(ID_FIRST_PANE, ID_FIRST_PANE + 3, &Frame::OnPane)
    ON_EN_CHANGE(ID_EDIT, &Frame::OnEditChange)
    ON_NOTIFY(NM_CLICK, ID_LIST, &Frame::OnListClick)
    ON_COMMAND(IDOK, &Frame::OnOk)
    ON_COMMAND(IDCANCEL, &Frame::OnCancel)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

// A control that handles some of its own notifications when its parent hands them back.
class SelfDrawingList : public RecordingWnd {
public:
    void OnClickReflect(NMHDR*, LRESULT* result)
    {
        log += "own click;";
        *result = 7;
    }
    void OnSelChangeReflect() { log += "own selchange;"; }
    void DrawItem(LPDRAWITEMSTRUCT dis) { log += "draw " + std::to_string(dis->itemID) + ";"; }
    std::string log;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SelfDrawingList, RecordingWnd)
    ON_NOTIFY_REFLECT(NM_CLICK, &SelfDrawingList::OnClickReflect)
    ON_CONTROL_REFLECT(CBN_SELCHANGE, &SelfDrawingList::OnSelChangeReflect)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

LRESULT Notify(CWnd& parent, CWnd& control, UINT code)
{
    NMHDR header{control.m_hWnd, static_cast<UINT_PTR>(control.GetDlgCtrlID()), code};
    return parent.SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

LRESULT Command(CWnd& parent, UINT id, UINT code = 0, HWND control = nullptr)
{
    return parent.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(code)),
                              reinterpret_cast<LPARAM>(control));
}

class CommandRoutingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateTop());
        ASSERT_TRUE(edit.CreateChild(&frame, ID_EDIT, WS_VISIBLE | WS_TABSTOP));
        ASSERT_TRUE(list.CreateChild(&frame, ID_LIST, WS_VISIBLE | WS_TABSTOP));
    }

    Frame frame;
    RecordingWnd edit;
    SelfDrawingList list;
};

TEST_F(CommandRoutingTest, CommandsAndMessagesReachTheirHandlersThroughTheClassChain)
{
    Command(frame, ID_REFRESH);
    Command(frame, ID_OPEN);
    Command(frame, ID_FIRST_PANE + 2);
    EXPECT_EQ(frame.SendMessage(WM_UPDATE_COMMANDS, 32795), 1);
    EXPECT_EQ(Command(frame, 4242), 0);
    EXPECT_EQ(frame.log, "refresh;open;pane 33002;update 32795;");
}

TEST_F(CommandRoutingTest, AMenuCommandIsDroppedWhileItsUpdateHandlerDisablesIt)
{
    frame.openEnabled = FALSE;
    EXPECT_EQ(Command(frame, ID_OPEN), 1);
    EXPECT_EQ(frame.log, "");

    CCmdUI state;
    state.m_nID = ID_OPEN;
    EXPECT_TRUE(state.DoUpdate(&frame, TRUE));
    EXPECT_TRUE(state.m_bEnableChanged);

    state.m_nID = ID_REFRESH; // no update handler: enabled because a handler exists
    state.m_pOther = &edit;
    state.DoUpdate(&frame, TRUE);
    EXPECT_TRUE(edit.IsWindowEnabled());
    state.m_nID = 4242;
    state.DoUpdate(&frame, TRUE);
    EXPECT_FALSE(edit.IsWindowEnabled());

    AFX_CMDHANDLERINFO info{nullptr, nullptr};
    EXPECT_TRUE(frame.OnCmdMsg(ID_REFRESH, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &frame);
    EXPECT_EQ(frame.log, "");
}

TEST_F(CommandRoutingTest, ControlNotificationsGoToTheParentUnlessTheControlHandlesThem)
{
    Command(frame, ID_EDIT, EN_CHANGE, edit.m_hWnd);
    EXPECT_EQ(Notify(frame, list, NM_CLICK), 7);
    Command(frame, ID_LIST, CBN_SELCHANGE, list.m_hWnd);
    EXPECT_EQ(frame.log, "edit changed;");
    EXPECT_EQ(list.log, "own click;own selchange;");

    DRAWITEMSTRUCT dis{ODT_LISTVIEW, ID_LIST, 3, ODA_DRAWENTIRE, 0, list.m_hWnd, nullptr, {0, 0, 10, 10}, 0};
    EXPECT_EQ(frame.SendMessage(WM_DRAWITEM, ID_LIST, reinterpret_cast<LPARAM>(&dis)), TRUE);
    EXPECT_EQ(list.log, "own click;own selchange;draw 3;");
}

TEST_F(CommandRoutingTest, NotificationsTheControlLeavesReachTheParentMap)
{
    EXPECT_EQ(Notify(frame, list, NM_DBLCLK), 0);
    EXPECT_EQ(frame.log, "");

    list.UnsubclassWindow();
    EXPECT_EQ(Notify(frame, *CWnd::FromHandle(::GetDlgItem(frame.m_hWnd, ID_LIST)), NM_CLICK), 5);
    EXPECT_EQ(frame.log, "list click 1002;");
}

TEST_F(CommandRoutingTest, DialogKeysMoveTheFocusAndPressOkOrCancel)
{
    edit.SetFocus();
    EXPECT_EQ(CWnd::GetFocus(), &edit);
    EXPECT_EQ(edit.Count(WM_SETFOCUS), 1);

    edit.PostMessage(WM_KEYDOWN, VK_TAB);
    edit.PostMessage(WM_KEYDOWN, VK_RETURN);
    vqwin::PumpPending();
    EXPECT_EQ(CWnd::GetFocus(), &list);
    EXPECT_EQ(edit.Count(WM_KILLFOCUS), 1);
    EXPECT_EQ(list.Count(WM_CHAR), 0);
    list.PostMessage(WM_KEYDOWN, VK_ESCAPE);
    vqwin::PumpPending();
    EXPECT_EQ(frame.log, "ok;cancel;");

    list.PostMessage(WM_KEYDOWN, VK_TAB);
    vqwin::PumpPending();
    EXPECT_EQ(CWnd::GetFocus(), &edit);
}

TEST_F(CommandRoutingTest, F1AsksTheDialogForHelpOnTheFocusedControl)
{
    edit.SetFocus();
    edit.PostMessage(WM_KEYDOWN, VK_F1);
    vqwin::PumpPending();
    EXPECT_EQ(frame.log, "help 1001;");
}

class TabbingView : public RecordingWnd {
public:
    void OnChar(UINT ch, UINT, UINT) { chars += static_cast<char>(ch); }
    std::string chars;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TabbingView, RecordingWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(CommandRoutingWithoutDialogTest, WindowsOutsideDialogsGetTabAsACharacter)
{
    RecordingWnd frame;
    ASSERT_TRUE(frame.CreateTop());
    TabbingView view;
    ASSERT_TRUE(view.CreateChild(&frame, 1));
    view.SetFocus();
    view.PostMessage(WM_KEYDOWN, VK_TAB);
    view.PostMessage(WM_KEYDOWN, VK_ADD);
    vqwin::PumpPending();
    EXPECT_EQ(view.chars, "\t+");
}

} // namespace
