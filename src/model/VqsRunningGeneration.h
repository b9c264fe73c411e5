// What a running generation keeps from deletion: its generate set, the system the set belongs
// to and the recovery session it goes on with. Whether a generation runs is its claim
// (PxVQObject::ClaimForGeneration), seen on every host and gone with a session that dies, not
// the set's persistent lock, which the owner's Unlock may lift while the generation runs.
#pragma once

#include "proxy/PxVQObject.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQRecoveryInfo.h"

#include <functional>

// Whether a generation runs on what is to be deleted (an option set, a system or a current
// configuration, a recovery session): the telling of its refusal, the error box naming the
// generation's user and generate set (or the failure that kept it from being checked), for
// the caller to run once it has given its locks back; empty when the deletion may go on.
std::function<void()> VqsRunningGenerationKeepingFromDelete(const PxVQObjectPtr& object);
// The same for a recovery session a restart, an install or a monitor runs on: neither deleted
// nor gone on with a second time. A session claimed while no generation of its set runs (a
// Delete holds it, say) is told as in use by the user who claimed it.
bool VqsRefusedWhileSessionRuns(const PxVQRecoveryInfoPtr& session);
// The user of the generation that runs on the generate set; empty when none runs.
CString VqsGenerationRunningOn(const PxVQOptionSetPtr& genSet);
// The error box of a lock a generation's hold refuses, naming the generation: "Generate
// process for user U persistently locked SET", whether or not the hold is still in place.
void VqsShowRunningGeneration(const CString& user, const PxVQOptionSetPtr& genSet);
