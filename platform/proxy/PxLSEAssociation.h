// Design associations between two design objects: relations between elements (with a
// relation string; an "O" or "o" in it marks the ordinate relation) and the ordinates of
// a profile (its data items, in sequence).
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxLSEObject.h"
#include "proxy/PxProperty.h"

class PxLSEAssociation : public PxLSEObject {
    PX_DECLARE_CLASS(PxLSEAssociation, PxLSEObject)

    PxLSEDskObjectPtr GetSource() const;
    PxLSEDskObjectPtr GetTarget() const;

protected:
    PxLSEAssociation() = default;
};

class PxLSERelation : public PxLSEAssociation {
    PX_DECLARE_CLASS(PxLSERelation, PxLSEAssociation)

    PX_TEXT_GETTER(RelationString)

protected:
    PxLSERelation() = default;
};

class PxLSEDataOrdinate : public PxLSEAssociation {
    PX_DECLARE_CLASS(PxLSEDataOrdinate, PxLSEAssociation)

    PX_VALUE_GETTER(int, Sequence)
    PX_VALUE_GETTER(int, LinkIfPresent)

protected:
    PxLSEDataOrdinate() = default;
};

// The use of a data item (or keyword) on an Ispec's screen: a usage letter (D, B, O, ...),
// whether it is memo data, and the item.
class PxLSEScreenDataUsage : public PxLSEObject {
    PX_DECLARE_CLASS(PxLSEScreenDataUsage, PxLSEObject)

    char GetUsage() const;
    PX_VALUE_GETTER(int, Memodata)
    PxLSEElementPtr GetTargetElement() const;

protected:
    PxLSEScreenDataUsage() = default;
};

class PxLSEKeywordTermItemDataUsage : public PxLSEScreenDataUsage {
    PX_DECLARE_CLASS(PxLSEKeywordTermItemDataUsage, PxLSEScreenDataUsage)

protected:
    PxLSEKeywordTermItemDataUsage() = default;
};
