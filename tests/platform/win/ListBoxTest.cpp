#include "ControlTestSupport.h"

#include "win/CButton.h"
#include "win/CCheckListBox.h"
#include "win/CString.h"
#include "win/DisplayList.h"
#include "win/Gdi.h"
#include "win/UserActions.h"

#include <gtest/gtest.h>

namespace {

using vqui::UserActionError;

constexpr int kListId = 1002;

class ListBoxTest : public ::testing::Test {
protected:
    CListBox& Make(DWORD style, std::initializer_list<const char*> items = {})
    {
        list.Create(WS_VISIBLE | style, CRect(0, 0, 120, 200), &parent, kListId);
        for (const char* item : items)
            list.AddString(item);
        parent.Clear();
        return list;
    }

    std::vector<std::string> Items() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetText(i, text);
            texts.emplace_back(text.GetString());
        }
        return texts;
    }

    ParentWnd parent;
    CListBox list;
};

TEST_F(ListBoxTest, SortedAndUnsortedBoxesPlaceTheirItems)
{
    Make(LBS_SORT | LBS_NOTIFY, {"Sales", "finance", "Admin"});
    EXPECT_EQ(Items(), (std::vector<std::string>{"Admin", "finance", "Sales"}));
    EXPECT_EQ(list.AddString("Billing"), 1);

    CListBox plain;
    plain.Create(WS_VISIBLE, CRect(0, 0, 10, 10), &parent, kListId + 1);
    plain.AddString("b");
    plain.AddString("a");
    plain.InsertString(1, "c");
    CString text;
    plain.GetText(1, text);
    EXPECT_EQ(text, "c");
    EXPECT_EQ(plain.GetTextLen(2), 1);
    EXPECT_EQ(plain.GetTextLen(3), LB_ERR);
}

TEST_F(ListBoxTest, ASingleSelectionFollowsItsItemAndIsSetWithoutNotice)
{
    Make(LBS_SORT | LBS_NOTIFY, {"b", "d"});
    list.SetItemDataPtr(1, &list);
    EXPECT_EQ(list.SetCurSel(1), 1);
    list.AddString("a");
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.GetItemDataPtr(2), &list);
    EXPECT_GT(list.GetSel(2), 0);
    EXPECT_EQ(list.GetSel(1), 0);
    EXPECT_EQ(list.SelectString(-1, "B"), 1);
    EXPECT_EQ(list.FindStringExact(-1, "D"), 2);
    EXPECT_EQ(list.SetSel(0), LB_ERR) << "one selection is set with SetCurSel";
    EXPECT_EQ(list.GetSelCount(), LB_ERR);
    list.DeleteString(1);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_TRUE(parent.notices.empty());
    list.ResetContent();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST_F(ListBoxTest, UserClicksNotifyOnlyABoxThatAsksForIt)
{
    Make(LBS_NOTIFY, {"one", "two"});
    vqui::user::SelectIndex(list, 1);
    vqui::user::SelectText(list, "TWO");
    vqui::user::DoubleClick(list, 0);
    EXPECT_EQ(parent.Codes(kListId),
              (std::vector<UINT>{LBN_SETFOCUS, LBN_SELCHANGE, LBN_SELCHANGE, LBN_SELCHANGE, LBN_DBLCLK}));
    EXPECT_EQ(list.GetCurSel(), 0);
    EXPECT_THROW(vqui::user::SelectIndex(list, 2), UserActionError);
    EXPECT_THROW(vqui::user::SelectText(list, "three"), UserActionError);

    CListBox quiet;
    quiet.Create(WS_VISIBLE, CRect(0, 0, 10, 10), &parent, kListId + 1);
    quiet.AddString("x");
    vqui::user::SelectIndex(quiet, 0);
    EXPECT_EQ(parent.Codes(kListId + 1), (std::vector<UINT>{LBN_SETFOCUS}));
    EXPECT_EQ(quiet.GetCurSel(), 0);
}

TEST_F(ListBoxTest, BoxesOfManySelectionsToggleOrReplaceTheirSelection)
{
    Make(LBS_MULTIPLESEL | LBS_NOTIFY, {"a", "b", "c"});
    vqui::user::SelectIndex(list, 0);
    vqui::user::SelectIndex(list, 2);
    vqui::user::SelectIndex(list, 0);
    EXPECT_EQ(list.GetSelCount(), 1);
    int selected[3] = {};
    EXPECT_EQ(list.GetSelItems(3, selected), 1);
    EXPECT_EQ(selected[0], 2);
    EXPECT_EQ(list.GetCurSel(), 0) << "the item with the caret";
    list.SetSel(-1, TRUE);
    EXPECT_EQ(list.GetSelCount(), 3);
    EXPECT_EQ(list.SetCurSel(1), LB_ERR);

    CListBox extended;
    extended.Create(WS_VISIBLE | LBS_EXTENDEDSEL, CRect(0, 0, 10, 10), &parent, kListId + 1);
    for (const char* text : {"a", "b", "c"})
        extended.AddString(text);
    extended.SetSel(0);
    extended.SetSel(1);
    vqui::user::SelectIndex(extended, 2);
    EXPECT_EQ(extended.GetSelCount(), 1);
    EXPECT_GT(extended.GetSel(2), 0);
}

