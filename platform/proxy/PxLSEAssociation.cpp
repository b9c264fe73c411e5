#include "proxy/PxLSEAssociation.h"

#include "proxy/PxLSEElement.h"

PX_IMPLEMENT_CLASS(PxLSEAssociation, 0)
PX_IMPLEMENT_CLASS(PxLSERelation, 0)
PX_IMPLEMENT_CLASS(PxLSEDataOrdinate, 0)
PX_IMPLEMENT_CLASS(PxLSEScreenDataUsage, 0)
PX_IMPLEMENT_CLASS(PxLSEKeywordTermItemDataUsage, 0)

PX_IMPLEMENT_TEXT_GETTER(PxLSERelation, RelationString, "relationString")
PX_IMPLEMENT_VALUE_GETTER(PxLSEDataOrdinate, int, Sequence, "sequence")
PX_IMPLEMENT_VALUE_GETTER(PxLSEDataOrdinate, int, LinkIfPresent, "linkIfPresent")
PX_IMPLEMENT_VALUE_GETTER(PxLSEScreenDataUsage, int, Memodata, "memodata")

PxLSEDskObjectPtr PxLSEAssociation::GetSource() const { return ReadObject("PxLSEAssociation::GetSource", "source"); }

PxLSEDskObjectPtr PxLSEAssociation::GetTarget() const { return ReadObject("PxLSEAssociation::GetTarget", "target"); }

char PxLSEScreenDataUsage::GetUsage() const
{
    CString letter = ReadText("PxLSEScreenDataUsage::GetUsage", "usage");
    return letter.IsEmpty() ? ' ' : letter[0];
}

PxLSEElementPtr PxLSEScreenDataUsage::GetTargetElement() const
{
    return ReadObject("PxLSEScreenDataUsage::GetTargetElement", "target");
}
