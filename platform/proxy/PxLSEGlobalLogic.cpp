#include "proxy/PxLSEGlobalLogic.h"

PX_IMPLEMENT_CLASS(PxLSEGlobalLogic, 0)

PX_IMPLEMENT_VALUE_GETTER(PxLSEGlobalLogic, int, Performable, "performable")
PX_IMPLEMENT_TEXT_GETTER(PxLSEGlobalLogic, Parameters, "parameters")
