#include "proxy/PxNTBSegOptions.h"

#define PX_OPTIONS_CLASS PxNTBSegOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxNTBSegOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxNTBSegOptions, 0)

int PxNTBSegOptions::GetOptionsType() const { return VQHostNT; }

CString PxNTBSegOptions::GetInitialPackName(const char* segmentName, int packKind)
{
    return PxInitialPackName(VQHostNT, segmentName, packKind);
}
