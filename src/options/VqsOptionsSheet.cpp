#include "options/VqsOptionsSheet.h"

#include "options/VqsOptionPage.h"
#include "options/VqsSoftLinkOptionsDlg.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQElementSoftLink.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CButton.h"
#include "win/Help.h"

namespace {

constexpr UINT IDS_CANNOT_ACCESS_OPTIONS = 61502;

constexpr int kOwnValuesImage = 1;
constexpr int kDefaultsImage = 0;
constexpr int kModifiedOverlay = 1;

// The record of the business segment of an element's link in the same option set.
PxBSegOptionsPtr BusinessSegmentOptionsOf(const PxOptionsPtr& options)
{
    const PxVQOptionsPtr record(options);
    const PxVQElementSoftLinkPtr element(record ? record->GetSoftLink() : PxVQSoftLinkPtr());
    if (!element)
        return PxBSegOptionsPtr();
    const PxVQBSSoftLinkPtr segment = element->GetBSSoftLink();
    return segment ? PxBSegOptionsPtr(segment->GetOptions(record->GetOptionSet())) : PxBSegOptionsPtr();
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionsSheet, CPropertySheet)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

VqsOptionsSheet::VqsOptionsSheet(VqsSoftLinkOptionsDlg* ownerDialog, const PxOptionsPtr& options, UINT selectPage)
    : CPropertySheet("", ownerDialog, selectPage), m_pOwnerDialog(ownerDialog), m_pOptions(options),
      m_pBSegOptions(BusinessSegmentOptionsOf(options))
{
    if (VqsSysApp* app = VqsGetApp())
        app->CopyImageList(&m_imageList);
}

VqsOptionsSheet::~VqsOptionsSheet() = default;

void VqsOptionsSheet::SetEventView(BOOL /*eventView*/) {}

BOOL VqsOptionsSheet::InEventView(const VqsSoftLinkOptionsDlg* ownerDialog)
{
    return ownerDialog && ownerDialog->GetEventView();
}

void VqsOptionsSheet::ShowOutsideEventView(CPropertyPage* page, BOOL eventView)
{
    const BOOL shown = GetPageIndex(page) >= 0;
    if (eventView && shown)
        RemovePage(page);
    else if (!eventView && !shown)
        AddPage(page);
}

BOOL VqsOptionsSheet::OnInitDialog()
{
    if (m_psh.nStartPage >= static_cast<UINT>(GetPageCount()))
        m_psh.nStartPage = 0;
    const BOOL result = CPropertySheet::OnInitDialog();
    if (CTabCtrl* tab = GetTabControl()) {
        tab->SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imageList.GetSafeHandle()));
        tab->ModifyStyle(TCS_MULTILINE, 0);
    }
    RefreshPageImages();
    CutOffButtonRow();
    HideSheetButtons();
    return result;
}

void VqsOptionsSheet::CutOffButtonRow()
{
    CWnd* ok = GetDlgItem(IDOK);
    if (!ok)
        return;
    CRect sheet;
    CRect button;
    GetWindowRect(&sheet);
    ok->GetWindowRect(&button);
    SetWindowPos(nullptr, 0, 0, sheet.Width(), button.top - sheet.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void VqsOptionsSheet::HideSheetButtons()
{
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, IDHELP}) {
        if (CWnd* button = GetDlgItem(id)) {
            button->ShowWindow(SW_HIDE);
            button->EnableWindow(FALSE);
        }
    }
}

BOOL VqsOptionsSheet::IsReadOnly() const { return m_pOwnerDialog->IsReadOnly(); }

BOOL VqsOptionsSheet::BeginEdit(BOOL& reloaded)
{
    reloaded = FALSE;
    return m_pOwnerDialog ? m_pOwnerDialog->BeginEdit(reloaded) : FALSE;
}

void VqsOptionsSheet::CommitToModel()
{
    if (m_pOwnerDialog)
        m_pOwnerDialog->CommitToModel();
}

BOOL VqsOptionsSheet::ApplyNow() { return m_pOwnerDialog->Apply(TRUE); }

void VqsOptionsSheet::ReportError(const VqException& error)
{
    if (m_pOwnerDialog)
        m_pOwnerDialog->ReportError(error);
}

void VqsOptionsSheet::RefreshViews()
{
    if (m_pOwnerDialog)
        m_pOwnerDialog->RefreshViews();
}

VqsModelNodeLink* VqsOptionsSheet::GetOptionNode() const { return m_pOwnerDialog->GetOptionNode(); }

VqsOptionPage* VqsOptionsSheet::GetOptionPage(int index) const
{
    if (index < 0 || index >= GetPageCount())
        return nullptr;
    return dynamic_cast<VqsOptionPage*>(GetPage(index));
}

