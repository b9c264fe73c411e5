#include "proxy/PxLockRaiseCheck.h"

#include "proxy/PxLockStore.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

std::mutex g_reporterMutex;
PxLockRaiseCheck::Reporter g_reporter;
std::atomic<int> g_raises{0};

const char* KindName(int kind)
{
    switch (kind) {
    case PxLockRead:
        return "read";
    case PxLockLongRead:
        return "long read";
    case PxLockFutureUpdate:
        return "future update";
    default:
        return "write";
    }
}

void Report(const std::string& raise)
{
    ++g_raises;
    PxLockRaiseCheck::Reporter reporter;
    {
        std::lock_guard lock(g_reporterMutex);
        reporter = g_reporter;
    }
    if (reporter) {
        reporter(raise);
        return;
    }
    std::fprintf(stderr, "%s\n", raise.c_str());
    std::fflush(stderr);
    std::abort();
}

} // namespace

bool PxLockRaiseCheck::On()
{
    static const bool on = [] {
        const char* value = std::getenv("VQ_CHECK_LOCK_RAISES");
        return value && *value && std::strcmp(value, "0") != 0;
    }();
    return on;
}

void PxLockRaiseCheck::SetReporter(Reporter reporter)
{
    std::lock_guard lock(g_reporterMutex);
    g_reporter = std::move(reporter);
}

int PxLockRaiseCheck::Raises() { return g_raises; }

void PxLockRaiseCheck::Granted(const std::int64_t* oids, std::size_t count, int kind)
{
    if (!On())
        return;
    for (std::size_t i = 0; i < count; ++i)
        ++m_holds[oids[i]][kind];
}

void PxLockRaiseCheck::Released(const std::int64_t* oids, std::size_t count)
{
    if (!On())
        return;
    for (std::size_t i = 0; i < count; ++i) {
        auto found = m_holds.find(oids[i]);
        if (found == m_holds.end())
            continue;
        Holds& holds = found->second;
        for (int kind = PxLockRead; kind <= PxLockWrite; ++kind)
            if (holds[kind] > 0) {
                --holds[kind];
                break;
            }
        if (Strongest(oids[i]) == 0)
            m_holds.erase(found);
    }
}

void PxLockRaiseCheck::Dropped(const std::vector<std::int64_t>& oids)
{
    for (std::int64_t oid : oids)
        m_holds.erase(oid);
}

int PxLockRaiseCheck::Strongest(std::int64_t oid) const
{
    auto found = m_holds.find(oid);
    if (found == m_holds.end())
        return 0;
    for (int kind = PxLockWrite; kind >= PxLockRead; --kind)
        if (found->second[kind] > 0)
            return kind;
    return 0;
}

void PxLockRaiseCheck::Check(const std::vector<std::int64_t>& oids, int kind, const char* operation,
                             const std::function<std::string(std::size_t index)>& describe) const
{
    if (!On() || kind < PxLockFutureUpdate)
        return;
    for (std::size_t i = 0; i < oids.size(); ++i) {
        const int held = Strongest(oids[i]);
        if (held == PxLockRead || held == PxLockLongRead)
            Report(std::string("Lock raise: ") + describe(i) + " is held for " + KindName(held) +
                   " by this session, which asks it for " + KindName(kind) + " (" + operation +
                   "); another session doing the same would wait for it for ever.");
    }
}
