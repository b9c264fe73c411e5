#include "proxy/PxTesting.h"

#include "proxy/PxClass.h"
#include "proxy/PxException.h"
#include "proxy/PxFileStore.h"
#include "proxy/PxLink.h"
#include "proxy/PxLinkCore.h"
#include "proxy/PxSession.h"
#include "proxy/PxSessionEnds.h"
#include "win/Sync.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>

namespace {

std::mutex g_readsMutex;
std::map<std::string, int, std::less<>> g_listReads;
int g_allListReads = 0;
std::atomic<std::uint64_t> g_busyWaited{0};
std::atomic<std::uint64_t> g_unlockCalls{0};

} // namespace

void PxTesting::SetBusyTimeout(PxLink& link, int milliseconds) { link.m_core->Session()->SetBusyTimeout(milliseconds); }

void PxTesting::LimitDataFile(PxLink& link, int pages)
{
    std::shared_ptr<PxSession> session = link.m_core->Session();
    auto guard = session->Guard();
    auto* file = dynamic_cast<PxFileStore*>(&session->Store());
    if (!file)
        PX_THROW("Cannot limit the repository: it is not a file.");
    std::string pragma = "PRAGMA max_page_count=" + std::to_string(pages);
    file->Database().Execute(pragma.c_str(), pxwhat::Write);
}

void PxTesting::AddClass(const PxClassInfo& info) { PxAddClass(info); }

bool PxTesting::IsHeld(PxLink& link, std::int64_t oid) { return link.m_core->Existing(oid) != nullptr; }

std::size_t PxTesting::MostObjectsHeld(PxLink& link) { return link.m_core->TakeMostAlive(); }

int PxTesting::ListReads()
{
    std::lock_guard lock(g_readsMutex);
    return g_allListReads;
}

int PxTesting::ListReads(const char* operation)
{
    std::lock_guard lock(g_readsMutex);
    const auto found = g_listReads.find(operation);
    return found == g_listReads.end() ? 0 : found->second;
}

void PxTesting::ResetListReads()
{
    std::lock_guard lock(g_readsMutex);
    g_listReads.clear();
    g_allListReads = 0;
}

void PxTesting::NoteListRead(const char* operation)
{
    std::lock_guard lock(g_readsMutex);
    ++g_listReads[operation];
    ++g_allListReads;
}

std::uint64_t PxTesting::BusyWaited() { return g_busyWaited; }

void PxTesting::ResetBusyWaited() { g_busyWaited = 0; }

void PxTesting::NoteBusyWait(int milliseconds) { g_busyWaited += static_cast<std::uint64_t>(milliseconds); }

std::uint64_t PxTesting::UnlockCalls() { return g_unlockCalls; }

void PxTesting::NoteUnlockCall() { ++g_unlockCalls; }

DWORD PxTesting::GiveBackThread(PxLink& link)
{
    const DWORD thread = link.m_core->Session()->GiveBackThread();
    if (thread != 0)
        vqwin::WaitUntilThreadWaits(thread);
    return thread;
}

DWORD PxTesting::SessionEndThread()
{
    const DWORD thread = PxSessionEnds::RetryThread();
    if (thread != 0)
        vqwin::WaitUntilThreadWaits(thread);
    return thread;
}

bool PxTesting::WasWoken(PxLink& link) { return link.m_core->Session()->Locks().AwaitRelease(0); }
