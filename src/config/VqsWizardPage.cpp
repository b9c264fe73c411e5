#include "config/VqsWizardPage.h"

#include "config/VqsCreatingWizard.h"
#include "model/VqsLockBag.h"
#include "model/VqsLockScope.h"
#include "model/VqsModel.h"
#include "model/VqsModelNodeEnterprise.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsModelNodeLocks.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsOptCtrlString.h"
#include "shell/VqsPropertySheet.h"
#include "shell/VqsSysApp.h"
#include "win/CPropertySheet.h"
#include "win/ListView.h"

#include <array>

namespace {

using MarkedText = std::array<char, 256>;

constexpr UINT IDS_ITEM_DELETED = 61746;

} // namespace

VqsWizardPage::VqsWizardPage(UINT templateId, UINT captionId) : VqsPropertyPage(templateId, captionId) {}

VqsWizardPage::~VqsWizardPage() = default;

BOOL VqsWizardPage::OnWizardFinish()
{
    if (VqsCreatingWizard* wizard = CreatingWizard())
        return wizard->RunCreation();
    return VqsPropertyPage::OnWizardFinish();
}

BOOL VqsWizardPage::CreationLocksFinish()
{
    VqsCreatingWizard* wizard = CreatingWizard();
    return wizard && wizard->HasCreation();
}

VqsCreatingWizard* VqsWizardPage::CreatingWizard() { return dynamic_cast<VqsCreatingWizard*>(GetParent()); }

VqsCreatingWizard::LockStep::LockStep(VqsCreatingWizard* wizard, int enterpriseKind)
    : m_pWizard(wizard), m_bOutermost(wizard && wizard->m_nStepDepth == 0)
{
    if (!wizard)
        return;
    ++wizard->m_nStepDepth;
    if (m_bOutermost)
        wizard->m_bStepTaken = VqsModel::BeginPageStep(wizard->m_pageAnchor, wizard->GetPageLocks(),
                                                       wizard->GetEnterpriseNode(), enterpriseKind);
}

VqsCreatingWizard::LockStep::~LockStep()
{
    if (!m_pWizard)
        return;
    --m_pWizard->m_nStepDepth;
    if (m_bOutermost)
        VqsModel::EndPageStep(m_pWizard->m_pageAnchor, m_pWizard->GetPageLocks(), m_pWizard->GetEnterpriseNode(),
                              m_bKeepEnterprise);
}

BOOL VqsCreatingWizard::RunCreation()
{
    if (!m_creation)
        return TRUE;
    const unsigned toldBefore = VqsDeletionsTold();
    if (m_creation())
        return TRUE;
    VqsModelNode* target = GetTargetNode();
    if (!target || !VqsKnownGone(target->GetObject()))
        return FALSE;
    if (VqsDeletionsTold() == toldBefore) {
        VqsLockBag::TellDeleted(IDS_ITEM_DELETED, target->GetObject());
        target->NotifyViews();
    }
    if (auto* sheet = dynamic_cast<VqsPropertySheet*>(this))
        sheet->CancelSheet();
    return FALSE;
}

int VqsCreatingWizard::LockStep::Taken() const { return !m_pWizard || m_pWizard->m_bStepTaken; }

int VqsCreatingWizard::LockForPage(const std::function<int()>& lock)
{
    const LockStep step(this, VqsLongReadLock);
    return step.Taken() && lock();
}

// Without a creation the wizard's creator makes its objects under the Finish locks once the
// sheet has ended, so they stay, the enterprise's among them.
BOOL VqsWizardPage::LockAndFinish(VqsLockBag& finishBag)
{
    if (!CreationLocksFinish()) {
        VqsCreatingWizard* wizard = CreatingWizard();
        const bool writesEnterprise = wizard && finishBag.Contains(wizard->GetEnterpriseNode());
        VqsCreatingWizard::LockStep step(wizard, writesEnterprise ? VqsWriteLock : VqsLongReadLock);
        step.KeepEnterprise();
        if (!LockBagObjects(finishBag, VqsWriteLock))
            return FALSE;
    }
    return VqsWizardPage::OnWizardFinish();
}

