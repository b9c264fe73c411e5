// Internal to platform/win: what a user does to a list view, with the notifications the
// real control sends for it, in its order: the button goes down (WM_MOUSEACTIVATE up the
// parent chain, then the list takes the focus); a click moves the selection
// (LVN_ITEMCHANGING and LVN_ITEMCHANGED for each row that changes), then NM_CLICK; a double
// click adds NM_DBLCLK; a right click selects an unselected row (beside the rows it clears
// the selection, as a left click does), sends NM_RCLICK and WM_CONTEXTMENU; a key sends
// LVN_KEYDOWN before the control moves the focus.
#pragma once

#include "win/Geometry.h"
#include "win/Messages.h"
#include "win/UserActions.h"

namespace vqwin::detail {

class ListViewControl;

class ListViewInput {
public:
    explicit ListViewInput(ListViewControl& list) : m_list(list) {}

    LRESULT Perform(const vqui::UserAction& action);
    // The default handling of WM_KEYDOWN.
    void KeyDown(UINT key);

private:
    BOOL SelectIndex(int row);
    BOOL DoubleClick(int row);
    BOOL CheckRow(int row, int state);
    BOOL ClickColumn(const vqui::UserAction& action);
    BOOL PressKey(UINT key);
    BOOL RightClick(POINT point);
    void LeftClick(int row, int subItem, POINT point);
    void MoveFocus(int row);
    BOOL CtrlCollects() const;
    void PressAt(POINT point, UINT button = WM_LBUTTONDOWN);
    LRESULT SendActivate(UINT code, int row, int subItem, POINT point);
    POINT RowPoint(int row) const;

    ListViewControl& m_list;
};

} // namespace vqwin::detail
