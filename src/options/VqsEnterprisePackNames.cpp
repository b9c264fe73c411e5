#include "options/VqsEnterprisePackNames.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQEnterprise.h"
#include "shell/VqsSysApp.h"

CStringArray VqsEnterprisePackNames(const VqsPackOffer& offered)
{
    CStringArray names;
    VqsSysApp* app = VqsGetApp();
    const PxVQEnterprisePtr enterprise = app ? app->GetEnterprise() : PxVQEnterprisePtr();
    if (!enterprise)
        return names;
    PxTypedList<PxVQPackInformationPtr> packs;
    enterprise->GetListOfPackInformations(packs);
    for (POSITION pos = packs.GetHeadPosition(); pos;) {
        const PxVQPackInformationPtr pack = packs.GetNext(pos);
        const CString name = pack->GetName();
        if (offered(pack, name))
            names.Add(name);
    }
    return names;
}

CStringArray VqsEnterprisePackNames()
{
    return VqsEnterprisePackNames([](const PxVQPackInformationPtr&, const CString& name) { return !name.IsEmpty(); });
}

CStringArray VqsEveryEnterprisePackName()
{
    return VqsEnterprisePackNames([](const PxVQPackInformationPtr&, const CString&) { return true; });
}
