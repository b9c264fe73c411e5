#include "config/VqsNewGenSetSheet.h"

#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeSystem.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQConfig.h"
#include "proxy/PxVQTypes.h"
#include "proxy/VqException.h"
#include "shell/VqsSysApp.h"
#include "win/CPropertySheet.h"

namespace {

constexpr UINT IDS_NEW_GENSET_WIZARD = 61673;

} // namespace

VqsNewGenSetSheet::VqsNewGenSetSheet(VqsLockBag* creatorBag, VqsModelNodeCurConfig* config, CWnd* parent)
    : VqsPropertySheet(IDS_NEW_GENSET_WIZARD, parent, 0), m_pCreatorBag(creatorBag), m_pConfig(config)
{
    AddPage(&m_optPage);
    m_optPage.m_pSheet = this;
    AddPage(&m_typePage);
    m_typePage.m_pSheet = this;
    m_typePage.m_pWizard = this;
    AddPage(&m_packPage);
    m_packPage.m_pSheet = this;
    AddPage(&m_hostPage);
    m_hostPage.m_pWizard = this;
    AddPage(&m_ftpPage);
    m_ftpPage.m_pWizard = this;
    m_configBag.LockNode(config);
    m_enterpriseBag.LockNode(GetEnterpriseNode());
    SetWizardMode();
}

VqsNewGenSetSheet::~VqsNewGenSetSheet() = default;

VqsBSPackReplacementList* VqsNewGenSetSheet::GetReplacementList(int hostType)
{
    if (hostType == VQHostNT)
        return &m_ntReplacements;
    return hostType == VQHostUnix ? &m_unixReplacements : nullptr;
}

BOOL VqsNewGenSetSheet::HasPackConflict(int hostType) const
{
    if (hostType == VQHostNT)
        return !m_ntReplacements.IsEmpty();
    return hostType == VQHostUnix && !m_unixReplacements.IsEmpty();
}

// The segment of the configuration's last business-segment link; none when the design
// repository no longer has it.
CString VqsNewGenSetSheet::GetTargetCheckSegment() const
{
    try {
        PxTypedList<PxVQBSSoftLinkPtr> links;
        m_pConfig->GetConfig()->GetListOfBSSoftLinks(links);
        if (links.IsEmpty())
            return CString();
        const CString name = links.GetTail()->GetName();
        VqsSysApp* app = VqsGetApp();
        return app && app->GetLSEEnterprise()->GetBusinessSegment(name) ? name : CString();
    } catch (const VqException&) {
        return CString();
    }
}

BOOL VqsNewGenSetSheet::UsesShiftMarkers() const
{
    const CString name = GetTargetCheckSegment();
    if (name.IsEmpty())
        return FALSE;
    try {
        const PxLSEBusinessSegmentPtr segment = VqsGetApp()->GetLSEEnterprise()->GetBusinessSegment(name);
        return segment && segment->GetJapaneseSupport() && segment->GetTargetHostQsr() &&
               !segment->GetTargetHostOsTarsk() && !segment->GetTargetHostUnix() && !segment->GetTargetHostNt();
    } catch (const VqException&) {
        return FALSE;
    }
}

VqsModelNode* VqsNewGenSetSheet::GetTargetNode() { return m_pConfig; }

VqsModelNodeEnterprise* VqsNewGenSetSheet::GetEnterpriseNode() { return m_pConfig ? m_pConfig->GetRoot() : nullptr; }

std::unique_ptr<VqsNewGenSetSheet> VqsRunNewGenSetWizard(VqsLockBag* creatorBag, VqsModelNodeCurConfig* config,
                                                         CWnd* parent, std::function<BOOL(VqsNewGenSetSheet&)> creation)
{
    auto sheet = std::make_unique<VqsNewGenSetSheet>(creatorBag, config, parent);
    if (creation)
        sheet->SetCreation([&sheet = *sheet, creation = std::move(creation)] { return creation(sheet); });
    if (sheet->DoModal() != ID_WIZFINISH)
        return nullptr;
    return sheet;
}
