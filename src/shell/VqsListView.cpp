#include "shell/VqsListView.h"

#include "proxy/PxVQObject.h"
#include "shell/VqsFindObjectDlg.h"
#include "shell/VqsListFrame.h"
#include "shell/VqsListItem.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSortBatch.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTreeItem.h"
#include "win/CDC.h"
#include "win/CGdiObject.h"
#include "win/MbString.h"
#include "win/Mbcs.h"
#include "win/UiDriver.h"

#include <algorithm>
#include <vector>

namespace {

constexpr UINT ID_EDIT_FIND = 57636;
constexpr UINT ID_EDIT_REPEAT = 57640;
constexpr UINT IDS_NODE_NOT_FOUND = 61951;
constexpr UINT IDS_ITEM_DELETED = 61746;

// The text Find, Find Next and the tree search look for, shared by every view.
// Made as the library loads, not at first use: the module's end, which may use it, finds it.
CString g_searchText;

CString& SearchText() { return g_searchText; }

// The running sort: the address of the (column, direction) pair is the sort's parameter.
struct SortOrder {
    int column;
    BOOL ascending;
};
struct SortContext {
    SortOrder order{0, TRUE};
    VqsListView* view = nullptr;
};
SortContext g_sort;

int CompareByColumns(LPARAM first, LPARAM second, LPARAM order)
{
    VqsListView* view = g_sort.view;
    if (!view)
        return 0;
    const auto* sortOrder = reinterpret_cast<const SortOrder*>(order);
    return view->CompareItems(sortOrder->column, sortOrder->ascending, view->ItemFromData(first),
                              view->ItemFromData(second));
}

int SmallIconsWidth() { return 4 * GetSystemMetrics(SM_CXSMICON); }

// Copies the text into the list's buffer, cut on a character so that it fits.
void CopyToBuffer(const CString& text, LPSTR buffer, int size)
{
    mbcs::CopyToBuffer(text.view(), buffer, static_cast<std::size_t>(size > 0 ? size : 0));
}

bool StartsWith(VqsTreeItem* item, const CString& text)
{
    return _strnicmp(item->GetText(), text, static_cast<std::size_t>(text.GetLength())) == 0;
}

// The first item of the branch, in tree order, whose text starts with `text`, or `stop` when
// the walk reaches it first.
VqsTreeItem* FindUpTo(VqsTreeItem* item, VqsTreeItem* stop, const CString& text)
{
    if (item == stop || StartsWith(item, text))
        return item;
    return item->SearchChildren([item] { return item->ChildrenInTreeOrder(); },
                                [&](VqsTreeItem* child) { return FindUpTo(child, stop, text); });
}

} // namespace

BEGIN_MESSAGE_MAP(VqsListView, CListView)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
    ON_NOTIFY_REFLECT(LVN_GETDISPINFO, &VqsListView::OnGetDispInfo)
    ON_WM_SIZE()
    ON_UPDATE_COMMAND_UI(ID_EDIT_FIND, &VqsListView::OnUpdateEditFind)
    ON_COMMAND(ID_EDIT_FIND, &VqsListView::OnEditFind)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REPEAT, &VqsListView::OnUpdateEditRepeat)
    ON_COMMAND(ID_EDIT_REPEAT, &VqsListView::OnEditRepeat)
    ON_WM_CHAR()
    ON_MESSAGE(WM_MEASURE_PENDING, &VqsListView::OnMeasurePending)
    ON_MESSAGE(WM_SIZE_PENDING, &VqsListView::OnSizePending)
END_MESSAGE_MAP()

VqsListView::VqsListView()
    : m_bMeasurePosted(FALSE), m_bSizePosted(FALSE), m_nLastColumnWidth(SmallIconsWidth() + 2), m_itemsToMeasure(10)
{
}

VqsListView::~VqsListView()
{
    if (g_sort.view == this)
        g_sort.view = nullptr;
}

// ---------------------------------------------------------------- frame

VqsListFrame* VqsListView::GetListFrame() const { return dynamic_cast<VqsListFrame*>(GetParentFrame()); }

CFont* VqsListView::GetFrameFont() const
{
    VqsListFrame* frame = GetListFrame();
    return frame ? frame->GetFont() : nullptr;
}

BOOL VqsListView::IsCurrentView() const
{
    VqsListFrame* frame = GetListFrame();
    return frame && frame->GetCurrentView() == this;
}

