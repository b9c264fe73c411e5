#include "BinderTestPage.h"

#include "support/ScriptedUiDriver.h"
#include "win/CButton.h"
#include "win/DisplayList.h"
#include "win/Gdi.h"

#include <limits>

using vqtest::ScriptedUiDriver;

namespace {

constexpr const char* kCaption = "Wrenfield Error";

bool IsReadOnly(HWND edit) { return (::GetWindowLongPtr(edit, GWL_STYLE) & ES_READONLY) != 0; }

int Selection(HWND combo) { return static_cast<int>(::SendMessage(combo, CB_GETCURSEL)); }

int ItemCount(HWND combo) { return static_cast<int>(::SendMessage(combo, CB_GETCOUNT)); }

} // namespace

// ---- integers

TEST_F(BinderTest, AnEmptiedIntegerEditStoresTheMinimumAndShowsIt)
{
    page.number.SetMinimum(5);
    page.number.SetValue(7);
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Replace(kNumber, "\b")
        .Run([&] {
            EXPECT_EQ(page.Text(kNumber), "5");
            EXPECT_EQ(page.number.GetValue(), 5);
        })
        .OK();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.number.GetValue(), 5);
}

TEST_F(BinderTest, WithoutAMinimumAnEmptiedEditStandsForANegativeMaximumElseZero)
{
    BinderTestPage negative;
    negative.number.SetMaximum(-3);
    negative.number.SetValue(-7);
    BinderTestPage unbounded;
    unbounded.number.SetValue(7);
    VqsPropertySheet both("Options", nullptr, 0);
    both.AddPage(&negative);
    both.AddPage(&unbounded);
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Replace(kNumber, "\b")
        .Run([&] {
            EXPECT_EQ(negative.Text(kNumber), "-3");
            both.SetActivePage(&unbounded);
        })
        .Replace(kNumber, "\b")
        .Run([&] { EXPECT_EQ(unbounded.Text(kNumber), "0"); })
        .OK();
    EXPECT_EQ(both.DoModal(), IDOK);
    EXPECT_EQ(negative.number.GetValue(), -3);
    EXPECT_EQ(unbounded.number.GetValue(), 0);
}

TEST_F(BinderTest, AnOutOfRangeNumberPassesAChangeButNotOK)
{
    page.number.SetMinimum(5);
    page.number.SetMaximum(10);
    page.number.SetValue(7);
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Replace(kNumber, "11")
        .Run([&] { EXPECT_EQ(page.number.GetValue(), 11) << "taken while the user changes it"; })
        .OK()
        .Run([&] {
            EXPECT_EQ(page.number.GetValue(), 11);
            EXPECT_EQ(CWnd::GetFocus()->m_hWnd, page.Item(kNumber)) << "the focus goes back to the number";
        })
        .Replace(kNumber, "9")
        .OK();
    ui.ExpectMessageBox("Please enter an integer in the range of 5 to 10.", IDOK, kCaption);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.number.GetValue(), 9);
}

TEST_F(BinderTest, TheRangeMessageNamesTheBoundsThatAreSet)
{
    BinderTestPage atLeast;
    atLeast.number.SetMinimum(-5);
    atLeast.number.SetValue(-9);
    BinderTestPage atMost;
    atMost.number.SetMaximum(10);
    atMost.number.SetValue(12);
    VqsPropertySheet both("Options", nullptr, 0);
    both.AddPage(&atLeast);
    both.AddPage(&atMost);
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Run([&] { both.SetActivePage(&atMost); })
        .OK()
        .Run([&] {
            EXPECT_EQ(both.GetActivePage(), &atLeast) << "the sheet shows the page whose value was refused";
            atLeast.number.SetValue(-5);
            atLeast.UpdateData(FALSE);
        })
        .OK()
        .Cancel();
    ui.ExpectMessageBox("Please enter an integer greater than or equal to -5.", IDOK, kCaption)
        .ExpectMessageBox("Please enter an integer less than or equal to 10.", IDOK, kCaption);
    EXPECT_EQ(both.DoModal(), IDCANCEL);
}

