#include "ControlTestSupport.h"

#include "win/CComboBox.h"
#include "win/CString.h"
#include "win/UserActions.h"

#include <gtest/gtest.h>

namespace {

using vqui::UserActionError;

constexpr int kComboId = 1021;
constexpr DWORD kSortedList = CBS_DROPDOWNLIST | CBS_SORT | CBS_HASSTRINGS;

class ComboBoxTest : public ::testing::Test {
protected:
    CComboBox& Make(DWORD style, std::initializer_list<const char*> items = {})
    {
        combo.Create(WS_VISIBLE | style, CRect(10, 20, 160, 120), &parent, kComboId);
        for (const char* item : items)
            combo.AddString(item);
        parent.Clear();
        return combo;
    }

    std::vector<std::string> Items() const
    {
        std::vector<std::string> texts;
        for (int i = 0; i < combo.GetCount(); ++i) {
            CString text;
            combo.GetLBText(i, text);
            texts.emplace_back(text.GetString());
        }
        return texts;
    }

    ParentWnd parent;
    CComboBox combo;
};

TEST_F(ComboBoxTest, ASortedBoxPlacesItemsByTextWithoutRegardToCaseAndKeepsABlankFirst)
{
    Make(kSortedList);
    EXPECT_EQ(combo.AddString("beta"), 0);
    EXPECT_EQ(combo.AddString("Alpha"), 0);
    EXPECT_EQ(combo.AddString(" "), 0);
    EXPECT_EQ(combo.AddString("alpha2"), 2);
    EXPECT_EQ(combo.AddString("ALPHA"), 2) << "after the equal item already there";
    EXPECT_EQ(combo.AddString(" All Reports"), 1);
    EXPECT_EQ(Items(), (std::vector<std::string>{" ", " All Reports", "Alpha", "ALPHA", "alpha2", "beta"}));

    EXPECT_EQ(combo.InsertString(0, "zulu"), 0) << "an insertion is never sorted";
    EXPECT_EQ(combo.InsertString(-1, "end"), 7);
    EXPECT_EQ(combo.InsertString(99, "past"), CB_ERR);
}

TEST_F(ComboBoxTest, SelectStringMatchesTheBeginningAndFindStringExactTheWholeTextIgnoringCase)
{
    Make(kSortedList, {"ABCD", "ABC", "xyz", "Abc"});
    EXPECT_EQ(Items(), (std::vector<std::string>{"ABC", "Abc", "ABCD", "xyz"}));
    EXPECT_EQ(combo.SelectString(-1, "ab"), 0);
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(WindowText(combo), "ABC");
    EXPECT_EQ(combo.SelectString(0, "ab"), 1) << "the search starts after the given item";
    EXPECT_EQ(combo.SelectString(2, "ab"), 0) << "and goes round to the top";
    EXPECT_EQ(combo.SelectString(-1, "q"), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 0) << "a failed search keeps the selection";

    EXPECT_EQ(combo.FindStringExact(-1, "abcd"), 2);
    EXPECT_EQ(combo.FindStringExact(-1, "abc"), 0);
    EXPECT_EQ(combo.FindStringExact(0, "abc"), 1);
    EXPECT_EQ(combo.FindStringExact(-1, "ab"), CB_ERR);
    EXPECT_EQ(combo.FindString(-1, "XY"), 3);
    EXPECT_EQ(combo.SelectString(-1, ""), CB_ERR) << "an empty text finds nothing";
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_TRUE(parent.notices.empty()) << "the program's changes notify nothing";
}

TEST_F(ComboBoxTest, TheSelectionFollowsItsItemAndTheFieldShowsIt)
{
    Make(kSortedList, {"b", "d"});
    combo.SetCurSel(1);
    combo.SetItemData(1, 0xD);
    combo.AddString("a");
    EXPECT_EQ(combo.GetCurSel(), 2) << "an item sorted in before the selection moves it down";
    EXPECT_EQ(combo.GetItemData(2), 0xDu);
    EXPECT_EQ(WindowText(combo), "d");
    combo.DeleteString(0);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.DeleteString(1), 1);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(WindowText(combo), "");
    EXPECT_EQ(combo.GetItemData(5), static_cast<DWORD_PTR>(CB_ERR));

