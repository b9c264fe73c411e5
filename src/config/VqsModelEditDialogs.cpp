// The model's openers of the configuration's edit dialogs: each prepares what its dialog
// needs (child lists, the object's edition), runs the dialog with no parent window and hands
// back what it made. The dialogs write, lock and tell the views themselves.
#include "model/VqsModel.h"

#include "config/VqsOptRepGroupDlg.h"
#include "config/VqsOptionsGenSetDlg.h"
#include "model/VqsLockBag.h"
#include "model/VqsModelNodeGroups.h"
#include "model/VqsModelNodeLink.h"
#include "model/VqsModelNodeOSet.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

namespace {

constexpr UINT IDS_CANNOT_ACCESS_OPTION_SET = 61641;
constexpr UINT IDS_CANNOT_ACCESS_GROUPS = 61694;

} // namespace

PxVQReportGroupPtr VqsModel::OpenReportGroupDlg(VqsLockBag& bag, VqsModelNodeBSLink* linkNode)
{
    bag.Release();
    VqsOptRepGroupDlg dialog(linkNode, nullptr);
    if (dialog.DoModal() == IDCANCEL)
        return PxVQReportGroupPtr();
    return dialog.GetReportGroup();
}

void VqsModel::EditReportGroup(VqsLockBag& bag, VqsModelNodeRepGroup* group)
{
    try {
        VqsOptRepGroupEditDlg dialog(&bag, group, group->GetReportGroup()->GetObjectEdition(), nullptr);
        dialog.DoModal();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_GROUPS, error);
    }
}

void VqsModel::EditGenSet(VqsLockBag& bag, VqsModelNodeGenSet* genSet)
{
    try {
        GetRootNode().LoadHosts(VqsLoadCached);
        VqsOptionsGenSetDlg dialog(&bag, genSet, genSet->GetOptionSet()->GetObjectEdition(), nullptr);
        dialog.DoModal();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_OPTION_SET, error);
    }
}
