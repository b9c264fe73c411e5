#include "proxy/PxLSEFormObject.h"

#include "proxy/PxLSERevisionId.h"
#include "proxy/PxLSEStructure.h"

PX_IMPLEMENT_CLASS(PxLSEFormObject, 0)

using namespace PxLSEStructure;

PxLSERevisionIdPtr PxLSEFormObject::GetGraphicalRevision() const
{
    return RevisionIn("PxLSEFormObject::GetGraphicalRevision", kGraphicalRevision);
}

PxLSERevisionIdPtr PxLSEFormObject::GetCharacterRevision() const
{
    return RevisionIn("PxLSEFormObject::GetCharacterRevision", kCharacterRevision);
}

PxLSERevisionIdPtr PxLSEFormObject::GetDataItemRevision() const
{
    return RevisionIn("PxLSEFormObject::GetDataItemRevision", kDataItemRevision);
}

PxLSERevisionIdPtr PxLSEFormObject::GetDbRevision() const
{
    return RevisionIn("PxLSEFormObject::GetDbRevision", kDbRevision);
}