// ---------------------------------------------------------------- virtual defaults

void VqsListView::GetSelectionContext(PxVQSystemPtr&, PxVQBSSoftLinkPtr&, PxVQElementSoftLinkPtr&, PxVQGenSetPtr&)
{
}

void VqsListView::OnObjectChanged(int, const PxVQObjectPtr*, const PxVQObjectPtr*) {}

BOOL VqsListView::MeasuresItems() { return FALSE; }

BOOL VqsListView::TellSelectionGone() { return FALSE; }

PxVQObjectPtr VqsListView::FirstGone(const std::vector<PxVQObjectPtr>& objects)
{
    const std::vector<bool> present = PxObject::ArePresent({objects.begin(), objects.end()});
    for (std::size_t index = 0; index < objects.size(); ++index) {
        if (!present[index])
            return objects[index];
    }
    return PxVQObjectPtr();
}

void VqsListView::TellRowGone(const PxVQObjectPtr& object, int goneHint, const PxVQObjectPtr& parent)
{
    VqsTellItemDeleted(IDS_ITEM_DELETED, object->GetObjectKind());
    if (VqsSysApp* app = VqsGetApp())
        app->BroadcastObjectChange(goneHint, nullptr, &object, parent ? &parent : nullptr);
}

int VqsListView::GetCommandState(UINT id, int* enabled, int*)
{
    const int rows = GetListCtrl().GetItemCount();
    if (id == ID_EDIT_FIND) {
        *enabled = rows > 0;
        return TRUE;
    }
    if (id == ID_EDIT_REPEAT) {
        *enabled = rows > 0 && !SearchText().IsEmpty();
        return TRUE;
    }
    return FALSE;
}

// ---------------------------------------------------------------- rows

int VqsListView::FindItemIndex(VqsListItem* item) const
{
    LVFINDINFO find{};
    find.flags = LVFI_PARAM;
    find.lParam = reinterpret_cast<LPARAM>(item);
    return GetListCtrl().FindItem(&find, -1);
}

int VqsListView::InsertListItem(BOOL sorted, int index, VqsListItem* item, LPARAM data, BOOL withImage)
{
    CListCtrl& list = GetListCtrl();
    if (sorted) {
        index = 0;
        while (index < list.GetItemCount() &&
               CompareListItems(item, ItemFromData(static_cast<LPARAM>(list.GetItemData(index)))) >= 0)
            ++index;
    } else if (index < 0) {
        index = list.GetItemCount();
    }
    LVITEM row{};
    row.mask = LVIF_TEXT | LVIF_PARAM | (withImage ? LVIF_IMAGE : 0);
    row.iItem = index;
    row.pszText = LPSTR_TEXTCALLBACK;
    row.iImage = I_IMAGECALLBACK;
    row.lParam = data;
    const int inserted = list.InsertItem(&row);
    if (inserted >= 0 && MeasuresItems()) {
        MeasureLater(item);
        PostMeasure();
    }
    return inserted;
}

void VqsListView::RemoveItem(VqsListItem* item)
{
    const int index = FindItemIndex(item);
    if (index < 0)
        return;
    GetListCtrl().DeleteItem(index);
    if (MeasuresItems()) {
        m_itemsToMeasure.RemoveKey(item);
        PostMeasure();
    }
    item->SetListed(false);
}

void VqsListView::DeleteAllItems()
{
    GetListCtrl().DeleteAllItems();
    if (MeasuresItems()) {
        m_itemsToMeasure.RemoveAll();
        PostMeasure();
    }
}

void VqsListView::RedrawItems(int first, int last)
{
    CListCtrl& list = GetListCtrl();
    {
        VqsRedrawSwitch redraw(this);
        list.RedrawItems(first, last);
    }
    if (!MeasuresItems())
        return;
    for (int row = std::max(first, 0); row <= last && row < list.GetItemCount(); ++row) {
        if (VqsListItem* item = ItemFromData(static_cast<LPARAM>(list.GetItemData(row))))
            MeasureLater(item);
    }
    PostMeasure();
}

void VqsListView::RedrawAllItems() { RedrawItems(0, GetListCtrl().GetItemCount() - 1); }

VqsRedrawSwitch VqsListView::SuspendRedraw() { return VqsRedrawSwitch(this); }

