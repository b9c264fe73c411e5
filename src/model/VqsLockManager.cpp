#include "model/VqsLockManager.h"

#include "model/VqsLockThread.h"
#include "proxy/PxVQLink.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

#include <atomic>
#include <utility>
#include <vector>

namespace {

// Plain pointers, destroyed by the module's end alone: the process's end, in a forked child
// too, waits for none of the manager's threads.
VqsLockManager* g_manager = nullptr;
std::atomic<VqsLockManager*> g_instance{nullptr};
VqsLockManagerConnector* g_connector = nullptr;

PxVQLink* SessionLink()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

void StartSessionThread(PxVQLink* link) { g_connector->StartThread(link); }

void StopSessionThreads()
{
    if (PxVQLink* link = SessionLink())
        g_connector->StopAllThreads(link);
}

void HideSessionProgress()
{
    if (PxVQLink* link = SessionLink())
        g_connector->HideProgress(link);
}

const VqsLockThreadHooks kSessionHooks{&StartSessionThread, &StopSessionThreads};

} // namespace

VqsLockManager::VqsLockManager() = default;

VqsLockManager::~VqsLockManager()
{
    std::vector<VqsLockThread*> threads;
    {
        CSingleLock lock(&m_semaphore, TRUE);
        for (POSITION pos = m_threads.GetStartPosition(); pos;) {
            PxVQLink* link = nullptr;
            VqsLockThread* thread = nullptr;
            m_threads.GetNextAssoc(pos, link, thread);
            threads.push_back(thread);
        }
        m_threads.RemoveAll();
    }
    for (VqsLockThread* thread : threads)
        AskToClose(thread);
    for (VqsLockThread* thread : threads) {
        Join(thread);
        delete thread;
    }
}

VqsLockManager* VqsLockManager::GetInstance() { return g_instance.load(); }

// The entry is stored before the semaphore is let go, so the new thread's start-up, which
// looks its link up under the same semaphore, always finds it. The call returns once the
// progress dialog runs, so that the session is whole when it opens and every close finds
// a window to close.
void VqsLockManager::StartThread(PxVQLink* link)
{
    VqsLockThread* thread = nullptr;
    {
        CSingleLock lock(&m_semaphore, TRUE);
        if (m_threads.Lookup(link, thread))
            return;
        thread = static_cast<VqsLockThread*>(
            AfxBeginThread(RUNTIME_CLASS(VqsLockThread), THREAD_PRIORITY_NORMAL, 0, 0, nullptr));
        if (!thread)
            return;
        m_threads.SetAt(link, thread);
    }
    ::WaitForSingleObject(thread->GetProgressDlg().GetReadyEvent(), INFINITE);
}

void VqsLockManager::StopAllThreads(PxVQLink* link)
{
    VqsLockThread* thread = nullptr;
    {
        CSingleLock lock(&m_semaphore, TRUE);
        if (!m_threads.Lookup(link, thread))
            return;
        m_threads.RemoveKey(link);
    }
    AskToClose(thread);
    Join(thread);
    delete thread;
}

void VqsLockManager::HideProgress(PxVQLink* link)
{
    CSingleLock lock(&m_semaphore, TRUE);
    if (VqsLockThread* thread = FindThreadOfLink(link))
        thread->GetProgressDlg().EndWait(1);
}

// Only a locking period shows a wait for a busy lock store (VqsLockRetryCallback): outside one
// the store's failure is told as soon as its busy timeout is out.
void VqsLockManager::BeginLocking(PxVQLink* link)
{
    CSingleLock lock(&m_semaphore, TRUE);
    if (VqsLockThread* thread = FindThreadOfLink(link)) {
        thread->BeginPeriod();
        link->PxSetBusyWaitsShown(TRUE);
    }
}

// The dialog is waited for only once its timer has shown it, which the lock thread does
// long after its start-up has taken and released this semaphore.
void VqsLockManager::EndLocking(PxVQLink* link)
{
    CSingleLock lock(&m_semaphore, TRUE);
    if (VqsLockThread* thread = FindThreadOfLink(link)) {
        thread->GetProgressDlg().EndPeriod();
        link->PxSetBusyWaitsShown(FALSE);
    }
}

