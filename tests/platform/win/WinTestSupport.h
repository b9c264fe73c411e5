// Helpers shared by the window-system tests: a window that records what it receives and a
// worker thread the test can join.
#pragma once

#include "win/CWinThread.h"
#include "win/CWnd.h"
#include "win/Sync.h"

#include <functional>
#include <vector>

struct ReceivedMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD threadId;
};

class RecordingWnd : public CWnd {
public:
    BOOL CreateTop(LPCTSTR text = "", DWORD style = WS_POPUP | WS_VISIBLE)
    {
        return CreateEx(0, "Recording", text, style, 0, 0, 100, 50, nullptr, nullptr);
    }
    BOOL CreateChild(CWnd* parent, UINT id, DWORD style = WS_VISIBLE, CRect rect = CRect(0, 0, 80, 20))
    {
        return Create("Recording", "", style, rect, parent, id);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        received.push_back({message, wParam, lParam, GetCurrentThreadId()});
        return CWnd::WindowProc(message, wParam, lParam);
    }
    int Count(UINT message) const
    {
        int count = 0;
        for (const ReceivedMessage& m : received)
            count += m.message == message ? 1 : 0;
        return count;
    }
    std::vector<UINT> Messages(UINT first, UINT last) const
    {
        std::vector<UINT> found;
        for (const ReceivedMessage& m : received) {
            if (m.message >= first && m.message <= last)
                found.push_back(m.message);
        }
        return found;
    }

    std::vector<ReceivedMessage> received;
};

// A thread running `body`, joined (through its handle) when the helper goes.
class Worker {
public:
    explicit Worker(std::function<void()> body, bool startSuspended = false) : m_body(std::move(body))
    {
        m_thread = AfxBeginThread(&Worker::Main, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        m_id = m_thread->m_nThreadID;
        DuplicateHandle(GetCurrentProcess(), m_thread->m_hThread, GetCurrentProcess(), &m_handle, 0, FALSE,
                        DUPLICATE_SAME_ACCESS);
        if (!startSuspended)
            m_thread->ResumeThread();
    }
    ~Worker()
    {
        Join();
        CloseHandle(m_handle);
    }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    DWORD Id() const { return m_id; }
    // Valid until the body returns.
    CWinThread* Thread() const { return m_thread; }
    BOOL WaitUntilWaiting() const { return vqwin::WaitUntilThreadWaits(m_id); }
    void Join() const { WaitForSingleObject(m_handle, INFINITE); }
    bool Ended() const { return WaitForSingleObject(m_handle, 0) == WAIT_OBJECT_0; }

private:
    static UINT Main(LPVOID self)
    {
        static_cast<Worker*>(self)->m_body();
        return 0;
    }

    std::function<void()> m_body;
    CWinThread* m_thread = nullptr;
    DWORD m_id = 0;
    HANDLE m_handle = nullptr;
};
