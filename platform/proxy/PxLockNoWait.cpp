#include "proxy/PxLockNoWait.h"

#include <map>
#include <mutex>
#include <thread>

namespace {

// The scopes living on each thread that has one. Kept in a map, not in thread-local storage,
// which the module does not have (it can be unloaded).
std::mutex g_guard;
std::map<std::thread::id, int> g_scopes;

} // namespace

PxLockNoWait::PxLockNoWait()
{
    const std::lock_guard<std::mutex> guard(g_guard);
    ++g_scopes[std::this_thread::get_id()];
}

PxLockNoWait::~PxLockNoWait()
{
    const std::lock_guard<std::mutex> guard(g_guard);
    const auto found = g_scopes.find(std::this_thread::get_id());
    if (found != g_scopes.end() && --found->second <= 0)
        g_scopes.erase(found);
}

bool PxLockNoWait::Declines()
{
    const std::lock_guard<std::mutex> guard(g_guard);
    return g_scopes.count(std::this_thread::get_id()) > 0;
}
