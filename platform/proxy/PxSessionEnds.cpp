#include "proxy/PxSessionEnds.h"

#include "proxy/PxLocking.h"
#include "win/Sync.h"

#include <iterator>
#include <mutex>
#include <optional>
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
                locks.TakeBackManual(lift.oid, lift.userCode, lift.identity);
            else
                locks.LiftHold(lift.oid, lift.identity);
        }
    } catch (...) {
        // The rest stays owed.
    }
    lifts.erase(lifts.begin(), lifts.begin() + static_cast<std::ptrdiff_t>(made));
    return lifts.empty();
}

namespace {

struct OwedEnd {
    std::string repository;
    std::unique_ptr<PxLockStore> locks; // none while a lost connection's debts wait for another
    std::optional<std::int64_t> session; // the closed session to end, while its lock connection lasts
    std::vector<PxOwedLift> lifts;
};

void KeepWhatOutlivesTheConnection(std::vector<PxOwedLift>& lifts)
{
    std::erase_if(lifts, [](const PxOwedLift& lift) { return !lift.manual; });
}

// Whether the lifts owed after a lost connection are made, through a connection of their own,
// opened again at the next try when it is lost too.
bool MadeThroughAnotherConnection(OwedEnd& owed) noexcept
{
    try {
        if (!owed.locks) {
            owed.locks = PxLockStore::Open(owed.repository);
            owed.locks->SetBusyWait(PxBusyWait::Brief);
        }
    } catch (...) {
        return false;
    }
    if (PxMakeOwedLifts(*owed.locks, owed.lifts))
        return true;
    if (!owed.locks->Connected())
        owed.locks.reset();
    return false;
}

// Whether nothing of the closed session is owed any more.
bool Made(OwedEnd& owed) noexcept
{
    if (!owed.session)
        return MadeThroughAnotherConnection(owed);
    if (PxMakeOwedLifts(*owed.locks, owed.lifts))
        return owed.locks->UnregisterSession(*owed.session) || owed.locks->LocksGoWithTheConnection();
    if (owed.locks->KeepsItsLocks(*owed.session))
        return false;
    // The session ended with its lock connection.
    owed.session.reset();
    owed.locks.reset();
    KeepWhatOutlivesTheConnection(owed.lifts);
    return owed.lifts.empty();
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
    // Whether any end is still owed. They are made without the guard, so that a session closing
    // meanwhile never waits for a connection being opened.
    bool MakeOwedEnds()
    {
        std::vector<OwedEnd> making;
        {
            std::lock_guard guard(m_mutex);
            making.swap(m_owed);
        }
        std::erase_if(making, [](OwedEnd& owed) { return Made(owed); });
        std::lock_guard guard(m_mutex);
        m_owed.insert(m_owed.begin(), std::make_move_iterator(making.begin()), std::make_move_iterator(making.end()));
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

void Owe(OwedEnd owed) noexcept
{
    try {
        Owed().Owe(std::move(owed));
    } catch (...) {
        // No thread to make it: the session's locks go with the process or its connection, its
        // generation holds stay named by their records, a manual hold stays for its user's Unlock.
    }
}

} // namespace

void PxSessionEnds::End(const std::string& repository, std::unique_ptr<PxLockStore> locks, std::int64_t session,
                        std::vector<PxOwedLift> lifts) noexcept
{
    // The close waits for one short try, the process for none of the later ones.
    locks->SetBusyWait(PxBusyWait::Brief);
    OwedEnd owed{repository, std::move(locks), session, std::move(lifts)};
    if (!Made(owed))
        Owe(std::move(owed));
}

void PxSessionEnds::AfterLostConnection(const std::string& repository, std::vector<PxOwedLift> lifts) noexcept
{
    KeepWhatOutlivesTheConnection(lifts);
    // Tried first after a retry delay: the session that lost its connection waits for no other.
    if (!lifts.empty())
        Owe({repository, nullptr, std::nullopt, std::move(lifts)});
}

DWORD PxSessionEnds::RetryThread() { return Owed().RetryThread(); }
