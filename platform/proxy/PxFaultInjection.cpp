#include "proxy/PxFaultInjection.h"

#include "proxy/PxException.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct Fault {
    std::string operation;
    int skip;
    int times;
    bool lockRefusal;
    int code;
    std::string message;
    bool objectDeleted;
    std::function<void()> action;
};

std::mutex g_mutex;
std::vector<Fault> g_faults;
std::atomic<bool> g_armed{false};

// The fault due at this call, if any; counts the call for every matching fault.
bool TakeDue(const char* operation, bool lockRefusal, Fault& due)
{
    std::lock_guard lock(g_mutex);
    bool found = false;
    for (Fault& fault : g_faults) {
        if (fault.lockRefusal != lockRefusal || fault.times <= 0)
            continue;
        if (fault.operation != "*" && fault.operation != operation)
            continue;
        if (fault.skip > 0) {
            --fault.skip;
            continue;
        }
        if (!found) {
            --fault.times;
            due = fault;
            found = true;
        }
    }
    std::erase_if(g_faults, [](const Fault& fault) { return fault.times <= 0; });
    g_armed = !g_faults.empty();
    return found;
}

void Arm(Fault fault)
{
    std::lock_guard lock(g_mutex);
    g_faults.push_back(std::move(fault));
    g_armed = true;
}

} // namespace

void PxFaultInjection::Throw(const char* operation, const char* message, int skip, int times, bool objectDeleted)
{
    Arm({operation, skip, times, false, 0, message ? message : "", objectDeleted, {}});
}

void PxFaultInjection::RefuseLock(const char* operation, int code, int skip, int times)
{
    Arm({operation, skip, times, true, code, {}, false, {}});
}

void PxFaultInjection::Run(const char* operation, std::function<void()> action, int skip)
{
    Arm({operation, skip, 1, false, 0, {}, false, std::move(action)});
}

void PxFaultInjection::Reset()
{
    std::lock_guard lock(g_mutex);
    g_faults.clear();
    g_armed = false;
}

void PxFaultInjection::Check(const char* operation)
{
    if (!g_armed.load(std::memory_order_relaxed))
        return;
    Fault due;
    if (!TakeDue(operation, false, due))
        return;
    if (due.action)
        due.action();
    else
        throw PxException("PxFaultInjection", 0, "%1", due.message.c_str(), nullptr, due.objectDeleted);
}

int PxFaultInjection::TakeLockRefusal(const char* operation)
{
    if (!g_armed.load(std::memory_order_relaxed))
        return -1;
    Fault due;
    return TakeDue(operation, true, due) ? due.code : -1;
}
