// The Find dialog of the list and tree views: the text to search for, under a title that
// names what is searched.
#pragma once

#include "shell/VqsDialog.h"
#include "win/CString.h"

class VqsFindObjectDlg : public VqsDialog {
public:
    explicit VqsFindObjectDlg(CWnd* parent);
    ~VqsFindObjectDlg() override;

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // Set by the caller before DoModal; the search text is read back after IDOK.
    CString m_strSearchText;
    CString m_strTitleWord;

protected:
    DECLARE_MESSAGE_MAP()
};
