#include "ProxyWork.h"

#include "proxy/PxVQEnterprise.h"

#include <cstddef>

void ProxyObjectLoad(benchmark::State& state, PxVQLink& link)
{
    PxVQEnterprisePtr enterprise = link.GetLVQEnterprise();
    for (auto _ : state) {
        PxTypedList<PxVQObjectPtr> hosts;
        enterprise->GetMembers("hosts", hosts);
        benchmark::DoNotOptimize(hosts.GetCount());
    }
}

void ProxyAttributeRead(benchmark::State& state, PxVQLink& link, PxTypedList<PxVQObjectPtr>& hosts)
{
    for (auto _ : state) {
        link.ClearAllBuffers();
        std::size_t length = 0;
        for (POSITION position = hosts.GetHeadPosition(); position;)
            length += hosts.CList::GetNext(position)->GetAttributeText("address").GetLength();
        benchmark::DoNotOptimize(length);
    }
}

void ProxyLockAndUnlock(benchmark::State& state, const PxVQObjectPtr& host)
{
    for (auto _ : state) {
        if (!host->WriteLock(0))
            state.SkipWithError("lock refused");
        host->UnLock();
    }
}

void ProxyWriteTransaction(benchmark::State& state, PxVQLink& link)
{
    PxVQEnterprisePtr enterprise = link.GetLVQEnterprise();
    for (auto _ : state) {
        link.BeginTransaction();
        for (int i = 0; i < kBenchObjects; ++i) {
            PxObjectPtr host = enterprise->CreateMember("hosts", "PxVQObject");
            host->SetAttributeText("name", "HOST");
            host->SetAttributeText("address", "10.0.0.1");
        }
        link.CommitTransaction();
    }
}
