#include "config/VqsGenSetNamePage.h"

#include "config/VqsConfigNames.h"
#include "config/VqsHostWizard.h"
#include "config/VqsPackOverridePage.h"
#include "model/VqsLockBag.h"
#include "model/VqsModelNodeHost.h"
#include "win/CPropertySheet.h"

namespace {

constexpr int kValidatorEmpty = 0;
constexpr int kValidatorASCIIUppercase = 3;
constexpr int kDescriptionLength = 30;

} // namespace

VqsGenSetNamePage::VqsGenSetNamePage(UINT templateId, int nameId, int secondNameId, int descriptionId,
                                     int noGenSetId)
    : VqsWizardPage(templateId, 0),
      m_name(&m_connector, nameId, m_bLongNames ? kVqsLongNameLength : kVqsGenSetNameLength,
             m_bLongNames ? kValidatorEmpty : kValidatorASCIIUppercase),
      m_secondName(&m_connector, secondNameId, kVqsGenSetNameLength, kValidatorASCIIUppercase),
      m_description(&m_connector, descriptionId, kDescriptionLength, kValidatorEmpty),
      m_noGenSet(&m_connector, noGenSetId), m_nNameId(nameId), m_nNoGenSetId(noGenSetId)
{
}

VqsGenSetNamePage::~VqsGenSetNamePage() = default;

BOOL VqsGenSetNamePage::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    const BOOL handled = VqsWizardPage::OnCmdMsg(id, code, extra, handlerInfo);
    if (!handlerInfo && !extra && static_cast<int>(id) == m_nNoGenSetId && code == BN_CLICKED) {
        OnNoGenSetClicked();
        return TRUE;
    }
    return handled;
}

DWORD VqsGenSetNamePage::GetWizardButtons() const
{
    return m_noGenSet.m_bValue ? PSWIZB_BACK | PSWIZB_FINISH : PSWIZB_BACK | PSWIZB_NEXT;
}

void VqsGenSetNamePage::ShowGenSetChoice()
{
    const BOOL enable = !m_noGenSet.m_bValue;
    m_name.Enable(enable);
    m_secondName.Enable(enable);
    m_description.Enable(enable);
    PostWizardButtons(GetWizardButtons());
}

BOOL VqsGenSetNamePage::OnInitDialog()
{
    VqsWizardPage::OnInitDialog();
    if (!m_bLongNames)
        m_secondName.Show(FALSE);
    ShowGenSetChoice();
    return TRUE;
}

void VqsGenSetNamePage::OnNoGenSetClicked()
{
    UpdateData(TRUE);
    ShowGenSetChoice();
}

void VqsGenSetNamePage::ReleasePackLocks(VqsLockBag& packs)
{
    if (!m_bPackLocksHeld)
        return;
    packs.Release();
    packs.UnlockAll();
    m_bPackLocksHeld = 0;
}

// A derived second name is checked like a typed one while a generate set is to be added.
int VqsGenSetNamePage::CheckNames()
{
    m_name.SetValue(VqsTakenName(m_name.GetValue()));
    const CString second = VqsTakenName(m_secondName.GetValue());
    const BOOL derived = second.IsEmpty();
    m_secondName.SetValue(derived ? VqsDeriveShortName(m_name.GetValue(), kVqsGenSetNameLength) : second);
    UpdateData(FALSE);
    if (m_noGenSet.m_bValue)
        return 1;
    if (const UINT refusal = VqsCheckTakenName(m_name.GetValue())) {
        RefuseAt(refusal, m_nNameId);
        return 0;
    }
    return !derived || !m_bLongNames || UpdateData(TRUE) ? 1 : 0;
}

void VqsGenSetNamePage::FindPackClashes(VqsHostWizard& wizard, const CObList& packNodes, const CString& segment,
                                        int& ntConflict, int& unixConflict)
{
    VqsPlatformPacks& ntPacks = wizard.GetPlatformPacks(VQHostNT);
    VqsPlatformPacks& unixPacks = wizard.GetPlatformPacks(VQHostUnix);
    ntPacks.initialTablespace = VqsInitialPackName(VQHostNT, segment, VQPackTablespace);
    ntPacks.initialPath = VqsInitialPackName(VQHostNT, segment, VQPackPath);
    unixPacks.initialTablespace = VqsInitialPackName(VQHostUnix, segment, VQPackTablespace);
    unixPacks.initialPath = VqsInitialPackName(VQHostUnix, segment, VQPackPath);
    ntConflict = 0;
    unixConflict = 0;
    for (POSITION pos = packNodes.GetHeadPosition(); pos;) {
        const auto& pack = *static_cast<const VqsModelNodePack*>(packNodes.GetNext(pos));
        ntConflict = ntConflict || VqsPackClashes(pack, ntPacks);
        unixConflict = unixConflict || VqsPackClashes(pack, unixPacks);
    }
}
