#include "proxy/PxTarskGLGOptions.h"

#define PX_OPTIONS_CLASS PxTarskGLGOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxTarskGLGOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxTarskGLGOptions, 0)

int PxTarskGLGOptions::GetOptionsType() const { return VQHostTarsk; }
