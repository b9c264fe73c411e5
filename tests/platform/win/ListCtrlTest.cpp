#include "win/CHeaderCtrl.h"
#include "win/CImageList.h"
#include "win/CListCtrl.h"
#include "win/DisplayList.h"
#include "win/Gdi.h"

#include "ListCtrlTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

TEST(ListCtrlTest, ColumnsAndRowsHoldTextsSubItemsImagesAndData)
{
    ListFixture f;
    f.AddRows({"alpha", "beta"});
    EXPECT_EQ(f.list.InsertItem(-1, "omega"), 2); // a negative index appends
    EXPECT_EQ(f.list.InsertItem(99, "last"), 3);
    EXPECT_EQ(f.list.InsertItem(0, "first", 4), 0);
    EXPECT_TRUE(f.list.SetItemText(1, 1, "Report"));
    EXPECT_TRUE(f.list.SetItemText(1, 2, "kept"));
    EXPECT_TRUE(f.list.SetItemData(1, 0x1234));
    EXPECT_EQ(f.Column(0), (std::vector<std::string>{"first", "alpha", "beta", "omega", "last"}));
    EXPECT_EQ(f.list.GetItemText(1, 1), "Report");
    EXPECT_EQ(f.list.GetItemText(2, 1), "");
    EXPECT_EQ(f.list.GetItemData(1), 0x1234u);
    LVITEM image{};
    image.mask = LVIF_IMAGE;
    image.iItem = 0;
    ASSERT_TRUE(f.list.GetItem(&image));
    EXPECT_EQ(image.iImage, 4);
    EXPECT_FALSE(f.list.GetItem(&(image.iItem = 9, image)));

    char heading[16];
    LVCOLUMN column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = heading;
    column.cchTextMax = sizeof heading;
    ASSERT_TRUE(f.list.GetColumn(1, &column));
    EXPECT_STREQ(heading, "Kind");
    EXPECT_EQ(column.cx, 60);
    EXPECT_EQ(column.iSubItem, 1);
    EXPECT_TRUE(f.list.SetColumnWidth(1, 75));
    EXPECT_EQ(f.list.GetColumnWidth(1), 75);
    EXPECT_FALSE(f.list.SetColumnWidth(7, 10));

    CHeaderCtrl* header = f.list.GetHeaderCtrl();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->m_hWnd, GetWindow(f.list, GW_CHILD)); // the list's first child window
    EXPECT_EQ(header, f.list.GetHeaderCtrl());
    EXPECT_EQ(header->GetItemCount(), 3);

    EXPECT_TRUE(f.list.DeleteColumn(1)); // the cells right of it move left
    EXPECT_EQ(f.list.GetItemText(1, 1), "kept");
    EXPECT_TRUE(f.list.DeleteItem(0));
    EXPECT_FALSE(f.list.DeleteItem(4));
    EXPECT_EQ(f.list.GetItemCount(), 4);
    EXPECT_TRUE(f.list.DeleteAllItems());
    EXPECT_EQ(f.list.GetItemCount(), 0);
}

TEST(ListCtrlTest, ASortedStyleListPlacesRowsByTextWithoutRegardToCase)
{
    ListFixture f(LVS_REPORT | LVS_SORTASCENDING);
    for (const char* name : {"delta", "Bravo", "alpha", "charlie", "ALPHA"})
        f.list.InsertItem(0, name);
    EXPECT_EQ(f.Column(0), (std::vector<std::string>{"alpha", "ALPHA", "Bravo", "charlie", "delta"}));
}

namespace {

struct Record {
    std::string name;
    int rank;
};

struct SortContext {
    CListCtrl* list;
    bool ascending;
    int lookups = 0;
};

// As the typed lists compare: find both rows by their data, then compare their texts.
int CALLBACK_CompareRows(LPARAM a, LPARAM b, LPARAM context)
{
    auto* sort = reinterpret_cast<SortContext*>(context);
    LVFINDINFO find{LVFI_PARAM, nullptr, a};
    const int rowA = sort->list->FindItem(&find);
    find.lParam = b;
    const int rowB = sort->list->FindItem(&find);
    sort->lookups += 2;
    if (rowA < 0 || rowB < 0)
        return 0;
    const int order = sort->list->GetItemText(rowA, 1).CompareNoCase(sort->list->GetItemText(rowB, 1));
    return sort->ascending ? order : -order;
}

int AlwaysFirst(LPARAM, LPARAM, LPARAM) { return -1; }

} // namespace

