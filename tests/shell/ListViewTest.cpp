#include "ShellTestSupport.h"
#include "ViewTestSupport.h"

#include "support/ScopedResourceLibrary.h"
#include "support/ScriptedUiDriver.h"
#include "win/CDC.h"
#include "win/CHeaderCtrl.h"
#include "win/DisplayList.h"

#include <memory>
#include <string>
#include <vector>

using Texts = std::vector<std::string>;
using viewtest::Row;
using viewtest::RowsView;

namespace {

constexpr UINT ID_EDIT_FIND = 57636;
constexpr UINT ID_EDIT_REPEAT = 57640;
constexpr UINT kFindDialog = 143;
constexpr int kSearchTextEdit = 1403;

struct ListViewTest : ShellTest {
    vqtest::ScopedResourceLibrary resources;
    CWnd host;
    viewtest::ViewFrame* frame = nullptr;
    RowsView* view = nullptr;
    std::vector<std::unique_ptr<Row>> rows;

    void Make(int width, int columns, BOOL measures = FALSE)
    {
        frame = viewtest::MakeViewFrame(host, width, 200);
        ASSERT_NE(frame, nullptr);
        view = frame->Add(new RowsView(columns, measures));
        ASSERT_NE(view, nullptr);
        frame->current = view;
        view->ModifyStyle(0, LVS_REPORT | LVS_OWNERDRAWFIXED | LVS_SHOWSELALWAYS);
    }

    void Columns(std::vector<VqsColumnSpec> specs, int sortColumn = 0, BOOL ascending = TRUE)
    {
        view->InsertColumns(specs.data(), sortColumn, ascending);
    }

    Row* Add(Texts texts, BOOL sorted = FALSE, int width = 0)
    {
        rows.push_back(std::make_unique<Row>(std::move(texts), width));
        view->Add(rows.back().get(), sorted);
        return rows.back().get();
    }

    std::vector<int> Widths()
    {
        std::vector<int> widths;
        for (int column = 0; column < view->GetColumnCount(); ++column)
            widths.push_back(view->GetListCtrl().GetColumnWidth(column));
        return widths;
    }

    int Enabled(UINT id)
    {
        int enabled = 0;
        int checked = 0;
        view->GetCommandState(id, &enabled, &checked);
        return enabled;
    }

    // Searches through the Find dialog, as the user would.
    void FindText(const char* text, vqtest::ScriptedUiDriver& ui)
    {
        ui.ExpectDialog(kFindDialog).Replace(kSearchTextEdit, text).OK();
        view->SendMessage(WM_COMMAND, ID_EDIT_FIND);
    }

    std::vector<int> Selected()
    {
        std::vector<int> selected;
        CListCtrl& list = view->GetListCtrl();
        for (int row = list.GetNextItem(-1, LVNI_SELECTED); row != -1; row = list.GetNextItem(row, LVNI_SELECTED))
            selected.push_back(row);
        return selected;
    }
};

} // namespace

TEST_F(ListViewTest, ColumnsShareTheWidthButNeverGetLessThanFourSmallIcons)
{
    Make(100, 4);
    Columns({{"Name", 23}, {"Kind", 22}, {"Owner", 35}, {"Date", 20}});
    EXPECT_EQ(Widths(), (std::vector<int>{64, 64, 64, 64}));

    host.DestroyWindow();
    Make(400, 3);
    Columns({{"Name", 50}, {"Kind", 25}, {"Owner", 25}}, 1, FALSE);
    EXPECT_EQ(Widths(), (std::vector<int>{200, 100, 100}));
    HDITEM item{};
    item.mask = HDI_FORMAT;
    view->GetListCtrl().GetHeaderCtrl()->GetItem(1, &item);
    EXPECT_TRUE(item.fmt & HDF_BITMAP) << "the sort arrow on the sort column";
}

TEST_F(ListViewTest, ColumnsWithoutSharesGetTheMinimum)
{
    Make(300, 2);
    Columns({{"Name", 0}, {"Kind", 0}});
    EXPECT_EQ(Widths(), (std::vector<int>{64, 64}));
}

TEST_F(ListViewTest, TiesOnTheSortColumnAreBrokenTheSameWayInBothDirections)
{
    Make(300, 2);
    Columns({{"Name", 50}, {"Kind", 50}});
    Add({"abc", "x"});
    Add({"b", "z"});
    Add({"ABC", "a"});
    view->SortItems(0, TRUE, nullptr);
    EXPECT_EQ(view->Texts(), (Texts{"ABC", "abc", "b"}));
    view->SortItems(0, FALSE, nullptr);
    EXPECT_EQ(view->Texts(), (Texts{"b", "ABC", "abc"}));
    view->SortItems(1, TRUE, nullptr);
    EXPECT_EQ(view->Texts(), (Texts{"ABC", "abc", "b"}));
    EXPECT_EQ(view->CompareItems(0, TRUE, rows[0].get(), rows[0].get()), 0);
}

