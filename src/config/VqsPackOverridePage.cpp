#include "config/VqsPackOverridePage.h"

#include "config/VqsHostWizard.h"
#include "model/VqsLockBag.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeHost.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxUnixBSegOptions.h"
#include "shell/VqsDisplayNames.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CComboBox.h"
#include "win/CPropertySheet.h"
#include "win/MbString.h"

namespace {

constexpr UINT IDS_NOT_AVAILABLE = 61554;
constexpr UINT IDS_PACK_IS_PATH = 61788;
constexpr UINT IDS_PACK_IS_TABLESPACE = 61787;
constexpr int kReservedWordOrNil = 4;
constexpr int kPackNameLimit = 20;

const VqsPackOverridePageTraits kSysPackPageTraits = {VqsSysPackPage::IDD, VqsSysPackPage::IDC_DEFAULT_TABLESPACE,
                                                      VqsSysPackPage::IDC_DEFAULT_PATH};

const VqsPackOverridePageTraits kBSGSPackPageTraits = {VqsBSGSPackPage::IDD, VqsBSGSPackPage::IDC_DEFAULT_TABLESPACE,
                                                       VqsBSGSPackPage::IDC_DEFAULT_PATH};

template <class Visit>
void ForEachPack(VqsModelNodeEnterprise* enterprise, Visit visit)
{
    if (!enterprise)
        return;
    CObList packs;
    enterprise->GetPackNodes(packs);
    for (POSITION pos = packs.GetHeadPosition(); pos;)
        visit(*static_cast<VqsModelNodePack*>(packs.GetNext(pos)));
}

} // namespace

int VqsIsPackUsableAs(VqsModelNodeEnterprise* enterprise, int usage, const char* name)
{
    int usable = 1;
    ForEachPack(enterprise, [&](const VqsModelNodePack& pack) {
        if (_mbsicmp(pack.GetName().GetString(), name) == 0 && pack.GetPackType() != VQPackNotDefined &&
            pack.GetPackType() != usage)
            usable = 0;
    });
    return usable;
}

CString VqsProposedReplacement(VqsModelNodeEnterprise* enterprise, int usage, const CString& initial,
                               const CString& stored)
{
    CString proposed = stored;
    if (proposed.IsEmpty() && VqsIsPackUsableAs(enterprise, usage, initial))
        proposed = initial;
    if (!proposed.IsEmpty() && !VqsIsPackUsableAs(enterprise, usage, proposed))
        proposed.Empty();
    return proposed;
}

CString VqsInitialPackName(int hostType, const CString& segment, int packType)
{
    return hostType == VQHostNT ? PxNTBSegOptions::GetInitialPackName(segment, packType)
                                : PxUnixBSegOptions::GetInitialPackName(segment, packType);
}

int VqsPackClashes(const VqsModelNodePack& pack, const VqsPlatformPacks& initial)
{
    const char* name = pack.GetName().GetString();
    return (!initial.initialTablespace.IsEmpty() && _mbsicmp(initial.initialTablespace.GetString(), name) == 0 &&
            pack.GetPackType() == VQPackPath) ||
           (!initial.initialPath.IsEmpty() && _mbsicmp(initial.initialPath.GetString(), name) == 0 &&
            pack.GetPackType() == VQPackTablespace);
}

VqsPackOverridePage::VqsPackOverridePage(const VqsPackOverridePageTraits& traits)
    : VqsWizardPage(traits.dialogId, 0), m_defaultTablespace(&m_connector, traits.defaultTablespaceId, -1, 0),
      m_defaultPath(&m_connector, traits.defaultPathId, -1, 0),
      m_tablespace(&m_connector, IDC_TABLESPACE, kReservedWordOrNil), m_path(&m_connector, IDC_PATH, kReservedWordOrNil),
      m_traits(traits)
{
    m_tablespace.SetTextLimit(kPackNameLimit);
    m_path.SetTextLimit(kPackNameLimit);
}

VqsPackOverridePage::~VqsPackOverridePage() = default;

BOOL VqsPackOverridePage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (handlerInfo || extra || (id != IDC_TABLESPACE && id != IDC_PATH))
        return handled;
    if (IsComboEdit(code)) {
        OnReplacementChanged();
        return TRUE;
    }
    return handled;
}

// Windows and Unix segment options both name the initial Tablespace/Filegroup pack (DefPack),
// so both take its replacement.
BOOL VqsPackOverridePage::TakesTablespaceReplacement() const
{
    const int hostType = m_pWizard ? m_pWizard->GetWizardHostType() : -1;
    return hostType == VQHostNT || hostType == VQHostUnix;
}

