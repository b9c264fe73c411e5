#include "hosts/VqsHostViewSupport.h"

#include "shell/VqsListFrame.h"
#include "shell/VqsListView.h"
#include "win/CMenu.h"
#include "win/ListView.h"

namespace {

constexpr UINT ID_ADD = 32774;
constexpr UINT VK_INSERT_KEY = 45;
constexpr UINT VK_DELETE_KEY = 46;
// Type bits, single selection, both sorted styles, label editing, no header, no sorting
// header.
constexpr DWORD kListStylesCleared = 0xC237;
constexpr DWORD kListStylesSet = LVS_REPORT | LVS_SHOWSELALWAYS | LVS_OWNERDRAWFIXED;
constexpr UINT kMenuHitFlags = 0xF;

} // namespace

namespace vqshosts {

int AppendRow(VqsListView* view, VqsListItem* item)
{
    const int row = view->InsertListItem(FALSE, -1, item, reinterpret_cast<LPARAM>(item), FALSE);
    if (row < 0)
        return row;
    for (int column = 1, columns = view->GetColumnCount(); column < columns; ++column)
        view->GetListCtrl().SetItemText(row, column, LPSTR_TEXTCALLBACK);
    return row;
}

void SetListStyle(VqsListView* view) { view->ModifyStyle(kListStylesCleared, kListStylesSet); }

std::vector<int> SelectedRows(VqsListView* view)
{
    std::vector<int> rows;
    CListCtrl& list = view->GetListCtrl();
    for (int row = list.GetNextItem(-1, LVNI_SELECTED); row != -1; row = list.GetNextItem(row, LVNI_SELECTED))
        rows.push_back(row);
    return rows;
}

void SelectAllRows(VqsListView* view)
{
    VqsRedrawSwitch redraw = view->SuspendRedraw();
    CListCtrl& list = view->GetListCtrl();
    for (int row = 0, rows = list.GetItemCount(); row < rows; ++row)
        view->SelectItem(row, TRUE);
}

BOOL HandleListKey(VqsListView* view, UINT key)
{
    if (key == VK_INSERT_KEY) {
        if (VqsListFrame* frame = view->GetListFrame())
            frame->PostMessage(WM_COMMAND, ID_ADD, 0);
        return FALSE;
    }
    return key == VK_DELETE_KEY;
}

CString LoadText(UINT stringId)
{
    CString text;
    if (!text.LoadString(stringId))
        text.Empty();
    return text;
}

BOOL HitTestForMenu(VqsListView* view, CPoint point, int& row)
{
    CPoint client = point;
    view->ScreenToClient(&client);
    UINT flags = 0;
    row = view->GetListCtrl().HitTest(client, &flags);
    return (flags & kMenuHitFlags) != 0;
}

void TrackContextMenu(VqsListView* view, UINT menuId, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(menuId))
        return;
    if (CMenu* popup = menu.GetSubMenu(0))
        popup->TrackPopupMenu(0, point.x, point.y, view->GetListFrame());
    menu.DestroyMenu();
}

} // namespace vqshosts
