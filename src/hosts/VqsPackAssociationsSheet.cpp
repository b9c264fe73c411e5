#include "hosts/VqsPackAssociationsSheet.h"

#include "hosts/VqsPackSpecDlg.h"
#include "model/VqsModelNodeHost.h"
#include "model/VqsTransaction.h"
#include "proxy/PxVQTypes.h"
#include "proxy/VqException.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/CButton.h"
#include "win/ImageList.h"
#include "win/Input.h"

#include <algorithm>

namespace {

constexpr UINT IDD_PAGE_NT = 238;
constexpr UINT IDD_PAGE_UNIX = 239;
constexpr UINT IDD_PAGE_TARSK = 237;
constexpr UINT IDD_PAGE_QSR = 286;
constexpr UINT IDS_WINDOWS = 61679;
constexpr UINT IDS_UNIX = 61680;
constexpr UINT IDS_TARSK = 61677;
constexpr UINT IDS_QSR = 61678;
constexpr UINT IDS_CANNOT_ACCESS_OPTIONS = 61502;
constexpr UINT IDS_CANNOT_SAVE_PACK = 61620;
constexpr UINT IDS_NO_FIXED_STORAGE_DETAILS = 62138;
constexpr UINT IDS_EQUIPMENT_REQUIRED = 62137;
constexpr int kPathLength = 128;
constexpr int kTableLength = 30;
constexpr int kTarskFieldLength = 6;
constexpr int kValidatorIDAlphaNum = 14;
constexpr int kPageNT = 0;
constexpr int kPageUnix = 1;
constexpr int kPageTarsk = 2;
constexpr int kPageQSR = 3;
constexpr int ID_HELP_BUTTON = 9;

CString TrimmedRight(CString text)
{
    text.TrimRight();
    return text;
}

} // namespace

int VqsPackAssociationPageOfHostType(int hostType)
{
    switch (hostType) {
    case VQHostNT:
        return kPageNT;
    case VQHostUnix:
        return kPageUnix;
    case VQHostTarsk:
        return kPageTarsk;
    default:
        return kPageQSR;
    }
}

// ---------------------------------------------------------------- page base

VqsPackAssociationPage::PageState::PageState(VqsPackAssociationPage* page)
    : m_pPage(page), m_bModified(page->m_bModified), m_bEmpty(page->m_bEmpty)
{
}

void VqsPackAssociationPage::PageState::Restore()
{
    m_pPage->m_bModified = m_bModified;
    m_pPage->m_bEmpty = m_bEmpty;
    m_pPage->UpdateTabImage();
}

VqsPackAssociationPage::VqsPackAssociationPage(VqsPackAssociationsSheet* sheet, UINT templateId, UINT captionId,
                                               int pageIndex)
    : VqsPropertyPage(templateId, captionId), m_pSheet(sheet), m_nPageIndex(pageIndex)
{
}

VqsPackAssociationPage::~VqsPackAssociationPage() = default;

void VqsPackAssociationPage::DoDataExchange(CDataExchange* pDX) { VqsPropertyPage::DoDataExchange(pDX); }

// A page's caption is its string, as its tab shows it: the OS Tarsk template has no title.
BOOL VqsPackAssociationPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    SetWindowText(m_strCaption);
    try {
        ReloadPage();
    } catch (const VqReportableException& error) {
        m_pSheet->ReportError(error);
    }
    return TRUE;
}

PxVQHostPackDataPtr VqsPackAssociationPage::GetHostPackData() const { return m_pSheet->GetHostPackData(); }

void VqsPackAssociationPage::ReloadPage()
{
    LoadAssociation();
    m_bEmpty = IsAssociationEmpty();
    m_bModified = FALSE;
    m_bStored = FALSE;
    UpdateTabImage();
}

void VqsPackAssociationPage::UpdateTabImage() { m_pSheet->SetPageStateImage(m_nPageIndex, m_bEmpty, m_bModified); }