void VqsListView::SelectItem(int index, BOOL select)
{
    GetListCtrl().SetItemState(index, select ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

void VqsListView::FocusItem(int index, BOOL focus)
{
    GetListCtrl().SetItemState(index, focus ? LVIS_FOCUSED : 0, LVIS_FOCUSED);
}

void VqsListView::SelectOnly(int index)
{
    if (index == -1)
        return;
    CListCtrl& list = GetListCtrl();
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row != -1; row = list.GetNextItem(row, LVNI_SELECTED)) {
        if (row != index)
            list.SetItemState(row, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    if (!(list.GetItemState(index, LVIS_SELECTED) & LVIS_SELECTED))
        list.SetItemState(index, LVIS_SELECTED, LVIS_SELECTED);
    list.EnsureVisible(index, FALSE);
}

void VqsListView::EnsureVisible(int index) { GetListCtrl().EnsureVisible(index, FALSE); }

void VqsListView::ModifyStyle(DWORD remove, DWORD add) { CWnd::ModifyStyle(remove, add, 0); }

CImageList* VqsListView::SetSmallImageList(CImageList* list) { return GetListCtrl().SetImageList(list, LVSIL_SMALL); }

CImageList* VqsListView::GetImageList(int type) const { return GetListCtrl().GetImageList(type); }

// ---------------------------------------------------------------- columns and sorting

void VqsListView::SetColumnText(int column, const CString& text)
{
    LVCOLUMN spec{};
    spec.mask = LVCF_TEXT;
    spec.pszText = const_cast<LPSTR>(text.GetString());
    GetListCtrl().SetColumn(column, &spec);
}

// Each column takes its share of what the columns before it left, but never less than four
// small icons; once the width is used up the remaining columns get that minimum.
void VqsListView::InsertColumns(const VqsColumnSpec* specs, int sortColumn, BOOL ascending)
{
    CListCtrl& list = GetListCtrl();
    CRect client;
    GetClientRect(&client);
    const unsigned minimum = static_cast<unsigned>(SmallIconsWidth());
    const int count = GetColumnCount();
    unsigned remainingWidth = static_cast<unsigned>(std::max(client.Width(), 0));
    unsigned remainingShares = 0;
    for (int column = 0; column < count; ++column)
        remainingShares += specs[column].share;
    for (int column = 0; column < count; ++column) {
        const unsigned share = specs[column].share;
        const unsigned proportional = remainingShares ? share * remainingWidth / remainingShares : 0;
        const unsigned width = std::max(proportional, minimum);
        list.InsertColumn(column, specs[column].heading, LVCFMT_LEFT, static_cast<int>(width),
                          column == 0 ? -1 : column);
        remainingWidth -= std::min(width, remainingWidth);
        remainingShares -= share;
    }
    VqsSetHeaderSortArrow(&list, sortColumn, ascending);
}

void VqsListView::SortItems(int column, BOOL ascending, PFNLVCOMPARE compare)
{
    g_sort.order = SortOrder{column, ascending};
    g_sort.view = this;
    GetListCtrl().SortItems(compare ? compare : CompareByColumns, reinterpret_cast<DWORD_PTR>(&g_sort.order));
    VqsSetHeaderSortArrow(&GetListCtrl(), column, ascending);
}

// The direction turns only the sort column's result: ties are broken by the other columns in
// their own order, so the comparison is the same strict order whichever way the rows run.
int VqsListView::CompareItems(int column, BOOL ascending, VqsListItem* a, VqsListItem* b)
{
    const int result = _mbsicmp(GetColumnText(a, column), GetColumnText(b, column));
    if (result != 0)
        return ascending ? result : -result;
    for (int other = 0, count = GetColumnCount(); other < count; ++other) {
        if (other == column)
            continue;
        if (const int tie = _mbsicmp(GetColumnText(a, other), GetColumnText(b, other)))
            return tie;
    }
    return 0;
}

int VqsListView::GetColumnStart(int column) const
{
    int start = 0;
    for (int before = 0; before < column; ++before)
        start += GetListCtrl().GetColumnWidth(before);
    return start;
}

// ---------------------------------------------------------------- measuring

void VqsListView::MeasureLater(VqsListItem* item) { m_itemsToMeasure[item] = TRUE; }

void VqsListView::PostMeasure()
{
    if (m_bMeasurePosted)
        return;
    PostMessage(WM_MEASURE_PENDING);
    m_bMeasurePosted = TRUE;
}

int VqsListView::GetFrameFontHeight(int fallback)
{
    int height = fallback;
    CFont* font = GetFrameFont();
    if (CDC* dc = font ? GetDC() : nullptr) {
        CFont* previous = dc->SelectObject(font);
        TEXTMETRIC metrics{};
        if (dc->GetTextMetrics(&metrics))
            height = metrics.tmHeight;
        dc->SelectObject(previous);
        ReleaseDC(dc);
    }
    return height;
}

void VqsListView::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    VqsSysApp* app = VqsGetApp();
    int imageHeight = app ? app->GetImageSize().cy : 0;
    if (imageHeight < 1)
        imageHeight = 8;
    const int textHeight = GetFrameFontHeight(16);
    mis->itemHeight = static_cast<UINT>((textHeight <= imageHeight ? imageHeight : textHeight) + 2);
}

LRESULT VqsListView::OnMeasurePending(WPARAM, LPARAM)
{
    m_bMeasurePosted = FALSE;
    CListCtrl& list = GetListCtrl();
    int widest = SmallIconsWidth();
    for (int row = 0, rows = list.GetItemCount(); row < rows; ++row) {
        VqsListItem* item = ItemFromData(static_cast<LPARAM>(list.GetItemData(row)));
        if (!item)
            continue;
        if (m_itemsToMeasure.PLookup(item))
            item->UpdateWidth(this);
        widest = std::max(widest, item->GetWidth());
    }
    m_itemsToMeasure.RemoveAll();
    m_nLastColumnWidth = widest + 2;
    const int last = GetColumnCount() - 1;
    if (last < 0)
        return 1;
    CRect client;
    GetClientRect(&client);
    const int available = client.Width() - GetColumnStart(last);
    const int width = std::max(widest + 2, available);
    if (width != list.GetColumnWidth(last))
        list.SetColumnWidth(last, width);
    return 1;
}

void VqsListView::OnSize(UINT type, int cx, int cy)
{
    CListView::OnSize(type, cx, cy);
    if ((type != SIZE_RESTORED && type != SIZE_MAXIMIZED) || !m_hWnd)
        return;
    if (!m_bSizePosted) {
        PostMessage(WM_SIZE_PENDING);
        m_bSizePosted = TRUE;
    }
    if (VqsListFrame* frame = GetListFrame())
        frame->SaveLayout();
}

LRESULT VqsListView::OnSizePending(WPARAM, LPARAM)
{
    m_bSizePosted = FALSE;
    const int last = GetColumnCount() - 1;
    if (last < 0)
        return 1;
    CListCtrl& list = GetListCtrl();
    CRect client;
    GetClientRect(&client);
    const int lastWidth = list.GetColumnWidth(last);
    const int total = GetColumnStart(last) + lastWidth;
    if (total == client.Width())
        return 1;
    const int floor = MeasuresItems() ? m_nLastColumnWidth : SmallIconsWidth();
    const int width = std::max(lastWidth + client.Width() - total, floor);
    if (width != lastWidth)
        list.SetColumnWidth(last, width);
    return 1;
}

// Resizing makes the list ask for the row height again; the column widths are set again so
// that the header takes the new font.
void VqsListView::OnFontChanged()
{
    VqsRedrawSwitch redraw(this);
    CRect window;
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.Width() - 2, window.Height() - 2, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(), SWP_NOMOVE | SWP_NOZORDER);
    CListCtrl& list = GetListCtrl();
    const int columns = GetColumnCount();
    if (columns > 1) {
        for (int column = 0; column < columns; ++column) {
            const int width = list.GetColumnWidth(column);
            list.SetColumnWidth(column, width + 1);
            list.SetColumnWidth(column, width);
        }
    }
    if (!MeasuresItems())
        return;
    for (int row = 0, rows = list.GetItemCount(); row < rows; ++row) {
        if (VqsListItem* item = ItemFromData(static_cast<LPARAM>(list.GetItemData(row))))
            MeasureLater(item);
    }
    if (!m_bMeasurePosted) {
        m_bMeasurePosted = TRUE;
        SendMessage(WM_MEASURE_PENDING);
    }
}

// ---------------------------------------------------------------- drawing

void VqsListView::OnGetDispInfo(NMHDR* header, LRESULT* result)
{
    auto* info = reinterpret_cast<NMLVDISPINFO*>(header);
    VqsListItem* item = ItemFromData(info->item.lParam);
    if (info->item.mask & LVIF_TEXT)
        CopyToBuffer(GetColumnText(item, info->item.iSubItem), info->item.pszText, info->item.cchTextMax);
    if (info->item.mask & LVIF_IMAGE)
        info->item.iImage = GetItemImage(item);
    *result = 0;
}

// The row's image from the small image list, then the item's object image, each moving the
// start of the text to the right.
void VqsListView::DrawRowImages(CDC* dc, const CRect& row, int index, BOOL draw, int& textLeft, VqsListItem* item)
{
    CListCtrl& list = GetListCtrl();
    if (CImageList* images = list.GetImageList(LVSIL_SMALL)) {
        LVITEM image{};
        image.mask = LVIF_IMAGE;
        image.iItem = index;
        list.GetItem(&image);
        int cx = 0;
        int cy = 0;
        ImageList_GetIconSize(*images, &cx, &cy);
        if (draw)
            images->Draw(dc, image.iImage, CPoint(row.left + 4, row.top + (row.Height() - cy) / 2), ILD_NORMAL);
        textLeft = row.left + cx + 8;
    }
    VqsImageRef overlay;
    VqsSysApp* app = VqsGetApp();
    if (item && app && item->GetOverlayImage(overlay)) {
        if (draw)
            app->DrawObjectImage(dc, overlay, textLeft + 4, row.top, row.Height(), FALSE);
        textLeft += app->GetImageSize().cx + 8;
    }
}

void VqsListView::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* dc = CDC::FromHandle(dis->hDC);
    const CRect row(dis->rcItem);
    const BOOL selected = (dis->itemState & ODS_SELECTED) != 0;
    const BOOL paint = (dis->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0;
    CListCtrl& list = GetListCtrl();
    const int index = static_cast<int>(dis->itemID);
    const BOOL valid = index >= 0 && index < list.GetItemCount();
    VqsListItem* item = valid ? ItemFromData(static_cast<LPARAM>(dis->itemData)) : nullptr;

    const COLORREF oldText = dc->GetTextColor();
    const COLORREF oldBack = dc->GetBkColor();
    const COLORREF back = GetSysColor(!selected ? COLOR_WINDOW : IsCurrentView() ? COLOR_HIGHLIGHT : COLOR_GRAYTEXT);
    const COLORREF fore = GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    if (paint)
        dc->FillSolidRect(&row, GetSysColor(COLOR_WINDOW));
    int textLeft = row.left;
    if (valid)
        DrawRowImages(dc, row, index, paint, textLeft, item);
    const CRect text(textLeft, row.top, row.right, row.bottom);
    if (paint) {
        dc->FillSolidRect(&text, back);
        if (item) {
            CFont* previous = dc->SelectObject(GetFrameFont());
            dc->SetTextColor(fore);
            for (int column = 0, columns = GetColumnCount(); column < columns; ++column) {
                const int start = column == 0 ? textLeft : row.left + GetColumnStart(column);
                dc->FillSolidRect(CRect(start, row.top, row.right, row.bottom), back);
                dc->TextOut(start + 2, row.top, GetColumnText(item, column));
            }
            if (previous)
                dc->SelectObject(previous);
        }
        dc->SetTextColor(oldText);
        dc->SetBkColor(oldBack);
    }
    if (((dis->itemAction & ODA_DRAWENTIRE) && (dis->itemState & ODS_FOCUS)) || (dis->itemAction & ODA_FOCUS))
        dc->DrawFocusRect(&text);
}

void VqsListView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView)
{
    {
        VqsRedrawSwitch redraw(this);
        CListCtrl& list = GetListCtrl();
        for (int row = list.GetNextItem(-1, LVNI_SELECTED); row != -1; row = list.GetNextItem(row, LVNI_SELECTED))
            list.RedrawItems(row, row);
    }
    CListView::OnActivateView(activate, activateView, deactiveView);
}

