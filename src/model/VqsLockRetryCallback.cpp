#include "model/VqsLockRetryCallback.h"

#include "model/VqsLockManager.h"
#include "proxy/PxLockErrorInfo.h"
#include "shell/VqsSysApp.h"
#include "win/Sync.h"

#include <map>
#include <mutex>

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

// The innermost scope of each thread that has one, by thread id.
std::mutex g_noWaitGuard;
std::map<DWORD, VqsLockNoWait*> g_noWaits;

} // namespace

VqsLockNoWait::VqsLockNoWait(bool declines) : m_bDeclines(declines)
{
    const std::lock_guard<std::mutex> guard(g_noWaitGuard);
    VqsLockNoWait*& innermost = g_noWaits[::GetCurrentThreadId()];
    m_pOuter = innermost;
    innermost = this;
}

VqsLockNoWait::~VqsLockNoWait()
{
    const std::lock_guard<std::mutex> guard(g_noWaitGuard);
    if (m_pOuter)
        g_noWaits[::GetCurrentThreadId()] = m_pOuter;
    else
        g_noWaits.erase(::GetCurrentThreadId());
}

bool VqsLockNoWait::DeclineWait()
{
    const std::lock_guard<std::mutex> guard(g_noWaitGuard);
    const auto found = g_noWaits.find(::GetCurrentThreadId());
    if (found == g_noWaits.end() || !found->second->m_bDeclines)
        return false;
    found->second->m_bDeclined = true;
    return true;
}

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
        if (VqsLockNoWait::DeclineWait()) {
            info.SetErrorCode(PxLockGivenUp);
            return 0;
        }
        if (!manager || !manager->AskRetry(info.GetAttemptCount(), object)) {
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