    combo.SetWindowText("B");
    EXPECT_EQ(combo.GetCurSel(), 0) << "a drop-down list takes a text that an item has";
    EXPECT_EQ(WindowText(combo), "b");
    EXPECT_EQ(combo.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("nothing")), CB_ERR);
    EXPECT_EQ(WindowText(combo), "b");

    EXPECT_EQ(combo.SetCurSel(-1), CB_ERR);
    EXPECT_EQ(WindowText(combo), "");
    combo.SetCurSel(0);
    combo.ResetContent();
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(WindowText(combo), "");
}

TEST_F(ComboBoxTest, AUserChoiceNotifiesInTheOrderOfTheRealControl)
{
    Make(kSortedList, {"one", "three", "two"});
    vqui::user::SelectIndex(combo, 1);
    EXPECT_EQ(parent.Codes(kComboId),
              (std::vector<UINT>{CBN_SETFOCUS, CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_FALSE(combo.GetDroppedState());

    parent.Clear();
    vqui::user::SelectText(combo, "THREE");
    EXPECT_EQ(parent.Codes(kComboId), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELENDOK, CBN_CLOSEUP}))
        << "choosing the selected item again changes nothing";

    parent.Clear();
    vqui::user::DropDown(combo, TRUE);
    EXPECT_TRUE(combo.GetDroppedState());
    vqui::user::SelectIndex(combo, 2);
    vqui::user::DropDown(combo, TRUE);
    vqui::user::DropDown(combo, FALSE);
    EXPECT_EQ(parent.Codes(kComboId), (std::vector<UINT>{CBN_DROPDOWN, CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP,
                                                         CBN_DROPDOWN, CBN_SELENDCANCEL, CBN_CLOSEUP}));

    EXPECT_THROW(vqui::user::SelectIndex(combo, 3), UserActionError);
    EXPECT_THROW(vqui::user::SelectText(combo, "four"), UserActionError);
}

TEST_F(ComboBoxTest, DuringSelChangeOnlyADropDownListShowsTheNewText)
{
    std::string seen;
    parent.onCommand = [&](const Notice& notice) {
        if (notice.code == CBN_SELCHANGE)
            seen = WindowText(GetDlgItem(parent, notice.id));
    };
    Make(kSortedList, {"first", "second"});
    combo.SetCurSel(0);
    vqui::user::SelectIndex(combo, 1);
    EXPECT_EQ(seen, "second");

    CComboBox editable;
    editable.Create(WS_VISIBLE | CBS_DROPDOWN | CBS_SORT, CRect(0, 0, 100, 100), &parent, kComboId + 1);
    editable.AddString("first");
    editable.AddString("second");
    editable.SetCurSel(0);
    vqui::user::SelectIndex(editable, 1);
    EXPECT_EQ(seen, "first");
    EXPECT_EQ(WindowText(editable), "second");
}

TEST_F(ComboBoxTest, TypedTextIsUpperCasedLimitedAndNotifiedAsAnEditChange)
{
    Make(CBS_DROPDOWN | CBS_SORT | CBS_UPPERCASE, {"PACKA", "PACKB"});
    combo.LimitText(6);
    vqui::user::Type(combo, "packc12");
    EXPECT_EQ(WindowText(combo), "PACKC1");
    const std::vector<UINT> codes = parent.Codes(kComboId);
    ASSERT_EQ(codes.size(), 1u + 2 * 6);
    EXPECT_EQ(codes[0], CBN_SETFOCUS);
    EXPECT_EQ(codes[1], CBN_EDITUPDATE);
    EXPECT_EQ(codes[2], CBN_EDITCHANGE);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);

    vqui::user::ReplaceText(combo, "packb");
    EXPECT_EQ(WindowText(combo), "PACKB");
    EXPECT_EQ(combo.GetCurSel(), 1) << "the list follows the text of the edit";
    vqui::user::ReplaceText(combo, "");
    EXPECT_EQ(WindowText(combo), "") << "replacing with nothing erases the text";
    vqui::user::ReplaceText(combo, "packb");
    vqui::user::PressKey(combo, VK_BACK);
    EXPECT_EQ(WindowText(combo), "PACK");

    CComboBox lower;
    lower.Create(WS_VISIBLE | CBS_DROPDOWN, CRect(0, 0, 100, 100), &parent, kComboId + 1);
    vqui::user::Type(lower, "Pack");
    EXPECT_EQ(WindowText(lower), "Pack") << "without the upper-case style the case stays";

    CComboBox list;
    list.Create(WS_VISIBLE | kSortedList, CRect(0, 0, 100, 100), &parent, kComboId + 2);
    EXPECT_THROW(vqui::user::Type(list, "x"), UserActionError);
}