TEST_F(ListBoxTest, ArrowKeysMoveTheSelection)
{
    Make(LBS_NOTIFY, {"a", "b"});
    vqui::user::PressKey(list, VK_DOWN);
    vqui::user::PressKey(list, VK_DOWN);
    vqui::user::PressKey(list, VK_DOWN);
    EXPECT_EQ(list.GetCurSel(), 1);
    vqui::user::PressKey(list, VK_UP);
    EXPECT_EQ(list.GetCurSel(), 0);
}

TEST_F(ListBoxTest, APlainBoxPaintsItsTexts)
{
    Make(0, {"first", "second"});
    list.UpdateWindow();
    auto drawn = vqwin::GetWindowDisplayList(list);
    const vqwin::DisplayOp* second = drawn->FindText("second");
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->rect.top, list.GetItemHeight(0));
}

class RecordingCheckList : public CCheckListBox {
public:
    void DrawItem(LPDRAWITEMSTRUCT dis) override
    {
        drawn.push_back(*dis);
        CCheckListBox::DrawItem(dis);
    }
    std::vector<DRAWITEMSTRUCT> drawn;
};

class CheckListBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(list.Create(WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY, CRect(0, 0, 150, 200),
                                &parent, 1815));
        for (const char* language : {"COBOL", "Java", "C#"})
            list.AddString(language);
        parent.Clear();
    }

    ParentWnd parent;
    RecordingCheckList list;
};

TEST_F(CheckListBoxTest, ChecksAreSetByTheProgramWithoutNotice)
{
    list.SetCheck(1, 1);
    list.SetCheck(2, 2);
    EXPECT_EQ(list.GetCheck(0), 0);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(list.GetCheck(2), 1) << "a two-state box has no third state";
    list.SetCheckStyle(BS_AUTO3STATE);
    list.SetCheck(2, 2);
    EXPECT_EQ(list.GetCheck(2), 2);
    EXPECT_TRUE(parent.notices.empty());

    list.DeleteString(0);
    EXPECT_EQ(list.GetCheck(0), 1) << "checks move with their items";
    EXPECT_EQ(list.GetCheck(5), LB_ERR);
}

TEST_F(CheckListBoxTest, AUserCheckNotifiesTheChangeAndThenTheSelection)
{
    vqui::user::CheckItem(list, 1, TRUE);
    EXPECT_EQ(list.GetCheck(1), 1);
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(parent.Codes(1815), (std::vector<UINT>{LBN_SETFOCUS, CLBN_CHKCHANGE, LBN_SELCHANGE}));

    parent.Clear();
    vqui::user::CheckItem(list, 1, TRUE);
    EXPECT_EQ(parent.Codes(1815), std::vector<UINT>{LBN_SELCHANGE}) << "no change, but still a click";

    vqui::user::PressKey(list, VK_SPACE);
    EXPECT_EQ(list.GetCheck(1), 0);
}

TEST_F(CheckListBoxTest, ATemplateListGetsItsChecksWhenSubclassed)
{
    HWND hwnd = MakeControl("ListBox", LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, parent, 1831);
    SendMessage(hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Bundle"));
    EXPECT_THROW(vqui::user::CheckItem(hwnd, 0, TRUE), UserActionError) << "a plain list box has no checks";
    CCheckListBox late;
    ASSERT_TRUE(late.SubclassDlgItem(1831, &parent));
    EXPECT_EQ(late.GetCheckStyle(), BS_AUTOCHECKBOX);
    vqui::user::CheckItem(late, 0, TRUE);
    EXPECT_EQ(late.GetCheck(0), 1);
}

TEST_F(CheckListBoxTest, ItemsAreDrawnThroughTheObjectWithTheirChecks)
{
    list.SetCheck(0, 1);
    list.SetCurSel(2);
    list.UpdateWindow();
    ASSERT_EQ(list.drawn.size(), 3u);
    EXPECT_EQ(list.drawn[0].CtlType, ODT_LISTBOX);
    EXPECT_EQ(list.drawn[2].itemID, 2u);
    EXPECT_EQ(list.drawn[2].itemState, static_cast<UINT>(ODS_SELECTED));
    const int height = list.GetItemHeight(0);
    EXPECT_EQ(CRect(list.drawn[1].rcItem), CRect(0, height, 150, 2 * height));
    auto drawn = vqwin::GetWindowDisplayList(list);
    EXPECT_NE(drawn->FindText("Java"), nullptr);
}

} // namespace
