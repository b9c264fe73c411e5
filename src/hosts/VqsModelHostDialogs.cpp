// The model's openers of the host and pack dialogs.
#include "hosts/VqsHostNewSheet.h"
#include "hosts/VqsHostSpecDlg.h"
#include "hosts/VqsPackNewDlg.h"
#include "hosts/VqsPackSpecDlg.h"
#include "model/VqsCreationLocks.h"
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

// A dialog's Finish: its creation, stored whole or not at all; a repository failure is
// shown and keeps the dialog open.
BOOL CreateForDialog(VqsModel& model, const VqsCreation& creation, UINT failureId)
{
    try {
        return model.CreateAllOrNothing(nullptr, creation) ? TRUE : FALSE;
    } catch (const VqReportableException& error) {
        ShowErrorById(failureId, error);
        return FALSE;
    }
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
        // The wizard holds nothing while the user fills in its first page.
        bag.Release();
        VqsHostNewSheet sheet(IDS_NEW_HOST_WIZARD, &m_root, &bag, edition, nullptr);
        const VqsHostNewGeneralPage& general = sheet.m_generalPage;
        const VqsHostNewFTPPage& ftp = sheet.m_ftpPage;
        VqsCreation creation;
        creation.pageLocks = sheet.GetPageLocks();
        creation.lock = [this](VqsCreationLocks& locks) { return LockForHost(locks.write); };
        creation.findNameTaken = [&sheet] { return sheet.m_generalPage.FindNameTaken(); };
        creation.steps = [&] {
            return AddHostInformation(host, general.m_name.GetValue(), general.m_nHostType,
                                      general.m_address.GetValue(), general.m_port.GetValue(),
                                      ftp.m_userId.GetValue(), ftp.m_password.GetValue())
                       ? 1
                       : 0;
        };
        sheet.SetCreation([&] { return CreateForDialog(*this, creation, IDS_CANNOT_COLLECT_HOST); });
        if (sheet.DoModal() != ID_WIZFINISH)
            host = PxVQHostInformationPtr();
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
        VqsPackNewDlg dialog(&m_root, edition, nullptr);
        VqsCreation creation;
        creation.pageLocks = {&bag};
        creation.lock = [this](VqsCreationLocks& locks) { return LockForPack(locks.write); };
        creation.findNameTaken = [&dialog] { return dialog.FindNameTaken(); };
        creation.steps = [&] { return AddPackInformation(pack, dialog.GetPackName(), dialog.GetPackType()) ? 1 : 0; };
        dialog.SetCreation([&] { return CreateForDialog(*this, creation, IDS_CANNOT_COLLECT_PACKS); });
        if (dialog.DoModal() == IDCANCEL)
            pack = PxVQPackInformationPtr();
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_COLLECT_PACKS, error);
        pack = PxVQPackInformationPtr();
    }
    return pack;
}