void VqsLockManager::NoteLockResult(int first, PxVQObjectPtr& object, int failed)
{
    PxVQLink* link = LinkOf(object);
    CSingleLock lock(&m_semaphore, TRUE);
    VqsLockThread* thread = FindThreadOfLink(link);
    if (!thread)
        return;
    if (first)
        thread->CountObject(object->GetObjectKind(), failed);
    else
        thread->GetProgressDlg().EndWait(failed);
}

int VqsLockManager::AskRetry(int attempts, PxVQObjectPtr& object, BOOL storeBusy)
{
    PxVQLink* link = LinkOf(object);
    CSingleLock lock(&m_semaphore, TRUE);
    VqsLockThread* thread = FindThreadOfLink(link);
    if (!thread)
        return 0;
    if (attempts == 0)
        return storeBusy ? thread->CountWaitForStore() : thread->CountWaitingObject(object->GetObjectKind());
    return thread->GetProgressDlg().NextAttempt(attempts);
}

BOOL VqsLockManager::ShowsWaits(PxVQObjectPtr& object)
{
    CSingleLock lock(&m_semaphore, TRUE);
    VqsLockThread* thread = FindThreadOfLink(LinkOf(object));
    return thread && thread->GetProgressDlg().IsInPeriod();
}

PxVQLink* VqsLockManager::FindLinkOfThread(VqsLockThread* thread)
{
    CSingleLock lock(&m_semaphore, TRUE);
    for (POSITION pos = m_threads.GetStartPosition(); pos;) {
        PxVQLink* link = nullptr;
        VqsLockThread* each = nullptr;
        m_threads.GetNextAssoc(pos, link, each);
        if (each == thread)
            return link;
    }
    return nullptr;
}

VqsLockThread* VqsLockManager::FindThreadOfLink(PxVQLink* link)
{
    VqsLockThread* thread = nullptr;
    return link && m_threads.Lookup(link, thread) ? thread : nullptr;
}

PxVQLink* VqsLockManager::LinkOf(const PxVQObjectPtr& object)
{
    return object ? dynamic_cast<PxVQLink*>(object->GetLink()) : nullptr;
}

// Posted, so that the user-interface thread never waits for the lock thread to answer:
// WM_CLOSE ends the dialog's modal loop; before the dialog has a window, WM_QUIT ends the
// thread's loop, whichever it is in.
void VqsLockManager::AskToClose(VqsLockThread* thread)
{
    if (!thread->GetProgressDlg().PostClose())
        thread->PostThreadMessage(WM_QUIT, 0, 0);
}

void VqsLockManager::Join(VqsLockThread* thread) { ::WaitForSingleObject(thread->m_hThread, INFINITE); }

void VqsLockManagerConnector::StartThread(PxVQLink* link)
{
    if (VqsLockManager* manager = VqsLockManager::GetInstance())
        manager->StartThread(link);
}

void VqsLockManagerConnector::StopAllThreads(PxVQLink* link)
{
    if (VqsLockManager* manager = VqsLockManager::GetInstance())
        manager->StopAllThreads(link);
}

void VqsLockManagerConnector::HideProgress(PxVQLink* link)
{
    if (VqsLockManager* manager = VqsLockManager::GetInstance())
        manager->HideProgress(link);
}

void VqsCreateLockManager()
{
    g_manager = new VqsLockManager;
    g_instance.store(g_manager);
}

void VqsDestroyLockManager()
{
    g_instance.store(nullptr);
    delete std::exchange(g_manager, nullptr);
}

void VqsCreateLockManagerConnector()
{
    g_connector = new VqsLockManagerConnector;
    VqsSysApp::SetLockThreadHooks(&kSessionHooks);
    VqsSetHideLockProgressHook(&HideSessionProgress);
}

void VqsDestroyLockManagerConnector()
{
    VqsSetHideLockProgressHook(nullptr);
    VqsSysApp::SetLockThreadHooks(nullptr);
    delete std::exchange(g_connector, nullptr);
}