TEST(ListCtrlTest, AListSortedByACallbackIsFoundByItemData)
{
    ListFixture f;
    std::vector<Record> records{{"one", 3}, {"two", 1}, {"three", 2}, {"four", 1}};
    for (Record& record : records) {
        const int row = f.list.InsertItem(LVIF_TEXT | LVIF_PARAM, f.list.GetItemCount(), record.name.c_str(), 0, 0, 0,
                                          reinterpret_cast<LPARAM>(&record));
        f.list.SetItemText(row, 1, std::to_string(record.rank).c_str());
    }
    SortContext context{&f.list, true};
    ASSERT_TRUE(f.list.SortItems(&CALLBACK_CompareRows, reinterpret_cast<DWORD_PTR>(&context)));
    EXPECT_GT(context.lookups, 0);
    EXPECT_EQ(f.Column(0), (std::vector<std::string>{"two", "four", "three", "one"})); // equal ranks keep their order
    EXPECT_EQ(f.Column(1), (std::vector<std::string>{"1", "1", "2", "3"}));            // sub-items travel with rows

    LVFINDINFO find{LVFI_PARAM, nullptr, reinterpret_cast<LPARAM>(&records[2])};
    EXPECT_EQ(f.list.FindItem(&find), 2);
    EXPECT_EQ(f.list.FindItem(&find, 2), -1); // the search starts after the given row
    find.flags |= LVFI_WRAP;
    EXPECT_EQ(f.list.FindItem(&find, 2), 2);
    find.lParam = 77;
    EXPECT_EQ(f.list.FindItem(&find), -1);

    LVFINDINFO text{LVFI_STRING, "FOUR", 0};
    EXPECT_EQ(f.list.FindItem(&text), 1);
    text = {LVFI_STRING | LVFI_PARTIAL, "T", 0};
    EXPECT_EQ(f.list.FindItem(&text), 0);
    EXPECT_EQ(f.list.FindItem(&text, 0), 2);

    context.ascending = false;
    f.list.SortItems(&CALLBACK_CompareRows, reinterpret_cast<DWORD_PTR>(&context));
    EXPECT_EQ(f.Column(0), (std::vector<std::string>{"one", "three", "two", "four"}));

    ASSERT_TRUE(f.list.SortItems(&AlwaysFirst, 0)); // an inconsistent comparison loses no row
    std::vector<std::string> names = f.Column(0);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"four", "one", "three", "two"}));
    EXPECT_FALSE(f.list.SortItems(nullptr, 0));
}

namespace {

// The owner's texts: cut to cchTextMax - 1 characters when they are not shorter.
void SupplyTexts(const std::map<int, std::string>& texts, NMLVDISPINFO& info)
{
    if (!(info.item.mask & LVIF_TEXT))
        return;
    const std::string& text = texts.at(static_cast<int>(info.item.lParam));
    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(info.item.cchTextMax - 1));
    std::memcpy(info.item.pszText, text.data(), length);
    info.item.pszText[length] = '\0';
}

} // namespace

