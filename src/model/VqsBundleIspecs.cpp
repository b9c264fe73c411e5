#include "model/VqsBundleIspecs.h"

#include "proxy/PxVQTypes.h"

void VqsCollectBundleIspecs(const PxVQBSSoftLinkPtr& bsSoftLink, PxTypedList<PxVQIspecSoftLinkPtr>& ispecs)
{
    ispecs.RemoveAll();
    PxTypedList<PxVQElementSoftLinkPtr> links;
    bsSoftLink->GetListOfElementSoftLinks(links);
    for (POSITION position = links.GetHeadPosition(); position;) {
        PxVQElementSoftLinkPtr link = links.GetNext(position);
        if (!link->_IsKindOf("PxVQIspecSoftLink"))
            continue;
        PxVQIspecSoftLinkPtr ispec(link);
        const int usage = ispec->GetIspecUsage();
        if (usage != WYR_ISPEC_USAGE_NONE && usage != WYR_ISPEC_USAGE_OUTPUT)
            ispecs.AddTail(ispec);
    }
}
