// What the host and pack lists of the host frame do alike: their list style, selection
// walks, Select All, the Insert and Delete keys, and their context menus.
#pragma once

#include "win/CString.h"
#include "win/Geometry.h"
#include "win/Types.h"

#include <vector>

class VqsListItem;
class VqsListView;

namespace vqshosts {

// Appends the item's row, every column of it asking the view for its text; -1 when the row
// could not be made.
int AppendRow(VqsListView* view, VqsListItem* item);
// Report style, several rows selectable, the selection always shown, rows drawn by the view.
void SetListStyle(VqsListView* view);
// The rows selected, from the top.
std::vector<int> SelectedRows(VqsListView* view);
void SelectAllRows(VqsListView* view);
// Insert pops up the frame's Add menu; TRUE for Delete, which the caller handles.
BOOL HandleListKey(VqsListView* view, UINT key);
// The string's text; empty when the string table has none.
CString LoadText(UINT stringId);
// The row the context menu opens over, -1 when the point is on no row; FALSE when the
// point is outside the rows and the header (no menu then). `point` is in screen
// coordinates.
BOOL HitTestForMenu(VqsListView* view, CPoint point, int& row);
// Tracks popup 0 of the menu at the screen point, with the frame as owner.
void TrackContextMenu(VqsListView* view, UINT menuId, CPoint point);

} // namespace vqshosts
