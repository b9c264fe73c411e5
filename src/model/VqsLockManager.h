// The process's lock manager: one lock thread per repository link, and the routing of the
// retry callback, the locking periods of the lock scopes and the error reports to the
// link's thread. The application reaches it through the connector.
//
// Threads: every operation but FindLinkOfThread runs on the user-interface thread, which
// makes all lock calls; the lock thread looks its link up once, at its start. The manager's
// semaphore guards the thread map and is held across every call into a thread or its
// dialog; the dialog's own semaphore comes second.
#pragma once

#include "proxy/PxVQObject.h"
#include "win/Collections.h"
#include "win/Sync.h"

class PxVQLink;
class VqsLockThread;

class VqsLockManager : public CObject {
public:
    VqsLockManager();
    // Ends every lock thread left and waits for it.
    ~VqsLockManager() override;
    VqsLockManager(const VqsLockManager&) = delete;
    VqsLockManager& operator=(const VqsLockManager&) = delete;

    // The manager while the module is started; null otherwise.
    static VqsLockManager* GetInstance();

    // Starts the link's lock thread; nothing when it has one.
    void StartThread(PxVQLink* link);
    // Ends the link's lock thread and waits for it to end.
    void StopAllThreads(PxVQLink* link);
    // Within a locking period: ends the current wait and minimises the progress dialog.
    void HideProgress(PxVQLink* link);

    // The first lock scope on the link opens a locking period, the last one ends it (once
    // its progress dialog is hidden).
    void BeginLocking(PxVQLink* link);
    void EndLocking(PxVQLink* link);

    // From the retry callback.
    void NoteLockResult(int first, PxVQObjectPtr& object, int failed);
    // A wait for a busy lock store (`storeBusy`) names no object: none is held.
    int AskRetry(int attempts, PxVQObjectPtr& object, BOOL storeBusy = FALSE);
    // Whether a locking period is open on the object's link, so that its user may give a wait up.
    BOOL ShowsWaits(PxVQObjectPtr& object);

    // The link a lock thread serves; null when none.
    PxVQLink* FindLinkOfThread(VqsLockThread* thread);
    // The lock thread of a link; null when none. The thread belongs to the manager.
    VqsLockThread* FindThreadOfLink(PxVQLink* link);

private:
    static PxVQLink* LinkOf(const PxVQObjectPtr& object);
    static void AskToClose(VqsLockThread* thread);
    static void Join(VqsLockThread* thread);

    CMap<PxVQLink*, PxVQLink*, VqsLockThread*, VqsLockThread*> m_threads{10};
    CSemaphore m_semaphore{1, 1};
};

// What the application and its error reports call; each goes to the manager while the
// module is started.
class VqsLockManagerConnector : public CObject {
public:
    void StartThread(PxVQLink* link);
    void StopAllThreads(PxVQLink* link);
    void HideProgress(PxVQLink* link);
};

// The start-up steps: the manager, then its connector, which installs the application's
// lock thread hooks and the error reports' progress hook (and takes them out again).
void VqsCreateLockManager();
void VqsDestroyLockManager();
void VqsCreateLockManagerConnector();
void VqsDestroyLockManagerConnector();
