#include "proxy/PxNTGLGOptions.h"

#define PX_OPTIONS_CLASS PxNTGLGOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxNTGLGOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxNTGLGOptions, 0)

int PxNTGLGOptions::GetOptionsType() const { return VQHostNT; }
