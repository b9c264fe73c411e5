// A recovery record: what a generation of a system left in the repository (its generate
// set, type, state and settings, the files it wrote and the database structures it
// touched), so that it can be followed, restarted or installed later.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxProperty.h"
#include "proxy/PxVQObject.h"

#include <cstdint>

class PxVQRecoveryInfo : public PxVQObject {
    PX_DECLARE_CLASS(PxVQRecoveryInfo, PxVQObject)

    // Generate types.
    static constexpr int kReportGenerate = 1;
    static constexpr int kSystemGenerate = 2;
    static constexpr int kMonitorGenerate = 3;
    static constexpr int kBundleGenerate = 9;

    PxVQOptionSetPtr GetGenSet() const;
    std::int64_t getGenerateDate() const;
    void setGenerateDate(std::int64_t date);
    int getGenerateType() const;
    void setGenerateType(int type);
    PX_TEXT_PROPERTY(UserId)
    PX_VALUE_PROPERTY(int, CurrentState)
    PX_VALUE_PROPERTY(int, StateCompleteness)
    PX_VALUE_PROPERTY(int, GenerationFlag)
    // Nonzero once the generation hold on the generate set is no longer this session's: a
    // later generation of the set took it over, or its generation was given none.
    PX_VALUE_PROPERTY(int, HoldGone)
    int getStagedInstall() const;
    void setStagedInstall(int staged);
    CString getPackName() const;
    void setPackName(const char* name);
    PX_VALUE_PROPERTY(int, RetainExistingDatabase)
    PX_VALUE_PROPERTY(int, NumberOfParallelCompiles)
    PX_VALUE_PROPERTY(int, CompileAllFlag)
    std::int64_t getDelayDeployDate() const;
    void setDelayDeployDate(std::int64_t date);
    int getForceDBReOrg() const;
    void setForceDBReOrg(int force);

    void GetListOfRecoveryFileInfos(PxTypedList<PxVQRecoveryFileInfoPtr>& files) const;
    PxVQRecoveryFileInfoPtr CreateRecoveryFileInfo(const char* fileName);
    void GetListOfRecoveryDBStructs(PxTypedList<PxVQRecoveryDBStructPtr>& structs) const;
    PxVQRecoveryDBStructPtr CreateRecoveryDBStruct(const char* structName);

protected:
    PxVQRecoveryInfo() = default;
};

// A file a generation wrote: a report's name, optionally followed by "<asName>".
class PxVQRecoveryFileInfo : public PxVQObject {
    PX_DECLARE_CLASS(PxVQRecoveryFileInfo, PxVQObject)

    PX_TEXT_GETTER(FileName)

protected:
    PxVQRecoveryFileInfo() = default;
};

class PxVQRecoveryDBStruct : public PxVQObject {
    PX_DECLARE_CLASS(PxVQRecoveryDBStruct, PxVQObject)

    PX_TEXT_GETTER(StructName)

protected:
    PxVQRecoveryDBStruct() = default;
};