BOOL VqsPackAssociationPage::BeginModify(BOOL* reloaded)
{
    *reloaded = FALSE;
    if (!m_pSheet->BeginEdit(reloaded))
        return FALSE;
    m_bModified = TRUE;
    m_bEmpty = FALSE;
    UpdateTabImage();
    return TRUE;
}

BOOL VqsPackAssociationPage::OnAssociationChanged(VqsOptCtrl* control)
{
    PageState state(this);
    if (!control->SaveStateAndCompare())
        return FALSE;
    BOOL reloaded = FALSE;
    if (!BeginModify(&reloaded)) {
        // A reload already shows what is stored.
        if (!reloaded)
            control->Revert();
        state.Restore();
        return FALSE;
    }
    if (!UpdateData(TRUE)) {
        control->Revert();
        state.Restore();
        return FALSE;
    }
    return TRUE;
}

BOOL VqsPackAssociationPage::ApplyPage(BOOL updateData)
{
    if (!m_bModified)
        return TRUE;
    VqsDialogCtrlConnector::StrictControl strict = m_connector.MakeStrict();
    if (updateData && !UpdateData(TRUE))
        return FALSE;
    VqsTransaction transaction;
    try {
        // A refused record fails the whole save: pages stored before it are not kept.
        if (!StoreAssociation()) {
            transaction.SetFailed();
            return FALSE;
        }
        GetHostPackData()->UpdateEdition();
        m_bStoredEmpty = IsAssociationEmpty();
    } catch (const VqReportableException& error) {
        transaction.ReportFailure(IDS_CANNOT_SAVE_PACK, error);
        return FALSE;
    }
    m_bStored = TRUE;
    return TRUE;
}

void VqsPackAssociationPage::EndStore(BOOL committed)
{
    if (!m_bStored)
        return;
    m_bStored = FALSE;
    if (!committed)
        return;
    m_bModified = FALSE;
    m_bEmpty = m_bStoredEmpty;
    UpdateTabImage();
}

// ---------------------------------------------------------------- Windows and UNIX pages

BEGIN_MESSAGE_MAP(VqsPackAssociationPagePath, VqsPackAssociationPage)
    ON_EN_CHANGE(VqsPackAssociationPagePath::IDC_PATH, &VqsPackAssociationPagePath::OnPathChanged)
    ON_EN_CHANGE(VqsPackAssociationPagePath::IDC_TABLE, &VqsPackAssociationPagePath::OnTableChanged)
END_MESSAGE_MAP()

VqsPackAssociationPagePath::VqsPackAssociationPagePath(VqsPackAssociationsSheet* sheet, UINT templateId,
                                                       UINT captionId, int pageIndex)
    : VqsPackAssociationPage(sheet, templateId, captionId, pageIndex), m_path(&m_connector, IDC_PATH, kPathLength, 0),
      m_table(&m_connector, IDC_TABLE, kTableLength, 0)
{
}

void VqsPackAssociationPagePath::LoadAssociation()
{
    m_path.SetValue(GetPath());
    m_table.SetValue(GetTable());
    RefreshPathEnabling();
    UpdateData(FALSE);
}

BOOL VqsPackAssociationPagePath::StoreAssociation()
{
    SetRecord(m_path.GetValue(), m_table.GetValue());
    return TRUE;
}

BOOL VqsPackAssociationPagePath::IsAssociationEmpty() { return !RecordHasData(); }

// A disk path pack has no tablespace, a tablespace pack no path; an undefined type, both.
void VqsPackAssociationPagePath::RefreshPathEnabling()
{
    if (!m_hWnd)
        return;
    const int type = m_pSheet->GetPackType();
    m_path.Enable(type != VQPackTablespace);
    m_table.Enable(type != VQPackPath);
}