TEST_F(BinderTest, ANumberIsRefusedWithTrailingCharactersOrWhenItHasNoRoom)
{
    page.number.SetValue(3);
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Replace(kNumber, "12a")
        .Run([&] {
            EXPECT_EQ(page.Text(kNumber), "12") << "the refused change is taken back";
            EXPECT_EQ(page.number.GetValue(), 12);
            ::SetWindowText(page.Item(kNumber), "abc");
            EXPECT_EQ(page.number.GetValue(), 12);
            ::SetWindowText(page.Item(kNumber), " -42 ");
            EXPECT_EQ(page.number.GetValue(), -42);
            ::SetWindowText(page.Item(kNumber), "9223372036854775808");
            EXPECT_EQ(page.Text(kNumber), "-42");
            ::SetWindowText(page.Item(kNumber), "-9223372036854775808");
            EXPECT_EQ(page.number.GetValue(), std::numeric_limits<LONGLONG>::min());
        })
        .OK();
    ui.ExpectMessageBox("Please enter an integer.", IDOK, kCaption)
        .ExpectMessageBox("Please enter an integer.", IDOK, kCaption)
        .ExpectMessageBox("Please enter an integer in the range of -9223372036854775808 to 9223372036854775807.", IDOK,
                          kCaption);
    EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(BinderTest, OnlyANonNegativeMinimumRestrictsTheEditToDigits)
{
    page.number.SetMinimum(-5);
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Replace(kNumber, "-3")
        .Run([&] {
            EXPECT_EQ(page.number.GetValue(), -3);
            page.number.SetMinimum(0);
            EXPECT_EQ(page.number.GetValue(), 0);
        })
        .Replace(kNumber, "-4")
        .Run([&] { EXPECT_EQ(page.Text(kNumber), "4") << "the minus sign is refused"; })
        .OK();
    EXPECT_EQ(sheet.DoModal(), IDOK);
}

TEST_F(BinderTest, ABoundSetAfterLoadingPullsTheValueInWithoutCountingAsAChange)
{
    page.number.SetValue(3);
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Run([&] {
            page.number.SetMinimum(5);
            EXPECT_EQ(page.number.GetValue(), 5);
            EXPECT_FALSE(page.number.IsModified());
            page.number.SetMaximum(4);
            EXPECT_EQ(page.number.GetValue(), 4);
            EXPECT_FALSE(page.number.IsModified());
            page.number.SetValue(3);
            EXPECT_TRUE(page.number.IsModified());
        })
        .Cancel();
    sheet.DoModal();
}

// ---- the not-available state, for every binder that has one

TEST_F(BinderTest, AValueThatIsNotAvailableShowsItsPlaceholderAndIsNeverWrittenBack)
{
    page.number.SetValue(3);
    page.number.SetNotAvailable();
    page.name.SetValue("OLD");
    page.name.SetNotAvailable(0);
    page.letter.SetValue('Q');
    page.letter.SetNotAvailable(61897);
    page.pack.SetValue("OTHER");
    page.pack.SetNotAvailable(0);
    page.color.SetValue(2);
    page.color.SetNotAvailable();
    VqsOptCtrl* binders[] = {&page.number, &page.name, &page.letter, &page.pack, &page.color};
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Run([&] {
            EXPECT_EQ(page.Text(kNumber), "<not available>");
            EXPECT_EQ(page.Text(kName), "<not available>");
            EXPECT_EQ(page.Text(kLetter), " ");
            EXPECT_EQ(page.Text(kPack), "<not available>");
        })
        .Type(kNumber, "1")
        .Type(kName, "X")
        .Type(kLetter, "Z")
        .Type(kPack, "Y")
        .Select(kColor, 4)
        .Run([&] {
            EXPECT_EQ(page.Text(kName), "<not available>X");
            for (VqsOptCtrl* binder : binders) {
                EXPECT_FALSE(binder->IsModified());
                EXPECT_FALSE(binder->SaveStateAndCompare());
            }
            VqsDialogCtrlConnector::StrictControl strict = page.Connector().MakeStrict();
            EXPECT_TRUE(page.UpdateData(TRUE));
            for (VqsOptCtrl* binder : binders)
                binder->Revert();
            EXPECT_EQ(page.Text(kName), "<not available>");
            EXPECT_EQ(page.Text(kNumber), "<not available>");
        })
        .OK();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(page.stored.empty());
    EXPECT_EQ(page.number.GetValue(), 3);
    EXPECT_EQ(page.name.GetValue(), "OLD");
    EXPECT_EQ(page.letter.GetValue(), 'Q');
    EXPECT_EQ(page.pack.GetValue(), "OTHER");
    EXPECT_EQ(page.color.GetValue(), 2);
    EXPECT_TRUE(ShownBoxes().empty());
}

TEST_F(BinderTest, ANewValueEndsTheNotAvailableStateAndTheComboLosesItsPlaceholder)
{
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Run([&] {
            page.pack.ShowNotAvailable(0);
            page.pack.ShowNotAvailable(0);
            EXPECT_EQ(ItemCount(page.Item(kPack)), 4) << "the placeholder goes in once";
            EXPECT_EQ(Selection(page.Item(kPack)), 0);
            CStringList items;
            items.AddTail("B");
            items.AddTail("A");
            page.pack.SetItems(items);
            CStringList shown;
            page.pack.GetItems(shown);
            ASSERT_EQ(shown.GetCount(), 3);
            EXPECT_EQ(shown.GetHead(), "<not available>") << "the placeholder stays on top";

            page.pack.SetValue("A");
            page.name.SetNotAvailable(0);
            page.UpdateData(FALSE);
            page.name.SetValue("NEW");
            page.UpdateData(FALSE);
            CStringList after;
            page.pack.GetItems(after);
            EXPECT_EQ(after.GetCount(), 2);
            EXPECT_EQ(page.Text(kPack), "A");
            EXPECT_EQ(page.Text(kName), "NEW");
        })
        .Cancel();
    sheet.DoModal();
}

// ---- radio groups, check boxes

TEST_F(BinderTest, ARadioGroupWithNothingCheckedIsRefusedWithTheFocusOnTheFirstButtonTheUserCanReach)
{
    page.radio.m_nValue = 5;
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Run([&] {
            EXPECT_EQ(page.radio.GetCheckedIndex(), 0) << "none checked";
            page.radio.EnableButton(FALSE, 0);
        })
        .OK()
        .Run([&] { EXPECT_EQ(CWnd::GetFocus()->m_hWnd, page.Item(kSecondRadio)); })
        .Click(kThirdRadio)
        .OK();
    ui.ExpectMessageBox("Please select one of the choices.", IDOK, kCaption);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.radio.m_nValue, 2);
}

