// What the host reads of the windows it is shown, as a user sees them: the control a script
// names by its id, the texts a list shows for its items and the lines `dump` prints for a
// dialog or a frame.
#pragma once

#include "win/Types.h"

#include <string>
#include <vector>

namespace hostcontrols {

// The window's class name ("Button", "SysListView32", ...); "window" when it has none.
std::string ClassOf(HWND window);

// The visible control of that id in the dialog, or in a page or child dialog shown in it (as
// the dialog's own controls come first); null when there is none.
HWND FindControl(HWND dialog, int id);

// The texts a list box, combo box, list view or tab control shows for its items, in order (a
// list view's row: its first column); empty for other controls and for items drawn without a
// text.
std::vector<std::string> ShownItems(HWND control);
// The first item whose shown text is `text`, without regard to case; -1 when none is.
int FindShownItem(HWND control, const std::string& text);

// The text of a list view's cell, as the list shows it.
std::string ListCellText(HWND list, int row, int column);

// The lines `dump` prints for a dialog: its template and caption, then every visible control
// with its id, class and text, its state, and the items of lists (`*` marks a selected item,
// `[x]` a checked one).
std::vector<std::string> DescribeDialog(HWND dialog, UINT templateId);
// The lines `dump` prints for a frame's panes (nested), with the rows each list view shows.
std::vector<std::string> DescribePanes(HWND frame);

} // namespace hostcontrols