VqsPackAssociationPageNT::VqsPackAssociationPageNT(VqsPackAssociationsSheet* sheet, int pageIndex)
    : VqsPackAssociationPagePath(sheet, IDD_PAGE_NT, IDS_WINDOWS, pageIndex)
{
}

CString VqsPackAssociationPageNT::GetPath() { return GetHostPackData()->GetPackAssociationNT()->GetPath(); }

CString VqsPackAssociationPageNT::GetTable() { return GetHostPackData()->GetPackAssociationNT()->GetTable(); }

void VqsPackAssociationPageNT::SetRecord(const char* path, const char* table)
{
    const PxVQKeshPackAssociationNTPtr record = GetHostPackData()->GetPackAssociationNT();
    record->SetPath(path);
    record->SetTable(table);
}

BOOL VqsPackAssociationPageNT::RecordHasData()
{
    return PackAssociationNTHasData(GetHostPackData()->GetPackAssociationNT());
}

VqsPackAssociationPageUnix::VqsPackAssociationPageUnix(VqsPackAssociationsSheet* sheet, int pageIndex)
    : VqsPackAssociationPagePath(sheet, IDD_PAGE_UNIX, IDS_UNIX, pageIndex)
{
}

CString VqsPackAssociationPageUnix::GetPath() { return GetHostPackData()->GetPackAssociationUnix()->GetPath(); }

CString VqsPackAssociationPageUnix::GetTable() { return GetHostPackData()->GetPackAssociationUnix()->GetTable(); }

void VqsPackAssociationPageUnix::SetRecord(const char* path, const char* table)
{
    const PxVQKeshPackAssociationUnixPtr record = GetHostPackData()->GetPackAssociationUnix();
    record->SetPath(path);
    record->SetTable(table);
}

BOOL VqsPackAssociationPageUnix::RecordHasData()
{
    return PackAssociationUnixHasData(GetHostPackData()->GetPackAssociationUnix());
}

// ---------------------------------------------------------------- OS Tarsk page

BEGIN_MESSAGE_MAP(VqsPackAssociationPageTarsk, VqsPackAssociationPage)
    ON_BN_CLICKED(VqsPackAssociationPageTarsk::IDC_FIXED, &VqsPackAssociationPageTarsk::OnFixedStorageClicked)
    ON_EN_CHANGE(VqsPackAssociationPageTarsk::IDC_EQUIPMENT, &VqsPackAssociationPageTarsk::OnEquipmentChanged)
    ON_EN_CHANGE(VqsPackAssociationPageTarsk::IDC_ACR_NAME, &VqsPackAssociationPageTarsk::OnAcrNameChanged)
    ON_EN_CHANGE(VqsPackAssociationPageTarsk::IDC_PACK_ID_1 + 0, &VqsPackAssociationPageTarsk::OnPackIdChanged<0>)
    ON_EN_CHANGE(VqsPackAssociationPageTarsk::IDC_PACK_ID_1 + 1, &VqsPackAssociationPageTarsk::OnPackIdChanged<1>)
    ON_EN_CHANGE(VqsPackAssociationPageTarsk::IDC_PACK_ID_1 + 2, &VqsPackAssociationPageTarsk::OnPackIdChanged<2>)
    ON_EN_CHANGE(VqsPackAssociationPageTarsk::IDC_PACK_ID_1 + 3, &VqsPackAssociationPageTarsk::OnPackIdChanged<3>)
    ON_EN_CHANGE(VqsPackAssociationPageTarsk::IDC_PACK_ID_1 + 4, &VqsPackAssociationPageTarsk::OnPackIdChanged<4>)
    ON_EN_CHANGE(VqsPackAssociationPageTarsk::IDC_PACK_ID_1 + 5, &VqsPackAssociationPageTarsk::OnPackIdChanged<5>)
    ON_EN_CHANGE(VqsPackAssociationPageTarsk::IDC_PACK_ID_1 + 6, &VqsPackAssociationPageTarsk::OnPackIdChanged<6>)
    ON_EN_CHANGE(VqsPackAssociationPageTarsk::IDC_PACK_ID_1 + 7, &VqsPackAssociationPageTarsk::OnPackIdChanged<7>)
