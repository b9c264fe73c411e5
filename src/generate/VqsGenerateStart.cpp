#include "generate/VqsGenerateStart.h"

#include "generate/VqsSelectSession.h"

#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsRunningGeneration.h"
#include "model/VqsTransaction.h"
#include "model/VqsTransactionObject.h"
#include "proxy/PxLink.h"
#include "proxy/PxProcess.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsLockFailure.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsSysFrame.h"
#include "vqclient/GenerateInfo.h"
#include "vqclient/VqClient.h"

#include <exception>
#include <utility>

namespace {

constexpr UINT IDS_CANNOT_PROCEED_WITH_GENERATION = 61520;
constexpr UINT IDS_CANNOT_DELETE_OBJECT = 61644;
constexpr UINT IDS_ERROR_WITH_REASON = 61665;
constexpr UINT IDS_NO_RECOVERY_INFO = 61682;
constexpr UINT IDS_GENERATE_PROCESS_LOCKED = 61707;
constexpr UINT IDS_OPTION_SET_LOCKED = 61874;
constexpr UINT IDS_INTERRUPTED_SESSION_HOLDS_SET = 61913;
constexpr UINT IDS_TAKEN_HOLD_WENT = 61946;
constexpr UINT IDS_CANNOT_GENERATE_SYSTEM = 61947;
constexpr UINT IDS_CANNOT_GENERATE_REPORTS = 61963;
constexpr UINT IDS_CANNOT_GENERATE_BUNDLE = 61967;
constexpr UINT IDS_CANNOT_RESTART = 61968;
constexpr int kRightAdministrator = 64;
// The first state of a finished generation: a fresh start takes over only the hold of one
// that stopped before it.
constexpr int kStateFinished = 8;

PxVQSystemPtr SystemOfSet(const PxVQOptionSetPtr& genSet)
{
    const PxVQConfigPtr config = genSet ? genSet->GetConfig() : PxVQConfigPtr();
    return config ? config->GetSystem() : PxVQSystemPtr();
}

CString SessionUserCode()
{
    PxVQLink* link = VqsGetApp()->GetLink();
    PxProcess* process = link ? link->GetProcess() : nullptr;
    return process ? process->GetUserCode() : CString();
}

bool AnyInterrupted(const std::vector<PxVQRecoveryInfoPtr>& sessions)
{
    for (const PxVQRecoveryInfoPtr& session : sessions)
        if (session->GetCurrentState() < kStateFinished)
            return true;
    return false;
}

// The heading of a refusal of a start of the kind (a GenerateInfo kind): the step refused.
CString RefusedStep(int kind)
{
    UINT id = IDS_CANNOT_GENERATE_SYSTEM;
    if (kind == VqcGenerateReports)
        id = IDS_CANNOT_GENERATE_REPORTS;
    else if (kind == VqcGenerateBundle)
        id = IDS_CANNOT_GENERATE_BUNDLE;
    else if (kind == VqcGenerateRestart)
        id = IDS_CANNOT_RESTART;
    CString text;
    text.LoadString(id);
    return text;
}

// The generation hold of the user that stands on the set, named by no recovery session and
// carried by no generation that runs: the user's Unlock alone lifts it.
bool OwnHoldNamedByNone(const PxVQOptionSetPtr& genSet)
{
    return VqsHoldsOwnGenerationLock(genSet) && !VqsGenerationRuns(genSet) &&
           PxVQRecoveryInfo::CarriersOfHold(genSet).empty();
}

// Runs the step of a release, logging its failure: what is released after it still is.
template <class Step>
void LoggingFailure(Step step) noexcept
{
    try {
        step();
    } catch (const std::exception& error) {
        VqsGetApp()->LogError(0, error.what());
    }
}

// The refusal told as VqsReportSetLocked tells it, 61520 with the text on a repository failure.
template <class Lock>
VqsLockOutcome PersistentLockOutcome(const PxVQOptionSetPtr& genSet, int kind, Lock lock)
{
    try {
        if (lock().Succeeded())
            return VqsLockOutcome::Granted;
        VqsReportSetLocked(genSet, kind);
        return VqsLockOutcome::Refused;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return VqsLockOutcome::Failed;
    }
}

// Places a generation hold on the set; first the sessions whose hold went are marked so
// (PxVQRecoveryInfo::ForgetGoneHolds), so that none of them carries the hold placed when the
// store gives it no identity.
template <class Place>
PxLockErrorInfo PlaceGenerationHoldBy(const PxVQOptionSetPtr& genSet, Place place)
{
    PxVQRecoveryInfo::ForgetGoneHolds(genSet);
    return place();
}

// The hold placed for a start, which the session carries until the generation's claim carries
// it: the claim takes the carrying over in its own step of the lock store, so nothing is left
// to hand on that the store could refuse. Otherwise it is lifted as the scope ends; a lift the
// store refuses is owed by the session, made as soon as the store takes it.
class HoldForStart {
public:
    HoldForStart(const PxVQOptionSetPtr& genSet, int kind) : m_genSet(genSet), m_kind(kind) {}
    ~HoldForStart() { Lift(); }
    HoldForStart(const HoldForStart&) = delete;
    HoldForStart& operator=(const HoldForStart&) = delete;

