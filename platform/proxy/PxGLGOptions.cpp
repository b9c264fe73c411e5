#include "proxy/PxGLGOptions.h"

#define PX_OPTIONS_CLASS PxGLGOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxGLGOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxGLGOptions, 0)

int PxGLGOptions::GetOptionsKind() const { return PxOptionsKindGlobalLogic; }
