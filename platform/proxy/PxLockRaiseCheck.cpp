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

void PxLockRaiseCheck::Placed(const std::vector<std::int64_t>& oids, const std::vector<PxLockPlace>& places)
{
    if (!On())
        return;
    for (std::size_t i = 0; i < oids.size(); ++i)
        m_places[oids[i]] = places[i];
}

void PxLockRaiseCheck::Granted(const std::int64_t* oids, std::size_t count, int kind)
{
    if (!On())
        return;
    for (std::size_t i = 0; i < count; ++i) {
        ++m_holds[oids[i]][kind];
        if (const auto place = m_places.find(oids[i]); place != m_places.end())
            m_heldPlaces.insert(place->second);
    }
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
            Forget(oids[i]);
    }
}

void PxLockRaiseCheck::Dropped(const std::vector<std::int64_t>& oids)
{
    for (std::int64_t oid : oids)
        Forget(oid);
}

void PxLockRaiseCheck::Forget(std::int64_t oid)
{
    m_holds.erase(oid);
    if (const auto place = m_places.find(oid); place != m_places.end()) {
        m_heldPlaces.erase(place->second);
        m_places.erase(place);
    }
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

void PxLockRaiseCheck::WaitsInLine(std::int64_t oid, const char* operation, const std::string& object) const
{
    if (!On() || m_heldPlaces.empty())
        return;
    const auto place = m_places.find(oid);
    const PxLockPlace& highest = *m_heldPlaces.rbegin();
    if (place == m_places.end() || place->second.rank >= highest.rank)
        return;
    Report(std::string("Lock order: this session waits in line for ") + object + " (rank " +
           std::to_string(place->second.rank) + ", " + operation + ") while it holds object " +
           std::to_string(highest.key) + " (rank " + std::to_string(highest.rank) +
           "), after it in the lock order; another session holding the one and waiting for the other would "
           "wait for it for ever.");
}