// ---------------------------------------------------------------- keys

void VqsListView::OnChar(UINT ch, UINT repeat, UINT flags)
{
    if (ch != '\t') {
        CListView::OnChar(ch, repeat, flags);
        return;
    }
    if (VqsListFrame* frame = GetListFrame())
        frame->ActivateNextPane(frame->GetCurrentView());
}

// ---------------------------------------------------------------- Find and Find Next

void VqsListView::OnUpdateEditFind(CCmdUI* cmdUI)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(ID_EDIT_FIND, &enabled, &checked);
    cmdUI->Enable(enabled);
}

void VqsListView::OnUpdateEditRepeat(CCmdUI* cmdUI)
{
    int enabled = 0;
    int checked = 0;
    GetCommandState(ID_EDIT_REPEAT, &enabled, &checked);
    cmdUI->Enable(enabled);
}

void VqsListView::OnEditFind()
{
    VqsFindObjectDlg dialog(this);
    dialog.m_strSearchText = SearchText();
    dialog.m_strTitleWord = GetFindTitle();
    const INT_PTR result = dialog.DoModal();
    // The dialog's loop may have closed the view (a queued File > Close).
    if (result != IDOK || !m_hWnd)
        return;
    SearchText() = dialog.m_strSearchText;
    OnEditRepeat();
}

