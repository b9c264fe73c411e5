// The model's openers of the host and pack dialogs.
#include "hosts/VqsHostNewSheet.h"
#include "hosts/VqsHostSpecDlg.h"
#include "hosts/VqsPackNewDlg.h"
#include "hosts/VqsPackSpecDlg.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeHost.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"

namespace {

constexpr UINT IDS_NEW_HOST_WIZARD = 61611;
constexpr UINT IDS_CANNOT_COLLECT_HOST = 61494;
constexpr UINT IDS_CANNOT_COLLECT_HOST_OPTIONS = 61618;
constexpr UINT IDS_CANNOT_COLLECT_PACKS = 61624;
constexpr UINT IDS_CANNOT_ACCESS_ASSOCIATION = 61741;

VqsModelNodePackAssociation* AssociationWithHost(VqsModelNodePack* pack, const PxVQHostInformationPtr& host)
{
    if (!host)
        return nullptr;
    CObList associations;
    pack->GetPackAssociationNodes(associations);
    for (POSITION pos = associations.GetHeadPosition(); pos;) {
        auto* association = static_cast<VqsModelNodePackAssociation*>(associations.GetNext(pos));
        const PxVQHostInformationPtr associated = association->GetHostInformation();
        if (associated && associated->IsSameOid(host))
            return association;
    }
    return nullptr;
}

} // namespace

void VqsModel::EditHost(VqsLockBag& bag, VqsModelNodeHost* host)
{
    try {
        const PxObjectEdition edition = host->GetHostInformation()->GetObjectEdition();
        VqsHostSpecDlg dialog(&bag, &m_root, host, edition, nullptr);
        dialog.DoModal();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_HOST_OPTIONS, error);
    }
}

void VqsModel::EditPack(VqsLockBag& bag, VqsModelNodePack* pack, const PxVQHostInformationPtr& host)
{
    try {
        pack->LoadPackAssociations(VqsLoadCached);
        VqsModelNodePackAssociation* association = AssociationWithHost(pack, host);
        VqsModelNodeHost* hostNode = nullptr;
        if (association) {
            {
                VqsSysApp* app = VqsGetApp();
                VqsLockScope scope(app ? app->GetLink() : nullptr);
                if (!bag.LockNode(association))
                    return;
            }
            association->Refresh();
            hostNode = LockHostNode(bag, host);
            if (!hostNode)
                return;
        }
        VqsPackSpecDlg dialog(&bag, association, pack, hostNode, nullptr);
        dialog.DoModal();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_ASSOCIATION, error);
    }
}

PxVQHostInformationPtr VqsModel::RunNewHostSheet(VqsLockBag& bag)
{
    PxVQHostInformationPtr host;
    try {
        const PxObjectEdition edition = m_root.GetEnterprise()->GetObjectEdition();
        m_root.LoadHosts(VqsLoadCached);
        VqsHostNewSheet sheet(IDS_NEW_HOST_WIZARD, &m_root, &bag, edition, nullptr);
        if (sheet.DoModal() != ID_WIZFINISH)
            return host;
        const VqsHostNewGeneralPage& general = sheet.m_generalPage;
        const VqsHostNewFTPPage& ftp = sheet.m_ftpPage;
        AddHostInformation(host, general.m_name.GetValue(), general.m_nHostType, general.m_address.GetValue(),
                           general.m_port.GetValue(), ftp.m_userId.GetValue(), ftp.m_password.GetValue());
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_HOST, error);
        host = PxVQHostInformationPtr();
    }
    return host;
}

PxVQPackInformationPtr VqsModel::CreatePack(VqsLockBag& bag)
{
    PxVQPackInformationPtr pack;
    try {
        const PxObjectEdition edition = m_root.GetEnterprise()->GetObjectEdition();
        m_root.LoadPacks(VqsLoadCached);
        bag.Release();
        VqsPackNewDlg dialog(&m_root, &bag, edition, nullptr);
        if (dialog.DoModal() == IDCANCEL)
            return pack;
        AddPackInformation(pack, dialog.GetPackName(), dialog.GetPackType());
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_PACKS, error);
        pack = PxVQPackInformationPtr();
    }
    return pack;
}
