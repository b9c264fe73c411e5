#include "options_qsr/VqsQSRPackNames.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQPackInformation.h"
#include "shell/VqsSysApp.h"

CStringArray VqsEnterprisePackNames()
{
    CStringArray names;
    VqsSysApp* app = VqsGetApp();
    const PxVQEnterprisePtr enterprise = app ? app->GetEnterprise() : PxVQEnterprisePtr();
    if (!enterprise)
        return names;
    PxTypedList<PxVQPackInformationPtr> packs;
    enterprise->GetListOfPackInformations(packs);
    for (POSITION pos = packs.GetHeadPosition(); pos;) {
        const CString name = packs.GetNext(pos)->GetName();
        if (!name.IsEmpty())
            names.Add(name);
    }
    return names;
}
