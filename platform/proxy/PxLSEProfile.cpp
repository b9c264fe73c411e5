#include "proxy/PxLSEProfile.h"

#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSEParts.h"
#include "proxy/PxLSEStructure.h"
#include "proxy/PxTypedList.h"

PX_IMPLEMENT_CLASS(PxLSEScript, 0)
PX_IMPLEMENT_CLASS(PxLSEProfile, 0)

PX_IMPLEMENT_VALUE_GETTER(PxLSEProfile, int, IsAutoMaintProfile, "isAutoMaintProfile")
PX_IMPLEMENT_VALUE_GETTER(PxLSEProfile, int, Duplicates, "duplicates")
PX_IMPLEMENT_VALUE_GETTER(PxLSEProfile, int, SpanAllEvents, "spanAllEvents")

void PxLSEScript::GetConditions(PxTypedArray<PxLSELogicPtr>& conditions) const
{
    ReadList("PxLSEScript::GetConditions", PxLSEStructure::kConditions, conditions);
}

void PxLSEProfile::GetOrdinateDictionary(PxTypedList<PxLSEDataOrdinatePtr>& ordinates) const
{
    ReadList("PxLSEProfile::GetOrdinateDictionary", PxLSEStructure::kOrdinates, ordinates);
}
