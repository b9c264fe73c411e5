#include "shell/VqsTreeView.h"

#include "shell/VqsListFrame.h"
#include "shell/VqsSysApp.h"
#include "shell/VqsTreeItem.h"
#include "win/CDC.h"
#include "win/CGdiObject.h"

namespace {

constexpr UINT ID_EXPAND = 32795;
constexpr UINT ID_COLLAPSE = 32798;
constexpr UINT IDB_TREE = 130;
constexpr int kDefaultBitmapSide = 16;
constexpr int kDefaultFontHeight = 16;
// Without bitmap and object image the mark and the tree lines keep to a 16-pixel grid.
constexpr int kDefaultHalfUnit = 8;

CSize BitmapSize(CBitmap* bitmap)
{
    BITMAP info{};
    if (bitmap && bitmap->GetBitmap(&info))
        return CSize(info.bmWidth, info.bmHeight);
    return CSize(kDefaultBitmapSide, kDefaultBitmapSide);
}

} // namespace

CSize VqsGetTreeBitmapSize(const VqsBitmapRef& bitmap)
{
    VqsSysApp* app = VqsGetApp();
    return BitmapSize(app ? app->GetCachedBitmap(bitmap) : nullptr);
}

// Where the parts of a row go: the bitmap with the mark, the object image, the text.
struct VqsTreeView::RowLayout {
    BOOL hasBitmap = FALSE;
    VqsBitmapRef bitmap;
    CRect button;
    BOOL hasImage = FALSE;
    VqsImageRef image;
    int imageX = 0;
    int imageWidth = 0;
    int textLeft = 0;
};

BEGIN_MESSAGE_MAP(VqsTreeView, VqsListView)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_MEASUREITEM_REFLECT()
END_MESSAGE_MAP()

VqsTreeView::VqsTreeView() = default;

VqsTreeView::~VqsTreeView() = default;

// ---------------------------------------------------------------- items

VqsListItem* VqsTreeView::ItemFromData(LPARAM itemData) { return reinterpret_cast<VqsListItem*>(itemData); }

VqsTreeItem* VqsTreeView::GetItem(int index)
{
    CListCtrl& list = GetListCtrl();
    if (index < 0 || index >= list.GetItemCount())
        return nullptr;
    return dynamic_cast<VqsTreeItem*>(ItemFromData(static_cast<LPARAM>(list.GetItemData(index))));
}

VqsTreeItem* VqsTreeView::GetSelectedItem()
{
    CListCtrl& list = GetListCtrl();
    if (list.GetSelectedCount() != 1)
        return nullptr;
    return GetItem(list.GetNextItem(-1, LVNI_SELECTED));
}

int VqsTreeView::CompareListItems(VqsListItem* a, VqsListItem* b)
{
    return dynamic_cast<VqsTreeItem&>(*a).Compare(&dynamic_cast<VqsTreeItem&>(*b));
}

CString VqsTreeView::GetColumnText(VqsListItem* item, int column)
{
    auto* treeItem = dynamic_cast<VqsTreeItem*>(item);
    CString text;
    if (!treeItem)
        return text;
    if (column == 0)
        return CString(treeItem->GetDisplayText());
    if (!treeItem->GetColumnText(column, text))
        text.Empty();
    return text;
}

int VqsTreeView::GetItemImage(VqsListItem*) { return 0; }

CString VqsTreeView::GetFindTitle() { return CString(); }

BOOL VqsTreeView::IsSorted() { return TRUE; }

void VqsTreeView::GetTabStops(const TEXTMETRIC*, int* count, int** positions)
{
    *count = 0;
    *positions = nullptr;
}

int VqsTreeView::GetCommandState(UINT id, int* enabled, int* checked)
{
    VqsTreeItem* item = GetSelectedItem();
    const int state = item ? item->GetState() : VqsTreeItem::Leaf;
    if (id == ID_EXPAND)
        *enabled = item && state != VqsTreeItem::Leaf && state != VqsTreeItem::Expanded;
    else if (id == ID_COLLAPSE)
        *enabled = item && state == VqsTreeItem::Expanded;
    const int handled = VqsListView::GetCommandState(id, enabled, checked);
    return handled || id == ID_EXPAND || id == ID_COLLAPSE;
}

