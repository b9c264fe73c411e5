// "Synchronization Options": how a configuration is synchronised with the model before a
// generation and on Synchronize (the modes of VqsSysApp::GetSynchronizeMode).
#pragma once

#include "shell/VqsDialog.h"

class VqsSynchOptionsDlg : public VqsDialog {
public:
    explicit VqsSynchOptionsDlg(CWnd* parent);

    int m_nMode = 0;

protected:
    BOOL OnInitDialog() override;
    void OnFullAuto() { m_nMode = 0; }
    void OnInteractive() { m_nMode = 1; }
    void OnDefaultAuto() { m_nMode = 2; }

    DECLARE_MESSAGE_MAP()
};

// Opens the dialog on the stored mode and stores the mode chosen when it ends with OK.
void VqsRunSynchOptions(CWnd* parent);
