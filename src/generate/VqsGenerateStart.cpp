#include "generate/VqsGenerateStart.h"

#include "model/VqsLockScope.h"
#include "model/VqsTransactionObject.h"
#include "proxy/PxLink.h"
#include "proxy/PxProcess.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQLink.h"
#include "proxy/PxVQRecoveryInfo.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsSysFrame.h"

#include <exception>

namespace {

constexpr UINT IDS_CANNOT_PROCEED_WITH_GENERATION = 61520;
constexpr UINT IDS_OPTION_SET_LOCKED = 61874;
constexpr int kRightAdministrator = 64;
// The first state of a finished generation: from there on it holds no lock.
constexpr int kStateFinished = 8;
constexpr int kTypeSystem = 2;
constexpr int kTypeSystemWithReports = 5;
constexpr int kTypeBundle = 9;

// A session of a generation that locks its generate set and has not finished: its
// generation holds the set's lock.
bool HoldsGenerationLock(const PxVQRecoveryInfoPtr& session)
{
    const int type = session->getGenerateType();
    return (type == kTypeSystem || type == kTypeSystemWithReports || type == kTypeBundle) &&
           session->GetCurrentState() < kStateFinished;
}

CString SessionUserCode()
{
    PxVQLink* link = VqsGetApp()->GetLink();
    PxProcess* process = link ? link->GetProcess() : nullptr;
    return process ? process->GetUserCode() : CString();
}

// A generation of this user on the set stopped before it finished: its recovery record, in
// an unfinished state, says so, and no generation of the set runs (a restart of it goes on
// with the same record).
bool HasInterruptedGeneration(const PxVQOptionSetPtr& genSet)
{
    if (VqsGenerationRuns(genSet))
        return false;
    const PxVQConfigPtr config = genSet->GetConfig();
    const PxVQSystemPtr system = config ? config->GetSystem() : PxVQSystemPtr();
    if (!system)
        return false;
    const CString user = VqsShortUserCode(SessionUserCode());
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    system->GetListOfRecoveryInfos(sessions);
    const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQRecoveryInfoPtr& session = list.GetNext(pos);
        if (genSet->IsSameOid(session->GetGenSet()) && HoldsGenerationLock(session) &&
            VqsShortUserCode(session->GetUserId()) == user)
            return true;
    }
    return false;
}

} // namespace

void VqsReportGenerationNotStarted()
{
    if (VqsSysApp* app = VqsGetApp())
        app->LogError(0, "The generation client did not start the generation.");
    VqsErrorBoxId(IDS_CANNOT_PROCEED_WITH_GENERATION);
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
    if (!genSet || !genSet->ObjectPresent() || VqsGenerationRuns(genSet))
        return PxVQOptionSetPtr();
    const PxPersistentLockPtr lock = genSet->GetPersistentLock();
    if (!lock || genSet->GetIntProperty("persistentLockCount") <= lock->GetManualLockCount() ||
        VqsShortUserCode(lock->GetUserCode()) != VqsShortUserCode(session->GetUserId()))
        return PxVQOptionSetPtr();
    return genSet;
}

bool VqsDeleteRecoverySession(const PxVQRecoveryInfoPtr& session)
{
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

VqsGenerationLockTakeover::VqsGenerationLockTakeover(const PxVQOptionSetPtr& genSet) : m_genSet(genSet)
{
    if (!VqsHoldsOwnGenerationLock(genSet) || !HasInterruptedGeneration(genSet))
        return;
    VqsLockScope scope(VqsGetApp()->GetLink());
    m_bLifted = genSet->RemovePersistentLock(0, 1).Succeeded();
}

VqsGenerationLockTakeover::~VqsGenerationLockTakeover()
{
    if (!m_bLifted)
        return;
    try {
        VqsLockScope scope(VqsGetApp()->GetLink());
        if (!m_genSet->PersistentLock(0).Succeeded())
            VqsGetApp()->LogError(0, "The interrupted generation's persistent lock could not be put back.");
        if (m_bHeld)
            m_genSet->UnLock();
    } catch (const std::exception& error) {
        VqsGetApp()->LogError(0, error.what());
    }
}

void VqsGenerationLockTakeover::HoldWhileLifted()
{
    if (!m_bLifted)
        return;
    VqsLockScope scope(VqsGetApp()->GetLink());
    m_bHeld = m_genSet->FutureUpdateLock().Succeeded();
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
