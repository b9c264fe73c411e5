#include "win/MessageQueue.h"

#include <algorithm>

namespace vqwin::detail {

namespace {

// The platform's smallest timer interval; a zero interval would fire on every turn.
constexpr UINT kMinimumTimerInterval = 10;

} // namespace

bool MessageFilter::Accepts(HWND target, UINT message) const
{
    if (hwnd && target != hwnd)
        return false;
    if (first == 0 && last == 0)
        return true;
    return message >= first && message <= last;
}

void MessageQueue::Post(const MSG& msg) { m_posted.push_back(msg); }

void MessageQueue::PutBack(const MSG& msg) { m_posted.push_front(msg); }

bool MessageQueue::HasPosted(const MessageFilter& filter) const
{
    return std::any_of(m_posted.begin(), m_posted.end(),
                       [&](const MSG& msg) { return filter.Accepts(msg.hwnd, msg.message); });
}

bool MessageQueue::TakePosted(MSG& out, const MessageFilter& filter, bool remove)
{
    auto it = std::find_if(m_posted.begin(), m_posted.end(),
                           [&](const MSG& msg) { return filter.Accepts(msg.hwnd, msg.message); });
    if (it == m_posted.end())
        return false;
    out = *it;
    if (remove)
        m_posted.erase(it);
    return true;
}

void MessageQueue::AddSend(std::shared_ptr<SendRecord> record) { m_sends.push_back(std::move(record)); }

std::shared_ptr<SendRecord> MessageQueue::TakeSend()
{
    if (m_sends.empty())
        return nullptr;
    auto record = std::move(m_sends.front());
    m_sends.pop_front();
    return record;
}

void MessageQueue::SetTimer(HWND hwnd, UINT_PTR id, UINT elapse, TIMERPROC proc, std::uint64_t now)
{
    UINT interval = std::max(elapse, kMinimumTimerInterval);
    Timer timer{hwnd, id, interval, proc, now + interval};
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it != m_timers.end())
        *it = timer;
    else
        m_timers.push_back(timer);
}

bool MessageQueue::KillTimer(HWND hwnd, UINT_PTR id)
{
    auto it = std::find_if(m_timers.begin(), m_timers.end(),
                           [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == m_timers.end())
        return false;
    m_timers.erase(it);
    return true;
}

bool MessageQueue::HasDueTimer(const MessageFilter& filter, std::uint64_t now) const
{
    return std::any_of(m_timers.begin(), m_timers.end(), [&](const Timer& t) {
        return t.due <= now && filter.Accepts(t.hwnd, WM_TIMER);
    });
}

bool MessageQueue::TakeDueTimer(MSG& out, const MessageFilter& filter, std::uint64_t now, bool remove)
{
    auto it = std::find_if(m_timers.begin(), m_timers.end(), [&](const Timer& t) {
        return t.due <= now && filter.Accepts(t.hwnd, WM_TIMER);
    });
    if (it == m_timers.end())
        return false;
    out = MSG{it->hwnd, WM_TIMER, it->id, reinterpret_cast<LPARAM>(it->proc), static_cast<DWORD>(now), {0, 0}};
    if (remove) {
        it->due = now + it->interval;
        // Timers that came due together take turns.
        std::rotate(it, std::next(it), m_timers.end());
    }
    return true;
}

DWORD MessageQueue::TimeToNextTimer(std::uint64_t now) const
{
    DWORD best = INFINITE;
    for (const Timer& t : m_timers) {
        std::uint64_t wait = t.due > now ? t.due - now : 0;
        best = std::min<std::uint64_t>(best, wait);
    }
    return best;
}

void MessageQueue::Invalidate(HWND hwnd)
{
    if (std::find(m_invalid.begin(), m_invalid.end(), hwnd) == m_invalid.end())
        m_invalid.push_back(hwnd);
}

void MessageQueue::Validate(HWND hwnd) { std::erase(m_invalid, hwnd); }

void MessageQueue::ForgetWindow(HWND hwnd)
{
    std::erase_if(m_timers, [&](const Timer& t) { return t.hwnd == hwnd; });
    Validate(hwnd);
}

void MessageQueue::Close()
{
    for (auto& record : m_sends) {
        record->result = 0;
        record->done = true;
    }
    m_sends.clear();
    m_posted.clear();
    m_timers.clear();
    m_invalid.clear();
}

} // namespace vqwin::detail
