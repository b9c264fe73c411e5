// The callback the proxy library asks after each lock attempt of a link, on the thread that
// made the lock call: 1 tries the lock again, 0 does not.
#pragma once

class PxLockErrorInfo;

int VqsLockRetryCallback(PxLockErrorInfo& info);

