#include "generate/VqsGenerateHosts.h"

#include "proxy/PxTypedList.h"
#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "shell/VqsSysApp.h"

void VqsFillGenerateHosts(CComboBox& combo, const PxVQGenSetPtr& genSet)
{
    combo.ResetContent();
    if (!genSet)
        return;
    const VqsSysApp* app = VqsGetApp();
    if (PxVQEnterprisePtr enterprise = app ? app->GetEnterprise() : PxVQEnterprisePtr()) {
        PxTypedList<PxVQHostInformationPtr> hosts;
        enterprise->GetListOfHostInformations(hosts);
        const int hostType = genSet->GetHostType();
        const CList<PxVQHostInformationPtr, const PxVQHostInformationPtr&>& list = hosts;
        for (POSITION pos = list.GetHeadPosition(); pos;) {
            const PxVQHostInformationPtr& host = list.GetNext(pos);
            if (host->GetHostType() == hostType)
                combo.AddString(host->GetName());
        }
    }
    const CString named = genSet->GetHostName();
    if (!named.IsEmpty() && combo.SelectString(-1, named) >= 0)
        return;
    if (combo.GetCount() > 0)
        combo.SetCurSel(combo.GetCount() - 1);
}

CString VqsChosenGenerateHost(CComboBox& combo)
{
    CString host;
    const int chosen = combo.GetCurSel();
    if (chosen >= 0)
        combo.GetLBText(chosen, host);
    return host;
}
