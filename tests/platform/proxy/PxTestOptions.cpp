#include "PxTestOptions.h"

#include "proxy/PxTesting.h"

#define PX_OPTIONS_CLASS PxTestOptions
#define PX_OPTIONS_FIELDS "platform/proxy/PxTestOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxTestOptions, 0)

void PxTestOptions::Register() { PxTesting::AddClass(ClassInfo()); }