// The combo lists every pack not of the excluded kind, and the proposal.
void VqsPackOverridePage::OfferPacks(VqsOptCtrlCombo& combo, int excludedKind, const CString& proposed)
{
    CStringList names;
    BOOL proposedListed = FALSE;
    ForEachPack(m_pWizard->GetEnterpriseNode(), [&](const VqsModelNodePack& pack) {
        if (pack.GetPackType() == excludedKind)
            return;
        names.AddTail(pack.GetName());
        proposedListed = proposedListed || pack.GetName() == proposed;
    });
    if (!proposed.IsEmpty() && !proposedListed)
        names.AddTail(proposed);
    combo.SetItems(names);
    combo.SetValue(proposed);
    combo.Enable(TRUE);
}

BOOL VqsPackOverridePage::OnSetActive()
{
    if (!VqsWizardPage::OnSetActive() || !m_pWizard)
        return FALSE;
    const VqsPlatformPacks& packs = m_pWizard->GetPlatformPacks(m_pWizard->GetWizardHostType());
    VqsModelNodeEnterprise* enterprise = m_pWizard->GetEnterpriseNode();
    m_defaultTablespace.SetValue(packs.initialTablespace);
    m_defaultPath.SetValue(packs.initialPath);
    if (TakesTablespaceReplacement()) {
        OfferPacks(m_tablespace, VQPackPath,
                   VqsProposedReplacement(enterprise, VQPackTablespace, packs.initialTablespace,
                                          packs.replacementTablespace));
    } else {
        m_tablespace.ShowNotAvailable(IDS_NOT_AVAILABLE);
        m_tablespace.Enable(FALSE);
    }
    OfferPacks(m_path, VQPackTablespace,
               VqsProposedReplacement(enterprise, VQPackPath, packs.initialPath, packs.replacementPath));
    UpdateData(FALSE);
    m_nButtons = GetWizardButtons();
    PostWizardButtons(m_nButtons);
    return TRUE;
}

DWORD VqsPackOverridePage::GetWizardButtons() const
{
    if (m_path.GetValue().IsEmpty() || (TakesTablespaceReplacement() && m_tablespace.GetValue().IsEmpty()))
        return PSWIZB_BACK;
    return m_pWizard && m_pWizard->GetHostsOfTypeExist() ? PSWIZB_BACK | PSWIZB_FINISH : PSWIZB_BACK | PSWIZB_NEXT;
}

void VqsPackOverridePage::OnReplacementChanged()
{
    if (UpdateData(TRUE))
        PostChangedWizardButtons(GetWizardButtons(), m_nButtons);
}

CString VqsPackOverridePage::SegmentText() const
{
    const PxLSEBusinessSegmentPtr segment = m_pWizard ? m_pWizard->GetPackSegment() : PxLSEBusinessSegmentPtr();
    if (!segment)
        return CString();
    return VqsShownName(segment);
}

int VqsPackOverridePage::StoreReplacement(BOOL validate, int usage, VqsOptCtrlCombo& combo, const CString& initial,
                                          CString& replacement)
{
    const CString value = combo.GetValue();
    if (validate && value.IsEmpty())
        return 0;
    replacement = value == initial ? CString() : value;
    if (validate && !VqsIsPackUsableAs(m_pWizard->GetEnterpriseNode(), usage, value)) {
        CString message;
        AfxFormatString2(message, usage == VQPackTablespace ? IDS_PACK_IS_PATH : IDS_PACK_IS_TABLESPACE, value,
                         SegmentText());
        FocusControl(usage == VQPackTablespace ? IDC_TABLESPACE : IDC_PATH);
        VqsErrorBox(message);
        return 0;
    }
    return 1;
}

// Without validation (Back) what was typed is kept as it stands.
int VqsPackOverridePage::StoreReplacements(BOOL validate)
{
    VqsPlatformPacks& packs = m_pWizard->GetPlatformPacks(m_pWizard->GetWizardHostType());
    if (TakesTablespaceReplacement() && !StoreReplacement(validate, VQPackTablespace, m_tablespace,
                                                          packs.initialTablespace, packs.replacementTablespace))
        return 0;
    return StoreReplacement(validate, VQPackPath, m_path, packs.initialPath, packs.replacementPath);
}

LRESULT VqsPackOverridePage::OnWizardBack()
{
    if (!m_pWizard || !UpdateData(TRUE))
        return kWizardStay;
    StoreReplacements(FALSE);
    return VqsWizardPage::OnWizardBack();
}

LRESULT VqsPackOverridePage::OnWizardNext()
{
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!m_pWizard || !UpdateData(TRUE) || !StoreReplacements(TRUE))
        return kWizardStay;
    return VqsWizardPage::OnWizardNext();
}

BOOL VqsPackOverridePage::OnWizardFinish()
{
    {
        VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
        if (!m_pWizard || !UpdateData(TRUE) || !StoreReplacements(TRUE))
            return FALSE;
    }
    return LockAndFinish(m_pWizard->GetFinishLockBag());
}

VqsSysPackPage::VqsSysPackPage() : VqsPackOverridePage(kSysPackPageTraits) {}

VqsBSGSPackPage::VqsBSGSPackPage() : VqsPackOverridePage(kBSGSPackPageTraits) {}