END_MESSAGE_MAP()

VqsPackAssociationPageTarsk::VqsPackAssociationPageTarsk(VqsPackAssociationsSheet* sheet, int pageIndex)
    : VqsPackAssociationPage(sheet, IDD_PAGE_TARSK, IDS_TARSK, pageIndex), m_fixed(&m_connector, IDC_FIXED),
      m_equipment(&m_connector, IDC_EQUIPMENT, kTarskFieldLength, kValidatorIDAlphaNum),
      m_acrName(&m_connector, IDC_ACR_NAME, kTarskFieldLength, kValidatorIDAlphaNum)
{
    for (int n = 0; n < kPackIds; ++n)
        m_packIds[n] = std::make_unique<VqsOptCtrlString>(&m_connector, static_cast<UINT>(IDC_PACK_ID_1 + n),
                                                          kTarskFieldLength, kValidatorIDAlphaNum);
}

VqsPackAssociationPageTarsk::~VqsPackAssociationPageTarsk() = default;

BOOL VqsPackAssociationPageTarsk::OnInitDialog()
{
    VqsPackAssociationPage::OnInitDialog();
    EnableByFixedFlag(m_fixed.m_bValue);
    return TRUE;
}

void VqsPackAssociationPageTarsk::EnableByFixedFlag(BOOL fixed)
{
    if (!m_hWnd)
        return;
    m_equipment.Enable(!fixed);
    for (const std::unique_ptr<VqsOptCtrlString>& packId : m_packIds)
        packId->Enable(!fixed);
}

void VqsPackAssociationPageTarsk::LoadAssociation()
{
    const PxVQKeshPackAssociationTarskPtr record = GetHostPackData()->GetPackAssociationTarsk();
    m_fixed.m_bValue = record->GetFixedDisk() != 0;
    m_equipment.SetValue(record->GetEquipmentType());
    m_acrName.SetValue(record->GetAcrName());
    for (int n = 0; n < kPackIds; ++n)
        m_packIds[n]->SetValue(record->GetPackId(n + 1));
    EnableByFixedFlag(m_fixed.m_bValue);
    UpdateData(FALSE);
}

// The enabling follows the flag only once the change is accepted: a refused click leaves
// the fields as they were.
void VqsPackAssociationPageTarsk::OnFixedStorageClicked()
{
    OnAssociationChanged(&m_fixed);
    EnableByFixedFlag(m_fixed.m_bValue);
}

BOOL VqsPackAssociationPageTarsk::StoreAssociation()
{
    const BOOL fixed = IsDlgButtonChecked(IDC_FIXED) == BST_CHECKED;
    const CString equipment = TrimmedRight(m_equipment.GetValue());
    const bool anyPack = std::any_of(std::begin(m_packIds), std::end(m_packIds), [](const auto& packId) {
        return !TrimmedRight(packId->GetValue()).IsEmpty();
    });
    if (fixed && (!equipment.IsEmpty() || anyPack)) {
        VqsMessageBoxId(IDS_NO_FIXED_STORAGE_DETAILS);
        return FALSE;
    }
    if (!fixed && equipment.IsEmpty() && anyPack) {
        VqsMessageBoxId(IDS_EQUIPMENT_REQUIRED);
        return FALSE;
    }
    m_equipment.SetValue(equipment);
    const PxVQKeshPackAssociationTarskPtr record = GetHostPackData()->GetPackAssociationTarsk();
    record->SetFixedDisk(m_fixed.m_bValue ? 1 : 0);
    record->SetEquipmentType(equipment);
    record->SetAcrName(m_acrName.GetValue());
    for (int n = 1; n <= kPackIds; ++n)
        record->SetPackId(n, "");
    int stored = 1;
    for (const std::unique_ptr<VqsOptCtrlString>& packId : m_packIds) {
        const CString text = TrimmedRight(packId->GetValue());
        if (!text.IsEmpty())
            record->SetPackId(stored++, text);
    }
    return TRUE;
}

