#include "proxy/PxSessionEnds.h"

#include "proxy/PxLocking.h"
#include "win/Sync.h"

#include <future>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

class OwedEnds {
public:
    ~OwedEnds()
    {
        m_stop.SetEvent();
        if (m_thread.joinable())
            m_thread.join();
    }

    void Owe(std::unique_ptr<PxLockStore> locks, std::int64_t session)
    {
        std::lock_guard guard(m_mutex);
        m_owed.push_back({std::move(locks), session});
        if (m_retrying)
            return;
        // A thread that ended has nothing left to make.
        if (m_thread.joinable())
            m_thread.join();
        m_retrying = true;
        std::promise<DWORD> started;
        std::future<DWORD> id = started.get_future();
        m_thread = std::thread([this, &started] {
            started.set_value(GetCurrentThreadId());
            PxRetryWhileOwed(m_stop, [this] { return MakeOwedEnds(); });
        });
        m_threadId = id.get();
    }

    DWORD RetryThread()
    {
        std::lock_guard guard(m_mutex);
        return m_retrying ? m_threadId : 0;
    }

private:
    struct Owed {
        std::unique_ptr<PxLockStore> locks;
        std::int64_t session;
    };

    // Whether any end is still owed.
    bool MakeOwedEnds()
    {
        std::lock_guard guard(m_mutex);
        std::erase_if(m_owed, [](const Owed& owed) { return owed.locks->UnregisterSession(owed.session); });
        m_retrying = !m_owed.empty();
        return m_retrying;
    }

    std::mutex m_mutex;
    std::vector<Owed> m_owed;
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

void PxSessionEnds::End(std::unique_ptr<PxLockStore> locks, std::int64_t session) noexcept
{
    if (locks->UnregisterSession(session) || locks->LocksGoWithTheConnection())
        return;
    try {
        Owed().Owe(std::move(locks), session);
    } catch (...) {
        // No thread to make it: the session's locks go with the process.
    }
}

DWORD PxSessionEnds::RetryThread() { return Owed().RetryThread(); }
