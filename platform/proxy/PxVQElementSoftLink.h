// The soft link of a design element, under its business segment's soft link.
#pragma once

#include "proxy/PxVQSoftLink.h"

class PxVQElementSoftLink : public PxVQSoftLink {
    PX_DECLARE_CLASS(PxVQElementSoftLink, PxVQSoftLink)

    PxVQBSSoftLinkPtr GetBSSoftLink() const;

protected:
    PxVQElementSoftLink() = default;
    PxVQConfigPtr ConfigOfLink() const override;
};
