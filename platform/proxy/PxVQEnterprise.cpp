#include "proxy/PxVQEnterprise.h"

#include "proxy/PxObjectKind.h"

PX_IMPLEMENT_CLASS(PxVQEnterprise, PxKindEnterprise)
