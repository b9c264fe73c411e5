#include "proxy/PxLSEElement.h"

#include "proxy/PxLSEAssociation.h"
#include "proxy/PxLSERevisionId.h"
#include "proxy/PxLSEStructure.h"
#include "proxy/PxTypedList.h"

PX_IMPLEMENT_CLASS(PxLSEDskObject, 0)
PX_IMPLEMENT_CLASS(PxLSEElement, 0)

PX_IMPLEMENT_TEXT_GETTER(PxLSEDskObject, Name, "name")
PX_IMPLEMENT_TEXT_GETTER(PxLSEDskObject, LongName, "longName")
PX_IMPLEMENT_TEXT_GETTER(PxLSEDskObject, Description, "description")

PxLSERevisionIdPtr PxLSEElement::RevisionIn(const char* operation, const char* role) const
{
    Enter(operation);
    return FirstMember(role);
}

PxLSERevisionIdPtr PxLSEElement::GetRevision() const
{
    return RevisionIn("PxLSEElement::GetRevision", PxLSEStructure::kRevision);
}

void PxLSEElement::GetTargetList(PxTypedList<PxLSERelationPtr>& relations) const
{
    ReadList("PxLSEElement::GetTargetList", PxLSEStructure::kTargets, relations);
}

void PxLSEElement::GetSourceList(PxTypedList<PxLSERelationPtr>& relations) const
{
    ReadList("PxLSEElement::GetSourceList", PxLSEStructure::kSources, relations);
}
