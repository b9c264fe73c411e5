#include "shell/VqsOptCtrl.h"

#include "shell/VqsDialogCtrlConnector.h"
#include "shell/VqsMsgBox.h"
#include "win/CDataExchange.h"
#include "win/CPropertySheet.h"

namespace {
constexpr UINT kNotAvailable = 61554;
}

VqsOptCtrl::VqsOptCtrl(VqsDialogCtrlConnector* connector) : m_pConnector(connector) { m_pConnector->Add(this); }

VqsOptCtrl::~VqsOptCtrl() = default;

void VqsOptCtrl::DoDataExchange(CDataExchange* pDX)
{
    if (!m_bNotAvailable)
        ExchangeValue(pDX);
    else if (!pDX->m_bSaveAndValidate)
        ShowPlaceholder(pDX);
}

BOOL VqsOptCtrl::IsModified() { return !m_bNotAvailable && IsValueModified(); }

BOOL VqsOptCtrl::SaveStateAndCompare()
{
    SaveState();
    return !m_bNotAvailable && ControlDiffersFromSaved();
}

void VqsOptCtrl::Revert()
{
    RestoreSavedValue();
    if (m_bNotAvailable)
        ShowPlaceholder(nullptr);
    else
        ShowValue();
}

void VqsOptCtrl::OnCommand(UINT, int) {}

void VqsOptCtrl::ShowPlaceholder(CDataExchange*) {}

CWnd* VqsOptCtrl::GetOwner() const { return m_pConnector->GetOwner(); }

HWND VqsOptCtrl::GetOwnerItem(UINT id) const
{
    CWnd* owner = GetOwner();
    return owner && owner->m_hWnd ? ::GetDlgItem(owner->m_hWnd, static_cast<int>(id)) : nullptr;
}

CString VqsOptCtrl::LoadPlaceholder(UINT stringId)
{
    CString text;
    text.LoadString(stringId ? stringId : kNotAvailable);
    return text;
}

BOOL VqsOptCtrl::IsStrict() const { return m_pConnector->IsStrict(); }

void VqsOptCtrl::FailWithMessage(CDataExchange* pDX, UINT stringId)
{
    ShowFailingPage();
    VqsErrorBoxId(stringId);
    pDX->Fail();
}

void VqsOptCtrl::FailWithText(CDataExchange* pDX, LPCTSTR text)
{
    ShowFailingPage();
    VqsErrorBox(text);
    pDX->Fail();
}

void VqsOptCtrl::ShowFailingPage()
{
    auto* page = dynamic_cast<CPropertyPage*>(GetOwner());
    if (!page || !page->m_hWnd)
        return;
    for (CWnd* window = page->GetParent(); window; window = window->GetParent()) {
        if (window->IsKindOf(RUNTIME_CLASS(CPropertySheet))) {
            auto* sheet = static_cast<CPropertySheet*>(window);
            if (sheet->GetActivePage() != page)
                sheet->SetActivePage(page);
            return;
        }
    }
}
