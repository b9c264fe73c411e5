#include "model/VqsLockThread.h"

#include "model/VqsLockManager.h"
#include "model/VqsLockRetryCallback.h"
#include "proxy/PxVQLink.h"
#include "shell/VqsDisplayNames.h"

// The manager joins the thread before it deletes the object, so the thread never deletes
// itself under the manager's feet.
VqsLockThread::VqsLockThread() { m_bAutoDelete = FALSE; }

VqsLockThread::~VqsLockThread() = default;

BOOL VqsLockThread::InitInstance()
{
    VqsLockManager* manager = VqsLockManager::GetInstance();
    PxVQLink* link = manager ? manager->FindLinkOfThread(this) : nullptr;
    if (!link) {
        m_progressDlg.NoteEnded();
        return TRUE;
    }
    const PxRetryFunction previous = link->PxSetRetryFunction(&VqsLockRetryCallback);
    link->PxSetBusyWaitsShown(m_progressDlg.IsInPeriod());
    m_pMainWnd = &m_progressDlg;
    m_progressDlg.DoModal();
    m_progressDlg.NoteEnded();
    m_pMainWnd = nullptr;
    link->PxSetRetryFunction(previous);
    link->PxSetBusyWaitsShown(TRUE);
    return FALSE;
}

void VqsLockThread::BeginPeriod()
{
    m_nObjectCount = 0;
    m_progressDlg.BeginPeriod();
}

void VqsLockThread::CountObject(int kind, int failed)
{
    ++m_nObjectCount;
    m_progressDlg.NoteFirstResult(m_nObjectCount, VqsGetObjectKindName(kind), failed);
}

int VqsLockThread::CountWaitingObject(int kind)
{
    ++m_nObjectCount;
    return m_progressDlg.StartWait(m_nObjectCount, VqsGetObjectKindName(kind));
}

int VqsLockThread::CountWaitForStore()
{
    ++m_nObjectCount;
    return m_progressDlg.StartWait(m_nObjectCount, CString());
}
