#include "options_qsr/VqsQSRElementSupport.h"

#include "model/VqsModelNodeLink.h"
#include "options/VqsEnterprisePackNames.h"
#include "options/VqsOptionsSheet.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQIspecSoftLink.h"
#include "proxy/PxVQPackInformation.h"
#include "shell/VqsSysApp.h"

namespace vqsqsr {

namespace {

constexpr int kInputUsage = 2;

BOOL IsExtractPackType(int type) { return type == 0 || type == 1; }

} // namespace

CStringArray PackNames(BOOL extractPacksOnly)
{
    return VqsEnterprisePackNames([extractPacksOnly](const PxVQPackInformationPtr& pack, const CString& name) {
        return !name.IsEmpty() && (!extractPacksOnly || IsExtractPackType(pack->GetPackType()));
    });
}

PxVQBSSoftLinkPtr SegmentLinkOf(const VqsOptionsSheet& sheet)
{
    VqsModelNodeLink* node = sheet.GetOptionNode();
    VqsModelNodeBSLink* segment = node ? node->GetBSLinkNode() : nullptr;
    return segment ? segment->GetBSSoftLink() : PxVQBSSoftLinkPtr();
}

PxLSEBusinessSegmentPtr DesignSegmentOf(const VqsOptionsSheet& sheet)
{
    const PxVQBSSoftLinkPtr link = SegmentLinkOf(sheet);
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr design = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    if (!link || !design)
        return PxLSEBusinessSegmentPtr();
    return design->GetBusinessSegment(link->GetName());
}

BOOL IsInputIspec(const PxOptions& record)
{
    const auto* options = dynamic_cast<const PxVQOptions*>(&record);
    const PxVQIspecSoftLinkPtr ispec(options ? options->GetSoftLink() : PxVQSoftLinkPtr());
    return ispec && ispec->GetIspecUsage() == kInputUsage;
}

} // namespace vqsqsr
