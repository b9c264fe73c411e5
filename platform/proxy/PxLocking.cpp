#include "proxy/PxLocking.h"

#include "proxy/PxFaultInjection.h"
#include "proxy/PxLinkCore.h"
#include "proxy/PxList.h"
#include "proxy/PxLockNoWait.h"
#include "proxy/PxSession.h"
#include "proxy/PxTesting.h"
#include "proxy/PxVQObject.h"
#include "win/Clock.h"
#include "win/Sync.h"

#include <algorithm>
#include <functional>
#include <future>

// What the lock calls need to know of an object beyond its public face.
class PxObjectAccess {
public:
    static void RequireStored(const PxObject& object)
    {
        if (object.m_neverStored)
            PX_THROW_DELETED("Cannot lock the object: the transaction that made it was aborted.");
    }
};

namespace {

// Makes one attempt; `queue` when a refused session will try again.
using Attempter = std::function<PxLockStore::Attempt(PxSession&, const std::int64_t*, std::size_t, bool)>;
using Undoer = std::function<void(PxSession&, const std::int64_t*, std::size_t)>;

bool IsRetryable(int code) { return code == PxLockHeldByOther || code == PxLockStoreBusy; }

// The objects one attempt asks for at most: the lock store serves one attempt at a time, and
// an attempt on a long run would keep every other session's waiting until it ends.
std::size_t BatchFrom(std::size_t done, std::size_t count) { return std::min(count - done, kPxLockBatch); }

void Report(PxLinkCore& core, PxLockErrorInfo& info)
{
    if (PxRetryFunction retry = core.RetryFunction())
        retry(info);
}

std::vector<std::int64_t> OidsOf(const std::vector<PxVQObjectPtr>& objects)
{
    std::vector<std::int64_t> oids;
    oids.reserve(objects.size());
    for (const PxVQObjectPtr& object : objects) {
        if (!object)
            PX_THROW("Cannot lock a null object.");
        PxObjectAccess::RequireStored(*object);
        oids.push_back(static_cast<std::int64_t>(object->GetHandle().MapKey()));
    }
    return oids;
}

// An attempt of a call that declines waits gives a busy store one brief wait.
PxLockStore::Attempt TryOnce(PxSession& session, const Attempter& attempter, const std::int64_t* oids,
                             std::size_t count, bool queue, bool declines, const char* operation)
{
    int injected = PxFaultInjection::TakeLockRefusal(operation);
    if (injected > 0) {
        PxLockStore::Attempt refused;
        refused.code = injected;
        return refused;
    }
    auto guard = session.Guard();
    std::optional<PxBusyWaitScope> brief;
    if (declines)
        brief.emplace(session.Locks(), PxBusyWait::Brief);
    return attempter(session, oids, count, queue);
}

// Waits the retry delay; a session in line on the system clock is woken sooner when the
// object is let go.
void WaitToRetry(PxSession& session, bool inLine, std::uint64_t delay)
{
    const vqclock::Clock& clock = vqclock::Current();
    if (inLine && clock.MovesByItself() && session.Locks().CanAwaitRelease())
        session.Locks().AwaitRelease(delay);
    else
        clock.Pause(delay);
}

// A busy store's wait that the callback declined without giving it up (it had nobody to ask)
// fails as a lock-table transaction that stays busy does: it never reads as an object in use.
void FailBusy(PxSession& session)
{
    auto guard = session.Guard();
    session.Locks().FailBusy();
}

// How long the lock store has stayed busy for one attempt after another.
class BusySpell {
public:
    void Note(int code)
    {
        if (code != PxLockStoreBusy)
            m_since.reset();
        else if (!m_since)
            m_since = vqclock::Current().TickMilliseconds();
    }
    bool PastQuietWait() const
    {
        return m_since && vqclock::Current().TickMilliseconds() - *m_since >= kPxQuietBusyMilliseconds;
    }

private:
    std::optional<std::uint64_t> m_since;
};

void NoteWaitInLine(PxSession& session, const PxVQObjectPtr& object, const char* operation)
{
    if (!PxLockRaiseCheck::On())
        return;
    auto guard = session.Guard();
    session.RaiseCheck().WaitsInLine(static_cast<std::int64_t>(object->GetHandle().MapKey()), operation,
                                     std::string(object->GetClassName()) + " " +
                                         std::to_string(object->GetHandle().MapKey()) + " of user \"" +
                                         session.UserCode() + "\"");
}

PxLockErrorInfo Run(PxLinkCore& core, const std::vector<PxVQObjectPtr>& objects, const char* operation,
                    const Attempter& attempter, const Undoer& undoer)
{
    std::shared_ptr<PxSession> session = core.Session();
    std::vector<std::int64_t> oids = OidsOf(objects);
    std::size_t done = 0;
    bool waiting = false; // in line for oids[done]
    auto giveBack = [&] {
        auto guard = session->Guard();
        if (waiting)
            session->Locks().GiveUpWaiting(session->Id(), oids[done]);
        if (done > 0)
            undoer(*session, oids.data(), done);
    };
    try {
        PxLockErrorInfo info(PxLockGranted, objects.empty() ? PxVQObjectPtr() : objects.front());
        std::uint64_t delay = kPxFirstRetryDelayMilliseconds;
        BusySpell busy;
        const PxRetryFunction installed = core.RetryFunction();
        const bool declines = PxLockNoWait::Declines();
        const PxRetryFunction retryFunction = declines ? nullptr : installed;
        while (done < objects.size()) {
            bool queue = retryFunction != nullptr;
            const std::size_t asked = BatchFrom(done, objects.size());
            PxLockStore::Attempt attempt =
                TryOnce(*session, attempter, oids.data() + done, asked, queue, declines, operation);
            if (attempt.granted > 0) {
                waiting = false;
                delay = kPxFirstRetryDelayMilliseconds;
            }
            busy.Note(attempt.granted == asked ? PxLockGranted : attempt.code);
            // The whole grant counts as held before the callback hears of it: a report that
            // throws gives back every object granted, not only those reported.
            const std::size_t first = done;
            done += attempt.granted;
            for (std::size_t k = 0; k < attempt.granted; ++k) {
                PxLockErrorInfo granted = k == 0 ? info : PxLockErrorInfo(PxLockGranted, objects[first + k]);
                granted.SetErrorCode(PxLockGranted);
                Report(core, granted);
            }
            if (done == objects.size())
                break;
            if (attempt.granted > 0)
                info = PxLockErrorInfo(PxLockGranted, objects[done]);
            if (attempt.granted == asked)
                continue;
            // A hold whose lift the session owes is its own, never a lock in its way: lifted now,
            // or the store's refusal of the lift is the call's failure.
            if (attempt.code == PxLockPersistentlyLocked &&
                session->MakeOwedLiftOf(oids[done], attempt.persistent, declines))
                continue;
            // A busy store is no lock in the way, and a wait for it closes no circle: a call of
            // a link with a retry callback tries again after the delay without the callback,
            // which would tell the user of an object no one holds. Only a store busy past the
            // quiet wait is told to the callback, with the store's code, so that the user can
            // give up a wait that does not end. A call that declines waits, or whose wait nobody
            // can show now, has nobody to give it up: it fails after its one try (brief, or of
            // the busy timeout), as a lock-table transaction that stays busy does.
            if (attempt.code == PxLockStoreBusy && installed && (declines || !core.BusyWaitsShown()))
                FailBusy(*session);
            if (attempt.code == PxLockStoreBusy && installed && !busy.PastQuietWait()) {
                WaitToRetry(*session, false, delay);
                delay = PxNextRetryDelay(delay);
                continue;
            }
            if (queue && attempt.code == PxLockHeldByOther && !waiting)
                NoteWaitInLine(*session, objects[done], operation);
            waiting = waiting || (queue && attempt.code == PxLockHeldByOther);
            info.SetErrorCode(attempt.code);
            info.SetPersistentLock(PxPersistentLockOf(attempt.persistent));
            if (!IsRetryable(attempt.code)) {
                Report(core, info);
            } else if (retryFunction) {
                if (retryFunction(info)) {
                    WaitToRetry(*session, waiting, delay);
                    delay = PxNextRetryDelay(delay);
                    continue;
                }
                if (info.GetErrorCode() == PxLockStoreBusy)
                    FailBusy(*session);
                info.SetErrorCode(PxLockGivenUp);
            }
            giveBack();
            return info;
        }
        return PxLockErrorInfo(PxLockGranted, objects.size() == 1 ? objects.front() : PxVQObjectPtr());
    } catch (...) {
        try {
            giveBack();
        } catch (const PxException&) {
            // The first failure is the one to report; what is left goes with the session.
        }
        throw;
    }
}

// A give-back where lock calls decline waits tries a busy store as briefly as they do: what it
// cannot give back then is owed.
void UnlockHolds(PxSession& session, const std::int64_t* oids, std::size_t count)
{
    std::optional<PxBusyWaitScope> brief;
    if (PxLockNoWait::Declines())
        brief.emplace(session.Locks(), PxBusyWait::Brief);
    session.GiveBack(oids, count);
}

void CheckRaise(PxSession& session, const std::vector<PxVQObjectPtr>& objects, int kind, const char* operation)
{
    if (!PxLockRaiseCheck::On())
        return;
    std::vector<std::int64_t> oids;
    std::vector<PxLockPlace> places;
    std::vector<PxVQObjectPtr> named;
    for (const PxVQObjectPtr& object : objects)
        if (object) {
            oids.push_back(static_cast<std::int64_t>(object->GetHandle().MapKey()));
            places.push_back(PxLockPlaceOf(*object));
            named.push_back(object);
        }
    auto guard = session.Guard();
    session.RaiseCheck().Placed(oids, places);
    // A call that does not wait cannot wait in a circle.
    if (PxLockNoWait::Declines())
        return;
    session.RaiseCheck().Check(oids, kind, operation, [&](std::size_t index) {
        return std::string(named[index]->GetClassName()) + " " + std::to_string(oids[index]) + " of user \"" +
               session.UserCode() + "\"";
    });
}

} // namespace

