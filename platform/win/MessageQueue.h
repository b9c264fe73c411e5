// Internal to platform/win: one thread's queue of posted messages, messages sent to it from
// other threads, timers and windows waiting to be painted. Guarded by the kernel lock.
#pragma once

#include "win/Messages.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

namespace vqwin::detail {

// A message sent from another thread, answered when the owning thread handles it.
struct SendRecord {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    bool done = false;
};

// Which messages GetMessage and PeekMessage take: all when hwnd is null and the range 0-0.
struct MessageFilter {
    HWND hwnd = nullptr;
    UINT first = 0;
    UINT last = 0;
    bool Accepts(HWND target, UINT message) const;
};

class MessageQueue {
public:
    void Post(const MSG& msg);
    // Puts a message taken too early back at the front.
    void PutBack(const MSG& msg);
    bool HasPosted(const MessageFilter& filter) const;
    bool TakePosted(MSG& out, const MessageFilter& filter, bool remove);

    void AddSend(std::shared_ptr<SendRecord> record);
    bool HasSends() const { return !m_sends.empty(); }
    std::shared_ptr<SendRecord> TakeSend();

    void SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, std::uint64_t now);
    bool KillTimer(HWND hwnd, UINT_PTR id);
    // The first timer that has come due; taking it starts its next interval.
    bool TakeDueTimer(MSG& out, const MessageFilter& filter, std::uint64_t now, bool remove);
    bool HasDueTimer(const MessageFilter& filter, std::uint64_t now) const;
    // Milliseconds until the next timer is due (0 when one is due); INFINITE with none.
    DWORD TimeToNextTimer(std::uint64_t now) const;

    void Invalidate(HWND hwnd);
    void Validate(HWND hwnd);
    const std::vector<HWND>& InvalidWindows() const { return m_invalid; }

    // Everything of a window that is gone: its posted messages stay (they are dropped when
    // dispatched), its timers and paint go.
    void ForgetWindow(HWND hwnd);
    // The thread ended: sends are answered with 0, the rest is dropped.
    void Close();

private:
    struct Timer {
        HWND hwnd;
        UINT_PTR id;
        UINT interval;
        TIMERPROC proc;
        std::uint64_t due;
    };

    std::deque<MSG> m_posted;
    std::deque<std::shared_ptr<SendRecord>> m_sends;
    std::vector<Timer> m_timers;
    std::vector<HWND> m_invalid;
};

} // namespace vqwin::detail
