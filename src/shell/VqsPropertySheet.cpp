#include "shell/VqsPropertySheet.h"

BEGIN_MESSAGE_MAP(VqsPropertySheet, CPropertySheet)
END_MESSAGE_MAP()

VqsPropertySheet::VqsPropertySheet(UINT captionId, CWnd* parent, UINT selectPage)
    : CPropertySheet(captionId, parent, selectPage)
{
}

VqsPropertySheet::VqsPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage)
    : CPropertySheet(caption, parent, selectPage)
{
}

VqsPropertySheet::~VqsPropertySheet() = default;

INT_PTR VqsPropertySheet::DoModal()
{
    const INT_PTR result = CPropertySheet::DoModal();
    return m_bCancelled ? IDCANCEL : result;
}

BOOL VqsPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_bCancelled && LOWORD(wParam) != IDCANCEL) {
        EndDialog(IDCANCEL);
        return TRUE;
    }
    return CPropertySheet::OnCommand(wParam, lParam);
}

void VqsPropertySheet::CancelSheet()
{
    m_bCancelled = TRUE;
    PostMessage(WM_COMMAND, IDCANCEL, 0);
}