PxPersistentLockPtr PxPersistentLockOf(const std::optional<PxPersistentLockRow>& row)
{
    if (!row)
        return PxPersistentLockPtr();
    return PxPersistentLockPtr(
        new PxPersistentLock(row->userCode.c_str(), row->lockTime, row->holds, row->manualHolds, row->holdId));
}

std::vector<PxVQObjectPtr> PxObjectsOfList(PxList& list)
{
    std::vector<PxVQObjectPtr> objects;
    POSITION position = nullptr;
    for (list.SetIteratorToHead(position); list.IsIteratorActive(position);) {
        PxObjectPtr object = list.GetCurItToNext(position);
        PxVQObjectPtr vqObject(object);
        if (!vqObject)
            PX_THROW("Only objects of the generation side can be locked.");
        objects.push_back(vqObject);
    }
    return objects;
}

PxLockErrorInfo PxLockObjects(PxLinkCore& core, const std::vector<PxVQObjectPtr>& objects, int kind,
                              const char* operation)
{
    CheckRaise(*core.Session(), objects, kind, operation);
    return Run(
        core, objects, operation,
        [kind](PxSession& session, const std::int64_t* oids, std::size_t count, bool queue) {
            PxLockStore::Attempt attempt = session.Locks().Lock(session.Id(), oids, count, kind, queue);
            session.RaiseCheck().Granted(oids, attempt.granted, kind);
            return attempt;
        },
        UnlockHolds);
}

