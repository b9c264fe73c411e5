#include "proxy/PxLSEIspec.h"

#include "proxy/PxLSEProfile.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxLSEStructure.h"
#include "proxy/PxTypedList.h"

PX_IMPLEMENT_CLASS(PxLSEIspec, 0)
PX_IMPLEMENT_CLASS(PxLSEEvent, 0)
PX_IMPLEMENT_CLASS(PxLSEComponent, 0)

PX_IMPLEMENT_TEXT_GETTER(PxLSEIspec, PrimaryProfile, "primaryProfile")
PX_IMPLEMENT_VALUE_GETTER(PxLSEIspec, int, ExternalOnlyIspec, "externalOnlyIspec")
PX_IMPLEMENT_VALUE_GETTER(PxLSEIspec, int, Color, "color")
PX_IMPLEMENT_TEXT_GETTER(PxLSEIspec, Subsystem, "subsystem")
PX_IMPLEMENT_VALUE_GETTER(PxLSEIspec, std::int64_t, ChangeTimeStamp, "changeTimeStamp")
PX_IMPLEMENT_VALUE_GETTER(PxLSEIspec, int, CopyFrom, "copyFrom")

int PxLSEIspecUsage::Number() const
{
    switch (m_letter) {
    case 'Q':
        return 15;
    case 'I':
        return 7;
    case 'O':
        return 13;
    case 'B':
        return 0;
    default:
        return -1;
    }
}

char PxLSEComponentType::Letter() const
{
    switch (m_number) {
    case 1:
    case 33:
        return 'D';
    case 10:
    case 42:
        return 'M';
    case 17:
    case 49:
        return 'T';
    default:
        return 'S';
    }
}

PxLSERevisionIdPtr PxLSEIspec::GetTeachRevision() const
{
    return RevisionIn("PxLSEIspec::GetTeachRevision", PxLSEStructure::kTeachRevision);
}

PxLSEIspecUsage PxLSEIspec::GetUsage() const
{
    CString letter = ReadText("PxLSEIspec::GetUsage", "usage");
    return PxLSEIspecUsage(letter.IsEmpty() ? ' ' : letter[0]);
}

void PxLSEIspec::GetScreenDataUsageList(PxTypedList<PxLSEScreenDataUsagePtr>& usages) const
{
    ReadList("PxLSEIspec::GetScreenDataUsageList", PxLSEStructure::kScreenDataUsages, usages);
}

PxLSEComponentType PxLSEComponent::GetType() const
{
    return PxLSEComponentType(static_cast<int>(ReadInt("PxLSEComponent::GetType", "type")));
}

PxLSEProfilePtr PxLSEComponent::GetOrdinateProfile() const
{
    return ReadObject("PxLSEComponent::GetOrdinateProfile", "ordinateProfile");
}