void VqsOptionsSheet::SetPageStateImage(int pageIndex, BOOL atDefaults, BOOL modified)
{
    CTabCtrl* tab = GetTabControl();
    if (!tab)
        return;
    TCITEM item{};
    item.mask = TCIF_IMAGE;
    const VqsImageRef image{atDefaults ? kDefaultsImage : kOwnValuesImage, modified ? kModifiedOverlay : 0};
    item.iImage = VqsComputeImageIndex(image);
    tab->SetItem(pageIndex, &item);
}

void VqsOptionsSheet::RefreshPageImages()
{
    try {
        for (int index = 0; index < GetPageCount(); ++index) {
            if (VqsOptionPage* page = GetOptionPage(index))
                SetPageStateImage(index, page->IsNotUpdated(), FALSE);
        }
    } catch (const VqReportableException& error) {
        ReportError(error);
    }
}

BOOL VqsOptionsSheet::ReloadOpenPages(const std::function<void()>& restore)
{
    int reloaded = 0;
    try {
        for (; reloaded < GetPageCount(); ++reloaded) {
            VqsOptionPage* page = GetOptionPage(reloaded);
            if (page && page->m_hWnd)
                page->ReloadPage();
        }
    } catch (const VqReportableException& error) {
        restore();
        for (int index = reloaded; index >= 0; --index) {
            VqsOptionPage* page = GetOptionPage(index);
            try {
                if (page && page->m_hWnd)
                    page->ReloadPage();
            } catch (const VqReportableException&) {
                // The page shows what it could read; the message below says why.
            }
        }
        ShowErrorById(IDS_CANNOT_ACCESS_OPTIONS, error);
        return FALSE;
    }
    RefreshPageImages();
    return TRUE;
}

BOOL VqsOptionsSheet::AnyPageModified() const
{
    for (int index = 0; index < GetPageCount(); ++index) {
        const VqsOptionPage* page = GetOptionPage(index);
        if (page && page->IsModified())
            return TRUE;
    }
    return FALSE;
}

BOOL VqsOptionsSheet::ApplyAllPages(BOOL onlyActivePage)
{
    if (!AnyPageModified())
        return TRUE;
    BOOL applied = FALSE;
    BOOL refused = FALSE;
    const BOOL result = ApplyPass(FALSE, onlyActivePage, applied, refused) &&
                        ApplyPass(TRUE, onlyActivePage, applied, refused);
    if (applied && !refused)
        RefreshViews();
    return result;
}

BOOL VqsOptionsSheet::ApplyPass(BOOL atDefaultsPass, BOOL onlyActivePage, BOOL& applied, BOOL& refused)
{
    const int active = GetActiveIndex();
    for (int index = 0; index < GetPageCount(); ++index) {
        VqsOptionPage* page = GetOptionPage(index);
        if (!page || !page->IsModified() || !page->IsAtDefaults() != !atDefaultsPass)
            continue;
        if (onlyActivePage && index != active)
            continue;
        BOOL clearMark = FALSE;
        if (atDefaultsPass && ConfirmAllDefaults(index, clearMark)) {
            refused = TRUE;
            return FALSE;
        }
        if (!page->ApplyPage(index == active, clearMark)) {
            if (index != GetActiveIndex())
                SetActivePage(index);
            return FALSE;
        }
        applied = TRUE;
    }
    return TRUE;
}

BOOL VqsOptionsSheet::ConfirmAllDefaults(int pageIndex, BOOL& clearMark)
{
    for (int index = 0; index < GetPageCount(); ++index) {
        VqsOptionPage* page = GetOptionPage(index);
        if (index == pageIndex || !page)
            continue;
        // A page never shown was not loaded: the record tells what it would have shown.
        const BOOL atDefaults = page->m_hWnd ? page->IsAtDefaultsAsLoaded() : page->IsNotUpdated();
        if (!atDefaults) {
            clearMark = FALSE;
            return FALSE;
        }
    }
    return m_pOwnerDialog->ConfirmAllDefaults(clearMark);
}

BOOL VqsOptionsSheet::OnHelpInfo(HELPINFO* info)
{
    const CPropertyPage* page = GetActivePage();
    if (info->iContextType == HELPINFO_WINDOW && page && page->m_nIDHelp != 0) {
        VqsGetApp()->WinHelp(HID_BASE_RESOURCE + page->m_nIDHelp, HELP_CONTEXT);
        return TRUE;
    }
    return CPropertySheet::OnHelpInfo(info);
}

void VqsOptions_BSeg_Sheet::OnPageNotify(int /*notification*/) {}

void VqsOptions_Profile_Sheet::SyncPackEnabling() {}
void VqsOptions_Profile_Sheet::CopyPackToStorage() {}
void VqsOptions_Profile_Sheet::SyncExpectedNumberEnabling() {}
void VqsOptions_Profile_Sheet::CopyExpectedNumberToStorage() {}
void VqsOptions_Profile_Sheet::CopyPackToEnv() {}
void VqsOptions_Profile_Sheet::CopyExpectedNumberToEnv() {}
