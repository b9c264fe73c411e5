// One pair of a business segment's synchronisation list: a design element and the
// element soft link made for it. The generation client's record; the repository keeps
// the lists of its business-segment soft links.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxLSEObject.h"

struct VqcSyncPair {
    PxLSEObjectPtr element;
    PxVQElementSoftLinkPtr link;
};
