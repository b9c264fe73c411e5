// The message for a repository lock that failed, from what the lock error tells.
#pragma once

#include "win/CString.h"

struct VqsLockFailure {
    int code = 0;             // lock error code; 2 to 6 locked by another user, 7 persistent lock
    CString objectText;       // name of the object, or VqsOptionsLockText for options
    CString userCode;         // user code of the persistent lock; empty when it has none
    int manualLockCount = 0;  // manual locks of the persistent lock
};

// "options for <soft link> in option set <option set>".
CString VqsOptionsLockText(LPCTSTR softLinkName, LPCTSTR optionSetName);

// The text of the error box, ending in "Please try again after some time."; empty for the
// codes that are not reported (0, 1 and above 7).
CString VqsLockFailureMessage(const VqsLockFailure& failure);
