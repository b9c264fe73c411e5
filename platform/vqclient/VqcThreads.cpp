#include "vqclient/VqcThreads.h"

#include "vqclient/VqClient.h"
#include "vqclient/VqcGenerations.h"
#include "win/Messages.h"

#include <mutex>
#include <algorithm>
#include <vector>

namespace {

// Main threads and work threads that have not ended. A main thread is removed under the
// mutex before it is gone, so a cancel that holds the mutex never reaches a deleted thread.
std::mutex g_threadsMutex;
std::vector<VqcMainThread*> g_mainThreads;  // in order of creation
int g_workThreads = 0;

} // namespace

// A generation this stand-in started runs without a thread of its own: it counts as an active
// main thread from its start until it ends, and a cancel of the main threads cancels it.
constexpr char kSessionClosedReason[] = "Session closed";

bool AnyActiveMainThreads()
{
    {
        std::lock_guard lock(g_threadsMutex);
        for (const VqcMainThread* thread : g_mainThreads) {
            if (thread->IsActive())
                return true;
        }
    }
    return vqclient::RunningGenerations() > 0;
}

void CancelAllMainThreads()
{
    {
        std::lock_guard lock(g_threadsMutex);
        for (VqcMainThread* thread : g_mainThreads)
            thread->Cancel();
    }
    vqclient::CancelRunningGenerations(kSessionClosedReason);
}

int GetMainThreadCount()
{
    int threads = 0;
    {
        std::lock_guard lock(g_threadsMutex);
        threads = static_cast<int>(g_mainThreads.size());
    }
    return threads + vqclient::RunningGenerations();
}

bool AnyActiveWorkThreads()
{
    std::lock_guard lock(g_threadsMutex);
    return g_workThreads > 0;
}

VqcMainThread::VqcMainThread()
{
    std::lock_guard lock(g_threadsMutex);
    g_mainThreads.push_back(this);
}

VqcMainThread::~VqcMainThread()
{
    std::lock_guard lock(g_threadsMutex);
    g_mainThreads.erase(std::find(g_mainThreads.begin(), g_mainThreads.end(), this));
}

void VqcMainThread::Cancel()
{
    m_cancelled = true;
    if (m_nThreadID)
        ::PostThreadMessage(m_nThreadID, WM_QUIT, 0, 0);
}

BOOL VqcMainThread::InitInstance() { return !IsCancelled(); }

void VqcMainThread::EndGeneration() { m_active = false; }

VqcWorkThread::VqcWorkThread()
{
    std::lock_guard lock(g_threadsMutex);
    ++g_workThreads;
}

VqcWorkThread::VqcWorkThread(AFX_THREADPROC proc, LPVOID param) : CWinThread(proc, param)
{
    std::lock_guard lock(g_threadsMutex);
    ++g_workThreads;
}

VqcWorkThread::~VqcWorkThread()
{
    std::lock_guard lock(g_threadsMutex);
    --g_workThreads;
}