TEST_F(ComboBoxTest, ProgramTextOfAnEditableBoxNotifiesNothingAndMovesTheListSelection)
{
    Make(CBS_DROPDOWN | CBS_SORT, {"alpha", "beta"});
    combo.SetWindowText("be");
    EXPECT_EQ(WindowText(combo), "be");
    EXPECT_EQ(combo.GetCurSel(), 1);
    combo.SetWindowText("gamma");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_TRUE(parent.notices.empty());
    combo.SetCurSel(0);
    EXPECT_EQ(combo.GetEditSel(), MAKELONG(0, 5)) << "a chosen item's text is selected in the edit";
}

// The option binders tell a value chosen from the list from a typed one by the notices alone.
TEST_F(ComboBoxTest, TheNoticesTellAChoiceFromTheListFromTypedText)
{
    bool chosen = false;
    parent.onCommand = [&](const Notice& notice) {
        if (notice.code == CBN_SELCHANGE || notice.code == CBN_CLOSEUP || notice.code == CBN_SELENDOK)
            chosen = true;
        if (notice.code == CBN_EDITCHANGE || notice.code == CBN_EDITUPDATE)
            chosen = false;
    };
    Make(CBS_DROPDOWN | CBS_SORT, {"PACK-LONG-NAME", "OTHER"});
    vqui::user::ReplaceText(combo, "pack");
    EXPECT_FALSE(chosen);
    EXPECT_EQ(combo.GetCurSel(), 1) << "the list follows the typed text";
    vqui::user::SelectText(combo, "pack-long-name");
    EXPECT_TRUE(chosen);
    EXPECT_EQ(WindowText(combo), "PACK-LONG-NAME");
    CString text;
    combo.GetLBText(combo.GetCurSel(), text);
    EXPECT_EQ(text, "PACK-LONG-NAME");
    vqui::user::Type(combo, "X");
    EXPECT_FALSE(chosen);
    EXPECT_EQ(WindowText(combo), "X") << "the chosen text is selected in the edit";
}

TEST_F(ComboBoxTest, LosingTheFocusWithTheListOpenCancelsTheChoice)
{
    Make(kSortedList, {"a"});
    HWND other = MakeControl("Edit", 0, parent, 7);
    vqui::user::DropDown(combo, TRUE);
    parent.Clear();
    SetFocus(other);
    const std::vector<UINT> expected{CBN_SELENDCANCEL, CBN_CLOSEUP, CBN_KILLFOCUS};
    EXPECT_EQ(parent.Codes(kComboId), expected);
}

TEST_F(ComboBoxTest, ArrowKeysOnAClosedListChooseAtOnceAndInAnOpenListOnlyMoveTheSelection)
{
    std::vector<std::string> chosen;
    parent.onCommand = [&](const Notice& notice) {
        if (notice.code == CBN_SELENDOK)
            chosen.push_back(WindowText(GetDlgItem(parent, notice.id)));
    };
    Make(kSortedList, {"a", "b"});
    vqui::user::PressKey(combo, VK_DOWN);
    EXPECT_EQ(combo.GetCurSel(), 0);
    vqui::user::PressKey(combo, VK_DOWN);
    vqui::user::PressKey(combo, VK_DOWN);
    EXPECT_EQ(combo.GetCurSel(), 1);
    vqui::user::PressKey(combo, VK_UP);
    EXPECT_EQ(combo.GetCurSel(), 0);
    EXPECT_EQ(parent.Codes(kComboId), (std::vector<UINT>{CBN_SETFOCUS, CBN_SELENDOK, CBN_SELCHANGE, CBN_SELENDOK,
                                                         CBN_SELCHANGE, CBN_SELENDOK, CBN_SELCHANGE}))
        << "the last item stays chosen at a further Down";
    EXPECT_EQ(chosen, (std::vector<std::string>{"a", "b", "a"})) << "the choice is shown when it is announced";

    vqui::user::DropDown(combo, TRUE);
    parent.Clear();
    vqui::user::PressKey(combo, VK_DOWN);
    vqui::user::PressKey(combo, VK_RETURN);
    EXPECT_EQ(parent.Codes(kComboId), (std::vector<UINT>{CBN_SELCHANGE, CBN_SELENDOK, CBN_CLOSEUP}));
    EXPECT_EQ(combo.GetCurSel(), 1);
}

TEST_F(ComboBoxTest, ArrowKeysOnAnEmptyListNotifyNothing)
{
    Make(kSortedList);
    vqui::user::PressKey(combo, VK_DOWN);
    vqui::user::PressKey(combo, VK_UP);
    EXPECT_EQ(parent.Codes(kComboId), std::vector<UINT>{CBN_SETFOCUS});
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
}

