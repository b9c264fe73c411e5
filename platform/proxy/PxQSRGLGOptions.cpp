#include "proxy/PxQSRGLGOptions.h"

#define PX_OPTIONS_CLASS PxQSRGLGOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxQSRGLGOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxQSRGLGOptions, 0)

int PxQSRGLGOptions::GetOptionsType() const { return VQHostQSR; }
