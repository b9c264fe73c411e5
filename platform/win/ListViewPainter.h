// Internal to platform/win: paints a list view into its recorded display list. Owner-drawn
// report rows are drawn by the owner (WM_DRAWITEM, one per visible row); other rows are drawn
// here, offering the owner the custom-draw stages (NM_CUSTOMDRAW) first.
#pragma once

#include "win/ListView.h"

class CDC;

namespace vqwin::detail {

class ListViewControl;

class ListViewPainter {
public:
    explicit ListViewPainter(ListViewControl& list) : m_list(list) {}

    void Paint();

private:
    void PaintOwnerDrawn(CDC& dc, int row, const RECT& bounds);
    void PaintRow(CDC& dc, int row, const RECT& bounds, LRESULT listAnswer);
    void PaintCell(CDC& dc, int row, int column, const NMLVCUSTOMDRAW& colours);
    void PaintImages(CDC& dc, int row, bool highlighted);
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw, DWORD stage);
    bool ShowsSelected(int row) const;

    ListViewControl& m_list;
};

} // namespace vqwin::detail
