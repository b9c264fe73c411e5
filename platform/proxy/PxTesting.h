// Hooks for tests that drive the store's own failures. Not for the module.
#pragma once

#include "win/Types.h"

#include <cstddef>
#include <cstdint>

class PxLink;
struct PxClassInfo;

class PxTesting {
public:
    // How long the link's session waits for a file another session is writing (ms).
    static void SetBusyTimeout(PxLink& link, int milliseconds);
    // Caps the data file at this many pages, so that a growing transaction finds the disk full
    // (a file store only).
    static void LimitDataFile(PxLink& link, int pages);
    // Lets stored objects be of a class the class table does not list (a test's own record
    // class, say).
    static void AddClass(const PxClassInfo& info);

    // List reads (the GetListOf... and GetAll... calls) made by every link of the process
    // since the last reset: all of them, or those of one operation ("PxVQEnterprise::GetListOfSystems").
    static int ListReads();
    static int ListReads(const char* operation);
    static void ResetListReads();
    // Called by the list reads.
    static void NoteListRead(const char* operation);

    // How long the lock stores of every link of the process waited for a lock store that other
    // sessions kept busy, since the last reset: the busy timeout (ms) of each begin of a lock-table
    // transaction, and of each other statement of a server's lock tables, that found the store
    // busy that long (a lock call's attempts apart).
    static std::uint64_t BusyWaited();
    static void ResetBusyWaited();
    // Called by the lock stores.
    static void NoteBusyWait(int milliseconds);

    // The unlock calls (PxLink::UnLock, PxVQObject::UnLock) that every link of the process has
    // made: each one call of the lock store, however many objects it names.
    static std::uint64_t UnlockCalls();
    // Called by the unlock calls.
    static void NoteUnlockCall();

    // Whether something in the process still refers to the link's object of that id.
    static bool IsHeld(PxLink& link, std::int64_t oid);
    // The most objects of the link that something in the process referred to at once since
    // this was last asked.
    static std::size_t MostObjectsHeld(PxLink& link);

    // The thread of the link's session that makes the give-backs the lock store refused while
    // the session's user does nothing else, once it waits for its next try (so that a test's
    // clock moved from here reaches that try); 0 while none runs.
    static DWORD GiveBackThread(PxLink& link);
    // The same for the thread of the process that makes the ends the lock store refused of
    // sessions closed.
    static DWORD SessionEndThread();

    // Whether the link's session has been woken to try a lock again (an object it waits in
    // line for was let go) since this was last asked.
    static bool WasWoken(PxLink& link);
};
