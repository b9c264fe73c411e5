#include "generate/VqsGenerateStart.h"

#include "proxy/PxLink.h"
#include "proxy/PxProcess.h"
#include "proxy/PxVQLink.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsSysFrame.h"

namespace {

constexpr UINT IDS_CANNOT_PROCEED_WITH_GENERATION = 61520;
constexpr UINT IDS_OPTION_SET_LOCKED = 61874;
constexpr int kRightAdministrator = 64;

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