void VqsListView::OnEditRepeat()
{
    CWaitCursor wait;
    CListCtrl& list = GetListCtrl();
    if (list.GetItemCount() == 0)
        return;
    const int start = std::max(list.GetNextItem(-1, LVNI_SELECTED), 0);
    VqsListItem* item = ItemFromData(static_cast<LPARAM>(list.GetItemData(start)));
    if (!item)
        return;
    if (!item->IsTreeItem()) {
        FindNextRow(start);
        return;
    }
    auto* treeItem = dynamic_cast<VqsTreeItem*>(item);
    VqsTreeItem* found = treeItem ? FindNextTreeItem(treeItem->GetParent(), treeItem) : nullptr;
    if (!found) {
        ReportNotFound();
        return;
    }
    if (VqsTreeItem* parent = found->GetParent()) {
        // The rows of the found item's ancestors' children are added in one sorted batch.
        VqsSortBatch batch(found->GetTreeView());
        if (!parent->UpdateFromRoot())
            return;
    }
    found->SelectExclusive();
    found->EnsureVisible();
}

// Searches the rows after `start`, then from the top round to `start` itself.
void VqsListView::FindNextRow(int start)
{
    CListCtrl& list = GetListCtrl();
    const int rows = list.GetItemCount();
    for (int step = 1; step <= rows; ++step) {
        const int row = (start + step) % rows;
        VqsListItem* item = ItemFromData(static_cast<LPARAM>(list.GetItemData(row)));
        if (item && _mbsstr(item->GetText(), SearchText().GetString())) {
            SelectOnly(row);
            return;
        }
    }
    ReportNotFound();
}

