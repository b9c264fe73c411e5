#include "options/VqsOptionPagesProfileReport.h"

#include "model/VqsModelNodeLink.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQReportSoftLink.h"
#include "shell/VqsMsgBox.h"
#include "win/CDataExchange.h"

namespace {

constexpr UINT IDS_ENVIRONMENT = 61561;
constexpr UINT IDS_GENERATE = 61563;
constexpr UINT IDS_EXTRACT_FILE = 61566;
constexpr UINT IDS_OPTIONS_CHANGED = 61503;

constexpr int IDC_PACK = 1411;
constexpr int IDC_USE_DEFAULT_PACK = 1006;
constexpr int IDC_DEFAULT_ESTIMATES = 1072;
constexpr int IDC_EXPECTED_ESTIMATE = 1056;
constexpr int IDC_PERCENT_ESTIMATE = 1057;
constexpr int IDC_EXPECTED_NUMBER = 1407;
constexpr int IDC_PERCENT = 1035;

constexpr int IDC_EXTRACT_PACK = 1412;
constexpr int IDC_USE_DEFAULT_EXTRACT_PACK = 1388;
constexpr int IDC_OLTP_CLIENT = 1049;

constexpr int IDC_USE_FILE = 1019;
constexpr int IDC_FILE_LETTER = 1028;
constexpr int IDC_FILE_SPIN = 1059;

constexpr int IDC_GENERATED_AS_LABEL = 1346;
constexpr int IDC_AS_NAME = 1025;
constexpr int IDC_LANGUAGE = 1430;

constexpr int kLanguageSlots = 14;
constexpr int kFirstLetter = 'A';
constexpr int kLastLetter = 'Z';

void LimitWhenBounded(VqsOptCtrlInt& box, BOOL bounded, int characters)
{
    if (bounded)
        box.SetTextLimit(characters, 0);
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageProfileEnv, VqsTableOptionPage)
    ON_EN_CHANGE(IDC_EXPECTED_NUMBER, &VqsOptionPageProfileEnv::OnExpectedNumberChanged)
    ON_EN_CHANGE(IDC_PERCENT, &VqsOptionPageProfileEnv::OnPercentChanged)
END_MESSAGE_MAP()

VqsOptionPageProfileEnv::VqsOptionPageProfileEnv(VqsOptions_Profile_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_ENVIRONMENT, pageIndex), m_pTypedSheet(sheet),
      m_pack(m_table.Combo(IDC_PACK, VQS_TEXT_OPTION(PxProfileOptions, Pack), 3)),
      m_useDefaultPack(m_table.DefaultBox(IDC_USE_DEFAULT_PACK, IDC_PACK, FALSE)),
      m_estimate(&m_connector, IDC_DEFAULT_ESTIMATES, IDC_EXPECTED_ESTIMATE, IDC_PERCENT_ESTIMATE),
      m_expectedNumber(&m_connector, IDC_EXPECTED_NUMBER), m_percent(&m_connector, IDC_PERCENT)
{
}

BOOL VqsOptionPageProfileEnv::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    const PxProfileOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    std::int64_t bound = 0;
    LimitWhenBounded(m_expectedNumber, options->HasUpperLimitExpectedOrVolume(bound), 10);
    LimitWhenBounded(m_percent, options->HasUpperLimitPercent(bound), 3);
    return TRUE;
}

BOOL VqsOptionPageProfileEnv::IsAutomaticProfile() const
{
    const auto* node = dynamic_cast<VqsModelNodeElementLink*>(m_pTypedSheet->GetOptionNode());
    return node && node->GetIspecNode();
}

// The chosen estimate's box shows its own value again, the others are not available.
void VqsOptionPageProfileEnv::ShowEstimate(Estimate estimate)
{
    if (estimate == ExpectedNumber) {
        vqsoptiontable::ShowValueAgain(m_expectedNumber);
    } else {
        m_expectedNumber.SetNotAvailable();
        m_bExpectedNumberNotAvailable = TRUE;
    }
    if (estimate == Percentage) {
        vqsoptiontable::ShowValueAgain(m_percent);
    } else {
        m_percent.SetNotAvailable();
        m_bPercentNotAvailable = TRUE;
    }
    m_estimate.m_nValue = estimate;
}

void VqsOptionPageProfileEnv::AdjustLoadedValues()
{
    const PxProfileOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    vqsoptiontable::ShowReadValue(m_expectedNumber, [&] { return options->GetExpectedOrVolume(); });
    vqsoptiontable::ShowReadValue(m_percent, [&] { return options->GetPercent(); });
    if (IsAutomaticProfile())
        ShowEstimate(DefaultEstimates);
    else if (!options->IsDefaultExpectedOrVolume())
        ShowEstimate(ExpectedNumber);
    else if (!options->IsDefaultPercent())
        ShowEstimate(Percentage);
    else
        ShowEstimate(DefaultEstimates);
}

