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
#include <optional>
#include <utility>

namespace {

constexpr UINT IDS_CANNOT_PROCEED_WITH_GENERATION = 61520;
constexpr UINT IDS_ERROR_WITH_REASON = 61665;
constexpr UINT IDS_NO_RECOVERY_INFO = 61682;
constexpr UINT IDS_OPTION_SET_LOCKED = 61874;
constexpr UINT IDS_INTERRUPTED_SESSION_HOLDS_SET = 61913;
constexpr int kRightAdministrator = 64;
// The first state of a finished generation: a fresh start takes over only the hold of one
// that stopped before it.
constexpr int kStateFinished = 8;
constexpr int kTypeSystem = 2;
constexpr int kTypeSystemWithReports = 5;
constexpr int kTypeBundle = 9;

// A session of a generation that keeps its hold for a restart: at any state, it carries the
// hold its record names while that hold stands (PxVQRecoveryInfo::CarriesHoldOf).
bool KeepsGenerationHold(const PxVQRecoveryInfoPtr& session)
{
    const int type = session->getGenerateType();
    return type == kTypeSystem || type == kTypeSystemWithReports || type == kTypeBundle;
}

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

// The sessions of the set that carry its generation hold: those whose record names it.
std::vector<PxVQRecoveryInfoPtr> HoldCarriers(const PxVQOptionSetPtr& genSet)
{
    std::vector<PxVQRecoveryInfoPtr> carriers;
    const PxVQSystemPtr system = SystemOfSet(genSet);
    const PxPersistentLockPtr lock = genSet->GetPersistentLock();
    if (!system || !lock)
        return carriers;
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    system->GetListOfRecoveryInfos(sessions);
    const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQRecoveryInfoPtr& session = list.GetNext(pos);
        if (genSet->IsSameOid(session->GetGenSet()) && KeepsGenerationHold(session) && session->CarriesHoldOf(lock))
            carriers.push_back(session);
    }
    return carriers;
}

bool AnyInterrupted(const std::vector<PxVQRecoveryInfoPtr>& sessions)
{
    for (const PxVQRecoveryInfoPtr& session : sessions)
        if (session->GetCurrentState() < kStateFinished)
            return true;
    return false;
}

