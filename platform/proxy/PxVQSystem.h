// A generation system: its current configuration, the configurations of earlier
// generations and the recovery records that generations leave.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxHandle.h"
#include "proxy/PxProperty.h"
#include "proxy/PxVQObject.h"

#include <vector>

class PxVQSystem : public PxVQObject {
    PX_DECLARE_CLASS(PxVQSystem, PxVQObject)

    PX_TEXT_PROPERTY(Name)
    PX_TEXT_PROPERTY(LongName)
    PX_TEXT_PROPERTY(Description)
    PX_TEXT_PROPERTY(RuntimeVersionIdentifier)
    PX_VALUE_PROPERTY(int, ResetReportCount)
    PX_VALUE_PROPERTY(int, ResetVersionNumber)
    PX_VALUE_PROPERTY(int, SystemVersionNumber)

    PxVQCurConfigPtr GetCurConfig() const;
    // The current configuration of each of these systems, as GetCurConfig of each gives it
    // (null for none), read together.
    static std::vector<PxObjectPtr> CurConfigsOf(const std::vector<PxObjectPtr>& systems);
    void GetListOfOldConfigs(PxTypedList<PxVQOldConfigPtr>& configs) const;
    // The previous configurations of each of these systems, read together.
    static std::vector<std::vector<PxObjectPtr>> OldConfigsOf(const std::vector<PxObjectPtr>& systems);
    int CountOfOldConfigs() const;
    // A new, empty configuration of an earlier generation, at the end of the list.
    PxVQOldConfigPtr CreateOldConfig();

    void GetListOfRecoveryInfos(PxTypedList<PxVQRecoveryInfoPtr>& infos) const;
    int CountOfRecoveryInfos() const;
    // The recovery record of a generate set, by handle, or by the handle's display text;
    // null when there is none.
    PxVQRecoveryInfoPtr GetRecoveryInfo(const PxVQOptionSetPtr& genSet) const;
    PxVQRecoveryInfoPtr GetRecoveryInfo(const PxHandle& handle) const;
    PxVQRecoveryInfoPtr GetRecoveryInfo(const char* displayString) const;
    // A new recovery record for a generation with the generate set.
    PxVQRecoveryInfoPtr CreateRecoveryInfo(const PxVQOptionSetPtr& genSet);
    // Whether a recovery record of a monitor generation (generate type 3), a report
    // generation (1) or a bundle generation (9) of the user is there; an empty user code
    // stands for every user. User codes compare up to their first "/".
    BOOL IsMonitorRecoveryInfoPresent(const char* userCode) const;
    BOOL IsReportRecoveryInfoPresent(const char* userCode) const;
    BOOL IsBundleRecoveryInfoPresent(const char* userCode) const;

protected:
    PxVQSystem() = default;

private:
    BOOL IsRecoveryInfoPresent(int generateType, const char* userCode) const;
};
