// Design scripts (elements with conditions) and the profiles among them, with their
// ordinates.
#pragma once

#include "proxy/PxLSEElement.h"

class PxLSEScript : public PxLSEElement {
    PX_DECLARE_CLASS(PxLSEScript, PxLSEElement)

    void GetConditions(PxTypedArray<PxLSELogicPtr>& conditions) const;

protected:
    PxLSEScript() = default;
};

class PxLSEProfile : public PxLSEScript {
    PX_DECLARE_CLASS(PxLSEProfile, PxLSEScript)

    PX_VALUE_GETTER(int, IsAutoMaintProfile)
    PX_VALUE_GETTER(int, Duplicates)
    PX_VALUE_GETTER(int, SpanAllEvents)
    // The profile's ordinates, in their order.
    void GetOrdinateDictionary(PxTypedList<PxLSEDataOrdinatePtr>& ordinates) const;

protected:
    PxLSEProfile() = default;
};
