#include "proxy/PxSessionEnds.h"

#include "logging/LogControl.h"
#include "proxy/PxLocking.h"
#include "proxy/PxPostgres.h"
#include "proxy/PxStore.h"
#include "win/ProcessMade.h"
#include "win/Sync.h"

#include <atomic>
#include <cstdlib>
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

// Plain statics, as those of the owed ends below: the module's end and the process's, whichever
// comes first, make the last tries, and a session ending after them still finds these.
std::atomic<bool> g_lastTried = false; // from here each end owed gets its one try at once

// The repository as the log shows it: a password in a server's URI goes.
std::string Shown(const std::string& repository)
{
    return PxIsServerName(repository) ? PxShownServerName(repository) : repository;
}

// Writes in the log that the lift or removal stays.
void TellStaying(const std::string& repository, const PxOwedLift& lift)
{
    CString line;
    if (lift.manual)
        line.Format("The manual lock of user %s on the object #%lld of the repository %s stays: a step took "
                    "it back, and the lock store refused the removal until this process ended. The user "
                    "can unlock it.",
                    lift.userCode.c_str(), static_cast<long long>(lift.oid), repository.c_str());
    else
        line.Format("The generation hold %lld on the object #%lld of the repository %s stays: a step of "
                    "user %s lifted it, and the lock store refused the lift until this process ended. The "
                    "record of its generation names it still.",
                    static_cast<long long>(lift.identity), static_cast<long long>(lift.oid), repository.c_str(),
                    lift.userCode.c_str());
    g_VquLogCntrl.Write("WARNING", line);
}

// A lock connection is lost: a generation hold's lift goes with it, left to the mark that lifts
// the hold with the connection or to the record that names the hold. At the last tries the
// connection may be one cut at their bound, which the server has not seen go: the hold stays
// until it does, and the log says so. What outlives the connection (a manual hold's removal)
// stays owed.
void KeepWhatOutlivesTheConnection(const std::string& repository, std::vector<PxOwedLift>& lifts) noexcept
{
    if (g_lastTried) {
        try {
            for (const PxOwedLift& lift : lifts)
                if (!lift.manual)
                    TellStaying(Shown(repository), lift);
        } catch (...) {
            // Nothing more can be told.
        }
    }
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
    KeepWhatOutlivesTheConnection(owed.repository, owed.lifts);
    return owed.lifts.empty();
}

// Writes in the log what the owed end leaves.
void Tell(const OwedEnd& owed) noexcept
{
    try {
        const std::string repository = Shown(owed.repository);
        for (const PxOwedLift& lift : owed.lifts)
            TellStaying(repository, lift);
        if (owed.session && !owed.locks->LocksGoWithTheConnection()) {
            CString line;
            line.Format("The locks of a closed session on the repository %s stay until this process ends: the lock "
                        "store refused the session's end.",
                        repository.c_str());
            g_VquLogCntrl.Write("WARNING", line);
        }
    } catch (...) {
        // Nothing more can be told.
    }
}

void MakeOrTell(OwedEnd& owed) noexcept
{
    if (!Made(owed))
        Tell(owed);
}

// What the process owes, made by its own retry thread. A process forked from the owner makes
// none of it: its parent does, through the connections that are the parent's.
class OwedEnds {
public:
    explicit OwedEnds(OwedEnds* parents) : m_parents(parents) {}
    OwedEnds(const OwedEnds&) = delete;
    OwedEnds& operator=(const OwedEnds&) = delete;

    bool OwnedHere() const { return m_made.Here(); }
    OwedEnds* Parents() const { return m_parents; }

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
        if (m_retrying)
            return m_threadId;
        // A thread that ended is let go, so that a process forked from here has none to join.
        if (m_thread.joinable())
            m_thread.join();
        return 0;
    }

    // The thread stops (each of its tries is bounded) and each end owed gets one last try.
    void MakeLastTries() noexcept
    {
        m_stop.SetEvent();
        if (m_thread.joinable())
            m_thread.join();
        for (OwedEnd& owed : m_owed)
            MakeOrTell(owed);
        m_owed.clear();
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

    const vqwin::ProcessMade m_made;
    OwedEnds* const m_parents; // kept as the fork left them, never made nor destroyed here
    std::mutex m_mutex;
    std::vector<OwedEnd> m_owed;
    std::thread m_thread;
    bool m_retrying = false;
    DWORD m_threadId = 0;
    CEvent m_stop{FALSE, TRUE};
};

std::mutex g_endsMutex;
OwedEnds* g_ends = nullptr;

// This process's ends, made as they are first owed.
OwedEnds& OwnEnds()
{
    if (!g_ends || !g_ends->OwnedHere())
        g_ends = new OwedEnds(g_ends);
    return *g_ends;
}

void Owe(OwedEnd owed) noexcept
{
    std::unique_lock guard(g_endsMutex);
    if (g_lastTried) {
        guard.unlock();
        MakeOrTell(owed);
        return;
    }
    try {
        OwnEnds().Owe(std::move(owed));
    } catch (...) {
        // No thread to make it: the session's locks go with the process or its connection, its
        // generation holds stay named by their records, a manual hold stays for its user's Unlock.
    }
}

// The process's end makes the last tries of a module that never ended: in the process that
// loaded it, or in a forked child that owes ends of its own. A child that owes nothing of its
// own ends without touching its parent's: no try, no bound set.
struct LastTriesAtTheEnd {
    ~LastTriesAtTheEnd()
    {
        if (loadedBy.Here() || PxSessionEnds::OwesHere())
            PxSessionEnds::MakeLastTries();
    }
    const vqwin::ProcessMade loadedBy;
} g_lastTriesAtTheEnd;

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
    KeepWhatOutlivesTheConnection(repository, lifts);
    // Tried first after a retry delay: the session that lost its connection waits for no other.
    if (!lifts.empty())
        Owe({repository, nullptr, std::nullopt, std::move(lifts)});
}

bool PxSessionEnds::OwesHere() noexcept
{
    std::lock_guard guard(g_endsMutex);
    return g_ends && g_ends->OwnedHere();
}

void PxSessionEnds::MakeLastTries() noexcept
{
    std::lock_guard guard(g_endsMutex);
    PxPgConnection::BoundAnswerWaits(std::chrono::steady_clock::now() + kPxLastTriesBound);
    g_lastTried = true;
    if (!g_ends || !g_ends->OwnedHere())
        return;
    g_ends->MakeLastTries();
    delete std::exchange(g_ends, g_ends->Parents());
}

void PxSessionEnds::LastTriesMade() noexcept { PxPgConnection::BoundAnswerWaits(std::nullopt); }

bool PxSessionEnds::LastTried() noexcept { return g_lastTried; }

void PxSessionEnds::OweLaterAgain()
{
    std::lock_guard guard(g_endsMutex);
    g_lastTried = false;
}

DWORD PxSessionEnds::RetryThread()
{
    std::lock_guard guard(g_endsMutex);
    return g_ends && g_ends->OwnedHere() ? g_ends->RetryThread() : 0;
}