TEST_F(ListViewTest, SortedInsertionGoesBeforeTheFirstRowThatSortsAfter)
{
    Make(300, 2);
    Columns({{"Name", 50}, {"Kind", 50}});
    Add({"delta", "1"}, TRUE);
    Add({"alpha", "1"}, TRUE);
    Add({"charlie", "1"}, TRUE);
    Add({"Alpha", "0"}, TRUE);
    Add({"echo", "1"}, TRUE);
    EXPECT_EQ(view->Texts(), (Texts{"Alpha", "alpha", "charlie", "delta", "echo"}));
    EXPECT_EQ(view->FindItemIndex(rows[2].get()), 2);
    view->RemoveItem(rows[2].get());
    EXPECT_FALSE(rows[2]->IsListed());
    EXPECT_EQ(view->FindItemIndex(rows[2].get()), -1);
    view->RemoveItem(rows[2].get());
    EXPECT_EQ(view->Texts().size(), 4u);
}

TEST_F(ListViewTest, TextsGoToTheListCutToItsBufferOnACharacter)
{
    Make(300, 2);
    Columns({{"Name", 50}, {"Kind", 50}});
    Add({"abcde", "kind"});
    Add({"abcdef", ""});
    Add({"ab\x82\xa0\x82\xa0", ""});
    char buffer[6];
    view->GetListCtrl().GetItemText(0, 0, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "abcde") << "a text one shorter than the buffer is copied whole";
    view->GetListCtrl().GetItemText(1, 0, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "abcde");
    view->GetListCtrl().GetItemText(2, 0, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "ab\x82\xa0") << "never half a character";
}

TEST_F(ListViewTest, FindAndFindNextAreEnabledByRowsAndASearchText)
{
    Make(300, 2);
    Columns({{"Name", 50}, {"Kind", 50}});
    EXPECT_EQ(Enabled(ID_EDIT_FIND), 0);
    EXPECT_EQ(Enabled(ID_EDIT_REPEAT), 0);
    Add({"alpha", ""});
    EXPECT_EQ(Enabled(ID_EDIT_FIND), 1);

    vqtest::ScriptedUiDriver ui;
    FindText("", ui);
    EXPECT_EQ(Enabled(ID_EDIT_REPEAT), 0) << "no search text";
    ui.ExpectDialog(kFindDialog).Replace(kSearchTextEdit, "zzz").OK();
    ui.ExpectMessageBox("Cannot find the node zzz", IDOK);
    view->SendMessage(WM_COMMAND, ID_EDIT_FIND);
    ui.Verify();
    EXPECT_EQ(Enabled(ID_EDIT_REPEAT), 1);
}

TEST_F(ListViewTest, FindNextWrapsRoundToTheRowsBeforeTheSelection)
{
    Make(300, 2);
    Columns({{"Name", 50}, {"Kind", 50}});
    for (int i = 0; i < 10; ++i)
        Add({(i == 1 ? "ORDER entry " : "row ") + std::to_string(i), ""});
    view->SelectOnly(3);
    vqtest::ScriptedUiDriver ui;
    FindText("entry", ui);
    ui.Verify();
    EXPECT_EQ(Selected(), (std::vector<int>{1})) << "the only match lies before the selection";

    view->SelectOnly(9);
    FindText("row", ui);
    EXPECT_EQ(Selected(), (std::vector<int>{0})) << "from the last row the search starts at the top";
    view->SendMessage(WM_COMMAND, ID_EDIT_REPEAT);
    EXPECT_EQ(Selected(), (std::vector<int>{2}));

    FindText("", ui);
    EXPECT_EQ(Selected(), (std::vector<int>{3})) << "every text holds the empty text";

    ui.ExpectDialog(kFindDialog).Replace(kSearchTextEdit, "Entry").OK();
    ui.ExpectMessageBox("Cannot find the node Entry", IDOK);
    view->SendMessage(WM_COMMAND, ID_EDIT_FIND);
    ui.Verify();
    EXPECT_EQ(Selected(), (std::vector<int>{3})) << "case matters, and the selection stays";
    EXPECT_NE(vqui::Describe(vqui::Transcript().front()).find("\"Find Rows\""), std::string::npos);
}

TEST_F(ListViewTest, SelectOnlyLeavesOneSelectedRow)
{
    Make(300, 2);
    Columns({{"Name", 50}, {"Kind", 50}});
    for (int i = 0; i < 5; ++i)
        Add({"row " + std::to_string(i), ""});
    view->SelectItem(0, TRUE);
    view->SelectItem(2, TRUE);
    view->FocusItem(2, TRUE);
    view->SelectOnly(4);
    EXPECT_EQ(Selected(), (std::vector<int>{4}));
    EXPECT_EQ(view->GetListCtrl().GetItemState(2, LVIS_FOCUSED), 0u);
    view->SelectOnly(-1);
    EXPECT_EQ(Selected(), (std::vector<int>{4}));
}

