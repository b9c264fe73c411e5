#include "proxy/PxQSRIspecOptions.h"

#define PX_OPTIONS_CLASS PxQSRIspecOptions
#define PX_OPTIONS_FIELDS "proxy/fields/PxQSRIspecOptions.fields"
#include "proxy/PxOptionsImplement.h"

PX_IMPLEMENT_OPTIONS_CLASS(PxQSRIspecOptions, 0)

int PxQSRIspecOptions::GetOptionsType() const { return VQHostQSR; }

int PxQSRIspecOptions::GetOptionsKind() const { return PxOptionsKindComponent; }

std::vector<std::optional<CString>> PxQSRIspecOptions::OwnSubsystemNumsOf(const std::vector<PxObjectPtr>& records)
{
    return OwnTextsOf(records, PxOption_SubsystemNum);
}