// Records that the sessions name the hold of the identity, or, handed over, none (nullopt); a
// failure is shown. Whether the record was committed.
bool RecordHoldNamed(const std::vector<PxVQRecoveryInfoPtr>& sessions, std::optional<std::int64_t> hold)
{
    if (sessions.empty())
        return true;
    {
        VqsTransaction transaction;
        if (!transaction.IsUsable())
            return false;
        try {
            for (const PxVQRecoveryInfoPtr& session : sessions) {
                session->SetHoldId(hold.value_or(0));
                session->SetHoldGone(hold ? 0 : PxVQRecoveryInfo::kHoldHandedOver);
            }
        } catch (const VqReportableException& error) {
            transaction.ReportFailure(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
            return false;
        }
    }
    return VqsTransaction::IsOk();
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

// 61874 when the lock is refused, 61520 with the text on a repository failure.
template <class Lock>
VqsLockOutcome PersistentLockOutcome(Lock lock)
{
    try {
        if (lock().Succeeded())
            return VqsLockOutcome::Granted;
        VqsErrorBoxId(IDS_OPTION_SET_LOCKED);
        return VqsLockOutcome::Refused;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return VqsLockOutcome::Failed;
    }
}

// The hold placed for a start, which the session carries until the generation's claim carries
// it: the claim takes the carrying over in its own step of the lock store, so nothing is left
// to hand on that the store could refuse. Otherwise it is lifted as the scope ends; a lift that
// cannot reach the store now is done as the session's locks are dropped (the session closes,
// or is found dead).
class HoldForStart {
public:
    explicit HoldForStart(const PxVQOptionSetPtr& genSet) : m_genSet(genSet) {}
    ~HoldForStart() { Lift(); }
    HoldForStart(const HoldForStart&) = delete;
    HoldForStart& operator=(const HoldForStart&) = delete;

    VqsLockOutcome Place()
    {
        const VqsLockOutcome outcome = PersistentLockOutcome([&] { return m_genSet->PlaceGenerationHold(); });
        m_bPlaced = outcome == VqsLockOutcome::Granted;
        return outcome;
    }
    // The generation started: its claim carries the hold.
    void HandOn() { m_bPlaced = false; }
    void Lift() noexcept
    {
        if (std::exchange(m_bPlaced, false))
            LoggingFailure([&] { m_genSet->LiftGenerationHold(); });
    }

private:
    PxVQOptionSetPtr m_genSet;
    bool m_bPlaced = false;
};

// The recovery session claimed while it is deleted, as a restart claims it while it runs: a
// restart starting meanwhile is refused, and a running one keeps its session.
class DeletionClaim {
public:
    explicit DeletionClaim(const PxVQRecoveryInfoPtr& session)
        : m_session(session), m_bClaimed(session->ClaimForGeneration() != FALSE)
    {
    }
    ~DeletionClaim()
    {
        try {
            if (m_bClaimed)
                m_session->ReleaseGenerationClaim();
        } catch (const std::exception& error) {
            VqsGetApp()->LogError(0, error.what());
        }
    }
    DeletionClaim(const DeletionClaim&) = delete;
    DeletionClaim& operator=(const DeletionClaim&) = delete;

    bool IsClaimed() const { return m_bClaimed; }

private:
    PxVQRecoveryInfoPtr m_session;
    bool m_bClaimed;
};

} // namespace

void VqsReportGenerationNotStarted(const GenerateInfo& request)
{
    constexpr char kNotStarted[] = "The generation client did not start the generation.";
    if (VqsSysApp* app = VqsGetApp())
        app->LogError(0, kNotStarted);
    try {
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

VqsLockOutcome VqsPersistentlyLock(const PxVQOptionSetPtr& genSet)
{
    return PersistentLockOutcome([&] { return genSet->PersistentLock(0); });
}

unsigned long VqsStartHoldingSet(GenerateInfo& request, VqsGenerationLockTakeover* takeover)
{
    if (takeover && takeover->HandsOverHold())
        return VqsStartUnderTakenHold(request, *takeover);
    if (VqsRefusedForInterruptedSession(request.genSet))
        return 0;
    HoldForStart hold(request.genSet);
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
    if (number == 0) {
        VqsReportGenerationNotStarted(request);
        return 0;
    }
    takeover.Keep();
    return number;
}

bool VqsRefusedForInterruptedSession(const PxVQOptionSetPtr& genSet)
{
    if (!VqsHoldsOwnGenerationLock(genSet))
        return false;
    const std::vector<PxVQRecoveryInfoPtr> carriers = HoldCarriers(genSet);
    if (carriers.empty())
        return false;
    const PxVQRecoveryInfoPtr& session = carriers.front();
    CString text;
    text.FormatMessage(IDS_INTERRUPTED_SESSION_HOLDS_SET, genSet->GetName().GetString(),
                       VqsSessionStartTime(session).GetString(), session->GetUserId().GetString());
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
    if (!KeepsGenerationHold(session))
        return PxVQOptionSetPtr();
    const PxVQOptionSetPtr genSet = session->GetGenSet();
    if (!genSet || !genSet->ObjectPresent() || !session->CarriesHoldOf(genSet->GetPersistentLock()))
        return PxVQOptionSetPtr();
    return genSet;
}

bool VqsRecoverySessionRuns(const PxVQRecoveryInfoPtr& session)
{
    return session->GetGenerationClaim() != PxVQObject::GenerationClaim::None;
}

bool VqsDeleteRecoverySession(const PxVQRecoveryInfoPtr& session)
{
    const DeletionClaim claim(session);
    if (!claim.IsClaimed())
        return false;
    // The hold the session names, and no other: a hold handed to a later generation is no
    // longer named by it (handed over before that generation starts).
    const PxVQOptionSetPtr locked = VqsGenerationLockOfSession(session);
    if (const PxPersistentLockPtr hold = locked ? locked->GetPersistentLock() : PxPersistentLockPtr()) {
        VqsLockScope scope(VqsGetApp()->GetLink());
        locked->LiftGenerationHoldNamed(hold->GetHoldId());
    }
    {
        VqsTransactionObject transaction{PxVQObjectPtr(session)};
        transaction.DeleteObject();
    }
    return VqsTransaction::IsOk();
}

VqsGenerationLockTakeover::VqsGenerationLockTakeover(const PxVQOptionSetPtr& genSet,
                                                     const PxVQRecoveryInfoPtr& restarted)
    : m_genSet(genSet)
{
    if (restarted ? !VqsGenerationLockOfSession(restarted)
                  : !VqsHoldsOwnGenerationLock(genSet) || VqsGenerationRuns(genSet))
        return;
    const std::vector<PxVQRecoveryInfoPtr> carriers = HoldCarriers(genSet);
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
    // A start that did not follow the hand-over: the sessions name the hold again before
    // anything else can take the set.
    if (std::exchange(m_bHandedOver, false))
        LoggingFailure([&] { RecordHoldNamed(m_formerHolders, m_holdId); });
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
    if (!m_bExchanged || m_formerHolders.empty())
        return true;
    m_bHandedOver = RecordHoldNamed(m_formerHolders, std::nullopt);
    return m_bHandedOver;
}

void VqsGenerationLockTakeover::Keep()
{
    m_bHandedOver = false;
    m_formerHolders.clear();
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

CString VqsShortUserCode(const CString& userCode)
{
    const int slash = userCode.Find('/');
    return slash > 0 ? userCode.Left(slash) : userCode;
}
