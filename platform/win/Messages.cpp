#include "win/Messages.h"

#include "win/CWinThread.h"
#include "win/Clock.h"
#include "win/WindowRegistry.h"

using vqwin::detail::Kernel;
using vqwin::detail::MessageFilter;
using vqwin::detail::SendRecord;
using vqwin::detail::ThreadState;
using vqwin::detail::WindowRecord;
using vqwin::detail::WindowRegistry;

namespace {

void Complete(SendRecord& record, LRESULT result)
{
    auto lock = Kernel::Acquire();
    record.result = result;
    record.done = true;
    Kernel::WakeAll(lock);
}

// Runs a message another thread sent; the sender is released even when the handler throws.
void Answer(SendRecord& record)
{
    LRESULT result = 0;
    try {
        result = vqwin::detail::Deliver(record.hwnd, record.message, record.wParam, record.lParam);
    } catch (...) {
        Complete(record, 0);
        throw;
    }
    Complete(record, result);
}

// Handles the messages other threads sent to this one. Called and left with the lock held.
void AnswerSends(Kernel::Lock& lock, ThreadState& me)
{
    while (std::shared_ptr<SendRecord> record = me.queue.TakeSend()) {
        lock.unlock();
        Answer(*record);
        lock.lock();
    }
}

// The next message in delivery order: sent ones are handled on the way, then posted
// messages, then paints, then timers.
bool TakeNext(Kernel::Lock& lock, ThreadState& me, MSG& msg, const MessageFilter& filter, bool remove)
{
    AnswerSends(lock, me);
    if (me.queue.TakePosted(msg, filter, remove))
        return true;
    if (HWND hwnd = vqwin::detail::TakePaint(lock, me, filter, remove)) {
        msg = MSG{hwnd, WM_PAINT, 0, 0, 0, {0, 0}};
        return true;
    }
    return me.queue.TakeDueTimer(msg, filter, GetTickCount64(), remove);
}

bool HasNext(Kernel::Lock& lock, ThreadState& me, const MessageFilter& filter)
{
    return me.queue.HasSends() || me.queue.HasPosted(filter) ||
           vqwin::detail::TakePaint(lock, me, filter, false) || me.queue.HasDueTimer(filter, GetTickCount64());
}

bool Take(MSG& msg, const MessageFilter& filter, bool remove, bool wait)
{
    auto lock = Kernel::Acquire();
    ThreadState& me = Kernel::Current(lock);
    Kernel::ParkIfSuspended(lock);
    while (!TakeNext(lock, me, msg, filter, remove)) {
        if (!wait)
            return false;
        const DWORD untilTimer = me.queue.TimeToNextTimer(GetTickCount64());
        Kernel::Wait(lock, [&] { return HasNext(lock, me, filter); }, untilTimer);
    }
    return true;
}

BOOL PostTo(Kernel::Lock& lock, DWORD threadId, const MSG& msg)
{
    ThreadState* owner = Kernel::Find(lock, threadId);
    if (!owner)
        return FALSE;
    owner->queue.Post(msg);
    Kernel::WakeAll(lock);
    return TRUE;
}

} // namespace

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto lock = Kernel::Acquire();
    WindowRecord* target = WindowRegistry::Find(lock, hwnd);
    if (!target)
        return 0;
    ThreadState& me = Kernel::Current(lock);
    if (target->threadId == me.id) {
        lock.unlock();
        return vqwin::detail::Deliver(hwnd, message, wParam, lParam);
    }
    ThreadState* owner = Kernel::Find(lock, target->threadId);
    if (!owner)
        return 0;
    auto record = std::make_shared<SendRecord>(SendRecord{hwnd, message, wParam, lParam});
    owner->queue.AddSend(record);
    Kernel::WakeAll(lock);
    for (;;) {
        Kernel::Wait(lock, [&] { return record->done || me.queue.HasSends(); }, INFINITE);
        if (record->done)
            return record->result;
        AnswerSends(lock, me);
    }
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto lock = Kernel::Acquire();
    const MSG msg{hwnd, message, wParam, lParam, GetTickCount(), {0, 0}};
    if (!hwnd)
        return PostTo(lock, Kernel::Current(lock).id, msg);
    WindowRecord* target = WindowRegistry::Find(lock, hwnd);
    return target ? PostTo(lock, target->threadId, msg) : FALSE;
}

BOOL PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto lock = Kernel::Acquire();
    return PostTo(lock, threadId, MSG{nullptr, message, wParam, lParam, GetTickCount(), {0, 0}});
}

void PostQuitMessage(int exitCode) { PostMessage(nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0); }

BOOL GetMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax)
{
    Take(*msg, MessageFilter{hwnd, filterMin, filterMax}, true, true);
    return msg->message != WM_QUIT;
}

BOOL PeekMessage(LPMSG msg, HWND hwnd, UINT filterMin, UINT filterMax, UINT removeFlags)
{
    return Take(*msg, MessageFilter{hwnd, filterMin, filterMax}, (removeFlags & PM_REMOVE) != 0, false);
}

BOOL TranslateMessage(const MSG* msg)
{
    if (!msg || msg->message != WM_KEYDOWN)
        return FALSE;
    const WPARAM ch = vqwin::CharOfKey(msg->wParam);
    if (!ch)
        return FALSE;
    auto lock = Kernel::Acquire();
    Kernel::Current(lock).queue.PutBack(MSG{msg->hwnd, WM_CHAR, ch, msg->lParam, msg->time, msg->pt});
    return TRUE;
}

LRESULT DispatchMessage(const MSG* msg)
{
    if (!msg || !msg->hwnd)
        return 0;
    if (msg->message == WM_TIMER && msg->lParam) {
        reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, GetTickCount());
        return 0;
    }
    return vqwin::detail::Deliver(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    ThreadState* owner = record ? Kernel::Find(lock, record->threadId) : nullptr;
    if (!owner)
        return 0;
    owner->queue.SetTimer(hwnd, id, elapse, proc, GetTickCount64());
    Kernel::WakeAll(lock);
    return id ? id : 1;
}

BOOL KillTimer(HWND hwnd, UINT_PTR id)
{
    auto lock = Kernel::Acquire();
    WindowRecord* record = WindowRegistry::Find(lock, hwnd);
    ThreadState* owner = record ? Kernel::Find(lock, record->threadId) : nullptr;
    return owner && owner->queue.KillTimer(hwnd, id);
}

namespace vqwin {

WPARAM CharOfKey(WPARAM key)
{
    switch (key) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_SPACE:
        return key;
    case VK_MULTIPLY:
        return '*';
    case VK_ADD:
        return '+';
    case VK_SUBTRACT:
        return '-';
    default:
        if (key >= '0' && key <= '9')
            return key;
        if (key >= 'A' && key <= 'Z')
            return key - 'A' + 'a';
        return 0;
    }
}

BOOL PumpPending(const std::function<void()>& afterEach)
{
    for (;;) {
        MSG msg;
        {
            auto lock = Kernel::Acquire();
            ThreadState& me = Kernel::Current(lock);
            Kernel::ParkIfSuspended(lock);
            if (!TakeNext(lock, me, msg, MessageFilter{}, true))
                return TRUE;
            if (msg.message == WM_QUIT) {
                me.queue.PutBack(msg);
                return FALSE;
            }
        }
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        if (afterEach)
            afterEach();
    }
}

} // namespace vqwin
