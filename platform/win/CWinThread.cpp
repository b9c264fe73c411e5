#include "win/CWinThread.h"

#include "win/CWnd.h"
#include "win/KernelObjects.h"
#include "win/WindowRegistry.h"

#include <thread>

using vqwin::detail::HandleTable;
using vqwin::detail::Kernel;
using vqwin::detail::ThreadObject;
using vqwin::detail::ThreadState;
using vqwin::detail::WindowRegistry;

namespace {

thread_local CWinThread* t_thread = nullptr;

// The windows a thread leaves behind go with it, as on the platform.
void DestroyWindowsOfThisThread()
{
    std::vector<HWND> roots;
    {
        auto lock = Kernel::Acquire();
        const DWORD me = Kernel::Current(lock).id;
        for (HWND hwnd : WindowRegistry::WindowsOfThread(lock, me)) {
            auto* record = WindowRegistry::Find(lock, hwnd);
            auto* parent = WindowRegistry::Find(lock, record->parent);
            if (!parent || parent->threadId != me)
                roots.push_back(hwnd);
        }
    }
    for (HWND hwnd : roots)
        DestroyWindow(hwnd);
}

// Message loops fall idle again after anything but a paint.
bool IsIdleMessage(const MSG& msg) { return msg.message != WM_PAINT; }

CWinThread* Start(CWinThread* thread, int priority, UINT stackSize, DWORD createFlags,
                  LPSECURITY_ATTRIBUTES attributes)
{
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize, attributes)) {
        thread->Delete();
        return nullptr;
    }
    thread->SetThreadPriority(priority);
    if (!(createFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}

} // namespace

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param) : m_pfnThreadProc(proc), m_pThreadParams(param) {}

CWinThread::~CWinThread()
{
    if (m_hThread)
        CloseHandle(m_hThread);
    if (t_thread == this)
        t_thread = nullptr;
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT, LPSECURITY_ATTRIBUTES)
{
    if (m_hThread)
        return FALSE;
    vqwin::JoinEndedThreads();
    auto object = std::make_shared<ThreadObject>();
    std::shared_ptr<ThreadState> state;
    {
        auto lock = Kernel::Acquire();
        // One hold more than asked for, released below once the members are set.
        state = Kernel::Prepare(lock, (createFlags & CREATE_SUSPENDED) ? 2 : 1);
        m_nThreadID = state->id;
        m_hThread = HandleTable::Add(lock, object);
    }
    object->thread = std::thread([this, state, object]() mutable {
        Kernel::Adopt(std::move(state));
        const DWORD exitCode = RunBody();
        DestroyWindowsOfThisThread();
        t_thread = nullptr;
        Delete();
        Kernel::EndCurrentThread();
        auto lock = Kernel::Acquire();
        object->exitCode = exitCode;
        object->ended = true;
        Kernel::WakeAll(lock);
    });
    ResumeThread();
    return TRUE;
}

DWORD CWinThread::RunBody()
{
    t_thread = this;
    {
        auto lock = Kernel::Acquire();
        Kernel::ParkIfSuspended(lock);
    }
    if (m_pfnThreadProc)
        return m_pfnThreadProc(m_pThreadParams);
    if (!InitInstance())
        return static_cast<DWORD>(ExitInstance());
    return static_cast<DWORD>(Run());
}

DWORD CWinThread::SuspendThread()
{
    auto lock = Kernel::Acquire();
    ThreadState* state = Kernel::Find(lock, m_nThreadID);
    if (!state)
        return static_cast<DWORD>(-1);
    return static_cast<DWORD>(state->suspendCount++);
}

DWORD CWinThread::ResumeThread()
{
    auto lock = Kernel::Acquire();
    ThreadState* state = Kernel::Find(lock, m_nThreadID);
    if (!state)
        return static_cast<DWORD>(-1);
    const int previous = state->suspendCount;
    if (previous > 0) {
        --state->suspendCount;
        Kernel::WakeAll(lock);
    }
    return static_cast<DWORD>(previous);
}

BOOL CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
}

BOOL CWinThread::SetThreadPriority(int priority)
{
    m_priority = priority;
    return TRUE;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::Run()
{
    BOOL idle = TRUE;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(m_msgCur)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PreTranslateMessage(MSG* msg)
{
    CWnd* main = GetMainWnd();
    return CWnd::WalkPreTranslateTree(main ? main->m_hWnd : nullptr, msg);
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessage(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(LONG) { return FALSE; }

int CWinThread::ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

void CWinThread::AttachToCurrentThread()
{
    t_thread = this;
    m_nThreadID = GetCurrentThreadId();
}

CWinThread* AfxBeginThread(const CRuntimeClass* threadClass, int priority, UINT stackSize, DWORD createFlags,
                           LPSECURITY_ATTRIBUTES attributes)
{
    CObject* object = threadClass ? threadClass->CreateObject() : nullptr;
    auto* thread = dynamic_cast<CWinThread*>(object);
    if (!thread) {
        delete object;
        return nullptr;
    }
    return Start(thread, priority, stackSize, createFlags, attributes);
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize, DWORD createFlags,
                           LPSECURITY_ATTRIBUTES attributes)
{
    return Start(new CWinThread(proc, param), priority, stackSize, createFlags, attributes);
}

CWinThread* AfxGetThread() { return t_thread; }

CWnd* AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->GetMainWnd() : nullptr;
}

BOOL AfxPreTranslateMessage(MSG* msg)
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->PreTranslateMessage(msg) : CWnd::WalkPreTranslateTree(nullptr, msg);
}
