// The generation client's threads. A generation runs on a main thread of its own, which may
// start work threads; the client counts both, and the module asks for the counts and
// cancels the main threads when the session closes. Main threads are created and cancelled
// on the user-interface thread.
#pragma once

#include "win/CWinThread.h"

#include <atomic>

// A main thread: counted from construction until it is deleted (it deletes itself when it
// ends), active from construction until its generation ends. Its body is a message loop
// (what the generation posts to it) that a cancel ends.
class VqcMainThread : public CWinThread {
public:
    VqcMainThread();
    ~VqcMainThread() override;

    BOOL IsActive() const { return m_active.load(); }
    BOOL IsCancelled() const { return m_cancelled.load(); }
    // Marks the thread cancelled and ends its message loop; a thread not started yet ends
    // as soon as it starts.
    void Cancel();

    BOOL InitInstance() override;

protected:
    // The generation is over; the thread stays (and counted) until it is cancelled.
    void EndGeneration();

private:
    std::atomic<bool> m_active{true};
    std::atomic<bool> m_cancelled{false};
};

// A work thread of a generation: active from construction until it is deleted.
class VqcWorkThread : public CWinThread {
public:
    VqcWorkThread();
    VqcWorkThread(AFX_THREADPROC proc, LPVOID param);
    ~VqcWorkThread() override;
};
