#include "options_tarsk/VqsListCtrlTarsk.h"

#include "options_tarsk/VqsOptionPageTarskSystemInternDb.h"

BEGIN_MESSAGE_MAP(VqsListCtrlTarsk, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, &VqsListCtrlTarsk::OnCustomDraw)
END_MESSAGE_MAP()

void VqsListCtrlTarsk::OnCustomDraw(NMHDR* header, LRESULT* result)
{
    auto* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(header);
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *result = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const int item = static_cast<int>(draw->nmcd.dwItemSpec);
        const BOOL changed = m_pOwner->IsCellChanged(m_pOwner->GetTableSlotOfItem(item), draw->iSubItem);
        draw->clrText = changed || draw->iSubItem == 0 ? RGB(0, 0, 0) : RGB(128, 128, 128);
        *result = CDRF_NEWFONT;
        return;
    }
    default:
        *result = 0;
    }
}