void VqsWizardPage::RefuseFinishAt(const CString& text, int id)
{
    if (CPropertySheet* sheet = dynamic_cast<CPropertySheet*>(GetParent()))
        sheet->SetActivePage(this);
    FocusControl(id);
    VqsErrorBox(text);
}

void VqsWizardPage::RefuseFinishAt(UINT messageId, int id)
{
    CString text;
    text.LoadString(messageId);
    RefuseFinishAt(text, id);
}

void VqsWizardPage::PostWizardButtons(DWORD buttons)
{
    if (CPropertySheet* sheet = dynamic_cast<CPropertySheet*>(GetParent()))
        sheet->SetWizardButtons(buttons);
}

void VqsWizardPage::PostChangedWizardButtons(DWORD buttons, DWORD& posted)
{
    if (buttons == posted)
        return;
    posted = buttons;
    PostWizardButtons(buttons);
}

void VqsWizardPage::FocusControl(int id)
{
    if (CWnd* control = GetDlgItem(id))
        GotoDlgCtrl(control);
}

void VqsWizardPage::RefuseAt(UINT messageId, int id)
{
    FocusControl(id);
    VqsErrorBoxId(messageId);
}

int VqsWizardPage::LockBagObjects(VqsLockBag& bag, int kind)
{
    return LockForPage([&bag, kind] { return bag.LockObjects(kind); });
}

int VqsWizardPage::LockForPage(const std::function<int()>& lock)
{
    VqsLockScope scope(SessionLink());
    VqsCreatingWizard* wizard = CreatingWizard();
    return wizard ? wizard->LockForPage(lock) : lock();
}

BOOL VqsWizardPage::IsComboEdit(int code)
{
    return code == CBN_EDITCHANGE || code == CBN_SELCHANGE || code == CBN_KILLFOCUS || code == CBN_CLOSEUP;
}

BOOL VqsWizardPage::IsSelectionChange(LPARAM lParam, int listId)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->idFrom != static_cast<UINT_PTR>(listId) || header->code != LVN_ITEMCHANGED)
        return FALSE;
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    return (change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED);
}

PxVQLink* VqsWizardPage::SessionLink()
{
    VqsSysApp* app = VqsGetApp();
    return app ? app->GetLink() : nullptr;
}

BOOL VqsWizardPage::ShowShiftMarked(BOOL marks, VqsOptCtrlString& field, int length, const CString& text)
{
    if (!marks || !field.ContainsKanji(text))
        return FALSE;
    MarkedText marked{};
    field.InsertSokEok(length, marked.data(), marked.size(), text);
    field.SetValue(marked.data());
    UpdateData(FALSE);
    field.SetValue(text);
    return TRUE;
}

void VqsWizardPage::TakeShiftMarked(BOOL marks, VqsOptCtrlString& field, int length)
{
    const CString text = field.GetControlText();
    if (!marks || !field.ContainsKanji(text)) {
        field.SetValue(text);
        return;
    }
    MarkedText marked{};
    field.InsertSokEok(length, marked.data(), marked.size(), text);
    field.SetValue(marked.data());
}

BOOL VqsWizardPage::StripShiftMarks(BOOL marks, VqsOptCtrlString& field, const CString& text)
{
    if (!marks || !field.ContainsKanji(field.GetControlText()))
        return FALSE;
    MarkedText plain{};
    VqsOptCtrlString::RemoveSokEok(plain.data(), plain.size(), text);
    field.SetValue(plain.data());
    return TRUE;
}

int VqsWizardPage::LockPacks(VqsModelNodeEnterprise* enterprise, VqsLockBag& packs, CObList& nodes)
{
    return LockForPage([&] {
        enterprise->Refresh();
        enterprise->LoadPacks(VqsLoadDropVanished);
        enterprise->GetPackNodes(nodes);
        return packs.LockAndRefreshNodes(nodes);
    });
}
