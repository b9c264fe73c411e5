// What the generation commands share around the start of a request: the report of a start
// the client refused, the persistent lock of the generate set, the option set the frame
// points at and the user code the recovery queries take.
#pragma once

#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "win/CString.h"

#include <vector>

class VqsOutsideBagHold;
class VqsSysFrame;
struct GenerateInfo;

// What locking a list or the generate set came to.
enum class VqsLockOutcome { Granted, Refused, Failed };

// The generation client did not take the request: nothing of it may stay locked. The box says
// why as far as the repository shows it: a generation of the set runs (61874), one runs on the
// recovery session the request goes on with, else 61520 with the client's refusal.
void VqsReportGenerationNotStarted(const GenerateInfo& request);
// 61874 when another user holds the set, 61520 with the text on a repository failure.
VqsLockOutcome VqsPersistentlyLock(const PxVQOptionSetPtr& genSet);
// Places the generation hold on the request's generate set and hands the request to the
// client, which lifts the hold when the generation ends; a start it refuses lifts the hold
// again and is reported. The generation's number, 0 when it did not start.
unsigned long VqsStartHoldingSet(GenerateInfo& request);
// Whether a generation of the set runs, on any host of the repository: the client claims the
// set for a generation it starts and gives it back when that generation ends (a host that
// dies gives it back with its session).
bool VqsGenerationRuns(const PxVQOptionSetPtr& genSet);
// 61874 when a generation of the set runs: no second generation of a set starts beside it.
bool VqsRefusedWhileGenerationRuns(const PxVQOptionSetPtr& genSet);
// The frame's kept option set, else the one selected in its option-set view.
PxVQOptionSetPtr VqsFrameOptionSet(VqsSysFrame* frame);
// True when a generation of this user placed a persistent lock on the set.
bool VqsHoldsOwnGenerationLock(const PxVQOptionSetPtr& genSet);
// The generate set an unfinished system, system-with-reports or bundle generation of the
// recovery session holds with its persistent lock (a generation hold its user placed and no
// later generation of the set took over); null when the session holds none.
PxVQOptionSetPtr VqsGenerationLockOfSession(const PxVQRecoveryInfoPtr& session);
// Whether a generation runs on the recovery session (a restart of it), on any host: the
// client claims the session for it, and nobody lists, deletes or restarts it meanwhile.
bool VqsRecoverySessionRuns(const PxVQRecoveryInfoPtr& session);
// Deletes the recovery session in a transaction of its own, unless a generation runs on it.
// The persistent lock its generation holds is lifted first (nothing else can show or lift
// it), so that a host that dies between the two leaves a session without its lock, never a
// lock without its session. True when the lock was lifted and the deletion committed.
bool VqsDeleteRecoverySession(const PxVQRecoveryInfoPtr& session);

// An interrupted generation of this user keeps its persistent lock on the generate set, and
// that lock refuses every lock a fresh generation takes on the set, this user's too. The
// fresh generation takes the lock over: while the generation starts, the set is held for
// update in the lock's place, and the lock is put back before the set is given back when the
// scope ends, unless the fresh generation placed its own (Keep). Only the lock of a
// generation that its recovery record shows interrupted, and that no longer runs, is taken
// over: a running generation's lock refuses a second generation on the set, this user's too.
// The lock goes to the generation being started: a restarted session keeps it, and every
// other session it was this user's hold for no longer holds it (given back with the lock).
class VqsGenerationLockTakeover {
public:
    explicit VqsGenerationLockTakeover(const PxVQOptionSetPtr& genSet,
                                       const PxVQRecoveryInfoPtr& restarted = PxVQRecoveryInfoPtr());
    ~VqsGenerationLockTakeover();
    VqsGenerationLockTakeover(const VqsGenerationLockTakeover&) = delete;
    VqsGenerationLockTakeover& operator=(const VqsGenerationLockTakeover&) = delete;

    void Keep() { m_bExchanged = false; }
    // Takes the interrupted generation's lock over, when there is one: the set is held for
    // update in its place until the scope ends, exchanged in one step of the lock store, so
    // that no other start, Lock or generation gets between. Granted, holding nothing, when
    // there is none to take over. A refusal, or a wait given up in the progress box, leaves
    // the lock where it was; the caller reports the refusal. Code 1 after a failure already
    // shown.
    PxLockErrorInfo TakeOver();
    // As TakeOver, and the set is taken for update as any lock when there is nothing to take
    // over.
    PxLockErrorInfo LockSet();

private:
    PxLockErrorInfo Take(bool always);
    PxLockErrorInfo TakeSet(bool always);
    void Release() noexcept;

    PxVQOptionSetPtr m_genSet;
    // The user code of the lock taken over; empty when there is none to take over.
    CString m_holder;
    // The sessions whose hold this takeover took, for the generation it starts.
    std::vector<PxVQRecoveryInfoPtr> m_formerHolders;
    bool m_bExchanged = false;
    bool m_bHeld = false;
};

// Takes the objects of a generation start (the set's options) for future update in the
// hold, then the set through the takeover, in that order; a refused set gives the objects
// back. The refusal, or code 1 after a failure already shown.
PxLockErrorInfo VqsLockForGeneration(VqsOutsideBagHold& hold, PxTypedList<PxVQObjectPtr>& objects,
                                     VqsGenerationLockTakeover& takeover);

// The first of the list with the object id of the option set, else the first.
template <class T>
T VqsPreselect(const PxTypedList<T>& list, const PxVQOptionSetPtr& optionSet)
{
    const CList<T, const T&>& items = list;
    for (POSITION pos = items.GetHeadPosition(); pos;) {
        const T& item = items.GetNext(pos);
        if (optionSet && item->IsSameOid(optionSet))
            return item;
    }
    return items.IsEmpty() ? T() : items.GetHead();
}
// Empty for an administrator (every user's recovery records), else the session's user code.
CString VqsRecoveryUserCode();
// The user code up to its first "/" (the whole code when it starts with one or has none): the
// part by which a generation's lock and recovery records are known as this user's.
CString VqsShortUserCode(const CString& userCode);
