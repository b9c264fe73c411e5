// A revision identifier of a design object: a GUID and whether the revision is still to
// be taken over by the generation side.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxLSEObject.h"
#include "win/Types.h"

class PxLSERevisionId : public PxLSEObject {
    PX_DECLARE_CLASS(PxLSERevisionId, PxLSEObject)

    GUID GetGuid() const;
    int GetUpdated() const;
    void SetUpdated(int updated);

protected:
    PxLSERevisionId() = default;
};