TEST_F(BinderTest, ARefusedClickIsTakenBackAndAnAcceptedOneStored)
{
    page.radio.m_nValue = 1;
    page.flag.m_bValue = TRUE;
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Run([&] { page.refuseChanges = TRUE; })
        .Click(kFirstRadio)
        .Click(kFlag)
        .Run([&] {
            EXPECT_EQ(page.radio.GetCheckedIndex(), 1);
            EXPECT_TRUE(page.flag.IsChecked());
            EXPECT_FALSE(page.flag.IsModified());
            page.refuseChanges = FALSE;
            page.flag.SetCheck(FALSE);
            EXPECT_TRUE(page.flag.m_bValue) << "SetCheck leaves the value";
            EXPECT_TRUE(page.flag.IsModified());
            page.flag.Revert();
        })
        .Click(kThirdRadio)
        .Click(kFlag)
        .Run([&] {
            EXPECT_FALSE(page.flag.m_bValue);
            EXPECT_EQ(page.radio.m_nValue, 2);
        })
        .OK();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.stored, (std::vector<int>{kFirstRadio, kFlag}));
}

// ---- texts

TEST_F(BinderTest, ATextIsCheckedAsTheUserTypesItAndTakenBackWhenRefused)
{
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Type(kName, "1")
        .Run([&] { EXPECT_EQ(page.Text(kName), ""); })
        .Type(kName, "ab1")
        .Run([&] { EXPECT_EQ(page.name.GetValue(), "AB1") << "typed in upper case"; })
        .OK();
    ui.ExpectMessageBox("Please enter a string that starts with a letter.", IDOK, kCaption);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.name.GetValue(), "AB1");
}

