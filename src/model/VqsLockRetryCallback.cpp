#include "model/VqsLockRetryCallback.h"

#include "model/VqsLockManager.h"
#include "proxy/PxLockErrorInfo.h"
#include "shell/VqsSysApp.h"

namespace {

bool IsRetryable(int code) { return code == PxLockHeldByOther || code == PxLockStoreBusy; }

bool IsKnown(int code) { return code >= PxLockGranted && code <= PxLockPersistentlyLocked; }

// Retrying a code nobody knows could go on for ever with the user-interface thread blocked.
int GiveUpOnUnknownCode(int code)
{
    if (VqsSysApp* app = VqsGetApp()) {
        CString text;
        text.Format("A repository lock call reported the unknown lock code %d; the lock is not tried again.", code);
        app->LogWarning(0, text);
    }
    return 0;
}

} // namespace

int VqsLockRetryCallback(PxLockErrorInfo& info)
{
    const int code = info.GetErrorCode();
    if (code == PxLockGivenUp)
        return 0;
    if (!IsKnown(code))
        return GiveUpOnUnknownCode(code);
    PxVQObjectPtr object = info.GetObject();
    VqsLockManager* manager = VqsLockManager::GetInstance();
    if (IsRetryable(code)) {
        // Outside a locking period nobody can give a busy store's wait up: it is declined, not
        // given up, and the lock call fails with the store's own words for a busy store. A
        // store that could not answer is never an object another session holds.
        if (code == PxLockStoreBusy && !(manager && manager->ShowsWaits(object)))
            return 0;
        if (!manager || !manager->AskRetry(info.GetAttemptCount(), object, code == PxLockStoreBusy)) {
            info.SetErrorCode(PxLockGivenUp);
            return 0;
        }
        info.SetAttemptCount(info.GetAttemptCount() + 1);
        return 1;
    }
    if (manager)
        manager->NoteLockResult(info.GetAttemptCount() == 0, object, code != PxLockGranted);
    return 0;
}
