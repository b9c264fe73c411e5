// What the host reads of the windows it is shown, as a user sees them: the control a script
// names by its id, the texts a list shows for its items, where a row of a list is clicked,
// the lines `dump` prints for a dialog or a frame and those a pop-up menu prints.
#pragma once

#include "win/Types.h"
#include "win/UiDriver.h"

#include <optional>
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
// Where a user clicks row `row` of a list view (client coordinates): on its label, scrolled
// into view; row -1 is the empty part below the rows. Nothing when there is no such row.
std::optional<POINT> ListRowPoint(HWND list, int row);

// The lines `dump` prints for a dialog: its template and caption, then every visible control
// with its id, class and text, its state, and the items of lists (`*` marks a selected item,
// `[x]` a checked one).
std::vector<std::string> DescribeDialog(HWND dialog, UINT templateId);
// The lines `dump` prints for a frame's panes (nested), with the rows each list view shows.
std::vector<std::string> DescribePanes(HWND frame);

// The lines a pop-up menu prints: an item's command id, its text and its state (`enabled`
// or `greyed`, `checked`), `-` for a separator, a nested pop-up's items indented under it.
std::vector<std::string> DescribeMenu(const std::vector<vqui::MenuEntry>& menu);
// The command of a pop-up menu (or of a pop-up nested in it) that `name` gives: its id, or
// the text the user reads (without the mark of its mnemonic and the key after a tab),
// compared without regard to case; null when none is.
const vqui::MenuEntry* FindMenuCommand(const std::vector<vqui::MenuEntry>& menu, const std::string& name);

} // namespace hostcontrols