void VqsOptionPageProfileEnv::EnableDependentControls()
{
    if (IsAutomaticProfile()) {
        m_estimate.Enable(FALSE);
        m_expectedNumber.Enable(FALSE);
        m_percent.Enable(FALSE);
        return;
    }
    m_estimate.Enable(TRUE);
    m_expectedNumber.Enable(m_estimate.m_nValue == ExpectedNumber && !m_expectedNumber.IsNotAvailable());
    m_percent.Enable(m_estimate.m_nValue == Percentage && !m_percent.IsNotAvailable());
}

// An automatic profile keeps its estimates: a change of its pack alone must not make them
// default.
void VqsOptionPageProfileEnv::StoreOptions()
{
    VqsTableOptionPage::StoreOptions();
    if (IsAutomaticProfile())
        return;
    const PxProfileOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    if (m_estimate.m_nValue != ExpectedNumber)
        options->MakeDefaultExpectedOrVolume();
    else if (!m_expectedNumber.IsNotAvailable())
        options->SetExpectedOrVolume(m_expectedNumber.GetValue());
    if (m_estimate.m_nValue != Percentage)
        options->MakeDefaultPercent();
    else if (!m_percent.IsNotAvailable())
        options->SetPercent(m_percent.GetValue());
}

BOOL VqsOptionPageProfileEnv::IsNotUpdated()
{
    const PxProfileOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    return VqsTableOptionPage::IsNotUpdated() && !options->IsUpdatedPercent() &&
           !options->IsUpdatedExpectedOrVolume();
}

void VqsOptionPageProfileEnv::ClearOptions()
{
    VqsTableOptionPage::ClearOptions();
    const PxProfileOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    options->ClearPercent();
    options->ClearExpectedOrVolume();
}

void VqsOptionPageProfileEnv::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_PACK:
        TellPackChanged();
        break;
    case IDC_USE_DEFAULT_PACK:
        TellPackChanged();
        UpdateData(FALSE);
        break;
    default:
        break;
    }
}

BOOL VqsOptionPageProfileEnv::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED &&
        (id == IDC_DEFAULT_ESTIMATES || id == IDC_EXPECTED_ESTIMATE || id == IDC_PERCENT_ESTIMATE) &&
        OnOptionChanged(&m_estimate, TRUE)) {
        m_estimate.m_nValue = static_cast<int>(id == IDC_DEFAULT_ESTIMATES   ? DefaultEstimates
                                               : id == IDC_EXPECTED_ESTIMATE ? ExpectedNumber
                                                                             : Percentage);
        ShowEstimate(static_cast<Estimate>(m_estimate.m_nValue));
        UpdateData(FALSE);
        EnableDependentControls();
        TellEstimateChanged();
    }
    return VqsTableOptionPage::OnCommand(wParam, lParam);
}

void VqsOptionPageProfileEnv::OnExpectedNumberChanged()
{
    if (BeginModify(nullptr, TRUE))
        TellEstimateChanged();
}

void VqsOptionPageProfileEnv::OnPercentChanged() { BeginModify(nullptr, TRUE); }

void VqsOptionPageProfileEnv::TellPackChanged()
{
    m_pTypedSheet->SyncPackEnabling();
    m_pTypedSheet->CopyPackToStorage();
}

void VqsOptionPageProfileEnv::TellEstimateChanged()
{
    m_pTypedSheet->SyncExpectedNumberEnabling();
    m_pTypedSheet->CopyExpectedNumberToStorage();
}

VqsOptionPageReportEnv::VqsOptionPageReportEnv(VqsOptions_Report_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_ENVIRONMENT, pageIndex), m_pTypedSheet(sheet),
      m_extractPack(m_table.Combo(IDC_EXTRACT_PACK, VQS_TEXT_OPTION(PxReportOptions, ExtractPack), 3)),
      m_useDefaultPack(m_table.DefaultBox(IDC_USE_DEFAULT_EXTRACT_PACK, IDC_EXTRACT_PACK, FALSE)),
      m_oltpClient(m_table.Flag(IDC_OLTP_CLIENT, VQS_OPTION(PxReportOptions, OLTPClient), VqsOptionTable::Modify))
{
}

void VqsOptionPageReportEnv::EnableDependentControls()
{
    const PxBSegOptionsPtr& segment = m_pTypedSheet->GetBSegOptions();
    m_oltpClient.Enable(segment && segment->GetEnableOLTP());
}

BEGIN_MESSAGE_MAP(VqsOptionPageReportExtractFile, VqsOptionPage)
    ON_BN_CLICKED(IDC_USE_FILE, &VqsOptionPageReportExtractFile::OnUseFileClicked)
    ON_NOTIFY(UDN_DELTAPOS, IDC_FILE_SPIN, &VqsOptionPageReportExtractFile::OnSpinDelta)
