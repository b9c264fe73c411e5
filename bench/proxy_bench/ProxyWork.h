// The proxy's side of the benchmark pairs, the same work whichever store holds the
// repository (ProxyBench.cpp on a file, ServerBench.cpp on a server).
#pragma once

#include "proxy/PxTypedList.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQObject.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

// The objects a write transaction makes.
inline constexpr int kBenchObjects = 1000;

// A row of a list's objects as the raw sides read it.
struct RawRow {
    std::int64_t oid;
    std::string className;
    std::int64_t created;
    std::int64_t edition;
};

// Loads the objects of the enterprise's list of hosts.
void ProxyObjectLoad(benchmark::State& state, PxVQLink& link);
// Reads the address of each host from the store (the buffers cleared first).
void ProxyAttributeRead(benchmark::State& state, PxVQLink& link, PxTypedList<PxVQObjectPtr>& hosts);
// Takes and gives back a write lock on the host.
void ProxyLockAndUnlock(benchmark::State& state, const PxVQObjectPtr& host);
// Writes kBenchObjects new hosts in one transaction.
void ProxyWriteTransaction(benchmark::State& state, PxVQLink& link);