TEST_F(BinderTest, AReadOnlyOrDisabledTextIsNeverChecked)
{
    page.name.SetValue("1AB");
    page.letter.SetValue('x');
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options").Run([&] { page.name.SetReadOnly(); }).OK();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.name.GetValue(), "1AB");
    EXPECT_EQ(page.letter.GetValue(), 'x');

    BinderTestPage disabled;
    disabled.name.SetValue("1AB");
    VqsPropertySheet other("Options", nullptr, 0);
    other.AddPage(&disabled);
    ui.ExpectPropertySheet("Options").Run([&] { disabled.name.Enable(FALSE); }).OK();
    EXPECT_EQ(other.DoModal(), IDOK);
    EXPECT_TRUE(ShownBoxes().empty());
}

// The edit's limit bounds what the user types, not a longer text stored by other means.
TEST_F(BinderTest, AStoredTextLongerThanItsMaximumIsKeptWholeWhileTheUserLeavesIt)
{
    page.name.SetValue("ABCDEFGHIJ");
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Type(kName, "K")
        .Run([&] { EXPECT_EQ(page.Text(kName), "ABCDEFGHIJ") << "nothing more can be typed"; })
        .OK();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.name.GetValue(), "ABCDEFGHIJ");
    EXPECT_TRUE(ShownBoxes().empty());
}

TEST_F(BinderTest, AStoredTextTheUserShortensButNotEnoughIsRefusedOnOKWithAMessage)
{
    page.name.SetValue("ABCDEFGHIJ");
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Type(kName, "\b")
        .Run([&] { EXPECT_EQ(page.name.GetValue(), "ABCDEFGHI") << "taken while the user changes it"; })
        .OK()
        .Run([&] { EXPECT_EQ(CWnd::GetFocus()->m_hWnd, page.Item(kName)) << "the focus goes back to the text"; })
        .Replace(kName, "ABCDEFGH")
        .OK();
    ui.ExpectMessageBox("Please enter no more than 8 characters.", IDOK, kCaption);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.name.GetValue(), "ABCDEFGH");
}

// ---- combo boxes

TEST_F(BinderTest, AStoredComboTextLongerThanItsLimitIsKeptWhileTheUserLeavesIt)
{
    page.pack.SetTextLimit(5);
    page.pack.SetValue("OTHERPACK");
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options").OK();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.pack.GetValue(), "OTHERPACK");
    EXPECT_TRUE(ShownBoxes().empty());
}

TEST_F(BinderTest, AComboStoresThePickedItemsTextOrTheTypedText)
{
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .SelectText(kPack, "package")
        .Run([&] { EXPECT_EQ(page.pack.GetValue(), "PACKAGE"); })
        .Replace(kPack, "PACK")
        .Run([&] {
            EXPECT_EQ(Selection(page.Item(kPack)), 0) << "the list follows the typed text to PACK1";
            EXPECT_EQ(page.pack.GetValue(), "PACK");
            page.refuseChanges = TRUE;
        })
        .Type(kPack, "X")
        .Run([&] {
            EXPECT_EQ(page.Text(kPack), "PACK") << "taken back to the typed text, not to PACK1";
            EXPECT_EQ(page.pack.GetSelectedText(), "PACK");
            EXPECT_EQ(page.pack.FindExact("pack1"), 0);
            EXPECT_EQ(page.pack.FindExact("PAC"), -1);
        })
        .OK();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.pack.GetValue(), "PACK");
}

