#include "win/Handlers.h"

#include "win/CWnd.h"

#include <atomic>
#include <utility>
#include <vector>

namespace {

std::atomic<vqwin::HandlerFailureHook> g_failureHook{nullptr};
thread_local int t_runningHandlers = 0;
thread_local std::vector<CWnd*> t_deleteAfterHandlers;

void DeleteWaitingObjects()
{
    while (!t_deleteAfterHandlers.empty()) {
        for (CWnd* object : std::exchange(t_deleteAfterHandlers, {}))
            delete object;
    }
}

class RunningHandler {
public:
    RunningHandler() { ++t_runningHandlers; }
    ~RunningHandler()
    {
        if (--t_runningHandlers == 0)
            DeleteWaitingObjects();
    }
    RunningHandler(const RunningHandler&) = delete;
    RunningHandler& operator=(const RunningHandler&) = delete;
};

bool ReportedByHook(const MSG& message) noexcept
{
    const vqwin::HandlerFailureHook hook = g_failureHook.load();
    if (!hook)
        return false;
    try {
        return hook(message);
    } catch (...) {
        // A report that fails itself still ends the handler rather than the program.
        return true;
    }
}

} // namespace

namespace vqwin {

void SetHandlerFailureHook(HandlerFailureHook hook) { g_failureHook.store(hook); }

void DeleteAfterHandlers(CWnd* object)
{
    if (t_runningHandlers == 0) {
        delete object;
        return;
    }
    t_deleteAfterHandlers.push_back(object);
}

namespace detail {

LRESULT RunHandler(CWnd* object, const MSG& message)
{
    RunningHandler running;
    try {
        return object->WindowProc(message.message, message.wParam, message.lParam);
    } catch (...) {
        if (!ReportedByHook(message))
            throw;
    }
    return message.message == WM_CREATE ? -1 : 0;
}

} // namespace detail

} // namespace vqwin
