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

void VqsPropertySheet::CancelSheet()
{
    m_bCancelled = TRUE;
    PostMessage(WM_COMMAND, IDCANCEL, 0);
}
