#include "win/CListCtrl.h"
#include "win/Input.h"
#include "win/UserActions.h"

#include "ListCtrlTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using vqui::UserActionError;
namespace user = vqui::user;

TEST(ListCtrlUserTest, SelectingARowMovesTheSelectionThenClicks)
{
    ListFixture f(LVS_REPORT | LVS_SINGLESEL);
    f.AddRows({"a", "b", "c"});
    user::SelectIndex(f.list, 1);
    EXPECT_EQ(GetFocus(), f.list.m_hWnd);
    EXPECT_EQ(f.parent.Log(), (std::vector<std::string>{"setfocus", "changing 1 0>3", "changed 1 0>3", "click 1"}));
    f.parent.notices.clear();
    user::SelectIndex(f.list, 2);
    EXPECT_EQ(f.parent.Log(), (std::vector<std::string>{"changing 1 3>0", "changed 1 3>0", "changing 2 0>3",
                                                        "changed 2 0>3", "click 2"}));
    f.parent.notices.clear();
    user::SelectIndex(f.list, -1); // below the rows
    EXPECT_EQ(f.parent.Log(), (std::vector<std::string>{"changing 2 3>0", "changed 2 3>0", "click -1"}));
    EXPECT_THROW(user::SelectIndex(f.list, 3), UserActionError);
}

TEST(ListCtrlUserTest, ADoubleClickSelectsThenSendsBothClicks)
{
    ListFixture f;
    f.AddRows({"a", "b"});
    user::DoubleClick(f.list, 0);
    EXPECT_EQ(f.parent.Log(),
              (std::vector<std::string>{"setfocus", "changing 0 0>3", "changed 0 0>3", "click 0", "double-click 0"}));
    POINT cursor{};
    GetCursorPos(&cursor);
    CRect label;
    f.list.GetItemRect(0, &label, LVIR_LABEL);
    EXPECT_TRUE(label.PtInRect(cursor)); // the parent sits at the screen's origin
}

TEST(ListCtrlUserTest, CtrlClicksCollectRowsOfAMultipleSelectionList)
{
    ListFixture f(LVS_REPORT);
    f.AddRows({"a", "b", "c"});
    user::SelectIndex(f.list, 0);
    {
        vqwin::KeysHeld ctrl{VK_CONTROL};
        user::SelectIndex(f.list, 2);
        user::SelectIndex(f.list, 0);
    }
    EXPECT_EQ(f.list.GetSelectedCount(), 1u);
    EXPECT_EQ(f.list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(f.list.GetNextItem(-1, LVNI_FOCUSED), 0);
    CRect row;
    f.list.GetItemRect(1, &row, LVIR_BOUNDS);
    user::ClickAt(f.list, CPoint(170, row.top + 2)); // a click on a sub-item selects its row
    EXPECT_EQ(f.list.GetSelectedCount(), 1u);
    EXPECT_EQ(f.parent.Log().back(), "click 1");
    EXPECT_EQ(f.parent.notices.back().subItem, 2);
}

TEST(ListCtrlUserTest, HeaderClicksReportTheColumnUnlessTheHeaderHasNoButtons)
{
    ListFixture f;
    user::ClickColumnHeader(f.list, 2);
    EXPECT_EQ(f.parent.Log(), std::vector<std::string>{"column 2"});
    EXPECT_THROW(user::ClickColumnHeader(f.list, 3), UserActionError);
    f.parent.notices.clear();
    f.list.ModifyStyle(0, LVS_NOSORTHEADER);
    user::ClickColumnHeader(f.list, 1);
    EXPECT_TRUE(f.parent.Log().empty());
    f.list.ModifyStyle(0, LVS_NOCOLUMNHEADER);
    EXPECT_THROW(user::ClickColumnHeader(f.list, 1), UserActionError);
}

namespace {

// A list that keeps the characters it receives, as views do with their own handlers.
class CharList : public CListCtrl {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CHAR)
            chars += static_cast<char>(wParam);
        return CListCtrl::WindowProc(message, wParam, lParam);
    }
    std::string chars;
};

} // namespace

TEST(ListCtrlUserTest, KeysAreReportedBeforeTheFocusMoves)
{
    ListParent parent;
    parent.CreateTop();
    CharList list;
    list.Create(WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, CRect(0, 0, 200, 100), &parent, 7);
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
    for (const char* name : {"a", "b", "c"})
        list.InsertItem(list.GetItemCount(), name);
    list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    parent.notices.clear();
    user::PressKey(list, VK_DOWN);
    EXPECT_EQ(parent.Log(), (std::vector<std::string>{"setfocus", "key 40", "changing 0 3>0", "changed 0 3>0",
                                                      "changing 1 0>3", "changed 1 0>3"}));
    parent.notices.clear();
    user::PressKey(list, VK_INSERT);
    user::PressKey(list, VK_END);
    user::PressKey(list, VK_ADD);
    user::PressKey(list, VK_RETURN);
    EXPECT_EQ(parent.Log(),
              (std::vector<std::string>{"key 45", "key 35", "changing 1 3>0", "changed 1 3>0", "changing 2 0>3",
                                        "changed 2 0>3", "key 107", "key 13", "return"}));
    EXPECT_EQ(list.chars, "+\r");
}

