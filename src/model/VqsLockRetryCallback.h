// The callback the proxy library asks after each lock attempt of a link, on the thread that
// made the lock call: 1 tries the lock again, 0 does not.
#pragma once

class PxLockErrorInfo;

int VqsLockRetryCallback(PxLockErrorInfo& info);

// While one that declines lives on a thread, the lock calls made there do not wait for a lock
// another session holds: such a call ends at once, given up, and Declined() tells so.
class VqsLockNoWait {
public:
    explicit VqsLockNoWait(bool declines);
    ~VqsLockNoWait();
    VqsLockNoWait(const VqsLockNoWait&) = delete;
    VqsLockNoWait& operator=(const VqsLockNoWait&) = delete;

    bool Declined() const { return m_bDeclined; }
    // Whether a wait is declined on this thread now (noting that it was).
    static bool DeclineWait();

private:
    VqsLockNoWait* m_pOuter;
    bool m_bDeclines;
    bool m_bDeclined = false;
};
