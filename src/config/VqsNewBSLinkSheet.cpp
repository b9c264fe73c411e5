#include "config/VqsNewBSLinkSheet.h"

#include "model/VqsModelNodeSystem.h"
#include "proxy/PxVQTypes.h"
#include "win/CPropertySheet.h"

namespace {

constexpr UINT IDS_NEW_SYSTEM_WIZARD = 61466;

} // namespace

VqsNewBSLinkSheet::VqsNewBSLinkSheet(VqsLockBag* creatorBag, VqsModelNodeCurConfig* config, CWnd* parent)
    : VqsPropertySheet(IDS_NEW_SYSTEM_WIZARD, parent, 0), m_pCreatorBag(creatorBag), m_pConfig(config)
{
    AddPage(&m_genPage);
    m_genPage.m_pSheet = this;
    AddPage(&m_synchPage);
    m_synchPage.m_pSheet = this;
    AddPage(&m_packPage);
    m_packPage.m_pSheet = this;
    AddPage(&m_gsPage);
    m_gsPage.m_pSheet = this;
    AddPage(&m_targetHostPage);
    m_targetHostPage.m_pWizard = this;
    AddPage(&m_gsPackPage);
    m_gsPackPage.m_pWizard = this;
    AddPage(&m_hostPage);
    m_hostPage.m_pWizard = this;
    AddPage(&m_ftpPage);
    m_ftpPage.m_pWizard = this;
    SetWizardMode();
}

VqsNewBSLinkSheet::~VqsNewBSLinkSheet() { m_bsLock.Unlock(); }

BOOL VqsNewBSLinkSheet::HasPackConflict(int hostType) const
{
    if (hostType == VQHostNT)
        return m_bNTPackConflict;
    return hostType == VQHostUnix ? m_bUnixPackConflict : FALSE;
}

VqsModelNode* VqsNewBSLinkSheet::GetTargetNode() { return m_pConfig; }

VqsModelNodeEnterprise* VqsNewBSLinkSheet::GetEnterpriseNode() { return m_pConfig ? m_pConfig->GetRoot() : nullptr; }

VqsPlatformPacks& VqsNewBSLinkSheet::GetPlatformPacks(int hostType)
{
    return hostType == VQHostNT ? m_ntPacks : m_unixPacks;
}

std::unique_ptr<VqsNewBSLinkSheet> VqsRunNewBSLinkWizard(VqsLockBag* creatorBag, VqsModelNodeCurConfig* config,
                                                         CWnd* parent, std::function<BOOL(VqsNewBSLinkSheet&)> creation)
{
    auto sheet = std::make_unique<VqsNewBSLinkSheet>(creatorBag, config, parent);
    if (creation)
        sheet->SetCreation([&sheet = *sheet, creation = std::move(creation)] { return creation(sheet); });
    if (sheet->DoModal() != ID_WIZFINISH)
        return nullptr;
    return sheet;
}
