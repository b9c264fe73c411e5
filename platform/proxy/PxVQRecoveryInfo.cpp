#include "proxy/PxVQRecoveryInfo.h"

#include "proxy/PxException.h"
#include "proxy/PxLink.h"
#include "proxy/PxObjectKind.h"
#include "proxy/PxProcess.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQOptionSet.h"
#include "proxy/PxVQSystem.h"

PX_IMPLEMENT_CLASS(PxVQRecoveryInfo, PxKindRecoveryRecord)
PX_IMPLEMENT_CLASS(PxVQRecoveryFileInfo, 0)
PX_IMPLEMENT_CLASS(PxVQRecoveryDBStruct, 0)

PX_IMPLEMENT_TEXT_PROPERTY(PxVQRecoveryInfo, UserId, "userId")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQRecoveryInfo, int, CurrentState, "currentState")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQRecoveryInfo, int, StateCompleteness, "stateCompleteness")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQRecoveryInfo, int, GenerationFlag, "generationFlag")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQRecoveryInfo, int, HoldGone, "holdGone")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQRecoveryInfo, std::int64_t, HoldId, "holdId")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQRecoveryInfo, int, RetainExistingDatabase, "retainExistingDatabase")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQRecoveryInfo, int, NumberOfParallelCompiles, "numberOfParallelCompiles")
PX_IMPLEMENT_VALUE_PROPERTY(PxVQRecoveryInfo, int, CompileAllFlag, "compileAllFlag")
PX_IMPLEMENT_TEXT_GETTER(PxVQRecoveryFileInfo, FileName, "fileName")
PX_IMPLEMENT_TEXT_GETTER(PxVQRecoveryDBStruct, StructName, "structName")

namespace {

constexpr const char* kFiles = "recoveryFiles";
constexpr const char* kStructs = "recoveryDBStructs";

// The user code up to its first "/": the part a generation's hold and recovery records know.
CString ShortCode(const CString& userCode)
{
    const int slash = userCode.Find('/');
    return slash > 0 ? userCode.Left(slash) : userCode;
}

// A failed commit may have ended the transaction already; the failure that ended it is the one
// told.
void AbortQuietly(PxLink& link) noexcept
{
    try {
        if (link.IsInTransaction())
            link.AbortTransaction();
    } catch (const VqException&) {
    }
}

} // namespace

bool PxVQRecoveryInfo::CarriesHoldOf(const PxPersistentLockPtr& lock) const
{
    if (!lock || lock->GetLockCount() <= lock->GetManualLockCount())
        return false;
    if (const std::int64_t named = GetHoldId())
        return lock->GetHoldId() == named;
    return lock->GetHoldId() == 0 && !GetHoldGone() && ShortCode(lock->GetUserCode()) == ShortCode(GetUserId());
}

bool PxVQRecoveryInfo::KeepsGenerationHold() const
{
    const int type = getGenerateType();
    return type == kSystemGenerate || type == kSystemWithReportsGenerate || type == kBundleGenerate;
}

std::vector<PxVQRecoveryInfoPtr> PxVQRecoveryInfo::CarriersOfHold(const PxVQOptionSetPtr& genSet)
{
    std::vector<PxVQRecoveryInfoPtr> carriers;
    const PxVQConfigPtr config = genSet ? genSet->GetConfig() : PxVQConfigPtr();
    const PxVQSystemPtr system = config ? config->GetSystem() : PxVQSystemPtr();
    const PxPersistentLockPtr lock = system ? genSet->GetPersistentLock() : PxPersistentLockPtr();
    if (!lock)
        return carriers;
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    system->GetListOfRecoveryInfos(sessions);
    const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQRecoveryInfoPtr& session = list.GetNext(pos);
        if (genSet->IsSameOid(session->GetGenSet()) && session->KeepsGenerationHold() && session->CarriesHoldOf(lock))
            carriers.push_back(session);
    }
    return carriers;
}

