#include "proxy/PxLSEBusinessSegment.h"

#include "proxy/PxLSEParts.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxLSEStructure.h"
#include "proxy/PxTypedList.h"

PX_IMPLEMENT_CLASS(PxLSEBusinessSegment, 0)

PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, ForegroundColor, "foregroundColor")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, BackgroundColor, "backgroundColor")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, RocRequired, "rocRequired")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, TwoPhaseCommit, "twoPhaseCommit")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, ExtendedReportRecovery, "extendedReportRecovery")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, ProductionSystem, "productionSystem")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, JapaneseSupport, "japaneseSupport")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, TargetHostNt, "targetHostNt")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, TargetHostQsr, "targetHostQsr")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, TargetHostOsTarsk, "targetHostOsTarsk")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, TargetHostUnix, "targetHostUnix")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, AllowBigBuffers, "allowBigBuffers")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, BraskSupplied, "braskSupplied")
PX_IMPLEMENT_VALUE_GETTER(PxLSEBusinessSegment, int, CcsVersionSupport, "ccsVersionSupport")

using namespace PxLSEStructure;

void PxLSEBusinessSegment::GetElementList(PxTypedList<PxLSEElementPtr>& elements) const
{
    ReadList("PxLSEBusinessSegment::GetElementList", kElements, elements);
}

PxLSEElementPtr PxLSEBusinessSegment::GetElement(const char* name) const
{
    Enter("PxLSEBusinessSegment::GetElement");
    return FindMember(kElements, "name", name);
}

PxLSERevisionIdPtr PxLSEBusinessSegment::GetGSDRevision() const
{
    return RevisionIn("PxLSEBusinessSegment::GetGSDRevision", kGSDRevision);
}

PxLSERevisionIdPtr PxLSEBusinessSegment::GetAllElementsRevision() const
{
    return RevisionIn("PxLSEBusinessSegment::GetAllElementsRevision", kAllElementsRevision);
}

PxLSERevisionIdPtr PxLSEBusinessSegment::GetSyncGenRevision() const
{
    return RevisionIn("PxLSEBusinessSegment::GetSyncGenRevision", kSyncGenRevision);
}

void PxLSEBusinessSegment::GetMultiLangList(PxTypedList<PxLSELanguagePtr>& languages) const
{
    ReadList("PxLSEBusinessSegment::GetMultiLangList", kLanguages, languages);
}

PxLSELanguagePtr PxLSEBusinessSegment::GetPrimaryLanguage() const
{
    return ReadObject("PxLSEBusinessSegment::GetPrimaryLanguage", "primaryLanguage");
}

void PxLSEBusinessSegment::GetSubsystemList(PxTypedList<PxLSESubsystemPtr>& subsystems) const
{
    ReadList("PxLSEBusinessSegment::GetSubsystemList", kSubsystems, subsystems);
}

std::vector<PxLSEBusinessSegment::Parts> PxLSEBusinessSegment::PartsOf(const std::vector<PxObjectPtr>& segments)
{
    std::vector<std::vector<std::vector<PxObjectPtr>>> lists =
        ReadMembersOfEach({{"PxLSEBusinessSegment::GetElementList", segments, kElements, true},
                           {"PxLSEBusinessSegment::GetSubsystemList", segments, kSubsystems, true}});
    std::vector<Parts> parts(segments.size());
    for (std::size_t index = 0; index < segments.size(); ++index)
        parts[index] = {std::move(lists[0][index]), std::move(lists[1][index])};
    return parts;
}
