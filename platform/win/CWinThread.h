// A thread with a message loop of its own, on std::thread.
//
// Suspension is cooperative: SuspendThread only counts, and the thread stops at its next
// wait (WaitForSingleObject, Sleep, a lock, a cross-thread SendMessage, an empty message
// loop) or loop turn (GetMessage, PeekMessage, the pump), never while it holds a critical
// section or semaphore. It goes on from there when ResumeThread brings the count to 0.
#pragma once

#include "win/CCmdTarget.h"
#include "win/Sync.h"

using AFX_THREADPROC = UINT (*)(LPVOID);

constexpr DWORD CREATE_SUSPENDED = 0x00000004;
constexpr int THREAD_PRIORITY_NORMAL = 0;

class CWinThread : public CCmdTarget {
public:
    CWinThread();
    CWinThread(AFX_THREADPROC proc, LPVOID param);
    ~CWinThread() override;

    // Starts the thread (held at its start while created suspended). Its body is the thread
    // procedure, or InitInstance followed by Run (or by ExitInstance when InitInstance
    // fails). When it ends, the thread's remaining windows are destroyed and, with
    // m_bAutoDelete, the object deletes itself.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0, LPSECURITY_ATTRIBUTES attributes = nullptr);
    // Previous suspend counts; (DWORD)-1 when the thread does not run.
    DWORD SuspendThread();
    DWORD ResumeThread();
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);
    int GetThreadPriority() const { return m_priority; }
    BOOL SetThreadPriority(int priority);

    virtual BOOL InitInstance();
    // The message loop: idles while the queue is empty, ends at WM_QUIT with ExitInstance.
    virtual int Run();
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG count);
    virtual int ExitInstance();
    virtual CWnd* GetMainWnd();
    // Deletes the object when m_bAutoDelete is set.
    virtual void Delete();

    CWnd* m_pMainWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

protected:
    // Makes this object the calling thread's (the application object does this for the
    // thread that loads the module).
    void AttachToCurrentThread();

    MSG m_msgCur{};

private:
    // The thread's work, from the start gate to the exit code.
    DWORD RunBody();

    int m_priority = THREAD_PRIORITY_NORMAL;
};

CWinThread* AfxBeginThread(const CRuntimeClass* threadClass, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0, LPSECURITY_ATTRIBUTES attributes = nullptr);
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0, LPSECURITY_ATTRIBUTES attributes = nullptr);
// The thread object of the calling thread; null on a thread without one.
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
// Offers a message to the thread's PreTranslateMessage (or the window tree's, on a thread
// without a thread object).
BOOL AfxPreTranslateMessage(MSG* msg);

namespace vqwin {

// Waits until every thread that ended after its last handle had gone (a thread object that
// deleted itself) is gone too. A library calls it before it is unloaded, so that no thread
// still runs its code; the next thread start and the process's end call it as well.
void JoinEndedThreads();

} // namespace vqwin