END_MESSAGE_MAP()

VqsOptionPageReportExtractFile::VqsOptionPageReportExtractFile(VqsOptions_Report_Sheet* sheet, UINT dialogId,
                                                               int pageIndex)
    : VqsOptionPage(sheet, dialogId, IDS_EXTRACT_FILE, pageIndex), m_pTypedSheet(sheet),
      m_useFile(&m_connector, IDC_USE_FILE)
{
}

void VqsOptionPageReportExtractFile::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPage::DoDataExchange(pDX);
    if (!m_spin.m_hWnd)
        DDX_Control(pDX, IDC_FILE_SPIN, m_spin);
    DDX_Text(pDX, IDC_FILE_LETTER, m_fileLetter);
}

void VqsOptionPageReportExtractFile::StoreOptions()
{
    m_pTypedSheet->GetTypedOptions()->SetExtractFileUse(m_nFileIndex, m_useFile.m_bValue ? 1 : 0);
}

BOOL VqsOptionPageReportExtractFile::IsNotUpdated()
{
    return !m_pTypedSheet->GetTypedOptions()->IsUpdatedExtractFileUse(m_nFileIndex);
}

void VqsOptionPageReportExtractFile::ClearOptions()
{
    m_pTypedSheet->GetTypedOptions()->ClearExtractFileUse(m_nFileIndex);
}

void VqsOptionPageReportExtractFile::LoadOptions()
{
    m_fileLetter = CString(static_cast<char>(kFirstLetter + m_nFileIndex));
    m_useFile.m_bValue = m_pTypedSheet->GetTypedOptions()->GetExtractFileUse(m_nFileIndex);
    UpdateData(FALSE);
    m_spin.SetRange(kFirstLetter, kLastLetter);
    m_spin.SetPos(kFirstLetter + m_nFileIndex);
    EnableDependentControls();
}

void VqsOptionPageReportExtractFile::EnableDependentControls() {}

void VqsOptionPageReportExtractFile::OnUseFileClicked()
{
    if (OnOptionChanged(&m_useFile, TRUE))
        EnableDependentControls();
}

// A refused switch refuses the step too, so that the spin shows the file the page edits.
void VqsOptionPageReportExtractFile::OnSpinDelta(NMHDR* header, LRESULT* result)
{
    auto* change = reinterpret_cast<NMUPDOWN*>(header);
    int position = change->iPos + change->iDelta;
    if (position < kFirstLetter || position > kLastLetter) {
        position = position < kFirstLetter ? kFirstLetter : kLastLetter;
        change->iDelta = position - change->iPos;
    }
    *result = SwitchToFile(position) ? 0 : 1;
}

BOOL VqsOptionPageReportExtractFile::SwitchToFile(int position)
{
    if (position == kFirstLetter + m_nFileIndex)
        return TRUE;
    if (m_bModified) {
        BOOL save = FALSE;
        if (!VqsQuestionCancelBoxId(save, IDS_OPTIONS_CHANGED))
            return FALSE;
        if (save) {
            OnApplyNow();
            if (m_bModified)
                return FALSE;
        }
    }
    m_nFileIndex = position - kFirstLetter;
    ReloadPage();
    m_pSheet->SetPageStateImage(m_nPageIndex, m_bAtDefaults, m_bModified);
    return TRUE;
}

VqsOptionPageReportGenerate::VqsOptionPageReportGenerate(VqsOptions_Report_Sheet* sheet, UINT dialogId,
                                                         int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_GENERATE, pageIndex), m_pTypedSheet(sheet),
      m_asName(m_table.Text(IDC_AS_NAME, VQS_TEXT_OPTION(PxReportOptions, AsName), 0)),
      m_language(m_table.Combo(IDC_LANGUAGE, VQS_OPTION(PxReportOptions, Language), 0, VqsOptionTable::NoValidate))
{
}

BOOL VqsOptionPageReportGenerate::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    const int show = IsReadOnly() ? SW_SHOW : SW_HIDE;
    for (int id : {IDC_AS_NAME, IDC_GENERATED_AS_LABEL})
        if (CWnd* item = GetDlgItem(id))
            item->ShowWindow(show);
    return TRUE;
}

void VqsOptionPageReportGenerate::AdjustLoadedValues()
{
    const PxVQReportSoftLinkPtr report(m_pTypedSheet->GetTypedOptions()->GetSoftLink());
    CStringArray languages;
    const PxVQBSSoftLinkPtr segment = report ? report->GetBSSoftLink() : PxVQBSSoftLinkPtr();
    for (int slot = 1; segment && slot <= kLanguageSlots; ++slot) {
        const CString language = segment->GetLanguage(slot);
        if (!language.IsEmpty())
            languages.Add(language);
    }
    m_language.SetItems(languages);
    m_language.Enable(!(report && report->GetGenToAllLang()));
}
