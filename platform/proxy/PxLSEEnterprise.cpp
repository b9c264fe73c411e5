#include "proxy/PxLSEEnterprise.h"

PX_IMPLEMENT_CLASS(PxLSEEnterprise, 0)