    VqsLockOutcome Place()
    {
        const VqsLockOutcome outcome =
            PersistentLockOutcome(m_genSet, m_kind, [&] {
                return PlaceGenerationHoldBy(m_genSet, [&] { return m_genSet->PlaceGenerationHold(); });
            });
        m_bPlaced = outcome == VqsLockOutcome::Granted;
        return outcome;
    }
    // The generation started: its claim carries the hold.
    void HandOn() { m_bPlaced = false; }
    void Lift() noexcept
    {
        if (std::exchange(m_bPlaced, false))
            LoggingFailure([&] { m_genSet->LiftGenerationHoldWhenTaken(); });
    }

private:
    PxVQOptionSetPtr m_genSet;
    int m_kind;
    bool m_bPlaced = false;
};

// The recovery session claimed while it is deleted, as a restart claims it while it runs: a
// restart or a hand-over of its hold starting meanwhile is refused, and a running one keeps
// its session.
class DeletionClaim {
public:
    explicit DeletionClaim(const PxVQRecoveryInfoPtr& session)
        : m_session(session), m_bClaimed(session->ClaimForGeneration() != FALSE)
    {
    }
    ~DeletionClaim()
    {
        if (m_bClaimed)
            LoggingFailure([&] { m_session->GiveBackGenerationClaim(); });
    }
    DeletionClaim(const DeletionClaim&) = delete;
    DeletionClaim& operator=(const DeletionClaim&) = delete;

    bool IsClaimed() const { return m_bClaimed; }

private:
    PxVQRecoveryInfoPtr m_session;
    bool m_bClaimed;
};

// The hold a deleted session names, carried while the session goes: lifted before the deletion
// commits, so that a lift the lock store refuses fails the deletion and leaves the session
// with its hold, told once; never a hold that no session names. A session that ends or dies
// while it carries it takes it along.
class HoldGoingWithSession {
public:
    explicit HoldGoingWithSession(const PxVQOptionSetPtr& genSet)
    {
        const PxPersistentLockPtr hold = genSet ? genSet->GetPersistentLock() : PxPersistentLockPtr();
        VqsLockScope scope(VqsGetApp()->GetLink());
        if (hold && genSet->CarryGenerationHold(hold->GetHoldId()))
            m_genSet = genSet;
    }
    ~HoldGoingWithSession()
    {
        if (m_genSet)
            LoggingFailure([&] { m_genSet->StopCarryingGenerationHold(); });
    }
    HoldGoingWithSession(const HoldGoingWithSession&) = delete;
    HoldGoingWithSession& operator=(const HoldGoingWithSession&) = delete;

    void LiftBeforeCommit(VqsTransaction& deletion)
    {
        if (!m_genSet)
            return;
        try {
            m_genSet->LiftGenerationHold();
            m_genSet = PxVQOptionSetPtr();
        } catch (const VqReportableException& error) {
            deletion.ReportFailure(IDS_CANNOT_DELETE_OBJECT, error);
        }
    }

private:
    PxVQOptionSetPtr m_genSet;
};

} // namespace

