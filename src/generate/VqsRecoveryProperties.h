// The attributes of one recovery session. The user may correct the number of parallel
// compiles, the user id and the current state of the generation; the rest is shown only.
#pragma once

#include "proxy/PxVQRecoveryInfo.h"
#include "win/CDialog.h"
#include "win/CListBox.h"

class VqsRecoveryProperties : public CDialog {
public:
    explicit VqsRecoveryProperties(CWnd* parent = nullptr);
    ~VqsRecoveryProperties() override;

    void SetRecoveryInfo(const PxVQRecoveryInfoPtr& session) { m_pRecoveryInfo = session; }

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Stores the three fields in one transaction under a write lock; ends with IDCANCEL
    // when they could not be stored.
    void OnOK() override;

protected:
    DECLARE_MESSAGE_MAP()

private:
    void LoadMembers();
    void FillStructures();
    void ShowDelayDeployDate();
    BOOL StoreMembers();

    PxVQRecoveryInfoPtr m_pRecoveryInfo;
    CListBox m_structures;
    int m_nCurrentState = 0;
    CString m_strUserId;
    CString m_strPackName;
    int m_nRetainExistingDatabase = 0;
    int m_nParallelCompiles = 0;
    int m_nReorgTasks = 0;
    int m_nCompileAll = -1;
    int m_nDelayCompile = 0;
    int m_nForceReorganise = 0;
};
