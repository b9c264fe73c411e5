// The message for a repository lock that failed, from what the lock error tells.
#pragma once

#include "win/CString.h"

class PxLockErrorInfo;

struct VqsLockFailure {
    int code = 0;             // lock error code; 2 to 6 locked by another user, 7 persistent lock
    CString objectText;       // name of the object, or VqsOptionsLockText for options
    CString userCode;         // user code of the persistent lock; empty when it has none
    int manualLockCount = 0;  // manual locks of the persistent lock
    bool ownLock = false;     // the persistent lock is the session user's own
};

// The user code up to its first "/" (the whole code when it starts with one or has none): the
// part by which a persistent lock and recovery records are known as a user's.
CString VqsShortUserCode(const CString& userCode);

// "options for <soft link> in option set <option set>".
CString VqsOptionsLockText(LPCTSTR softLinkName, LPCTSTR optionSetName);

// The text of the error box, ending in "Please try again after some time."; empty for the
// codes that are not reported (0, 1 and above 7). A manual lock of the session user's own
// lifts with her Unlock alone: its text does not ask her to try again.
CString VqsLockFailureMessage(const VqsLockFailure& failure);

// Reports a refused repository lock (codes 2 to 7; others say nothing): the lock progress
// display is taken down and the error box names the object, the option record's soft link
// and option set, or the user who holds the persistent lock. Whether it told the refusal.
bool VqsDescribeLockTarget(const PxLockErrorInfo& error);