TEST_F(BinderTest, AComboNameIsCheckedOnOK)
{
    page.pack.SetValue("OTHER");
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options").Replace(kPack, "default").OK().SelectText(kPack, "other").OK();
    ui.ExpectMessageBox(" Default is a reserved pack name, Please use other name.", IDOK, kCaption);
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.pack.GetValue(), "OTHER");
}

// ---- colours

TEST_F(BinderTest, AColourIsTheIndexOfTheListItemAndDrawsAsASwatch)
{
    page.color.SetValue(3);
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Run([&] { EXPECT_EQ(Selection(page.Item(kColor)), 3); })
        .Select(kColor, 2)
        .Run([&] {
            EXPECT_EQ(page.color.GetValue(), 2);
            ::UpdateWindow(page.Item(kColor));
            auto drawn = vqwin::GetWindowDisplayList(page.Item(kColor));
            ASSERT_TRUE(drawn);
            const vqwin::DisplayOp* text = drawn->FindText("Green");
            ASSERT_NE(text, nullptr);
            bool swatch = false;
            for (const vqwin::DisplayOp& op : drawn->Ops())
                swatch = swatch || (op.kind == vqwin::DisplayOp::Kind::Fill && op.color == RGB(0, 255, 0));
            EXPECT_TRUE(swatch);
        })
        .OK();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(VqsOptCtrlColor::ColorFromIndex(3), 0x0000FFu);
    EXPECT_EQ(VqsOptCtrlColor::ColorFromIndex(4), 0xFF0000u);
    EXPECT_EQ(VqsOptCtrlColor::ColorFromIndex(8), 0u);
}

// ---- the page as a whole

TEST_F(BinderTest, TheReadOnlyFormLetsNothingBeChanged)
{
    page.radio.m_nValue = 1;
    page.pack.SetValue("OTHER");
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Run([&] {
            page.Connector().SetReadOnly();
            EXPECT_TRUE(IsReadOnly(page.Item(kNumber)));
            EXPECT_TRUE(IsReadOnly(page.Item(kName)));
            EXPECT_TRUE(IsReadOnly(page.Item(kLetter)));
            EXPECT_FALSE(::IsWindowEnabled(page.Item(kFlag)));
            EXPECT_FALSE(::IsWindowEnabled(page.Item(kFirstRadio)));
            EXPECT_TRUE(::IsWindowEnabled(page.Item(kSecondRadio))) << "the chosen button stays";
            EXPECT_FALSE(::IsWindowEnabled(page.Item(kThirdRadio)));
            EXPECT_FALSE(::IsWindowEnabled(page.Item(kPack)));
            EXPECT_FALSE(::IsWindowEnabled(page.Item(kColor)));
        })
        .Type(kName, "A")
        .Run([&] { EXPECT_EQ(page.Text(kName), ""); })
        .OK();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_TRUE(page.stored.empty());
}

TEST_F(BinderTest, AFailedStoreBringsItsPageToTheFront)
{
    page.number.SetMinimum(5);
    page.number.SetMaximum(10);
    page.number.SetValue(7);
    BinderTestPage second;
    sheet.AddPage(&second);
    ScriptedUiDriver ui;
    ui.ExpectPropertySheet("Options")
        .Replace(kNumber, "11")
        .Run([&] { sheet.SetActivePage(&second); })
        .Run([&] {
            VqsDialogCtrlConnector::StrictControl strict = page.Connector().MakeStrict();
            EXPECT_FALSE(page.UpdateData(TRUE));
            EXPECT_EQ(sheet.GetActivePage(), &page);
        })
        .Cancel();
    ui.ExpectMessageBox("Please enter an integer in the range of 5 to 10.", IDOK, kCaption);
    sheet.DoModal();
}
