#include "proxy/PxSQLScript.h"

PX_IMPLEMENT_CLASS(PxSQLScript, 0)
