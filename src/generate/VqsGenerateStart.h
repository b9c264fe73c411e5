// What the generation commands share around the start of a request: the report of a start
// the client refused, the persistent lock of the generate set, the option set the frame
// points at and the user code the recovery queries take.
#pragma once

#include "proxy/PxLockErrorInfo.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "win/CString.h"

#include <cstdint>
#include <vector>

class VqsGenerationLockTakeover;
class VqsOutsideBagHold;
class VqsSysFrame;
struct GenerateInfo;

// What locking a list or the generate set came to.
enum class VqsLockOutcome { Granted, Refused, Failed };

// The generation client did not take the request: nothing of it may stay locked. The box says
// why as far as the repository shows it: a generation of the set runs (61874; for a restart,
// the generation is named), one runs on the recovery session the request goes on with, the
// session is gone (61682), else 61520 with the client's refusal.
void VqsReportGenerationNotStarted(const GenerateInfo& request);
// Tells why a start of the kind (a GenerateInfo kind) could not take its generate set: 61913
// naming the user's interrupted generation that holds it; the user's own generation hold that
// no session names and no generation carries, which only her Unlock lifts (61707); else 61874.
void VqsReportSetLocked(const PxVQOptionSetPtr& genSet, int kind);
// Places the generation hold of the generation of that number once it runs (the system path,
// whose claim carries the hold already), and tells the generation the hold's identity, which its
// recovery record names should it stop unfinished, whatever became of the hold meanwhile.
PxLockErrorInfo VqsPlaceHoldOfRunningGeneration(unsigned long number, const PxVQOptionSetPtr& genSet);
// The same, told as VqsReportSetLocked tells a refusal, or 61520 with the text on a repository
// failure.
VqsLockOutcome VqsPersistentlyLock(unsigned long number, const PxVQOptionSetPtr& genSet);
// Hands the request to the client under a generation hold on its generate set: the hold the
// takeover took over when it did, else one placed for the start, which the session carries
// until the generation's claim carries it. The client lifts the hold when the generation ends;
// a start it refuses or that fails on its way lifts a placed hold again (as soon as the store is
// reached again when it cannot be now) and leaves a taken-over hold where it was. The
// generation's number, 0 when it did not start (the refusal reported).
unsigned long VqsStartHoldingSet(GenerateInfo& request, VqsGenerationLockTakeover* takeover = nullptr);
// Whether a generation of the set runs, on any host of the repository: the client claims the
// set for a generation it starts and gives it back when that generation ends (a host that
// dies gives it back with its session).
bool VqsGenerationRuns(const PxVQOptionSetPtr& genSet);
// 61874 when a generation of the set runs: no second generation of a set starts beside it.
bool VqsRefusedWhileGenerationRuns(const PxVQOptionSetPtr& genSet);
// As VqsRefusedWhileGenerationRuns, the box naming the user of the generation that runs (the
// user's own other process included), as a restart tells it.
bool VqsRestartRefusedWhileGenerationRuns(const PxVQOptionSetPtr& genSet);
// The frame's kept option set, else the one selected in its option-set view.
PxVQOptionSetPtr VqsFrameOptionSet(VqsSysFrame* frame);
// True when a generation of this user placed a persistent lock on the set.
bool VqsHoldsOwnGenerationLock(const PxVQOptionSetPtr& genSet);
// The generate set whose hold the recovery session carries: the session of a system,
// system-with-reports or bundle generation, at any state, whose record names the generation
// hold that stands on the set (its identity, given by the lock store as the hold was placed and
// kept through every exchange). Null when the session carries none: its hold went (lifted at
// its end, unlocked, handed to a later generation, gone with a claim), and a hold placed since
// is another's.
PxVQOptionSetPtr VqsGenerationLockOfSession(const PxVQRecoveryInfoPtr& session);
// One generation hold at most stands on a set. A start of the user that would place a second
// one beside the hold of the user's interrupted generation is refused with the box naming
// the step refused (the start's GenerateInfo kind) and that generation's session, which is to
// be restarted (or deleted) first. True when refused.
bool VqsRefusedForInterruptedSession(const PxVQOptionSetPtr& genSet, int kind);
// Whether a later generation of the set took the hold of the session's unfinished system,
// system-with-reports or bundle generation over: its restart never runs.
bool VqsHoldHandedOver(const PxVQRecoveryInfoPtr& session);
// Whether the session's restart has ended while the lift of its hold was owed: its record only
// names the hold until the lift is made. Nothing is left of it to list, offer or restart.
bool VqsRestartEnded(const PxVQRecoveryInfoPtr& session);
// Whether nothing is left to go on with of the session, whatever build wrote its record: its
// restart ended (VqsRestartEnded), or it is an unfinished system, system-with-reports or bundle
// session whose record names a hold that no longer stands, with no mark that says why; an
// identity is never given again, so nothing can restart it. An earlier build left the record of
// a restart that ended while its lift was owed so, and a hold its owner unlocked leaves that of
// its generation so. It is listed and offered to no user.
bool VqsNothingLeftToRestart(const PxVQRecoveryInfoPtr& session);
// Whether a generation runs on the recovery session (a restart of it), on any host: the
// client claims the session for it, and nobody lists, deletes or restarts it meanwhile.
bool VqsRecoverySessionRuns(const PxVQRecoveryInfoPtr& session);
// Deletes the recovery session in a transaction of its own, with the hold it names and no
// other: claimed as a restart claims it, so that no restart or hand-over of its hold gets
// between, it carries the hold (PxVQObject::CarryGenerationHold) while its record goes and lifts
// it once the deletion committed. A deletion that fails leaves the hold named; a host that dies
// in between takes the hold along, so that no hold is left that nothing names. Refused, with
// one box, while a generation runs on the session or, under its hold, on its set (a fresh
// generation that took the hold over keeps it named by the session until it ends). A hold the
// session does not name (placed since, or handed to a later generation) stays. True when the
// deletion committed.
bool VqsDeleteRecoverySession(const PxVQRecoveryInfoPtr& session);