void VqsTreeView::ExpandSelected()
{
    VqsTreeItem* item = GetSelectedItem();
    if (!item || item->GetState() == VqsTreeItem::Leaf || item->GetState() == VqsTreeItem::Expanded)
        return;
    CWaitCursor wait;
    item->Expand();
    item->SelectExclusive();
}

void VqsTreeView::CollapseSelected()
{
    VqsTreeItem* item = GetSelectedItem();
    if (!item || item->GetState() != VqsTreeItem::Expanded)
        return;
    VqsRedrawSwitch redraw(this);
    CWaitCursor wait;
    item->Collapse();
    item->SelectExclusive();
}

// ---------------------------------------------------------------- geometry

BOOL VqsTreeView::GetButtonRect(VqsTreeItem* item, RECT* rect)
{
    VqsBitmapRef bitmap;
    if (!item->GetBitmap(bitmap))
        return FALSE;
    const CSize size = VqsGetTreeBitmapSize(bitmap);
    CRect first;
    const int rowHeight = GetListCtrl().GetItemRect(0, &first, LVIR_BOUNDS) ? first.Height() : size.cy + 2;
    rect->left = item->GetLevel() * size.cx + 2;
    rect->top = (rowHeight - size.cy) / 2;
    rect->right = rect->left + size.cx;
    rect->bottom = rect->top + size.cy;
    return TRUE;
}

void VqsTreeView::MeasureItem(LPMEASUREITEMSTRUCT mis)
{
    VqsSysApp* app = VqsGetApp();
    const int bitmapHeight = BitmapSize(app ? app->GetCachedBitmap(IDB_TREE) : nullptr).cy;
    const int textHeight = GetFrameFontHeight(kDefaultFontHeight);
    mis->itemHeight = static_cast<UINT>((bitmapHeight >= textHeight ? bitmapHeight : textHeight) + 2);
}

VqsTreeView::RowLayout VqsTreeView::LayOut(VqsTreeItem* item, const CRect& row)
{
    RowLayout layout;
    layout.textLeft = row.left;
    layout.hasBitmap = item->GetBitmap(layout.bitmap);
    if (layout.hasBitmap) {
        GetButtonRect(item, &layout.button);
        layout.button.OffsetRect(row.left, row.top);
        layout.textLeft = layout.button.right + 4;
    }
    VqsSysApp* app = VqsGetApp();
    layout.hasImage = app && item->GetOverlayImage(layout.image);
    if (layout.hasImage) {
        layout.imageWidth = app->GetImageSize().cx;
        layout.imageX = layout.hasBitmap ? layout.button.right + 4 : row.left + item->GetLevel() * layout.imageWidth;
        layout.textLeft = layout.imageX + layout.imageWidth + 2;
    }
    return layout;
}

// ---------------------------------------------------------------- drawing

COLORREF VqsTreeView::TextColour(CDC* dc, VqsTreeItem* item, BOOL selected, COLORREF background)
{
    VqsSysApp* app = VqsGetApp();
    if (!app || !item->UsesSpecialColour())
        return GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT);
    const COLORREF special = app->GetSystemColor();
    if (selected && dc->GetNearestColor(special) == dc->GetNearestColor(background))
        return GetSysColor(COLOR_HIGHLIGHTTEXT);
    return special;
}

void VqsTreeView::DrawTexts(CDC* dc, VqsTreeItem* item, const CRect& row, const CRect& text)
{
    TEXTMETRIC metrics{};
    dc->GetTextMetrics(&metrics);
    int tabCount = 0;
    int* tabStops = nullptr;
    GetTabStops(&metrics, &tabCount, &tabStops);
    dc->TabbedTextOut(text.left + 2, text.top, item->GetDisplayText(), tabCount, tabStops, text.left + 2);
    const COLORREF background = dc->GetBkColor();
    for (int column = 1, columns = GetColumnCount(); column < columns; ++column) {
        const int x = row.left + GetColumnStart(column);
        dc->FillSolidRect(CRect(x, row.top, text.right, row.bottom), background);
        CString cell;
        if (item->GetColumnText(column, cell))
            dc->TabbedTextOut(x + 2, text.top, cell, tabCount, tabStops, x + 2);
    }
}

