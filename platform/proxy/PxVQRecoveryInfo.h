// A recovery record: what a generation of a system left in the repository (its generate
// set, type, state and settings, the files it wrote and the database structures it
// touched), so that it can be followed, restarted or installed later.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxProperty.h"
#include "proxy/PxVQObject.h"

#include <cstdint>
#include <vector>

class PxVQRecoveryInfo : public PxVQObject {
    PX_DECLARE_CLASS(PxVQRecoveryInfo, PxVQObject)

    // Generate types.
    static constexpr int kReportGenerate = 1;
    static constexpr int kSystemGenerate = 2;
    static constexpr int kMonitorGenerate = 3;
    static constexpr int kSystemWithReportsGenerate = 5;
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
    // later generation of the set took it over (kHoldHandedOver; 1 from an earlier build), its
    // restart ended while the hold's lift was owed (kRestartEnded), or its generation was given
    // none (1). A session marked so names the hold it kept until the hold's lift is made.
    PX_VALUE_PROPERTY(int, HoldGone)
    static constexpr int kHoldHandedOver = 2;
    static constexpr int kRestartEnded = 3;
    // The identity of the generation hold the session carries (PxPersistentLock::GetHoldId):
    // it carries the hold while the generate set's generation hold is the one named. 0 names
    // none; a record of an earlier build names none either, and goes by HoldGone and its user.
    PX_VALUE_PROPERTY(std::int64_t, HoldId)
    // Whether the session carries the generation hold of the persistent lock (its generate
    // set's): the hold its record names, whoever's user placed the lock. A record that names
    // none (an earlier build's) carries only a hold of its user that has no identity either
    // (an earlier build's), unless it gave its hold up: never one this build placed.
    bool CarriesHoldOf(const PxPersistentLockPtr& lock) const;
    // A system, system-with-reports or bundle session: one that keeps its generation hold for
    // a restart.
    bool KeepsGenerationHold() const;
    // The sessions of the generate set that carry its generation hold (KeepsGenerationHold
    // and CarriesHoldOf): the one whose record names it, or, for a hold of an earlier build,
    // those of its user that did not give it up.
    static std::vector<PxVQRecoveryInfoPtr> CarriersOfHold(const PxVQOptionSetPtr& genSet);
    // Before a generation hold is placed on the generate set: while the set has none, the
    // sessions of the set of the link's user whose record names none and that did not give
    // their hold up (ended in a finished state, or unlocked since) are marked as having given it
    // up (HoldGone 1), in a transaction of their own, so that none of them carries the hold
    // placed next when the store gives it no identity. Throws as the store refuses; nothing is
    // marked then.
    static void ForgetGoneHolds(const PxVQOptionSetPtr& genSet);
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