// An interrupted generation keeps its hold (the persistent lock it placed) on the generate set,
// and the hold refuses every lock a generation start takes on the set, its own user's too. A
// start that goes on from it takes the set for update under the hold, in one step of the lock
// store: the restart of its session (whoever restarts it), or a fresh generation of its user
// when the recovery record shows the generation interrupted and nothing of the set runs. The
// hold stays in the store, and named by the sessions that name it, all along: a start that does
// not reach its generation, or a session that dies on the way, leaves it where it was. The
// generation's claim carries it from the claim's own step on, and the client records the
// hand-over only as the generation leaves a record of its own or ends (VqcGenerate).
class VqsGenerationLockTakeover {
public:
    explicit VqsGenerationLockTakeover(const PxVQOptionSetPtr& genSet,
                                       const PxVQRecoveryInfoPtr& restarted = PxVQRecoveryInfoPtr());
    // Gives the update back.
    ~VqsGenerationLockTakeover();
    VqsGenerationLockTakeover(const VqsGenerationLockTakeover&) = delete;
    VqsGenerationLockTakeover& operator=(const VqsGenerationLockTakeover&) = delete;

    // Takes the set for update under the hold to take over, when there is one, so that no
    // other start, Lock or generation gets between. Granted, holding nothing, when there is
    // none. A refusal, or a wait given up in the progress box, holds nothing; the caller
    // reports the refusal.
    PxLockErrorInfo TakeOver();
    // As TakeOver, and the set is taken for update as any lock when there is nothing to take
    // over.
    PxLockErrorInfo LockSet();
    // Whether the set is held under a hold taken over, which goes to the generation started.
    bool HandsOverHold() const { return m_bExchanged; }
    // Just before the start: the sessions that name the hold taken over (the restarted one
    // apart) are claimed, as a Delete claims one, until the takeover ends, so that neither a
    // Delete nor a restart of one gets between this check and the generation's claim; then a
    // fresh start checks that the hold still stands. False, after one box, when one of them is
    // in use or the hold went with its session meanwhile: the start stops there.
    bool HandOver();
    // A start that did not start: its box, for a fresh start under a hold taken over that went
    // meanwhile too.
    void ReportNotStarted(const GenerateInfo& request) const;

private:
    PxLockErrorInfo Take(bool always);
    bool HoldStillStands() const;

    PxVQOptionSetPtr m_genSet;
    // The user code of the hold to take over; empty when there is none.
    CString m_holder;
    // The identity of the hold to take over.
    std::int64_t m_holdId = 0;
    // A restart's takeover: its session goes on with the hold.
    bool m_bRestart = false;
    // The sessions that name the hold, the restarted one apart, and those HandOver claimed.
    std::vector<PxVQRecoveryInfoPtr> m_formerHolders;
    std::vector<PxVQRecoveryInfoPtr> m_claimed;
    bool m_bExchanged = false;
    bool m_bHeld = false;
};

// The request handed to the client under the hold the takeover took over, if any, once the
// takeover has handed it over (HandOver): the generation carries it once started; a start that
// does not start is reported, and the hold stays with its session. The number.
unsigned long VqsStartUnderTakenHold(GenerateInfo& request, VqsGenerationLockTakeover& takeover);

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
