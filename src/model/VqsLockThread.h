// The lock thread of one repository link: a user-interface thread that installs the retry
// callback on its link and runs the link's lock progress dialog modally until the session
// ends. The lock manager starts it, and joins and deletes it.
#pragma once

#include "model/VqsLockProgressDlg.h"
#include "win/CWinThread.h"

class VqsLockThread : public CWinThread {
public:
    VqsLockThread();
    ~VqsLockThread() override;

    BOOL InitInstance() override;

    // Called by the lock manager while it holds its semaphore.
    void BeginPeriod();
    void CountObject(int kind, int failed);
    int CountWaitingObject(int kind);
    int CountWaitForStore();
    VqsLockProgressDlg& GetProgressDlg() { return m_progressDlg; }

private:
    VqsLockProgressDlg m_progressDlg;
    int m_nObjectCount = 0;
};
