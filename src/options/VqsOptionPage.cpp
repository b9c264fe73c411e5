#include "options/VqsOptionPage.h"

#include "model/VqsModelNodeLink.h"
#include "model/VqsTransaction.h"
#include "options/VqsOptionsSheet.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsOptCtrl.h"
#include "shell/VqsValueScope.h"
#include "win/ImageList.h"
#include "win/Messages.h"

namespace {

constexpr int IDC_APPLY_NOW = 1001;
constexpr int IDC_UNDO = 1065;
constexpr int IDC_DEFAULTS = 1024;

constexpr UINT IDS_CANNOT_SAVE_OPTIONS = 61501;
constexpr UINT IDS_CANNOT_ACCESS_OPTIONS = 61502;
constexpr UINT IDS_CANNOT_ACCESS_CONFIG_ENTRY = 61581;

// Sets the element link's updated mark inside the page's transaction; TRUE when it changed.
BOOL SetUpdatedMark(VqsModelNodeLink* node, BOOL updated)
{
    const PxVQSoftLinkPtr link = node->GetSoftLink();
    if (!link)
        return FALSE;
    link->SetUpdatedFlag(updated ? 1 : 0);
    return TRUE;
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPage, VqsPropertyPage)
    ON_BN_CLICKED(IDC_APPLY_NOW, &VqsOptionPage::OnApplyNow)
    ON_BN_CLICKED(IDC_UNDO, &VqsOptionPage::OnUndo)
    ON_BN_CLICKED(IDC_DEFAULTS, &VqsOptionPage::OnDefaults)
END_MESSAGE_MAP()

VqsOptionPage::PageState::PageState(VqsOptionPage* page)
    : m_pPage(page), m_bModified(page->m_bModified), m_bAtDefaults(page->m_bAtDefaults),
      m_bAtDefaultsAsLoaded(page->m_bAtDefaultsAsLoaded)
{
}

void VqsOptionPage::PageState::Restore()
{
    m_pPage->m_bModified = m_bModified;
    m_pPage->m_bAtDefaults = m_bAtDefaults;
    m_pPage->m_bAtDefaultsAsLoaded = m_bAtDefaultsAsLoaded;
    m_pPage->UpdateButtons();
}

VqsOptionPage::VqsOptionPage(VqsOptionsSheet* sheet, UINT dialogId, UINT captionId, int pageIndex)
    : VqsPropertyPage(dialogId, captionId), m_pSheet(sheet), m_nPageIndex(pageIndex)
{
    m_psp.dwFlags |= PSP_USEHICON;
    m_psp.hIcon = sheet->GetTabImages().ExtractIcon(0);
}

VqsOptionPage::~VqsOptionPage()
{
    if (m_psp.hIcon)
        DestroyIcon(m_psp.hIcon);
}

void VqsOptionPage::DoDataExchange(CDataExchange* pDX) { VqsPropertyPage::DoDataExchange(pDX); }

template <class Show>
void VqsOptionPage::ShowValues(Show show)
{
    VqsValueScope<BOOL> showing(m_bShowingValues, TRUE);
    show();
}

BOOL VqsOptionPage::OnInitDialog()
{
    // The first exchange shows the binders' initial values: no change of the user, so no
    // edit lock while the dialog's creator still holds its reads.
    ShowValues([this] { VqsPropertyPage::OnInitDialog(); });
    try {
        ReloadPage();
    } catch (const VqReportableException& error) {
        m_pSheet->ReportError(error);
    }
    return TRUE;
}

BOOL VqsOptionPage::IsReadOnly() const { return m_pSheet->IsReadOnly(); }

void VqsOptionPage::ReloadPage()
{
    ShowValues([this] { LoadOptions(); });
    m_bAtDefaults = m_bAtDefaultsAsLoaded = IsNotUpdated();
    m_bModified = FALSE;
    if (IsReadOnly()) {
        HideButton(IDC_APPLY_NOW);
        HideButton(IDC_UNDO);
        HideButton(IDC_DEFAULTS);
        m_connector.SetReadOnly();
    } else {
        UpdateButtons();
    }
}

void VqsOptionPage::UpdateButtons()
{
    m_pSheet->SetPageStateImage(m_nPageIndex, m_bAtDefaults, m_bModified);
    EnableButton(IDC_APPLY_NOW, m_bModified);
    EnableButton(IDC_UNDO, m_bModified);
    EnableButton(IDC_DEFAULTS, !m_bAtDefaults);
}

void VqsOptionPage::EnableButton(int id, BOOL enable)
{
    if (CWnd* button = m_hWnd ? GetDlgItem(id) : nullptr)
        button->EnableWindow(enable);
}

void VqsOptionPage::HideButton(int id)
{
    if (CWnd* button = m_hWnd ? GetDlgItem(id) : nullptr)
        button->ShowWindow(SW_HIDE);
}

BOOL VqsOptionPage::BeginModify(BOOL* reloaded, BOOL restoreOnRefusal)
{
    if (m_bShowingValues)
        return FALSE;
    if (m_bModified) {
        m_bAtDefaults = FALSE;
        UpdateButtons();
        return TRUE;
    }
    if (IsReadOnly())
        return FALSE;
    BOOL wasReloaded = FALSE;
    if (m_pSheet->BeginEdit(wasReloaded)) {
        m_bModified = TRUE;
        m_bAtDefaults = FALSE;
        UpdateButtons();
        return TRUE;
    }
    // A reload has shown the stored values already; the page may even be gone with its
    // dialog, so nothing of it is touched then.
    if (restoreOnRefusal && !wasReloaded && m_hWnd)
        ShowValues([this] { UpdateData(FALSE); });
    if (reloaded)
        *reloaded = wasReloaded;
    return FALSE;
}

BOOL VqsOptionPage::OnOptionChanged(VqsOptCtrl* control, BOOL validate)
{
    PageState before(this);
    if (!control->SaveStateAndCompare())
        return FALSE;
    BOOL reloaded = FALSE;
    if (!BeginModify(&reloaded, FALSE)) {
        if (!reloaded && m_hWnd)
            control->Revert();
        return FALSE;
    }
    if (validate && !UpdateData(TRUE)) {
        control->Revert();
        before.Restore();
        return FALSE;
    }
    return TRUE;
}

void VqsOptionPage::OnApplyNow()
{
    if (m_pSheet->ApplyNow() && m_hWnd)
        UpdateButtons();
}

void VqsOptionPage::OnUndo()
{
    try {
        ReloadPage();
        m_pSheet->SetPageStateImage(m_nPageIndex, m_bAtDefaults, m_bModified);
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_OPTIONS, error);
    }
}

