// The model's openers of the configuration's edit dialogs: each prepares what its dialog
// needs (child lists, the object's edition), runs the dialog with no parent window and hands
// back what it made. The dialogs write, lock and tell the views themselves.
#include "model/VqsModel.h"

#include "config/VqsOptBundleDlg.h"
#include "config/VqsOptIspecBundleDlg.h"
#include "config/VqsOptRepAliasDlg.h"
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

constexpr UINT IDS_CANNOT_COLLECT_REPORTS = 61583;
constexpr UINT IDS_CANNOT_ACCESS_OPTION_SET = 61641;
constexpr UINT IDS_CANNOT_ACCESS_GROUPS = 61694;
constexpr UINT IDS_CANNOT_ADD_REPORT = 61756;
constexpr UINT IDS_CANNOT_ACCESS_BUNDLES = 61889;
constexpr UINT IDS_CANNOT_ADD_BUNDLE = 61890;

} // namespace

PxVQReportGroupPtr VqsModel::OpenReportGroupDlg(VqsLockBag& bag, VqsModelNodeBSLink* linkNode)
{
    bag.Release();
    VqsOptRepGroupDlg dialog(linkNode, nullptr);
    if (dialog.DoModal() == IDCANCEL)
        return PxVQReportGroupPtr();
    return dialog.GetReportGroup();
}

PxVQBundlePtr VqsModel::OpenBundleDlg(VqsLockBag& bag, VqsModelNodeBSLink* linkNode)
{
    bag.Release();
    VqsOptBundleDlg dialog(linkNode, nullptr);
    if (dialog.DoModal() == IDCANCEL)
        return PxVQBundlePtr();
    return dialog.GetBundle();
}

void VqsModel::EditBundle(VqsLockBag& bag, VqsModelNodeBundle* bundle)
{
    try {
        VqsOptBundleEditDlg dialog(&bag, bundle, bundle->GetBundle()->GetObjectEdition(), nullptr);
        dialog.DoModal();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_BUNDLES, error);
    }
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

// The dialog catches the repository failures of its own steps.
PxVQReportSoftLinkAliasPtr VqsModel::EditRepAlias(VqsLockBag& bag, VqsModelNodeRepGroup* group)
{
    try {
        group->LoadRepAliases(VqsLoadCached);
        group->GetBSLinkNode()->LoadElementLinks(VqsLoadCached);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ADD_REPORT, error);
        return PxVQReportSoftLinkAliasPtr();
    }
    VqsOptRepAliasDlg dialog(&bag, group, nullptr);
    if (dialog.DoModal() == IDCANCEL)
        return PxVQReportSoftLinkAliasPtr();
    return dialog.GetAlias();
}

void VqsModel::EditReportAlias(VqsLockBag& bag, VqsModelNodeRepAlias* alias, VqsModelNodeElementLink* report)
{
    try {
        VqsOptRepAliasEditDlg dialog(&bag, alias, alias->GetReportAlias()->GetObjectEdition(), report,
                                     report->GetElementSoftLink()->GetObjectEdition(), nullptr);
        dialog.DoModal();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_REPORTS, error);
    }
}

void VqsModel::OpenIspecBundleDlg(VqsLockBag& bag, VqsModelNodeBundle* bundle)
{
    VqsOptIspecBundleDlg dialog(&bag, bundle, nullptr);
    dialog.DoModal();
}

// The dialog catches the repository failures of its own steps.
void VqsModel::EditIspecBundle(VqsLockBag& bag, VqsModelNodeBundle* bundle)
{
    try {
        bundle->LoadIspecBundleData(VqsLoadCached);
        bundle->GetBSLinkNode()->LoadElementLinks(VqsLoadCached);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ADD_BUNDLE, error);
        return;
    }
    OpenIspecBundleDlg(bag, bundle);
}