TEST_F(ComboBoxTest, TheDroppedRectangleIsTheBoxOnTheScreen)
{
    parent.MoveWindow(100, 50, 300, 200);
    Make(kSortedList);
    CRect dropped;
    combo.GetDroppedControlRect(&dropped);
    EXPECT_EQ(dropped, CRect(110, 70, 260, 170));
}

class OwnerDrawnCombo : public CComboBox {
public:
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override
    {
        measured.push_back(*mis);
        mis->itemHeight = 20 + static_cast<UINT>(measured.size());
    }
    void DrawItem(LPDRAWITEMSTRUCT dis) override { drawn.push_back(*dis); }

    std::vector<MEASUREITEMSTRUCT> measured;
    std::vector<DRAWITEMSTRUCT> drawn;
};

TEST_F(ComboBoxTest, AFixedOwnerDrawnBoxMeasuresOnceAndDrawsItsFieldWithTheSelectedItem)
{
    OwnerDrawnCombo box;
    ASSERT_TRUE(box.Create(WS_VISIBLE | kSortedList | CBS_OWNERDRAWFIXED, CRect(0, 0, 100, 120), &parent, 1292));
    ASSERT_EQ(box.measured.size(), 2u);
    EXPECT_EQ(box.measured[0].itemID, static_cast<UINT>(-1));
    EXPECT_EQ(box.measured[1].itemID, 0u);
    EXPECT_EQ(box.GetItemHeight(-1), 21);
    EXPECT_EQ(box.GetItemHeight(0), 22);
    box.AddString("host2");
    box.AddString("host1");
    EXPECT_EQ(box.measured.size(), 2u) << "a fixed-height box does not measure its items";

    box.UpdateWindow();
    ASSERT_EQ(box.drawn.size(), 1u);
    EXPECT_EQ(box.drawn[0].CtlType, ODT_COMBOBOX);
    EXPECT_EQ(box.drawn[0].itemID, static_cast<UINT>(-1)) << "nothing selected";
    EXPECT_TRUE(box.drawn[0].itemState & ODS_COMBOBOXEDIT);
    EXPECT_EQ(CRect(box.drawn[0].rcItem), CRect(0, 0, 100, 21));

    box.SetItemData(0, 0xAB);
    box.SetCurSel(0);
    vqui::user::DropDown(box, TRUE);
    box.drawn.clear();
    box.UpdateWindow();
    ASSERT_EQ(box.drawn.size(), 3u);
    EXPECT_EQ(box.drawn[0].itemID, 0u);
    EXPECT_EQ(box.drawn[0].itemData, 0xABu);
    EXPECT_EQ(box.drawn[0].itemState, ODS_COMBOBOXEDIT | ODS_SELECTED | ODS_FOCUS);
    EXPECT_EQ(box.drawn[1].itemState, static_cast<UINT>(ODS_SELECTED));
    EXPECT_EQ(CRect(box.drawn[1].rcItem), CRect(0, 21, 100, 43));
    EXPECT_EQ(box.drawn[2].itemID, 1u);
    EXPECT_EQ(box.drawn[2].itemState, 0u);
}

TEST_F(ComboBoxTest, AVariableOwnerDrawnBoxMeasuresEveryItemItAdds)
{
    OwnerDrawnCombo box;
    box.Create(WS_VISIBLE | kSortedList | CBS_OWNERDRAWVARIABLE, CRect(0, 0, 100, 120), &parent, 1806);
    ASSERT_EQ(box.measured.size(), 1u);
    box.AddString("b");
    box.AddString("a");
    ASSERT_EQ(box.measured.size(), 3u);
    EXPECT_EQ(box.measured[1].itemID, 0u);
    EXPECT_EQ(box.measured[2].itemID, 0u) << "measured where it was sorted in";
    EXPECT_EQ(box.GetItemHeight(0), 23);
    EXPECT_EQ(box.GetItemHeight(1), 22);
}

TEST_F(ComboBoxTest, AnOwnerDrawnBoxWithoutStringsKeepsTheValueAsItemData)
{
    Make(CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT);
    combo.SendMessage(CB_ADDSTRING, 0, 7);
    combo.SendMessage(CB_ADDSTRING, 0, 3);
    EXPECT_EQ(combo.GetItemData(0), 7u);
    EXPECT_EQ(combo.GetItemData(1), 3u);
}

} // namespace