void PxVQRecoveryInfo::ForgetGoneHolds(const PxVQOptionSetPtr& genSet)
{
    const PxPersistentLockPtr lock = genSet->GetPersistentLock();
    if (lock && lock->GetLockCount() > lock->GetManualLockCount())
        return;
    const PxVQConfigPtr config = genSet->GetConfig();
    const PxVQSystemPtr system = config ? config->GetSystem() : PxVQSystemPtr();
    PxLink* link = genSet->GetLink();
    if (!system || !link)
        return;
    const CString user = ShortCode(link->GetProcess()->GetUserCode());
    PxTypedList<PxVQRecoveryInfoPtr> sessions;
    system->GetListOfRecoveryInfos(sessions);
    const CList<PxVQRecoveryInfoPtr, const PxVQRecoveryInfoPtr&>& list = sessions;
    std::vector<PxVQRecoveryInfoPtr> gone;
    for (POSITION pos = list.GetHeadPosition(); pos;) {
        const PxVQRecoveryInfoPtr& session = list.GetNext(pos);
        if (genSet->IsSameOid(session->GetGenSet()) && session->KeepsGenerationHold() && !session->GetHoldId() &&
            !session->GetHoldGone() && ShortCode(session->GetUserId()) == user)
            gone.push_back(session);
    }
    if (gone.empty())
        return;
    link->BeginTransaction();
    try {
        for (const PxVQRecoveryInfoPtr& session : gone)
            session->SetHoldGone(1);
        link->CommitTransaction();
    } catch (const PxException&) {
        AbortQuietly(*link);
        throw;
    }
}

PxVQOptionSetPtr PxVQRecoveryInfo::GetGenSet() const { return ReadObject("PxVQRecoveryInfo::GetGenSet", "genSet"); }

std::int64_t PxVQRecoveryInfo::getGenerateDate() const
{
    return ReadInt("PxVQRecoveryInfo::getGenerateDate", "generateDate");
}

void PxVQRecoveryInfo::setGenerateDate(std::int64_t date)
{
    WriteInt("PxVQRecoveryInfo::setGenerateDate", "generateDate", date);
}

int PxVQRecoveryInfo::getGenerateType() const
{
    return static_cast<int>(ReadInt("PxVQRecoveryInfo::getGenerateType", "generateType"));
}

void PxVQRecoveryInfo::setGenerateType(int type) { WriteInt("PxVQRecoveryInfo::setGenerateType", "generateType", type); }

int PxVQRecoveryInfo::getStagedInstall() const
{
    return static_cast<int>(ReadInt("PxVQRecoveryInfo::getStagedInstall", "stagedInstall"));
}

void PxVQRecoveryInfo::setStagedInstall(int staged)
{
    WriteInt("PxVQRecoveryInfo::setStagedInstall", "stagedInstall", staged);
}

CString PxVQRecoveryInfo::getPackName() const { return ReadText("PxVQRecoveryInfo::getPackName", "packName"); }

void PxVQRecoveryInfo::setPackName(const char* name) { WriteText("PxVQRecoveryInfo::setPackName", "packName", name); }

std::int64_t PxVQRecoveryInfo::getDelayDeployDate() const
{
    return ReadInt("PxVQRecoveryInfo::getDelayDeployDate", "delayDeployDate");
}

void PxVQRecoveryInfo::setDelayDeployDate(std::int64_t date)
{
    WriteInt("PxVQRecoveryInfo::setDelayDeployDate", "delayDeployDate", date);
}

int PxVQRecoveryInfo::getForceDBReOrg() const
{
    return static_cast<int>(ReadInt("PxVQRecoveryInfo::getForceDBReOrg", "forceDBReOrg"));
}

void PxVQRecoveryInfo::setForceDBReOrg(int force) { WriteInt("PxVQRecoveryInfo::setForceDBReOrg", "forceDBReOrg", force); }

void PxVQRecoveryInfo::GetListOfRecoveryFileInfos(PxTypedList<PxVQRecoveryFileInfoPtr>& files) const
{
    ReadList("PxVQRecoveryInfo::GetListOfRecoveryFileInfos", kFiles, files);
}

PxVQRecoveryFileInfoPtr PxVQRecoveryInfo::CreateRecoveryFileInfo(const char* fileName)
{
    Enter("PxVQRecoveryInfo::CreateRecoveryFileInfo");
    PxVQRecoveryFileInfoPtr file = CreateMember(kFiles, "PxVQRecoveryFileInfo");
    file->SetAttributeText("fileName", fileName);
    return file;
}

void PxVQRecoveryInfo::GetListOfRecoveryDBStructs(PxTypedList<PxVQRecoveryDBStructPtr>& structs) const
{
    ReadList("PxVQRecoveryInfo::GetListOfRecoveryDBStructs", kStructs, structs);
}

PxVQRecoveryDBStructPtr PxVQRecoveryInfo::CreateRecoveryDBStruct(const char* structName)
{
    Enter("PxVQRecoveryInfo::CreateRecoveryDBStruct");
    PxVQRecoveryDBStructPtr structure = CreateMember(kStructs, "PxVQRecoveryDBStruct");
    structure->SetAttributeText("structName", structName);
    return structure;
}
