#include "shell/VqsListItem.h"

#include "shell/VqsListFrame.h"
#include "shell/VqsListView.h"

#include <algorithm>

VqsListItem::VqsListItem() : m_nWidth(0), m_bListed(false) {}

VqsListItem::~VqsListItem() = default;

BOOL VqsListItem::GetOverlayImage(VqsImageRef&) { return FALSE; }

int VqsListItem::MeasureWidth(int, CDC*, CFont*) { return -1; }

void VqsListItem::UpdateWidth(VqsListView* view)
{
    CDC* dc = view ? view->GetDC() : nullptr;
    if (!dc)
        return;
    VqsListFrame* frame = view->GetListFrame();
    CFont* font = frame ? frame->GetFont() : nullptr;
    m_nWidth = std::max(MeasureWidth(view->GetColumnCount() - 1, dc, font), 0);
    view->ReleaseDC(dc);
}
