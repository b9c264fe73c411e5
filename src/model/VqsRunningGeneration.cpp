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
constexpr UINT IDS_SESSION_IN_USE = 61984;
constexpr UINT IDS_TRY_AGAIN_LATER = 62136;

using Telling = std::function<void()>;

// The user whose step claims the object. The store shows a claim this session gave back until it
// takes the give-back: that claim is no step's (a step on the object meets the store's own
// refusal, if any), and the session's next claim of the object takes it over.
CString ClaimingUser(const PxVQObjectPtr& object)
{
    const CString user = object->GetGenerationClaimUser();
    if (user.IsEmpty() || object->GetGenerationClaim() == PxVQObject::GenerationClaim::None)
        return CString();
    return user;
}

Telling TellingOfGeneration(const CString& user, const PxVQOptionSetPtr& genSet)
{
    if (user.IsEmpty())
        return {};
    return [user, genSet] { VqsShowRunningGeneration(user, genSet); };
}

Telling KeptForSet(const PxVQOptionSetPtr& genSet) { return TellingOfGeneration(VqsGenerationRunningOn(genSet), genSet); }

// A session claimed while no generation of its set runs is in use by its claimer's step on it
// (a Delete, an install or monitor, a start about to claim the set), not by a generation.
void ShowSessionInUse(const CString& user, const PxVQOptionSetPtr& genSet)
{
    CString inUse;
    inUse.FormatMessage(IDS_SESSION_IN_USE, genSet ? genSet->GetName().GetString() : "", user.GetString());
    CString text;
    text.FormatMessage(IDS_TRY_AGAIN_LATER, inUse.GetString());
    VqsErrorBox(text);
}

Telling KeptForSession(const PxVQRecoveryInfoPtr& session)
{
    const CString user = session ? ClaimingUser(PxVQObjectPtr(session)) : CString();
    if (user.IsEmpty())
        return {};
    const PxVQOptionSetPtr genSet = session->GetGenSet();
    if (!VqsGenerationRunningOn(genSet).IsEmpty())
        return TellingOfGeneration(user, genSet);
    return [user, genSet] { ShowSessionInUse(user, genSet); };
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
    return genSet ? ClaimingUser(PxVQObjectPtr(genSet)) : CString();
}

void VqsShowRunningGeneration(const CString& user, const PxVQOptionSetPtr& genSet)
{
    VqsLockFailure failure;
    failure.code = kPersistentlyLocked;
    failure.objectText = genSet ? genSet->GetName() : CString();
    failure.userCode = user;
    VqsErrorBox(VqsLockFailureMessage(failure));
}
