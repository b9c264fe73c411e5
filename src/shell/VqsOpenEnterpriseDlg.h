// The frame's "Open" dialog: names the design enterprise of the open repository connection
// and offers "&Host and Pack lists", which ends it with 1003 (the frame then asks the host to
// open the host view). Cancel, a refused right and a repository error end it with IDCANCEL.
#pragma once

#include "shell/VqsDialog.h"
#include "shell/VqsOpenDialogButton.h"
#include "win/CString.h"

class VqsOpenEnterpriseDlg : public VqsDialog {
public:
    static constexpr int IDC_OPEN_HOST_VIEW = 1003;

    explicit VqsOpenEnterpriseDlg(CWnd* parent);
    ~VqsOpenEnterpriseDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    CString m_strName;

protected:
    void OnOpenHostView();
    DECLARE_MESSAGE_MAP()

    VqsOpenDialogButton m_openButton;
};