PxLockErrorInfo PxUnlockObjects(PxLinkCore& core, const std::vector<PxVQObjectPtr>& objects)
{
    PxTesting::NoteUnlockCall();
    std::shared_ptr<PxSession> session = core.Session();
    std::vector<std::int64_t> oids = OidsOf(objects);
    auto guard = session->Guard();
    UnlockHolds(*session, oids.data(), oids.size());
    return PxLockErrorInfo(PxLockGranted, objects.size() == 1 ? objects.front() : PxVQObjectPtr());
}

PxLockErrorInfo PxPlacePersistentLocks(PxLinkCore& core, const std::vector<PxVQObjectPtr>& objects, bool manual,
                                       bool carried, const char* operation)
{
    return Run(
        core, objects, operation,
        [manual, carried](PxSession& session, const std::int64_t* oids, std::size_t count, bool queue) {
            return session.PlacePersistent(oids, count, manual, carried, queue);
        },
        [manual, carried](PxSession& session, const std::int64_t* oids, std::size_t count) {
            for (std::size_t i = 0; i < count; ++i) {
                if (carried)
                    session.LiftCarriedHold(oids[i]);
                else if (manual)
                    session.TakeBackManualLock(oids[i]);
                else
                    session.Locks().RemovePersistent(oids[i], false, 1);
            }
        });
}

PxLockErrorInfo PxExchangeGenerationHold(PxLinkCore& core, const PxVQObjectPtr& object, const std::string& holder,
                                         int kind, const char* operation)
{
    CheckRaise(*core.Session(), {object}, kind, operation);
    return Run(
        core, {object}, operation,
        [&holder, kind](PxSession& session, const std::int64_t* oids, std::size_t, bool queue) {
            PxLockStore::Attempt attempt = session.Locks().ExchangeHold(session.Id(), holder, oids[0], kind, queue);
            session.RaiseCheck().Granted(oids, attempt.granted, kind);
            return attempt;
        },
        UnlockHolds);
}

void PxRetryWhileOwed(CEvent& stop, std::uint64_t longest, const std::function<bool()>& makeOwed)
{
    for (std::uint64_t delay = kPxFirstRetryDelayMilliseconds; !stop.Lock(static_cast<DWORD>(delay));
         delay = PxNextRetryDelay(delay, longest))
        if (!makeOwed())
            return;
}

std::thread PxStartRetryThread(CEvent& stop, std::uint64_t longest, std::function<bool()> makeOwed,
                               DWORD& threadId)
{
    std::promise<DWORD> started;
    std::future<DWORD> id = started.get_future();
    std::thread thread([&stop, &started, longest, makeOwed = std::move(makeOwed)] {
        started.set_value(GetCurrentThreadId());
        PxRetryWhileOwed(stop, longest, makeOwed);
    });
    threadId = id.get();
    return thread;
}