BOOL VqsPackAssociationPageTarsk::IsAssociationEmpty()
{
    return !PackAssociationTarskHasData(GetHostPackData()->GetPackAssociationTarsk());
}

// ---------------------------------------------------------------- QSR page

VqsPackAssociationPageQSR::VqsPackAssociationPageQSR(VqsPackAssociationsSheet* sheet, int pageIndex)
    : VqsPackAssociationPage(sheet, IDD_PAGE_QSR, IDS_QSR, pageIndex)
{
}

// ---------------------------------------------------------------- sheet

VqsPackAssociationsSheet::VqsPackAssociationsSheet(VqsPackSpecDlg* owner, const PxVQHostPackDataPtr& association)
    : CPropertySheet("", owner, 0), m_pOwner(owner), m_pAssociation(association),
      m_ntPage(this, kPageNT), m_unixPage(this, kPageUnix), m_tarskPage(this, kPageTarsk), m_qsrPage(this, kPageQSR)
{
    if (VqsSysApp* app = VqsGetApp())
        app->CopyImageList(&m_imageList);
    for (int index = 0; index < kPageCount; ++index) {
        VqsPackAssociationPage* page = GetPage(index);
        page->m_psp.dwFlags |= PSP_USEHICON;
        if (m_imageList.GetSafeHandle())
            page->m_psp.hIcon = m_imageList.ExtractIcon(0);
        AddPage(page);
    }
}

VqsPackAssociationsSheet::~VqsPackAssociationsSheet()
{
    for (int index = 0; index < kPageCount; ++index) {
        if (HICON icon = GetPage(index)->m_psp.hIcon)
            DestroyIcon(icon);
    }
}

BOOL VqsPackAssociationsSheet::OnInitDialog()
{
    CPropertySheet::OnInitDialog();
    if (CTabCtrl* tabs = GetTabControl())
        tabs->SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(m_imageList.GetSafeHandle()));
    RefreshAllTabImages();
    if (CWnd* ok = GetDlgItem(IDOK)) {
        CRect button;
        CRect sheet;
        ok->GetWindowRect(&button);
        GetWindowRect(&sheet);
        SetWindowPos(nullptr, 0, 0, sheet.Width(), button.top - sheet.top, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    }
    for (int id : {IDOK, IDCANCEL, ID_APPLY_NOW, ID_HELP_BUTTON}) {
        if (CWnd* button = GetDlgItem(id)) {
            button->ShowWindow(SW_HIDE);
            button->EnableWindow(FALSE);
        }
    }
    SetActivePage(GetActivePageForHost());
    return TRUE;
}

// Ctrl+Tab, Ctrl+Page Up and Ctrl+Page Down would switch pages: the page belongs to the host.
BOOL VqsPackAssociationsSheet::PreTranslateMessage(MSG* msg)
{
    if (CWnd::PreTranslateMessage(msg))
        return TRUE;
    if (msg->message == WM_KEYDOWN &&
        (msg->wParam == VK_TAB || msg->wParam == VK_PRIOR || msg->wParam == VK_NEXT) &&
        GetAsyncKeyState(VK_CONTROL) < 0)
        return FALSE;
    return CPropertySheet::PreTranslateMessage(msg);
}

VqsPackAssociationPage* VqsPackAssociationsSheet::GetPage(int index)
{
    switch (index) {
    case kPageNT:
        return &m_ntPage;
    case kPageUnix:
        return &m_unixPage;
    case kPageTarsk:
        return &m_tarskPage;
    case kPageQSR:
        return &m_qsrPage;
    default:
        return nullptr;
    }
}