TEST(ListCtrlTest, TextsTheOwnerSuppliesAreCutToTheBuffer)
{
    ListFixture f;
    const std::map<int, std::string> texts{{1, "CUSTOMER-MASTER"}, {2, "ABCDEFG"}, {3, std::string(600, 'x')}};
    f.parent.dispInfo = [&](NMLVDISPINFO& info) { SupplyTexts(texts, info); };
    for (int data = 1; data <= 3; ++data)
        f.list.InsertItem(LVIF_TEXT | LVIF_PARAM, data - 1, LPSTR_TEXTCALLBACK, 0, 0, 0, data);

    char buffer[8];
    EXPECT_EQ(f.list.GetItemText(0, 0, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "CUSTOME");
    EXPECT_EQ(f.list.GetItemText(1, 0, buffer, sizeof buffer), 7); // exactly cchTextMax - 1: whole
    EXPECT_STREQ(buffer, "ABCDEFG");
    EXPECT_EQ(f.list.GetItemText(2, 0).GetLength(), 600); // the class library's text grows its buffer
}

TEST(ListCtrlTest, AnOwnerPointingToItsOwnTextHasItCutNotOverrun)
{
    ListFixture f;
    static const std::string kLong(100, 'L');
    f.parent.dispInfo = [](NMLVDISPINFO& info) {
        if (info.item.mask & LVIF_TEXT)
            info.item.pszText = const_cast<LPSTR>(kLong.c_str());
        if (info.item.mask & LVIF_IMAGE)
            info.item.iImage = 5 + info.item.iItem;
    };
    f.list.InsertItem(LVIF_TEXT | LVIF_IMAGE, 0, LPSTR_TEXTCALLBACK, 0, 0, I_IMAGECALLBACK, 0);
    char guarded[12];
    std::memset(guarded, '#', sizeof guarded);
    EXPECT_EQ(f.list.GetItemText(0, 0, guarded, 8), 7);
    EXPECT_EQ(std::string(guarded, 8), std::string("LLLLLLL") + '\0');
    EXPECT_EQ(std::string(guarded + 8, 4), "####");
    LVITEM item{};
    item.mask = LVIF_IMAGE;
    f.list.GetItem(&item);
    EXPECT_EQ(item.iImage, 5);
}

TEST(ListCtrlTest, ProgrammaticStateChangesNotifyAsTheRealControlDoes)
{
    ListFixture f(LVS_REPORT | LVS_SINGLESEL);
    f.AddRows({"a", "b", "c"});
    EXPECT_TRUE(f.list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_TRUE(f.list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(f.parent.Log(), (std::vector<std::string>{"changing 0 0>3", "changed 0 0>3", "changing 2 0>2",
                                                        "changing 0 3>1", "changed 0 3>1", "changed 2 0>2"}));
    EXPECT_EQ(f.list.GetSelectedCount(), 1u);
    EXPECT_EQ(f.list.GetNextItem(-1, LVNI_SELECTED), 2);
    EXPECT_EQ(f.list.GetNextItem(-1, LVNI_FOCUSED), 0);
    EXPECT_EQ(f.list.GetNextItem(2, LVNI_SELECTED), -1);
    EXPECT_EQ(f.list.GetNextItem(0, LVNI_ALL), 1);

    f.parent.notices.clear();
    f.list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED); // no change: no notice
    f.parent.refuseRow = 1;
    EXPECT_FALSE(f.list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(f.list.GetItemState(1, LVIS_SELECTED), 0u);
    EXPECT_EQ(f.parent.Log(), std::vector<std::string>{"changing 1 0>2"});

    f.parent.notices.clear();
    f.list.SetItemText(0, 1, "new");
    f.list.SetItemText(0, 1, "new");
    f.list.InsertItem(3, "d");
    EXPECT_EQ(f.parent.Log(true), (std::vector<std::string>{"changing text 1", "changed text 1", "insert 3"}));
}

namespace {

// The selected rows as GetNextItem finds them, and as each row's own state tells.
std::vector<int> SelectedRowsFound(CListCtrl& list)
{
    std::vector<int> rows;
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row >= 0; row = list.GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

std::vector<int> SelectedRowsByState(CListCtrl& list)
{
    std::vector<int> rows;
    for (int row = 0; row < list.GetItemCount(); ++row)
        if (list.GetItemState(row, LVIS_SELECTED))
            rows.push_back(row);
    return rows;
}

int CompareTextsDescending(LPARAM a, LPARAM b, LPARAM) { return a < b ? 1 : a > b ? -1 : 0; }

} // namespace

// The search for selected rows looks only where selected rows are; it finds each of them
// however rows are inserted, deleted and sorted around them.
TEST(ListCtrlTest, EverySelectedRowIsFoundAsRowsComeGoAndAreSorted)
{
    ListFixture f(LVS_REPORT);
    f.AddRows({"a", "b", "c", "d", "e", "f", "g", "h"});
    for (int row = 0; row < f.list.GetItemCount(); ++row)
        f.list.SetItemData(row, static_cast<DWORD_PTR>(row));
    const auto select = [&](int row, bool on) { f.list.SetItemState(row, on ? LVIS_SELECTED : 0, LVIS_SELECTED); };
    const struct {
        const char* step;
        std::function<void()> act;
    } steps[] = {
        {"two rows selected", [&] { select(2, true); select(5, true); }},
        {"a row inserted before both", [&] { f.list.InsertItem(0, "x"); }},
        {"a row inserted between them", [&] { f.list.InsertItem(4, "y"); }},
        {"a row inserted after both", [&] { f.list.InsertItem(f.list.GetItemCount(), "z"); }},
        {"the first selected row deleted", [&] { f.list.DeleteItem(3); }},
        {"a row before the one left deleted", [&] { f.list.DeleteItem(0); }},
        {"the first and the last row selected", [&] { select(0, true); select(f.list.GetItemCount() - 1, true); }},
        {"the last selected row no longer selected", [&] { select(f.list.GetItemCount() - 1, false); }},
        {"the first selected row no longer selected", [&] { select(0, false); }},
        {"the rows sorted the other way", [&] { f.list.SortItems(CompareTextsDescending, 0); }},
        {"the only selected row no longer selected", [&] { select(SelectedRowsByState(f.list).front(), false); }},
        {"a selected row inserted", [&] {
             LVITEM item{};
             item.mask = LVIF_TEXT | LVIF_STATE;
             item.iItem = 3;
             item.pszText = const_cast<char*>("s");
             item.state = item.stateMask = LVIS_SELECTED;
             f.list.InsertItem(&item);
         }},
    };
    for (const auto& step : steps) {
        step.act();
        EXPECT_EQ(SelectedRowsFound(f.list), SelectedRowsByState(f.list)) << step.step;
    }
    EXPECT_EQ(SelectedRowsFound(f.list), std::vector<int>{3});
}

TEST(ListCtrlTest, StateOfEveryRowAtOnce)
{
    ListFixture f(LVS_REPORT);
    f.AddRows({"a", "b", "c"});
    f.list.SetItemState(-1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(f.list.GetSelectedCount(), 3u);
    EXPECT_EQ(f.parent.Log().size(), 6u); // one pair a row
    f.parent.notices.clear();
    f.list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(f.list.GetSelectedCount(), 0u);
    EXPECT_EQ(f.parent.Log()[1], "changed 0 2>0");
}

TEST(ListCtrlTest, AVirtualListAsksForEveryTextAndKeepsOnlyStates)
{
    ListFixture f(LVS_REPORT | LVS_OWNERDATA);
    f.parent.dispInfo = [](NMLVDISPINFO& info) {
        const std::string text = "row " + std::to_string(info.item.iItem) + "." + std::to_string(info.item.iSubItem);
        std::strncpy(info.item.pszText, text.c_str(), static_cast<std::size_t>(info.item.cchTextMax - 1));
    };
    EXPECT_TRUE(f.list.SetItemCountEx(50, LVSICF_NOINVALIDATEALL));
    EXPECT_EQ(f.list.GetItemCount(), 50);
    EXPECT_EQ(f.list.GetItemText(42, 2), "row 42.2");
    EXPECT_EQ(f.list.InsertItem(0, "refused"), -1);
    EXPECT_FALSE(f.list.SetItemText(1, 0, "refused"));
    EXPECT_FALSE(f.list.SortItems(&AlwaysFirst, 0));
    f.list.SetItemState(3, LVIS_SELECTED, LVIS_SELECTED);
    f.list.SetItemState(4, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(f.list.GetSelectedCount(), 2u);
    f.parent.notices.clear();
    f.list.SetItemState(-1, 0, LVIS_SELECTED); // one notice for all rows
    EXPECT_EQ(f.parent.Log(), std::vector<std::string>{"changed -1 2>0"});
    EXPECT_EQ(f.list.GetSelectedCount(), 0u);
    f.list.SetItemCount(10);
    EXPECT_EQ(f.list.GetItemCount(), 10);
}

TEST(ListCtrlTest, TopRowRowsPerPageAndScrollingIntoView)
{
    // 210 pixels: a 20-pixel header, then rows of 18 (16-pixel font + 2): ten whole rows and
    // part of an eleventh.
    ListFixture f(LVS_REPORT, CRect(0, 0, 300, 210));
    for (int i = 0; i < 30; ++i)
        f.list.InsertItem(i, ("row " + std::to_string(i)).c_str());
    EXPECT_EQ(f.list.GetCountPerPage(), 10);
    EXPECT_EQ(f.list.GetTopIndex(), 0);
    EXPECT_TRUE(f.list.EnsureVisible(10, TRUE)); // the partly shown row is accepted when asked
    EXPECT_EQ(f.list.GetTopIndex(), 0);
    EXPECT_TRUE(f.list.EnsureVisible(10, FALSE));
    EXPECT_EQ(f.list.GetTopIndex(), 1);
    f.list.EnsureVisible(29, FALSE);
    EXPECT_EQ(f.list.GetTopIndex(), 20);
    f.list.EnsureVisible(3, FALSE);
    EXPECT_EQ(f.list.GetTopIndex(), 3);
    f.list.Scroll(CSize(0, 18 * 100));
    EXPECT_EQ(f.list.GetTopIndex(), 20); // never past the last page
    EXPECT_FALSE(f.list.EnsureVisible(30, FALSE));
    for (int i = 29; i >= 5; --i)
        f.list.DeleteItem(i);
    EXPECT_EQ(f.list.GetTopIndex(), 0);
}

TEST(ListCtrlTest, RectanglesAndHitTests)
{
    ListFixture f;
    CImageList images;
    images.Create(16, 16, ILC_MASK, 0, 1);
    f.list.SetImageList(&images, LVSIL_SMALL);
    f.AddRows({"a", "b", "c"});
    CRect bounds;
    ASSERT_TRUE(f.list.GetItemRect(1, &bounds, LVIR_BOUNDS));
    EXPECT_EQ(bounds, CRect(0, 38, 240, 56)); // below the header and row 0; as wide as the columns
    CRect icon;
    f.list.GetItemRect(1, &icon, LVIR_ICON);
    EXPECT_EQ(icon, CRect(0, 38, 16, 56));
    CRect label;
    f.list.GetItemRect(1, &label, LVIR_LABEL);
    EXPECT_EQ(label, CRect(16, 38, 100, 56));
    CRect cell;
    ASSERT_TRUE(f.list.GetSubItemRect(1, 2, LVIR_LABEL, cell));
    EXPECT_EQ(cell, CRect(160, 38, 240, 56));
    f.list.GetSubItemRect(1, 0, LVIR_BOUNDS, cell);
    EXPECT_EQ(cell, bounds);

    UINT flags = 0;
    EXPECT_EQ(f.list.HitTest(CPoint(20, 40), &flags), 1);
    EXPECT_EQ(flags, LVHT_ONITEMLABEL);
    EXPECT_EQ(f.list.HitTest(CPoint(4, 60), &flags), 2);
    EXPECT_EQ(flags, LVHT_ONITEMICON);
    EXPECT_EQ(f.list.HitTest(CPoint(20, 80), &flags), -1); // below the last row
    EXPECT_EQ(flags, LVHT_NOWHERE);
    EXPECT_EQ(f.list.HitTest(CPoint(260, 40), &flags), -1); // right of the columns
    EXPECT_EQ(f.list.HitTest(CPoint(20, 500), &flags), -1);
    EXPECT_EQ(flags, LVHT_BELOW);
    LVHITTESTINFO hit{{170, 25}, 0, -1, 0};
    EXPECT_EQ(f.list.SubItemHitTest(&hit), 0);
    EXPECT_EQ(hit.iSubItem, 2);
}

TEST(ListCtrlTest, HeaderFollowsTheListStyles)
{
    ListFixture f(LVS_REPORT);
    HWND header = f.list.GetHeaderCtrl()->m_hWnd;
    EXPECT_TRUE(GetWindowLongPtr(header, GWL_STYLE) & HDS_BUTTONS);
    EXPECT_TRUE(IsWindowVisible(header));
    f.AddRows({"a"});
    CRect row;
    f.list.GetItemRect(0, &row, LVIR_BOUNDS);
    EXPECT_EQ(row.top, 20);

    f.list.ModifyStyle(0, LVS_NOSORTHEADER);
    EXPECT_FALSE(GetWindowLongPtr(header, GWL_STYLE) & HDS_BUTTONS);
    f.list.ModifyStyle(0, LVS_NOCOLUMNHEADER);
    EXPECT_FALSE(IsWindowVisible(header));
    f.list.GetItemRect(0, &row, LVIR_BOUNDS);
    EXPECT_EQ(row.top, 0);
    f.list.ModifyStyle(LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER, 0);
    EXPECT_TRUE(IsWindowVisible(header));
    EXPECT_TRUE(GetWindowLongPtr(header, GWL_STYLE) & HDS_BUTTONS);
}

TEST(ListCtrlTest, ImageListsGoWithTheControlUnlessShared)
{
    CImageList owned;
    owned.Create(16, 16, ILC_MASK, 0, 1);
    CImageList shared;
    shared.Create(16, 16, ILC_MASK, 0, 1);
    {
        ListFixture f(LVS_REPORT);
        EXPECT_EQ(f.list.SetImageList(&owned, LVSIL_SMALL), nullptr);
        EXPECT_EQ(f.list.GetImageList(LVSIL_SMALL), &owned);
    }
    EXPECT_EQ(owned.m_hImageList, nullptr);
    {
        ListFixture f(LVS_REPORT | LVS_SHAREIMAGELISTS);
        f.list.SetImageList(&shared, LVSIL_SMALL);
    }
    EXPECT_NE(shared.m_hImageList, nullptr);
}

TEST(ListCtrlTest, SortArrowsAreBitmapsOfHeaderItems)
{
    ListFixture f;
    CHeaderCtrl* header = f.list.GetHeaderCtrl();
    ASSERT_TRUE(header->GetStyle() & HDS_BUTTONS);
    HBITMAP up = vqwin::CreateLabelledBitmap(8, 8, "bitmap 195");
    // As the application marks the sort column: the bitmap on it, none on the others.
    for (int column = 0; column < header->GetItemCount(); ++column) {
        HDITEM item{};
        item.mask = HDI_FORMAT;
        ASSERT_TRUE(header->GetItem(column, &item));
        if (column == 1) {
            item.mask |= HDI_BITMAP;
            item.fmt |= HDF_BITMAP;
            item.hbm = up;
        } else {
            item.fmt &= ~HDF_BITMAP;
        }
        header->SetItem(column, &item);
    }
    HDITEM check{};
    check.mask = HDI_FORMAT | HDI_BITMAP;
    header->GetItem(1, &check);
    EXPECT_EQ(check.fmt & HDF_BITMAP, HDF_BITMAP);
    EXPECT_EQ(check.hbm, up);
    header->UpdateWindow();
    const vqwin::DisplayList& drawn = *vqwin::GetWindowDisplayList(*header);
    ASSERT_NE(drawn.FindText("Kind"), nullptr);
    int arrows = 0;
    for (const vqwin::DisplayOp& op : drawn.Ops()) {
        if (op.kind == vqwin::DisplayOp::Kind::Image) {
            ++arrows;
            EXPECT_EQ(op.image, "bitmap 195");
            EXPECT_EQ(op.rect.right, 156); // at the right of the column, 100 to 160
        }
    }
    EXPECT_EQ(arrows, 1);
    CRect kind;
    ASSERT_TRUE(header->GetItemRect(1, &kind));
    EXPECT_EQ(kind, CRect(100, 0, 160, 20));
    DeleteObject(up);
}
