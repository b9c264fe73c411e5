// An Ispec that the design copies from another (copy-from above 0) takes the other's OLTP
// service: its options show the service but take none of their own.
#pragma once

#include "proxy/PxVQSoftLink.h"

// The design element of the link's name in the design business segment of its segment's
// name is an Ispec with copy-from above 0.
BOOL VqsIsCopiedIspec(const PxVQSoftLinkPtr& link);
