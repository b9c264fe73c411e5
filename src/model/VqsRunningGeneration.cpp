#include "model/VqsRunningGeneration.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsLockFailure.h"
#include "shell/VqsMsgBox.h"

namespace {

constexpr int kPersistentlyLocked = 7;

bool RefusedForSet(const PxVQOptionSetPtr& genSet)
{
    const CString user = VqsGenerationRunningOn(genSet);
    if (user.IsEmpty())
        return false;
    VqsShowRunningGeneration(user, genSet);
    return true;
}

template <class T, class Refused>
bool AnyRefused(const PxTypedList<T>& objects, Refused refused)
{
    const CList<T, const T&>& list = objects;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        if (refused(list.GetNext(pos)))
            return true;
    return false;
}

bool RefusedForConfig(const PxVQCurConfigPtr& config)
{
    if (!config)
        return false;
    PxTypedList<PxVQOptionSetPtr> optionSets;
    config->GetListOfOptionSets(optionSets);
    return AnyRefused(optionSets, RefusedForSet);
}

bool RefusedForSystem(const PxVQSystemPtr& system)
{
    if (RefusedForConfig(system->GetCurConfig()))
        return true;
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    system->GetListOfRecoveryInfos(sessions);
    return AnyRefused(sessions, VqsRefusedWhileSessionRuns);
}

} // namespace

bool VqsRefusedDeleteWhileGenerationRuns(const PxVQObjectPtr& object)
{
    // What cannot be checked is not deleted.
    try {
        if (const PxVQOptionSetPtr optionSet{object})
            return RefusedForSet(optionSet);
        if (const PxVQSystemPtr system{object})
            return RefusedForSystem(system);
        if (const PxVQCurConfigPtr config{object})
            return RefusedForConfig(config);
        if (const PxVQRecoveryInfoPtr session{object})
            return VqsRefusedWhileSessionRuns(session);
    } catch (const VqReportableException& error) {
        VqsErrorBoxOf(error);
        return true;
    }
    return false;
}

bool VqsRefusedWhileSessionRuns(const PxVQRecoveryInfoPtr& session)
{
    const CString user = session ? session->GetGenerationClaimUser() : CString();
    if (user.IsEmpty())
        return false;
    VqsShowRunningGeneration(user, session->GetGenSet());
    return true;
}

CString VqsGenerationRunningOn(const PxVQOptionSetPtr& genSet)
{
    return genSet ? genSet->GetGenerationClaimUser() : CString();
}

void VqsShowRunningGeneration(const CString& user, const PxVQOptionSetPtr& genSet)
{
    VqsLockFailure failure;
    failure.code = kPersistentlyLocked;
    failure.objectText = genSet ? genSet->GetName() : CString();
    failure.userCode = user;
    VqsErrorBox(VqsLockFailureMessage(failure));
}
