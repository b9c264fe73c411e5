// "Generate System": the generate set to generate with, the host of its host type to
// generate on, and whether reports are generated too (offered only when the set's
// configuration holds a report link).
#pragma once

#include "proxy/PxTypedList.h"
#include "proxy/PxVQOptionSet.h"
#include "shell/VqsDialog.h"
#include "shell/VqsTypedComboBox.h"
#include "win/CButton.h"
#include "win/CComboBox.h"

class VqsGenerateDlg : public VqsDialog {
public:
    explicit VqsGenerateDlg(CWnd* parent);
    ~VqsGenerateDlg() override;

    CButton m_generateReportsButton;
    CString m_strSystem;
    int m_nVersionNumber = 0;
    CComboBox m_hostCombo;
    CString m_strHostName;
    int m_bGenerateReports = 0;
    VqsTypedComboBox_GenSet m_genSetCombo{0};
    PxTypedList<PxVQGenSetPtr> m_genSets;
    PxVQGenSetPtr m_genSet;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnSelEndOkGenSet();

    DECLARE_MESSAGE_MAP()

private:
    void UpdateHostAndReports();
    BOOL ConfigHasReportLink() const;
};
