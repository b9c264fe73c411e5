#include "ControlTestSupport.h"

#include "win/CButton.h"
#include "win/CDC.h"
#include "win/CEdit.h"
#include "win/CGdiObject.h"
#include "win/CStatic.h"
#include "win/DisplayList.h"
#include "win/Gdi.h"
#include "win/UserActions.h"

#include <gtest/gtest.h>

namespace {

using vqui::UserActionError;

class ButtonTest : public ::testing::Test {
protected:
    HWND Button(int id, DWORD style, LPCSTR text = "")
    {
        return MakeControl("Button", style, parent, id, text);
    }

    ParentWnd parent;
};

TEST_F(ButtonTest, AutomaticCheckBoxesCycleTheirStatesAndNotifyTheClick)
{
    HWND two = Button(10, BS_AUTOCHECKBOX);
    HWND three = Button(11, BS_AUTO3STATE);
    vqui::user::Click(two);
    EXPECT_EQ(IsDlgButtonChecked(parent, 10), BST_CHECKED);
    vqui::user::Click(two);
    EXPECT_EQ(IsDlgButtonChecked(parent, 10), BST_UNCHECKED);
    for (UINT expected : {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}) {
        vqui::user::Click(three);
        EXPECT_EQ(IsDlgButtonChecked(parent, 11), expected);
    }
    EXPECT_EQ(parent.Codes(10), (std::vector<UINT>{BN_CLICKED, BN_CLICKED}));
    EXPECT_EQ(parent.Codes(11).size(), 3u);
}

TEST_F(ButtonTest, SetCheckByTheProgramNotifiesNothingAndKeepsTwoStatesForATwoStateBox)
{
    HWND two = Button(10, BS_AUTOCHECKBOX);
    HWND three = Button(11, BS_3STATE);
    parent.CheckDlgButton(10, BST_INDETERMINATE);
    EXPECT_EQ(parent.IsDlgButtonChecked(10), BST_CHECKED);
    parent.CheckDlgButton(11, BST_INDETERMINATE);
    EXPECT_EQ(parent.IsDlgButtonChecked(11), BST_INDETERMINATE);
    EXPECT_TRUE(parent.notices.empty());

    vqui::user::SetCheck(two, BST_UNCHECKED);
    EXPECT_EQ(parent.IsDlgButtonChecked(10), BST_UNCHECKED);
    EXPECT_THROW(vqui::user::SetCheck(two, BST_INDETERMINATE), UserActionError);
    EXPECT_THROW(vqui::user::SetCheck(three, BST_CHECKED), UserActionError)
        << "a manual box changes only when its owner changes it";
}

TEST_F(ButtonTest, AManualBoxChangesWhenItsOwnerAnswersTheClick)
{
    HWND box = Button(12, BS_CHECKBOX);
    parent.onCommand = [&](const Notice& notice) {
        if (notice.id == 12 && notice.code == BN_CLICKED)
            parent.CheckDlgButton(12, !parent.IsDlgButtonChecked(12));
    };
    vqui::user::SetCheck(box, BST_CHECKED);
    EXPECT_EQ(parent.IsDlgButtonChecked(12), BST_CHECKED);
}

TEST_F(ButtonTest, AutomaticRadioButtonsClearTheOthersOfTheirGroupOnly)
{
    HWND a = Button(20, BS_AUTORADIOBUTTON | WS_GROUP);
    HWND b = Button(21, BS_AUTORADIOBUTTON);
    HWND c = Button(22, BS_AUTORADIOBUTTON);
    HWND x = Button(30, BS_AUTORADIOBUTTON | WS_GROUP);
    Button(31, BS_AUTORADIOBUTTON);
    vqui::user::Click(x);
    vqui::user::Click(a);
    vqui::user::Click(c);
    EXPECT_EQ(parent.GetCheckedRadioButton(20, 22), 22);
    EXPECT_EQ(parent.IsDlgButtonChecked(20), BST_UNCHECKED);
    EXPECT_EQ(parent.GetCheckedRadioButton(30, 31), 30) << "another group keeps its choice";

    vqui::user::SetCheck(b, BST_CHECKED);
    EXPECT_EQ(parent.GetCheckedRadioButton(20, 22), 21);
    EXPECT_THROW(vqui::user::SetCheck(b, BST_UNCHECKED), UserActionError);

    parent.CheckRadioButton(20, 22, 20);
    EXPECT_EQ(parent.GetCheckedRadioButton(20, 22), 20);
    EXPECT_EQ(parent.IsDlgButtonChecked(21), BST_UNCHECKED);
    parent.CheckRadioButton(20, 22, 0);
    EXPECT_EQ(parent.GetCheckedRadioButton(20, 22), 0);
}

TEST_F(ButtonTest, ClickingMovesTheFocusFirstSoTheEditorReportsLeavingBeforeTheClick)
{
    HWND edit = MakeControl("Edit", 0, parent, 40);
    HWND ok = Button(IDOK, BS_DEFPUSHBUTTON, "OK");
    SetFocus(edit);
    parent.Clear();
    vqui::user::Click(ok);
    ASSERT_EQ(parent.notices.size(), 2u);
    EXPECT_EQ(parent.notices[0].code, EN_KILLFOCUS);
    EXPECT_EQ(parent.notices[1].id, IDOK);
    EXPECT_EQ(parent.notices[1].code, BN_CLICKED);
    EXPECT_EQ(GetFocus(), ok);
}

TEST_F(ButtonTest, BmClickClicksAnEnabledButtonAndSpaceClicksTheFocusedOne)
{
    HWND push = Button(50, BS_PUSHBUTTON, "Go");
    SendMessage(push, BM_CLICK);
    vqui::user::PressKey(push, VK_SPACE);
    EnableWindow(push, FALSE);
    SendMessage(push, BM_CLICK);
    EXPECT_EQ(parent.Codes(50), (std::vector<UINT>{BN_CLICKED, BN_CLICKED}));
    EXPECT_THROW(vqui::user::Click(push), UserActionError);

    HWND group = Button(51, BS_GROUPBOX, "Frame");
    EXPECT_THROW(vqui::user::Click(group), UserActionError);
    EXPECT_EQ(SendMessage(group, WM_GETDLGCODE), static_cast<LRESULT>(DLGC_STATIC));
}

TEST_F(ButtonTest, DialogCodesTellDefaultAndRadioButtons)
{
    EXPECT_EQ(SendMessage(Button(1, BS_DEFPUSHBUTTON), WM_GETDLGCODE), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    CButton button;
    button.Create("Next", WS_VISIBLE | BS_PUSHBUTTON, CRect(0, 0, 50, 20), &parent, 2);
    EXPECT_EQ(button.SendMessage(WM_GETDLGCODE), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);
    button.SetButtonStyle(BS_DEFPUSHBUTTON);
    EXPECT_EQ(button.GetButtonStyle(), BS_DEFPUSHBUTTON);
    EXPECT_EQ(button.SendMessage(WM_GETDLGCODE), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
    EXPECT_EQ(SendMessage(Button(3, BS_AUTORADIOBUTTON), WM_GETDLGCODE), DLGC_BUTTON | DLGC_RADIOBUTTON);
}

class OwnerDrawnButton : public CButton {
public:
    void DrawItem(LPDRAWITEMSTRUCT dis) override { drawn.push_back(*dis); }
    std::vector<DRAWITEMSTRUCT> drawn;
};

TEST_F(ButtonTest, AnOwnerDrawnButtonDrawsThroughItsObjectWithItsState)
{
    OwnerDrawnButton button;
    ASSERT_TRUE(button.Create("&Open", WS_VISIBLE | BS_OWNERDRAW, CRect(0, 0, 80, 24), &parent, 1003));
    button.UpdateWindow();
    button.SetState(TRUE);
    button.SetFocus();
    button.UpdateWindow();
    button.EnableWindow(FALSE);
    button.UpdateWindow();
    ASSERT_EQ(button.drawn.size(), 3u);
    EXPECT_EQ(button.drawn[0].CtlType, ODT_BUTTON);
    EXPECT_EQ(button.drawn[0].CtlID, 1003u);
    EXPECT_EQ(button.drawn[0].itemAction, ODA_DRAWENTIRE);
    EXPECT_EQ(button.drawn[0].itemState, 0u);
    EXPECT_EQ(CRect(button.drawn[0].rcItem), CRect(0, 0, 80, 24));
    EXPECT_EQ(button.drawn[1].itemState, ODS_SELECTED | ODS_FOCUS);
    EXPECT_TRUE(button.drawn[2].itemState & ODS_DISABLED);
    EXPECT_EQ(button.GetState() & BST_PUSHED, BST_PUSHED);
}

TEST_F(ButtonTest, ImagesAreKeptByKindAndTheOldOneIsReturned)
{
    CButton button;
    button.Create("", WS_VISIBLE | BS_ICON, CRect(0, 0, 20, 20), &parent, 1834);
    auto first = reinterpret_cast<HICON>(0x115);
    auto second = reinterpret_cast<HICON>(0x116);
    EXPECT_EQ(button.SetIcon(first), nullptr);
    EXPECT_EQ(button.SetIcon(second), first);
    EXPECT_EQ(button.GetIcon(), second);
    EXPECT_EQ(button.GetBitmap(), nullptr);

    CStatic picture;
    picture.Create("", WS_VISIBLE | SS_BITMAP, CRect(0, 0, 20, 20), &parent, 161);
    auto bitmap = reinterpret_cast<HBITMAP>(0x161);
    picture.SetBitmap(bitmap);
    EXPECT_EQ(picture.GetBitmap(), bitmap);
    EXPECT_EQ(picture.GetIcon(), nullptr);
    picture.SetIcon(first);
    EXPECT_EQ(reinterpret_cast<HICON>(picture.SendMessage(STM_GETIMAGE, IMAGE_ICON)), first);
}

TEST_F(ButtonTest, StaticsShowTheirTextAndOnlyNotifyingOnesTakeClicks)
{
    CStatic label;
    label.Create("Filler space remaining:", WS_VISIBLE | SS_LEFT, CRect(0, 0, 200, 16), &parent, 1863);
    label.UpdateWindow();
    EXPECT_NE(vqwin::GetWindowDisplayList(label)->FindText("Filler space remaining:"), nullptr);
    label.SetWindowText("Filler space exceeded by:");
    EXPECT_EQ(WindowText(label), "Filler space exceeded by:");
    EXPECT_THROW(vqui::user::Click(label), UserActionError);

    HWND notifying = MakeControl("Static", SS_NOTIFY, parent, 1107, "Sample");
    vqui::user::Click(notifying);
    EXPECT_EQ(parent.Codes(1107), std::vector<UINT>{STN_CLICKED});
}

// A dialog that paints its warning label yellow on black, as a page warns of an excess.
class WarningWnd : public RecordingWnd {
public:
    WarningWnd()
    {
        CreateTop();
        m_warning.CreateSolidBrush(RGB(0, 0, 0));
    }
    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT kind)
    {
        asked.push_back(kind);
        if (control->GetDlgCtrlID() != 1863)
            return nullptr;
        dc->SetTextColor(RGB(255, 255, 0));
        dc->SetBkColor(RGB(0, 0, 0));
        return m_warning;
    }
    std::vector<UINT> asked;

private:
    CBrush m_warning;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(WarningWnd, RecordingWnd)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST(StaticColoursTest, AStaticPaintsInTheColoursItsParentGivesElseInTheSystemsColours)
{
    WarningWnd dialog;
    CStatic warning;
    warning.Create("Filler space exceeded by:", WS_VISIBLE | SS_LEFT, CRect(0, 0, 200, 16), &dialog, 1863);
    CStatic plain;
    plain.Create("Remaining:", WS_VISIBLE | SS_LEFT, CRect(0, 20, 200, 36), &dialog, 1864);
    CEdit remaining;
    remaining.Create(WS_VISIBLE | ES_READONLY, CRect(0, 40, 200, 56), &dialog, 1857);
    CEdit typed;
    typed.Create(WS_VISIBLE, CRect(0, 60, 200, 76), &dialog, 1858);
    for (CWnd* control : std::initializer_list<CWnd*>{&warning, &plain, &remaining, &typed})
        control->UpdateWindow();

    // An edit that takes no input asks as a static does.
    EXPECT_EQ(dialog.asked, (std::vector<UINT>{CTLCOLOR_STATIC, CTLCOLOR_STATIC, CTLCOLOR_STATIC, CTLCOLOR_EDIT}));
    const auto& painted = vqwin::GetWindowDisplayList(warning)->Ops();
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_EQ(vqwin::DisplayList::Describe(painted[0]), "fill (0,0)-(200,16) #000000");
    EXPECT_EQ(painted[1].color, RGB(255, 255, 0));
    EXPECT_EQ(painted[1].background, RGB(0, 0, 0));

    const vqwin::DisplayOp* text = vqwin::GetWindowDisplayList(plain)->FindText("Remaining:");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->color, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(text->background, GetSysColor(COLOR_BTNFACE));
}

TEST_F(ButtonTest, AButtonDestroyedByItsOwnClickHandlerEndsTheClickSafely)
{
    HWND box = Button(60, BS_AUTOCHECKBOX);
    parent.onCommand = [&](const Notice& notice) {
        if (notice.id == 60)
            DestroyWindow(box);
    };
    EXPECT_NO_THROW(vqui::user::SetCheck(box, BST_CHECKED));
    EXPECT_FALSE(IsWindow(box));
}

} // namespace
