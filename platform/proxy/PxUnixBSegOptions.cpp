#include "proxy/PxUnixBSegOptions.h"

#define PX_OPTIONS_CLASS PxUnixBSegOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxUnixBSegOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxUnixBSegOptions, 0)

int PxUnixBSegOptions::GetOptionsType() const { return VQHostUnix; }

const char* PxUnixBSegOptions::SubOptionsClass() const { return "PxUnixOracleDBPartitionOptions"; }

CString PxUnixBSegOptions::GetInitialPackName(const char* segmentName, int packKind)
{
    return PxInitialPackName(VQHostUnix, segmentName, packKind);
}
