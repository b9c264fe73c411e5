#include "options/VqsCopiedIspec.h"

#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxLSEIspec.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "shell/VqsSysApp.h"

namespace {

constexpr int kOutputUsage = 3;

BOOL IsCopiedIspec(const PxVQSoftLinkPtr& link)
{
    const PxVQElementSoftLinkPtr element(link);
    const PxVQBSSoftLinkPtr segmentLink = element ? element->GetBSSoftLink() : PxVQBSSoftLinkPtr();
    const VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr design = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    if (!segmentLink || !design)
        return FALSE;
    const PxLSEBusinessSegmentPtr segment = design->GetBusinessSegment(segmentLink->GetName());
    const PxLSEIspecPtr ispec(segment ? segment->GetElement(element->GetName()) : PxLSEElementPtr());
    return ispec && ispec->GetCopyFrom() > 0;
}

} // namespace

BOOL VqsTakesNoOwnService(const PxVQSoftLinkPtr& link)
{
    const PxVQIspecSoftLinkPtr ispec(link);
    return ispec && (ispec->GetIspecUsage() == kOutputUsage || IsCopiedIspec(link));
}
