#include "config/VqsNewSystemSheet.h"

#include "model/VqsModelNodeEnterprise.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/VqException.h"
#include "shell/VqsSysApp.h"

namespace {

constexpr UINT IDS_NEW_SYSTEM_WIZARD = 61466;

} // namespace

VqsNewSystemSheet::VqsNewSystemSheet(VqsModelNodeEnterprise* enterprise, CWnd* parent)
    : VqsPropertySheet(IDS_NEW_SYSTEM_WIZARD, parent, 0), m_pEnterprise(enterprise)
{
    AddPage(&m_optPage);
    m_optPage.m_pSheet = this;
    AddPage(&m_genPage);
    m_genPage.m_pSheet = this;
    AddPage(&m_bsPage);
    m_bsPage.m_pSheet = this;
    AddPage(&m_gsPage);
    m_gsPage.m_pSheet = this;
    AddPage(&m_targetHostPage);
    m_targetHostPage.m_pWizard = this;
    AddPage(&m_packPage);
    m_packPage.m_pWizard = this;
    AddPage(&m_hostPage);
    m_hostPage.m_pWizard = this;
    AddPage(&m_ftpPage);
    m_ftpPage.m_pWizard = this;
    m_enterpriseBag.LockNode(enterprise);
    SetWizardMode();
}

VqsNewSystemSheet::~VqsNewSystemSheet() = default;

BOOL VqsNewSystemSheet::HasPackConflict(int hostType) const
{
    if (hostType == VQHostNT)
        return m_bNTPackConflict;
    return hostType == VQHostUnix ? m_bUnixPackConflict : FALSE;
}

VqsPlatformPacks& VqsNewSystemSheet::GetPlatformPacks(int hostType)
{
    return hostType == VQHostNT ? m_ntPacks : m_unixPacks;
}

BOOL VqsNewSystemSheet::UsesShiftMarkers() const
{
    if (m_strBSName.IsEmpty())
        return FALSE;
    try {
        VqsSysApp* app = VqsGetApp();
        const PxLSEBusinessSegmentPtr segment =
            app && app->GetLSEEnterprise() ? app->GetLSEEnterprise()->GetBusinessSegment(m_strBSName)
                                           : PxLSEBusinessSegmentPtr();
        return segment && segment->GetJapaneseSupport() && segment->GetTargetHostQsr() &&
               !segment->GetTargetHostOsTarsk() && !segment->GetTargetHostUnix() && !segment->GetTargetHostNt();
    } catch (const VqException&) {
        return FALSE;
    }
}