TEST_F(ListViewTest, OnlyNewAndRedrawnItemsAreMeasuredAndTheLastColumnFitsTheWidest)
{
    Make(300, 2, TRUE);
    Columns({{"Name", 50}, {"Kind", 50}});
    Row* narrow = Add({"a", ""}, FALSE, 40);
    Row* wide = Add({"b", ""}, FALSE, 260);
    EXPECT_TRUE(narrow->measuredColumns.empty()) << "measuring waits for the posted message";
    vqwin::PumpPending();
    EXPECT_EQ(narrow->measuredColumns, (std::vector<int>{1}));
    EXPECT_EQ(wide->measuredColumns, (std::vector<int>{1}));
    EXPECT_EQ(Widths(), (std::vector<int>{150, 262}));

    view->RedrawItems(0, 0);
    vqwin::PumpPending();
    EXPECT_EQ(narrow->measuredColumns.size(), 2u);
    EXPECT_EQ(wide->measuredColumns.size(), 1u);

    view->RemoveItem(wide);
    vqwin::PumpPending();
    EXPECT_EQ(Widths(), (std::vector<int>{150, 150})) << "the rest of the client area";
}

TEST_F(ListViewTest, AfterAResizeTheLastColumnTakesUpTheDifference)
{
    Make(300, 2);
    Columns({{"Name", 50}, {"Kind", 50}});
    const int saves = frame->layoutSaves;
    frame->MoveWindow(0, 0, 400, 200);
    EXPECT_GT(frame->layoutSaves, saves);
    vqwin::PumpPending();
    EXPECT_EQ(Widths(), (std::vector<int>{150, 250}));
    frame->MoveWindow(0, 0, 200, 200);
    vqwin::PumpPending();
    EXPECT_EQ(Widths(), (std::vector<int>{150, 64})) << "never below four small icons";
}

TEST_F(ListViewTest, AFontChangeMeasuresRowsAndItemsAgainAtOnce)
{
    Make(300, 2, TRUE);
    Columns({{"Name", 50}, {"Kind", 50}});
    Row* row = Add({"a", ""}, FALSE, 40);
    vqwin::PumpPending();
    CRect before;
    view->GetListCtrl().GetItemRect(0, &before, LVIR_BOUNDS);
    EXPECT_EQ(before.Height(), 18) << "the object images are 16 high, the font 16";
    LOGFONT font{};
    font.lfHeight = 24;
    frame->SetFont(&font);
    CRect after;
    view->GetListCtrl().GetItemRect(0, &after, LVIR_BOUNDS);
    EXPECT_EQ(after.Height(), 26);
    EXPECT_EQ(row->measuredColumns.size(), 2u) << "measured again without waiting";
    EXPECT_EQ(Widths(), (std::vector<int>{150, 150}));
}

TEST_F(ListViewTest, TabActivatesThePaneAfterTheCurrentOne)
{
    Make(300, 2);
    view->SendMessage(WM_CHAR, '\t');
    EXPECT_EQ(frame->activatedAfter, (std::vector<VqsListView*>{view}));
    view->SendMessage(WM_CHAR, 'a');
    EXPECT_EQ(frame->activatedAfter.size(), 1u);
}

TEST_F(ListViewTest, RowsDrawTheirCellsInTheSelectionColoursOfTheirPane)
{
    Make(300, 2);
    Columns({{"Name", 50}, {"Kind", 50}});
    Add({"alpha", "first kind"});
    Add({"beta", "second kind"});
    view->SelectOnly(1);
    view->Invalidate();
    view->UpdateWindow();
    const vqwin::DisplayList& drawn = *vqwin::GetWindowDisplayList(view->m_hWnd);
    CRect row;
    view->GetListCtrl().GetItemRect(1, &row, LVIR_BOUNDS);
    const vqwin::DisplayOp* name = drawn.FindText("beta");
    const vqwin::DisplayOp* kind = drawn.FindText("second kind");
    ASSERT_TRUE(name && kind);
    EXPECT_EQ(name->rect.TopLeft(), CPoint(row.left + 2, row.top));
    EXPECT_EQ(kind->rect.TopLeft(), CPoint(row.left + 150 + 2, row.top));
    EXPECT_EQ(name->color, GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(name->background, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(drawn.FindText("alpha")->color, GetSysColor(COLOR_WINDOWTEXT));

    frame->current = nullptr;
    view->Invalidate();
    view->UpdateWindow();
    EXPECT_EQ(vqwin::GetWindowDisplayList(view->m_hWnd)->FindText("beta")->background, GetSysColor(COLOR_GRAYTEXT));
}
