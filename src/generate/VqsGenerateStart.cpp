#include "generate/VqsGenerateStart.h"

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
constexpr UINT IDS_ERROR_WITH_REASON = 61665;
constexpr UINT IDS_OPTION_SET_LOCKED = 61874;
constexpr int kRightAdministrator = 64;
// The first state of a finished generation: from there on it holds no lock.
constexpr int kStateFinished = 8;
constexpr int kTypeSystem = 2;
constexpr int kTypeSystemWithReports = 5;
constexpr int kTypeBundle = 9;

// A session of a generation that locks its generate set, has not finished and has not
// given its hold to a later generation of the set: its generation holds the set's lock.
bool HoldsGenerationLock(const PxVQRecoveryInfoPtr& session)
{
    const int type = session->getGenerateType();
    return (type == kTypeSystem || type == kTypeSystemWithReports || type == kTypeBundle) &&
           session->GetCurrentState() < kStateFinished && !session->GetHoldGone();
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

// The sessions of this user's generations of the set that stopped before they finished and
// still hold its lock (their recovery records, in an unfinished state, say so); none while a
// generation of the set runs (a restart of one goes on with the same record).
std::vector<PxVQRecoveryInfoPtr> InterruptedGenerations(const PxVQOptionSetPtr& genSet)
{
    std::vector<PxVQRecoveryInfoPtr> interrupted;
    if (VqsGenerationRuns(genSet))
        return interrupted;
    const PxVQConfigPtr config = genSet->GetConfig();
    const PxVQSystemPtr system = config ? config->GetSystem() : PxVQSystemPtr();
    if (!system)
        return interrupted;
    const CString user = VqsShortUserCode(SessionUserCode());
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    system->GetListOfRecoveryInfos(sessions);
    const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQRecoveryInfoPtr& session = list.GetNext(pos);
        if (genSet->IsSameOid(session->GetGenSet()) && HoldsGenerationLock(session) &&
            VqsShortUserCode(session->GetUserId()) == user)
            interrupted.push_back(session);
    }
    return interrupted;
}

// Records whether the sessions' hold went to another generation; false after the
// transaction's failure was shown.
bool RecordHoldGone(const std::vector<PxVQRecoveryInfoPtr>& sessions, bool gone)
{
    if (sessions.empty())
        return true;
    {
        VqsTransaction transaction;
        if (!transaction.IsUsable())
            return false;
        try {
            for (const PxVQRecoveryInfoPtr& session : sessions)
                session->SetHoldGone(gone ? 1 : 0);
        } catch (const VqReportableException& error) {
            transaction.ReportFailure(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        }
    }
    return VqsTransaction::IsOk() != 0;
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
        if (request.genSet && VqsRefusedWhileGenerationRuns(request.genSet))
            return;
        const PxVQSystemPtr system = request.system ? request.system : SystemOfSet(request.genSet);
        if (!request.recoveryHandle.IsNull() && system &&
            VqsRefusedWhileSessionRuns(system->GetRecoveryInfo(request.recoveryHandle)))
            return;
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
    try {
        if (genSet->PersistentLock(0).Succeeded())
            return VqsLockOutcome::Granted;
        VqsErrorBoxId(IDS_OPTION_SET_LOCKED);
        return VqsLockOutcome::Refused;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return VqsLockOutcome::Failed;
    }
}

unsigned long VqsStartHoldingSet(GenerateInfo& request)
{
    if (VqsPersistentlyLock(request.genSet) != VqsLockOutcome::Granted)
        return 0;
    unsigned long number = 0;
    try {
        number = VqcStartGenerate(request);
    } catch (...) {
        // The start failed on its way (a read refused, a connection lost): the hold goes with it.
        try {
            request.genSet->RemovePersistentLock(0, 1);
        } catch (const VqReportableException&) {
            // The failure that ended the start is the one to tell.
        }
        throw;
    }
    if (number == 0) {
        request.genSet->RemovePersistentLock(0, 1);
        VqsReportGenerationNotStarted(request);
    }
    return number;
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
    if (!HoldsGenerationLock(session))
        return PxVQOptionSetPtr();
    const PxVQOptionSetPtr genSet = session->GetGenSet();
    if (!genSet || !genSet->ObjectPresent())
        return PxVQOptionSetPtr();
    const PxPersistentLockPtr lock = genSet->GetPersistentLock();
    if (!lock || genSet->GetIntProperty("persistentLockCount") <= lock->GetManualLockCount() ||
        VqsShortUserCode(lock->GetUserCode()) != VqsShortUserCode(session->GetUserId()))
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
    if (const PxVQOptionSetPtr locked = VqsGenerationLockOfSession(session)) {
        VqsLockScope scope(VqsGetApp()->GetLink());
        if (!locked->RemovePersistentLock(0, 1).Succeeded())
            return false;
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
    if (!VqsHoldsOwnGenerationLock(genSet))
        return;
    const std::vector<PxVQRecoveryInfoPtr> interrupted = InterruptedGenerations(genSet);
    if (interrupted.empty())
        return;
    for (const PxVQRecoveryInfoPtr& session : interrupted)
        if (!restarted || !session->IsSameOid(restarted))
            m_formerHolders.push_back(session);
    if (const PxPersistentLockPtr lock = genSet->GetPersistentLock())
        m_holder = lock->GetUserCode();
}

VqsGenerationLockTakeover::~VqsGenerationLockTakeover() { Release(); }

PxLockErrorInfo VqsGenerationLockTakeover::TakeOver() { return Take(false); }

PxLockErrorInfo VqsGenerationLockTakeover::LockSet() { return Take(true); }

PxLockErrorInfo VqsGenerationLockTakeover::Take(bool always)
{
    const PxLockErrorInfo result = TakeSet(always);
    // The sessions give up the hold as soon as it is exchanged, before the generation being
    // started places its own: a deletion of one meanwhile must not lift that one.
    if (m_bExchanged && !RecordHoldGone(m_formerHolders, true)) {
        m_formerHolders.clear();
        Release();
        return PxLockErrorInfo(PxLockGivenUp, PxVQObjectPtr(m_genSet));
    }
    return result;
}

PxLockErrorInfo VqsGenerationLockTakeover::TakeSet(bool always)
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

void VqsGenerationLockTakeover::Release() noexcept
{
    // The set is held for update until the lock is back: nobody else can take it between.
    const bool putBack = std::exchange(m_bExchanged, false);
    const bool held = std::exchange(m_bHeld, false);
    if (putBack)
        LoggingFailure([&] {
            VqsLockScope scope(VqsGetApp()->GetLink());
            if (!m_genSet->PersistentLock(0).Succeeded())
                VqsGetApp()->LogError(0, "The interrupted generation's persistent lock could not be put back.");
            else
                RecordHoldGone(m_formerHolders, false);
        });
    if (held)
        LoggingFailure([&] { VqsLockBag::GiveBackOutsideBag(m_genSet, VqsFutureUpdateLock); });
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
