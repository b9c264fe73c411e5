#include "proxy/PxUnixGLGOptions.h"

#define PX_OPTIONS_CLASS PxUnixGLGOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxUnixGLGOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxUnixGLGOptions, 0)

int PxUnixGLGOptions::GetOptionsType() const { return VQHostUnix; }