void VqsPackAssociationsSheet::SetPageStateImage(int pageIndex, BOOL empty, BOOL modified)
{
    CTabCtrl* tabs = m_hWnd ? GetTabControl() : nullptr;
    if (!tabs)
        return;
    TCITEM item{};
    item.mask = TCIF_IMAGE;
    item.iImage = VqsComputeImageIndex(VqsImageRef{empty ? 0 : 1, modified ? 1 : 0});
    tabs->SetItem(pageIndex, &item);
    if (!modified)
        tabs->Invalidate();
}

void VqsPackAssociationsSheet::RefreshAllTabImages()
{
    try {
        for (int index = 0; index < kPageCount; ++index)
            SetPageStateImage(index, GetPage(index)->IsAssociationEmpty(), FALSE);
    } catch (const VqReportableException& error) {
        ReportError(error);
    }
}

BOOL VqsPackAssociationsSheet::SetHostPackData(const PxVQHostPackDataPtr& association)
{
    const PxVQHostPackDataPtr previous = m_pAssociation;
    if (!previous)
        return FALSE;
    m_pAssociation = association;
    int index = 0;
    try {
        for (; index < kPageCount; ++index) {
            if (GetPage(index)->m_hWnd)
                GetPage(index)->ReloadPage();
        }
    } catch (const VqReportableException& error) {
        m_pAssociation = previous;
        for (int back = std::min(index, kPageCount - 1); back >= 0; --back) {
            try {
                if (GetPage(back)->m_hWnd)
                    GetPage(back)->ReloadPage();
            } catch (const VqReportableException& again) {
                ReportError(again);
            }
        }
        ShowErrorById(IDS_CANNOT_ACCESS_OPTIONS, error);
        return FALSE;
    }
    SetActivePage(GetActivePageForHost());
    RefreshAllTabImages();
    return TRUE;
}

BOOL VqsPackAssociationsSheet::AnyPageModified()
{
    for (int index = 0; index < kPageCount; ++index) {
        if (GetPage(index)->IsModified())
            return TRUE;
    }
    return FALSE;
}

BOOL VqsPackAssociationsSheet::ApplyAll()
{
    const int active = GetActiveIndex();
    if (!AnyPageModified())
        return TRUE;
    for (int index = 0; index < kPageCount; ++index) {
        VqsPackAssociationPage* page = GetPage(index);
        if (page->IsModified() && !page->ApplyPage(index == active)) {
            SetActivePage(index);
            return FALSE;
        }
    }
    return TRUE;
}

void VqsPackAssociationsSheet::EndApply(BOOL committed)
{
    BOOL anyApplied = FALSE;
    for (int index = 0; index < kPageCount; ++index) {
        VqsPackAssociationPage* page = GetPage(index);
        if (!page->IsStored())
            continue;
        anyApplied = TRUE;
        page->EndStore(committed);
    }
    if (committed && anyApplied && m_pOwner)
        m_pOwner->OnAssociationsApplied();
}

void VqsPackAssociationsSheet::RefreshPathEnabling()
{
    m_ntPage.RefreshPathEnabling();
    m_unixPage.RefreshPathEnabling();
}

BOOL VqsPackAssociationsSheet::BeginEdit(BOOL* reloaded)
{
    *reloaded = FALSE;
    return m_pOwner ? m_pOwner->BeginEdit(reloaded) : FALSE;
}

void VqsPackAssociationsSheet::ReportError(const VqReportableException& error)
{
    if (m_pOwner)
        m_pOwner->ReportError(error);
}

int VqsPackAssociationsSheet::GetPackType() { return m_pOwner ? m_pOwner->GetPackType() : VQPackNotDefined; }

int VqsPackAssociationsSheet::GetActivePageForHost()
{
    return VqsPackAssociationPageOfHostType(m_pOwner ? m_pOwner->GetCurrentHostType() : VQHostQSR);
}
