// A list box whose items carry a check box. The checks are kept by the list box window, so a
// box made from a template keeps them when an object subclasses it. A user's check of an
// item notifies CLBN_CHKCHANGE and then clicks the item (LBN_SELCHANGE with LBS_NOTIFY).
#pragma once

#include "win/CListBox.h"

constexpr UINT CLBN_CHKCHANGE = 40;

// Messages of the list box window that keep the checks.
constexpr UINT LB_VQ_SETCHECKSTYLE = 0x7F20;
constexpr UINT LB_VQ_GETCHECKSTYLE = 0x7F21;
constexpr UINT LB_VQ_SETCHECK = 0x7F22;
constexpr UINT LB_VQ_GETCHECK = 0x7F23;

class CCheckListBox : public CListBox {
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    // BS_AUTOCHECKBOX (the default) or BS_CHECKBOX; BS_AUTO3STATE or BS_3STATE let items be
    // indeterminate too.
    void SetCheckStyle(UINT style);
    UINT GetCheckStyle() const;
    // 0 unchecked, 1 checked, 2 indeterminate (three-state styles only).
    void SetCheck(int index, int check);
    int GetCheck(int index) const;

    void DrawItem(LPDRAWITEMSTRUCT dis) override;
    void MeasureItem(LPMEASUREITEMSTRUCT mis) override;

protected:
    void PreSubclassWindow() override;
};