// Lines end before their end point: each stroke of the mark is five pixels.
void VqsTreeView::DrawMark(CDC* dc, VqsTreeItem* item, const RowLayout& layout, const CRect& row)
{
    if (item->GetState() == VqsTreeItem::Leaf)
        return;
    const CPoint centre =
        layout.hasBitmap ? layout.button.CenterPoint() : CPoint(row.left + kDefaultHalfUnit, row.top + row.Height() / 2);
    const int x = layout.hasBitmap ? centre.x + layout.button.Width() / 5 : centre.x;
    dc->MoveTo(x - 2, centre.y);
    dc->LineTo(x + 3, centre.y);
    if (item->GetState() != VqsTreeItem::Expanded) {
        dc->MoveTo(x, centre.y - 2);
        dc->LineTo(x, centre.y + 3);
    }
}

void VqsTreeView::DrawLines(CDC* dc, VqsTreeItem* item, const RowLayout& layout, const CRect& row)
{
    CList<int, int> levels;
    item->GetLineLevels(levels);
    const int unit = layout.hasBitmap ? layout.button.Width() / 2
                     : layout.hasImage ? layout.imageWidth / 2
                                       : kDefaultHalfUnit;
    const int middle = layout.hasBitmap ? layout.button.CenterPoint().y : row.top + row.Height() / 2;
    const int end = layout.hasBitmap ? layout.button.left : layout.hasImage ? layout.imageX : row.left;
    for (POSITION position = levels.GetHeadPosition(); position;) {
        const int level = levels.GetNext(position);
        const int x = (2 * level + 1) * unit + row.left + 2;
        int bottom = row.bottom;
        if (!position) {
            dc->MoveTo(x, middle);
            dc->LineTo(end - 2, middle);
            if (item->IsLastChild())
                bottom = middle;
        }
        dc->MoveTo(x, row.top);
        dc->LineTo(x, bottom);
    }
}

void VqsTreeView::DrawItem(LPDRAWITEMSTRUCT dis)
{
    if (!dis->itemData)
        return;
    auto* item = dynamic_cast<VqsTreeItem*>(ItemFromData(static_cast<LPARAM>(dis->itemData)));
    if (!item)
        return;
    CDC* dc = CDC::FromHandle(dis->hDC);
    const CRect row(dis->rcItem);
    const RowLayout layout = LayOut(item, row);
    const CRect text(layout.textLeft, row.top, row.right, row.bottom);
    if (dis->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        const COLORREF oldText = dc->GetTextColor();
        const COLORREF oldBack = dc->GetBkColor();
        const BOOL selected = (dis->itemState & ODS_SELECTED) != 0;
        const COLORREF back =
            GetSysColor(!selected ? COLOR_WINDOW : IsCurrentView() ? COLOR_HIGHLIGHT : COLOR_GRAYTEXT);
        const COLORREF fore = TextColour(dc, item, selected, back);
        CFont* oldFont = dc->SelectObject(GetFrameFont());
        CGdiObject* oldPen = dc->SelectStockObject(BLACK_PEN);
        dc->FillSolidRect(&text, back);
        dc->SetTextColor(fore);
        DrawTexts(dc, item, row, text);
        VqsSysApp* app = VqsGetApp();
        if (CBitmap* bitmap = layout.hasBitmap && app ? app->GetCachedBitmap(layout.bitmap) : nullptr) {
            CDC memory;
            memory.CreateCompatibleDC(dc);
            CBitmap* previous = memory.SelectObject(bitmap);
            dc->BitBlt(layout.button.left, layout.button.top, layout.button.Width(), layout.button.Height(), &memory,
                       0, 0, SRCCOPY);
            memory.SelectObject(previous);
        }
        if (layout.hasImage)
            app->DrawObjectImage(dc, layout.image, layout.imageX, row.top, row.Height(), FALSE);
        DrawMark(dc, item, layout, row);
        DrawLines(dc, item, layout, row);
        if (oldPen)
            dc->SelectObject(CPen::FromHandle(static_cast<HPEN>(oldPen->m_hObject)));
        if (oldFont)
            dc->SelectObject(oldFont);
        dc->SetTextColor(oldText);
        dc->SetBkColor(oldBack);
    }
    if (((dis->itemAction & ODA_DRAWENTIRE) && (dis->itemState & ODS_FOCUS)) || (dis->itemAction & ODA_FOCUS))
        dc->DrawFocusRect(&text);
}
