// An Ispec that the design copies from another (copy-from above 0) takes the other's OLTP
// service, and an output Ispec serves none: the options of either take no service of their own.
#pragma once

#include "proxy/PxVQSoftLink.h"

// The link is an output Ispec's, or the design element of its name in the design business
// segment of its segment's name is an Ispec with copy-from above 0.
BOOL VqsTakesNoOwnService(const PxVQSoftLinkPtr& link);
