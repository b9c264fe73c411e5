// The base of the module's property sheets and wizards: a page that has reported a failure
// that makes the sheet useless abandons it with CancelSheet, and DoModal then answers
// IDCANCEL whatever the sheet would have answered. The pages of an abandoned sheet take no
// further step of its user (VqsPropertyPage).
#pragma once

#include "win/CPropertySheet.h"

class VqsPropertySheet : public CPropertySheet {
public:
    VqsPropertySheet(UINT captionId, CWnd* parent, UINT selectPage);
    VqsPropertySheet(LPCTSTR caption, CWnd* parent, UINT selectPage);
    ~VqsPropertySheet() override;

    INT_PTR DoModal() override;
    // Marks the sheet cancelled and posts IDCANCEL to it; never reset.
    void CancelSheet();
    BOOL IsAbandoned() const { return m_bCancelled; }

protected:
    // A button of an abandoned sheet ends it, taking no step of its pages: a page that abandoned
    // it as the focus left a control for Next tells nothing again in Next.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    DECLARE_MESSAGE_MAP()

    BOOL m_bCancelled = FALSE;
};
