#include "proxy/PxLSEObject.h"

PX_IMPLEMENT_CLASS(PxLSEObject, 0)
