// Which Ispecs a bundle may hold.
#pragma once

#include "proxy/PxForward.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"

// The business segment link's Ispec links that have a usage and are not output only, in
// the link's order.
void VqsCollectBundleIspecs(const PxVQBSSoftLinkPtr& bsSoftLink, PxTypedList<PxVQIspecSoftLinkPtr>& ispecs);
