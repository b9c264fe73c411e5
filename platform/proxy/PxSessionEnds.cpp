#include "proxy/PxSessionEnds.h"

#include "proxy/PxLocking.h"
#include "win/Sync.h"

#include <mutex>
#include <thread>
#include <utility>
#include <vector>

bool PxMakeOwedLifts(PxLockStore& locks, std::vector<PxOwedLift>& lifts) noexcept
{
    std::size_t made = 0;
    try {
        for (; made < lifts.size(); ++made) {
            const PxOwedLift& lift = lifts[made];
            if (lift.manual)
                locks.RemovePersistent(lift.oid, true, 1);
            else
                locks.LiftHold(lift.oid, lift.holdId);
        }
    } catch (...) {
        // The rest stays owed.
    }
    lifts.erase(lifts.begin(), lifts.begin() + static_cast<std::ptrdiff_t>(made));
    return lifts.empty();
}

namespace {

struct OwedEnd {
    std::unique_ptr<PxLockStore> locks;
    std::int64_t session;
    std::vector<PxOwedLift> lifts;
};

// Whether nothing of the closed session is owed any more.
bool Made(OwedEnd& owed) noexcept
{
    if (!PxMakeOwedLifts(*owed.locks, owed.lifts) && owed.locks->KeepsItsLocks(owed.session))
        return false;
    return owed.locks->UnregisterSession(owed.session) || owed.locks->LocksGoWithTheConnection();
}

class OwedEnds {
public:
    ~OwedEnds()
    {
        m_stop.SetEvent();
        if (m_thread.joinable())
            m_thread.join();
    }

    void Owe(OwedEnd owed)
    {
        std::lock_guard guard(m_mutex);
        m_owed.push_back(std::move(owed));
        if (m_retrying)
            return;
        // A thread that ended has nothing left to make.
        if (m_thread.joinable())
            m_thread.join();
        m_retrying = true;
        m_thread = PxStartRetryThread(m_stop, kPxLongestOwedEndDelayMilliseconds, [this] { return MakeOwedEnds(); },
                                      m_threadId);
    }

    DWORD RetryThread()
    {
        std::lock_guard guard(m_mutex);
        return m_retrying ? m_threadId : 0;
    }

private:
    // Whether any end is still owed.
    bool MakeOwedEnds()
    {
        std::lock_guard guard(m_mutex);
        std::erase_if(m_owed, [](OwedEnd& owed) { return Made(owed); });
        m_retrying = !m_owed.empty();
        return m_retrying;
    }

    std::mutex m_mutex;
    std::vector<OwedEnd> m_owed;
    std::thread m_thread;
    bool m_retrying = false;
    DWORD m_threadId = 0;
    CEvent m_stop{FALSE, TRUE};
};

OwedEnds& Owed()
{
    static OwedEnds ends;
    return ends;
}

} // namespace

void PxSessionEnds::End(std::unique_ptr<PxLockStore> locks, std::int64_t session,
                        std::vector<PxOwedLift> lifts) noexcept
{
    // The close waits for one short try, the process for none of the later ones.
    locks->SetBusyWait(PxBusyWait::Brief);
    OwedEnd owed{std::move(locks), session, std::move(lifts)};
    if (Made(owed))
        return;
    try {
        Owed().Owe(std::move(owed));
    } catch (...) {
        // No thread to make it: the session's locks go with the process, its holds stay named
        // by their records.
    }
}

DWORD PxSessionEnds::RetryThread() { return Owed().RetryThread(); }
