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

using Telling = std::function<void()>;

Telling TellingOfGeneration(const CString& user, const PxVQOptionSetPtr& genSet)
{
    if (user.IsEmpty())
        return {};
    return [user, genSet] { VqsShowRunningGeneration(user, genSet); };
}

Telling KeptForSet(const PxVQOptionSetPtr& genSet) { return TellingOfGeneration(VqsGenerationRunningOn(genSet), genSet); }

Telling KeptForSession(const PxVQRecoveryInfoPtr& session)
{
    const CString user = session ? session->GetGenerationClaimUser() : CString();
    return TellingOfGeneration(user, user.IsEmpty() ? PxVQOptionSetPtr() : session->GetGenSet());
}

template <class T, class Kept>
Telling AnyKept(const PxTypedList<T>& objects, Kept kept)
{
    const CList<T, const T&>& list = objects;
    for (POSITION pos = list.GetHeadPosition(); pos;)
        if (Telling telling = kept(list.GetNext(pos)))
            return telling;
    return {};
}

Telling KeptForConfig(const PxVQCurConfigPtr& config)
{
    if (!config)
        return {};
    PxTypedList<PxVQOptionSetPtr> optionSets;
    config->GetListOfOptionSets(optionSets);
    return AnyKept(optionSets, KeptForSet);
}

Telling KeptForSystem(const PxVQSystemPtr& system)
{
    if (Telling telling = KeptForConfig(system->GetCurConfig()))
        return telling;
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    system->GetListOfRecoveryInfos(sessions);
    return AnyKept(sessions, KeptForSession);
}

} // namespace

std::function<void()> VqsRunningGenerationKeepingFromDelete(const PxVQObjectPtr& object)
{
    // What cannot be checked is not deleted.
    try {
        if (const PxVQOptionSetPtr optionSet{object})
            return KeptForSet(optionSet);
        if (const PxVQSystemPtr system{object})
            return KeptForSystem(system);
        if (const PxVQCurConfigPtr config{object})
            return KeptForConfig(config);
        if (const PxVQRecoveryInfoPtr session{object})
            return KeptForSession(session);
    } catch (const VqReportableException& error) {
        return [error] { VqsErrorBoxOf(error); };
    }
    return {};
}

bool VqsRefusedWhileSessionRuns(const PxVQRecoveryInfoPtr& session)
{
    const Telling telling = KeptForSession(session);
    if (!telling)
        return false;
    telling();
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
