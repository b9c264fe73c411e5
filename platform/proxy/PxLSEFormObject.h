// A design element with a form: its graphical, character, data-item and database
// revisions.
#pragma once

#include "proxy/PxLSEElement.h"

class PxLSEFormObject : public PxLSEElement {
    PX_DECLARE_CLASS(PxLSEFormObject, PxLSEElement)

    PxLSERevisionIdPtr GetGraphicalRevision() const;
    PxLSERevisionIdPtr GetCharacterRevision() const;
    PxLSERevisionIdPtr GetDataItemRevision() const;
    PxLSERevisionIdPtr GetDbRevision() const;

protected:
    PxLSEFormObject() = default;
};