void VqsReportGenerationNotStarted(const GenerateInfo& request)
{
    constexpr char kNotStarted[] = "The generation client did not start the generation.";
    if (VqsSysApp* app = VqsGetApp())
        app->LogError(0, kNotStarted);
    try {
        // A claim the store failed (busy, refusing, cut off) is told in the store's words.
        VqcRethrowStartFailure();
        const bool restart = request.kind == VqcGenerateRestart;
        if (request.genSet && (restart ? VqsRestartRefusedWhileGenerationRuns(request.genSet)
                                       : VqsRefusedWhileGenerationRuns(request.genSet)))
            return;
        const PxVQSystemPtr system = request.system ? request.system : SystemOfSet(request.genSet);
        if (!request.recoveryHandle.IsNull() && system) {
            const PxVQRecoveryInfoPtr session = system->GetRecoveryInfo(request.recoveryHandle);
            if (!session || !session->ObjectPresent()) {
                VqsMessageBoxId(IDS_NO_RECOVERY_INFO);
                return;
            }
            if (VqsRefusedWhileSessionRuns(session))
                return;
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return;
    }
    CString context;
    context.LoadString(IDS_CANNOT_PROCEED_WITH_GENERATION);
    CString text;
    text.FormatMessage(IDS_ERROR_WITH_REASON, context.GetString(), kNotStarted);
    VqsErrorBox(text);
}

void VqsReportSetLocked(const PxVQOptionSetPtr& genSet, int kind)
{
    if (VqsRefusedForInterruptedSession(genSet, kind))
        return;
    if (!OwnHoldNamedByNone(genSet)) {
        VqsErrorBoxId(IDS_OPTION_SET_LOCKED);
        return;
    }
    CString text;
    text.FormatMessage(IDS_GENERATE_PROCESS_LOCKED, genSet->GetPersistentLock()->GetUserCode().GetString(),
                       genSet->GetName().GetString());
    VqsErrorBox(text);
}

PxLockErrorInfo VqsPlaceHoldOfRunningGeneration(unsigned long number, const PxVQOptionSetPtr& genSet)
{
    const PxLockErrorInfo placed = PlaceGenerationHoldBy(genSet, [&] { return genSet->PersistentLock(0); });
    if (placed.Succeeded())
        if (const PxPersistentLockPtr hold = genSet->GetPersistentLock())
            VqcNoteGenerationHold(number, hold->GetHoldId());
    return placed;
}

VqsLockOutcome VqsPersistentlyLock(unsigned long number, const PxVQOptionSetPtr& genSet)
{
    return PersistentLockOutcome(genSet, VqcGenerateSystem,
                                 [&] { return VqsPlaceHoldOfRunningGeneration(number, genSet); });
}

unsigned long VqsStartHoldingSet(GenerateInfo& request, VqsGenerationLockTakeover* takeover)
{
    if (takeover && takeover->HandsOverHold())
        return VqsStartUnderTakenHold(request, *takeover);
    if (VqsRefusedForInterruptedSession(request.genSet, request.kind))
        return 0;
    HoldForStart hold(request.genSet, request.kind);
    if (hold.Place() != VqsLockOutcome::Granted)
        return 0;
    // A start that fails on its way (a read refused, a connection lost) lifts the hold with it.
    const unsigned long number = VqcStartGenerate(request);
    if (number == 0) {
        hold.Lift();
        VqsReportGenerationNotStarted(request);
        return 0;
    }
    hold.HandOn();
    return number;
}

unsigned long VqsStartUnderTakenHold(GenerateInfo& request, VqsGenerationLockTakeover& takeover)
{
    if (!takeover.HandOver())
        return 0;
    const unsigned long number = VqcStartGenerate(request);
    if (number == 0)
        takeover.ReportNotStarted(request);
    return number;
}

bool VqsRefusedForInterruptedSession(const PxVQOptionSetPtr& genSet, int kind)
{
    if (!VqsHoldsOwnGenerationLock(genSet))
        return false;
    const std::vector<PxVQRecoveryInfoPtr> carriers = PxVQRecoveryInfo::CarriersOfHold(genSet);
    if (carriers.empty())
        return false;
    const PxVQRecoveryInfoPtr& session = carriers.front();
    CString text;
    text.FormatMessage(IDS_INTERRUPTED_SESSION_HOLDS_SET, genSet->GetName().GetString(),
                       VqsSessionStartTime(session).GetString(), session->GetUserId().GetString(),
                       RefusedStep(kind).GetString());
    VqsErrorBox(text);
    return true;
}

bool VqsGenerationRuns(const PxVQOptionSetPtr& genSet)
{
    return genSet->GetGenerationClaim() != PxVQObject::GenerationClaim::None;
}

bool VqsRefusedWhileGenerationRuns(const PxVQOptionSetPtr& genSet)
{
    if (!VqsGenerationRuns(genSet))
        return false;
    VqsErrorBoxId(IDS_OPTION_SET_LOCKED);
    return true;
}

bool VqsRestartRefusedWhileGenerationRuns(const PxVQOptionSetPtr& genSet)
{
    const CString user = VqsGenerationRunningOn(genSet);
    if (user.IsEmpty())
        return false;
    VqsShowRunningGeneration(user, genSet);
    return true;
}

bool VqsHoldsOwnGenerationLock(const PxVQOptionSetPtr& genSet)
{
    const PxPersistentLockPtr lock = genSet->GetPersistentLock();
    if (!lock || genSet->GetIntProperty("persistentLockCount") == lock->GetManualLockCount())
        return false;
    const CString user = SessionUserCode();
    return !user.IsEmpty() && VqsShortUserCode(lock->GetUserCode()) == VqsShortUserCode(user);
}

PxVQOptionSetPtr VqsGenerationLockOfSession(const PxVQRecoveryInfoPtr& session)
{
    if (!session->KeepsGenerationHold())
        return PxVQOptionSetPtr();
    const PxVQOptionSetPtr genSet = session->GetGenSet();
    if (!genSet || !genSet->ObjectPresent() || !session->CarriesHoldOf(genSet->GetPersistentLock()))
        return PxVQOptionSetPtr();
    return genSet;
}

bool VqsHoldHandedOver(const PxVQRecoveryInfoPtr& session)
{
    return session->KeepsGenerationHold() && session->GetCurrentState() < kStateFinished &&
           session->GetHoldGone() == PxVQRecoveryInfo::kHoldHandedOver;
}

bool VqsRestartEnded(const PxVQRecoveryInfoPtr& session)
{
    return session->GetHoldGone() == PxVQRecoveryInfo::kRestartEnded;
}

bool VqsNothingLeftToRestart(const PxVQRecoveryInfoPtr& session)
{
    if (VqsRestartEnded(session))
        return true;
    if (session->GetHoldGone() || !session->GetHoldId() || !session->KeepsGenerationHold() ||
        session->GetCurrentState() >= kStateFinished)
        return false;
    const PxVQOptionSetPtr genSet = session->GetGenSet();
    return genSet && !session->CarriesHoldOf(genSet->GetPersistentLock());
}

bool VqsRecoverySessionRuns(const PxVQRecoveryInfoPtr& session)
{
    return session->GetGenerationClaim() != PxVQObject::GenerationClaim::None;
}

bool VqsDeleteRecoverySession(const PxVQRecoveryInfoPtr& session)
{
    const DeletionClaim claim(session);
    if (!claim.IsClaimed()) {
        VqsRefusedWhileSessionRuns(session);
        return false;
    }
    // The hold the session names, and no other: the generation that took it over and runs
    // keeps it named by the session until it ends.
    const PxVQOptionSetPtr locked = VqsGenerationLockOfSession(session);
    if (locked && VqsRestartRefusedWhileGenerationRuns(locked))
        return false;
    HoldGoingWithSession hold(locked);
    {
        VqsTransactionObject transaction{PxVQObjectPtr(session)};
        if (transaction.DeleteObject())
            hold.LiftBeforeCommit(transaction);
    }
    return VqsTransaction::IsOk() != 0;
}

VqsGenerationLockTakeover::VqsGenerationLockTakeover(const PxVQOptionSetPtr& genSet,
                                                     const PxVQRecoveryInfoPtr& restarted)
    : m_genSet(genSet), m_bRestart(restarted)
{
    if (restarted ? !VqsGenerationLockOfSession(restarted)
                  : !VqsHoldsOwnGenerationLock(genSet) || VqsGenerationRuns(genSet))
        return;
    const std::vector<PxVQRecoveryInfoPtr> carriers = PxVQRecoveryInfo::CarriersOfHold(genSet);
    if (!restarted && !AnyInterrupted(carriers))
        return;
    for (const PxVQRecoveryInfoPtr& session : carriers)
        if (!restarted || !session->IsSameOid(restarted))
            m_formerHolders.push_back(session);
    if (const PxPersistentLockPtr lock = genSet->GetPersistentLock()) {
        m_holder = lock->GetUserCode();
        m_holdId = lock->GetHoldId();
    }
}

VqsGenerationLockTakeover::~VqsGenerationLockTakeover()
{
    for (const PxVQRecoveryInfoPtr& session : m_claimed)
        LoggingFailure([&] { session->GiveBackGenerationClaim(); });
    if (std::exchange(m_bHeld, false))
        LoggingFailure([&] { VqsLockBag::GiveBackOutsideBag(m_genSet, VqsFutureUpdateLock); });
}

PxLockErrorInfo VqsGenerationLockTakeover::TakeOver() { return Take(false); }

PxLockErrorInfo VqsGenerationLockTakeover::LockSet() { return Take(true); }

PxLockErrorInfo VqsGenerationLockTakeover::Take(bool always)
{
    if (!m_holder.IsEmpty()) {
        const PxLockErrorInfo exchanged = m_genSet->ExchangeGenerationHold(m_holder);
        m_bExchanged = m_bHeld = exchanged.Succeeded();
        // Without a persistent lock the hold went meanwhile: there is nothing to take over.
        if (m_bExchanged || exchanged.GetErrorCode() != PxLockPersistentlyLocked || exchanged.GetPersistentLock())
            return exchanged;
    }
    if (!always)
        return PxLockErrorInfo(PxLockGranted, PxVQObjectPtr(m_genSet));
    const PxLockErrorInfo locked = VqsLockBag::LockOutsideBag(m_genSet, VqsFutureUpdateLock);
    m_bHeld = locked.Succeeded();
    return locked;
}

bool VqsGenerationLockTakeover::HandOver()
{
    if (!m_bExchanged)
        return true;
    for (const PxVQRecoveryInfoPtr& session : m_formerHolders) {
        if (!session->ClaimForGeneration()) {
            if (!VqsRefusedWhileSessionRuns(session))
                VqsErrorBoxId(IDS_TAKEN_HOLD_WENT);
            return false;
        }
        m_claimed.push_back(session);
        // Deleted before its claim: its Delete takes the hold with it.
        if (!session->ObjectPresent()) {
            VqsErrorBoxId(IDS_TAKEN_HOLD_WENT);
            return false;
        }
    }
    // A restart's session is claimed by its generation, which goes no further without it.
    if (m_bRestart || HoldStillStands())
        return true;
    VqsErrorBoxId(IDS_TAKEN_HOLD_WENT);
    return false;
}

bool VqsGenerationLockTakeover::HoldStillStands() const
{
    const PxPersistentLockPtr lock = m_genSet->GetPersistentLock();
    return lock && lock->GetLockCount() > lock->GetManualLockCount() && lock->GetHoldId() == m_holdId;
}

void VqsGenerationLockTakeover::ReportNotStarted(const GenerateInfo& request) const
{
    if (m_bExchanged && !m_bRestart && !HoldStillStands())
        VqsErrorBoxId(IDS_TAKEN_HOLD_WENT);
    else
        VqsReportGenerationNotStarted(request);
}

PxLockErrorInfo VqsLockForGeneration(VqsOutsideBagHold& hold, PxTypedList<PxVQObjectPtr>& objects,
                                     VqsGenerationLockTakeover& takeover)
{
    const PxLockErrorInfo options = hold.Lock(objects);
    if (!options.Succeeded())
        return options;
    const PxLockErrorInfo set = takeover.LockSet();
    if (!set.Succeeded())
        hold.GiveBack();
    return set;
}

PxVQOptionSetPtr VqsFrameOptionSet(VqsSysFrame* frame)
{
    if (!frame)
        return PxVQOptionSetPtr();
    PxVQOptionSetPtr optionSet = frame->GetOptionSet();
    return optionSet ? optionSet : frame->GetSelectedOptionSet();
}

CString VqsRecoveryUserCode()
{
    const VqsSysApp* app = VqsGetApp();
    if (!app || app->HasRight(kRightAdministrator))
        return CString();
    PxVQLink* link = app->GetLink();
    PxProcess* process = link ? link->GetProcess() : nullptr;
    return process ? process->GetUserCode() : CString();
}