void VqsOptionPage::OnDefaults()
{
    BOOL reloaded = FALSE;
    if (!m_pSheet->BeginEdit(reloaded))
        return;
    try {
        PxInitialDataEmulationScope defaults = m_pSheet->GetOptions()->GetInitialDataEmulationScope();
        ShowValues([this] { LoadOptions(); });
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_OPTIONS, error);
        return;
    }
    m_bModified = TRUE;
    m_bAtDefaults = TRUE;
    UpdateButtons();
    SendMessage(WM_NEXTDLGCTL, 1, 0);
}

BOOL VqsOptionPage::ApplyPage(BOOL /*isActivePage*/, BOOL clearUpdatedMarkWhenDefault)
{
    if (!m_bModified)
        return TRUE;
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (!UpdateData(TRUE))
        return FALSE;
    BOOL markWasClear = FALSE;
    if (!m_bAtDefaults && !ReadUpdatedMark(markWasClear))
        return FALSE;
    BOOL nowNotUpdated = FALSE;
    if (!WriteOptions(markWasClear, clearUpdatedMarkWhenDefault, nowNotUpdated))
        return FALSE;
    m_bModified = FALSE;
    m_bAtDefaults = m_bAtDefaultsAsLoaded = nowNotUpdated;
    UpdateButtons();
    return TRUE;
}

BOOL VqsOptionPage::ReadUpdatedMark(BOOL& markWasClear)
{
    try {
        const PxVQSoftLinkPtr link = m_pSheet->GetOptionNode()->GetSoftLink();
        markWasClear = !(link && link->GetUpdatedFlag());
        return TRUE;
    } catch (const VqReportableException& error) {
        ShowErrorById(IDS_CANNOT_ACCESS_CONFIG_ENTRY, error);
        return FALSE;
    }
}

BOOL VqsOptionPage::WriteOptions(BOOL markWasClear, BOOL clearUpdatedMarkWhenDefault, BOOL& nowNotUpdated)
{
    VqsModelNodeLink* node = m_pSheet->GetOptionNode();
    BOOL markChanged = FALSE;
    {
        VqsTransaction transaction;
        if (!transaction.IsUsable())
            return FALSE;
        try {
            if (m_bAtDefaults)
                ClearOptions();
            else
                StoreOptions();
            m_pSheet->CommitToModel();
            nowNotUpdated = IsNotUpdated();
            if (clearUpdatedMarkWhenDefault && nowNotUpdated)
                markChanged = SetUpdatedMark(node, FALSE);
            if (markWasClear && !nowNotUpdated)
                markChanged = SetUpdatedMark(node, TRUE);
        } catch (const VqReportableException& error) {
            transaction.ReportFailure(IDS_CANNOT_SAVE_OPTIONS, error);
            return FALSE;
        }
    }
    // The views hear of the mark once it is stored; after a failed commit (reported) they
    // are shown what is stored, and the page keeps its changes.
    if (!VqsTransaction::IsOk()) {
        VqsTransaction::RereadAfterFailure([node] { node->Refresh(); });
        return FALSE;
    }
    if (markChanged)
        node->NotifyChanged();
    return TRUE;
}