void VqsListView::ReportNotFound()
{
    CString text;
    text.LoadString(IDS_NODE_NOT_FOUND);
    AfxMessageBox(text + SearchText());
}

VqsTreeItem* VqsListView::FindNextTreeItem(VqsTreeItem* parent, VqsTreeItem* start)
{
    // The branches the search reads and gives back have no rows; the view is drawn once after.
    VqsRedrawSwitch redraw(this);
    const CString& text = SearchText();
    const auto searchFrom = [&](VqsTreeItem* candidate) -> VqsTreeItem* {
        if (candidate != start && StartsWith(candidate, text))
            return candidate;
        return candidate->FindByPrefix(text, static_cast<std::size_t>(text.GetLength()), TRUE);
    };
    if (!parent) {
        if (VqsTreeItem* found = searchFrom(start))
            return found;
    }
    // The start item's own branch is searched in its parent's walk, before its following
    // siblings, so that what its fill reads is read ahead as theirs is.
    for (VqsTreeItem* level = start; parent; level = parent, parent = parent->GetParent()) {
        const auto candidates = [&] {
            std::vector<VqsTreeItem*> after = parent->ChildrenAfter(level);
            if (level == start)
                after.insert(after.begin(), start);
            return after;
        };
        if (VqsTreeItem* found = parent->SearchChildren(candidates, searchFrom))
            return found;
    }
    // Round once to the top and on to the start item.
    VqsTreeItem* top = start;
    while (top->GetParent())
        top = top->GetParent();
    VqsTreeItem* found = FindUpTo(top, start, text);
    return found == start ? nullptr : found;
}