TEST(ListCtrlUserTest, ARightClickSelectsTheRowAndAsksForAContextMenu)
{
    ListFixture f;
    f.AddRows({"a", "b", "c"});
    f.list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    f.list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    f.parent.notices.clear();
    CRect row;
    f.list.GetItemRect(1, &row, LVIR_LABEL);
    user::OpenContextMenu(f.list, CPoint(row.left + 3, row.top + 3)); // a selected row keeps the selection
    EXPECT_EQ(f.list.GetSelectedCount(), 2u);
    f.list.GetItemRect(2, &row, LVIR_LABEL);
    user::OpenContextMenu(f.list, CPoint(row.left + 3, row.top + 3));
    EXPECT_EQ(f.list.GetSelectedCount(), 1u);
    EXPECT_EQ(f.parent.Log().back(), "right-click 2");
    ASSERT_EQ(f.parent.contextMenus.size(), 2u); // passed on to the parent by default
    EXPECT_EQ(f.parent.contextMenus[1], MAKELPARAM(static_cast<WORD>(row.left + 3), static_cast<WORD>(row.top + 3)));
}

// Beside the rows the button going down clears the selection before the menu is asked for,
// as a left click there does; Ctrl held over a list that selects several keeps it.
TEST(ListCtrlUserTest, ARightClickBelowTheRowsSelectsNothing)
{
    const struct {
        DWORD style;
        bool ctrl;
        UINT selectedAfter;
    } cases[] = {{LVS_REPORT, false, 0u}, {LVS_REPORT | LVS_SINGLESEL, false, 0u}, {LVS_REPORT, true, 2u},
                 {LVS_REPORT | LVS_SINGLESEL, true, 0u}};
    for (const auto& c : cases) {
        ListFixture f(c.style);
        f.AddRows({"a", "b", "c"});
        f.list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        if (!(c.style & LVS_SINGLESEL))
            f.list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
        CRect client;
        f.list.GetClientRect(&client);
        {
            vqwin::KeysHeld held(c.ctrl ? std::vector<UINT>{VK_CONTROL} : std::vector<UINT>{});
            user::OpenContextMenu(f.list, CPoint(client.right - 2, client.bottom - 2));
        }
        EXPECT_EQ(f.list.GetSelectedCount(), c.selectedAfter) << c.style << " ctrl " << c.ctrl;
        EXPECT_EQ(f.parent.Log().back(), "right-click -1");
        EXPECT_EQ(f.parent.contextMenus.size(), 1u);
    }
}

TEST(ListCtrlUserTest, ChecksChangeTheRowsStateImage)
{
    ListFixture f;
    f.AddRows({"a", "b"});
    EXPECT_THROW(user::CheckItem(f.list, 0, TRUE), UserActionError);
    f.list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    f.list.SetCheck(0, FALSE);
    f.list.SetCheck(1, FALSE);
    f.parent.notices.clear();
    user::CheckItem(f.list, 1, TRUE);
    EXPECT_TRUE(f.list.GetCheck(1));
    EXPECT_FALSE(f.list.GetCheck(0));
    EXPECT_EQ(f.parent.Log(),
              (std::vector<std::string>{"setfocus", "changing 1 4096>8192", "changed 1 4096>8192", "click 1"}));
}

namespace {

// A list whose own message map takes the notifications its parent hands back.
class ReflectingList : public CListCtrl {
public:
    void OnItemChanged(NMHDR* header, LRESULT* result)
    {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
            selectionChanges.push_back(change->iItem);
        *result = 0;
    }
    void OnDoubleClick(NMHDR*, LRESULT* result)
    {
        ++doubleClicks;
        *result = 0;
    }
    std::vector<int> selectionChanges;
    int doubleClicks = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingList, CListCtrl)
ON_NOTIFY_REFLECT(LVN_ITEMCHANGED, &ReflectingList::OnItemChanged)
ON_NOTIFY_REFLECT(NM_DBLCLK, &ReflectingList::OnDoubleClick)
END_MESSAGE_MAP()

} // namespace

TEST(ListCtrlUserTest, NotificationsAreHandedBackToASubclassedList)
{
    ListParent parent;
    parent.CreateTop();
    vqwin::RegisterListViewClasses();
    HWND made = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL, 0, 0, 200, 100,
                               parent, reinterpret_cast<HMENU>(1427), nullptr, nullptr);
    ASSERT_NE(made, nullptr);
    SendMessage(made, LVM_INSERTITEM, 0, [] {
        static LVITEM item{LVIF_TEXT, 0, 0, 0, 0, const_cast<LPSTR>("kept"), 0, 0, 0, 0};
        return reinterpret_cast<LPARAM>(&item);
    }());
    ReflectingList list;
    ASSERT_TRUE(list.SubclassDlgItem(1427, &parent)); // made from a template, subclassed later
    EXPECT_EQ(list.GetItemText(0, 0), "kept");
    list.InsertItem(1, "more");
    user::SelectIndex(list, 0);
    user::DoubleClick(list, 1);
    EXPECT_EQ(list.selectionChanges, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(list.doubleClicks, 1);
}

namespace {

// A parent that destroys the list as soon as a row is selected, as a dialog may close itself.
class ClosingParent : public ListParent {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == LVN_ITEMCHANGED)
            ::DestroyWindow(reinterpret_cast<NMHDR*>(lParam)->hwndFrom);
        return ListParent::WindowProc(message, wParam, lParam);
    }
};

} // namespace

TEST(ListCtrlUserTest, AListDestroyedByItsOwnNoticeEndsTheActionQuietly)
{
    ClosingParent parent;
    parent.CreateTop();
    vqwin::RegisterListViewClasses();
    HWND list = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 200, 100, parent,
                               reinterpret_cast<HMENU>(5), nullptr, nullptr);
    LVITEM item{LVIF_TEXT, 0, 0, 0, 0, const_cast<LPSTR>("row"), 0, 0, 0, 0};
    SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    parent.notices.clear();
    user::DoubleClick(list, 1);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(parent.Log(), (std::vector<std::string>{"setfocus", "changing 1 0>3", "changed 1 0>3"}));
}
