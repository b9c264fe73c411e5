// What the generation commands of the directory view work out before their dialogs: the
// name of the system, the generate sets that some host of the enterprise can take and the
// report triples of a report generation.
#include "sysview/VqsDirectoryView.h"

#include "generate/VqsGenerateReportDlg.h"

#include "proxy/PxVQEnterprise.h"
#include "proxy/PxVQHostInformation.h"
#include "proxy/PxVQSystem.h"
#include "proxy/VqException.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "sysview/VqsConfigTreeItem.h"

#include <set>

namespace {

constexpr UINT IDS_NO_GENERATE_SETS = 61521;
constexpr UINT IDS_CANNOT_PROCEED_WITH_GENERATION = 61520;

std::set<int> HostTypesOfEnterprise()
{
    std::set<int> types;
    VqsSysApp* app = VqsGetApp();
    const PxVQEnterprisePtr enterprise = app ? app->GetEnterprise() : PxVQEnterprisePtr();
    if (!enterprise)
        return types;
    PxTypedList<PxVQHostInformationPtr> hosts;
    enterprise->GetListOfHostInformations(hosts);
    for (POSITION position = hosts.GetHeadPosition(); position;)
        types.insert(hosts.GetNext(position)->GetHostType());
    return types;
}

} // namespace

CString VqsDirectoryView::GetSystemText(const PxVQCurConfigPtr& config)
{
    try {
        const PxVQSystemPtr system = config ? config->GetSystem() : PxVQSystemPtr();
        if (!system)
            return CString();
        return VqsShownName(system);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return CString();
    }
}

BOOL VqsDirectoryView::CollectGenerateSets(const PxVQCurConfigPtr& config, PxTypedList<PxVQGenSetPtr>& genSets)
{
    try {
        const std::set<int> hostTypes = HostTypesOfEnterprise();
        PxTypedList<PxVQOptionSetPtr> optionSets;
        config->GetListOfOptionSets(optionSets);
        for (POSITION position = optionSets.GetHeadPosition(); position;) {
            const PxVQOptionSetPtr optionSet = optionSets.GetNext(position);
            if (optionSet && optionSet->_IsKindOf("PxVQGenSet") && hostTypes.count(optionSet->GetHostType()))
                genSets.AddTail(PxVQGenSetPtr(optionSet));
        }
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_PROCEED_WITH_GENERATION, error);
        return FALSE;
    }
    if (genSets.IsEmpty()) {
        VqsMessageBoxId(IDS_NO_GENERATE_SETS);
        return FALSE;
    }
    return TRUE;
}

BOOL VqsDirectoryView::BuildReportSyncList(VqsGenerateReportDlg& dialog, VqsBSSyncRecord& reports,
                                           const VqsElementSyncRecord& elements)
{
    return VqsBuildReportSyncList(GetSysFrame(), dialog, reports, elements);
}
