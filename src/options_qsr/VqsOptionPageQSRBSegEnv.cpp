#include "options_qsr/VqsOptionPageQSRBSegEnv.h"

#include "options/VqsEnterprisePackNames.h"
#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"
#include "shell/VqsMsgBox.h"
#include "win/CDataExchange.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

constexpr UINT IDS_POF_NONE = 61896;
constexpr UINT IDS_POF_BLANK = 61897;
constexpr UINT IDS_DUPLICATE_POF_FAMILY = 61962;

constexpr int IDC_LOG_ACTIVITIES = 1077;
constexpr int IDC_LOG_TRANSACTIONS = 1078;
constexpr int IDC_LOG_FILE_SIZE = 1134;
constexpr int IDC_USE_PAINTER = 1099;
constexpr int IDC_BACKGROUND = 1100;
constexpr int IDC_FOREGROUND = 1101;
constexpr int IDC_ADHOC_INQUIRY = 1080;
constexpr int IDC_ROC_USES_DATABASE = 1114;
constexpr int IDC_VALIDATE_USERCODE = 1113;
constexpr int IDC_PROTECTED_INPUT = 1116;
constexpr int IDC_USE_DICTIONARY = 1112;
constexpr int IDC_DICTIONARY = 1117;
constexpr int IDC_EXTERN_TOLVE_FILE = 1120;
constexpr int IDC_EXPECTED_TPH = 1133;
constexpr int IDC_ENABLE_NAP = 1115;
constexpr int IDC_NAP_AIM_BUFFER = 1118;
constexpr int IDC_NAP_GLOBAL_WORK = 1119;
constexpr int IDC_USE_DEFAULT_POF_NAME = 1251;
constexpr int IDC_POF_NAME = 1121;
constexpr int IDC_POF_FAMILY = 1122;
constexpr int IDC_DUPLICATE_POF_FAMILY = 1123;
constexpr int IDC_EXTERN_USER_1 = 1124;
constexpr int IDC_EXTERN_USER_2 = 1125;
constexpr int IDC_EXTERN_NAME_1 = 1126;
constexpr int IDC_EXTERN_NAME_2 = 1127;
constexpr int IDC_EXTERN_PACK_1 = 1128;
constexpr int IDC_EXTERN_PACK_2 = 1129;
// The Copy Audit to Tape buttons in the order of the values they stand for.
constexpr UINT kCopyAuditButtons[] = {1135, 1136, 1139, 1138, 1140, 1141, 1142, 1143, 1145};

constexpr int kNoValidation = 0;
constexpr int kNotEmpty = 4;
constexpr int kPackNameOrEmpty = 4;
constexpr int kLogFileSizeCharacters = 7;
constexpr int kExpectedTphCharacters = 3;
constexpr std::int64_t kLargestAdhocReblockFactor = 8;

BOOL IsCopyAuditChoice(int value) { return value >= 0 && value < static_cast<int>(std::size(kCopyAuditButtons)); }

BOOL IsCopyAuditButton(UINT id)
{
    return std::find(std::begin(kCopyAuditButtons), std::end(kCopyAuditButtons), id) != std::end(kCopyAuditButtons);
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageQSRBSegEnv, VqsOptionPageBSegEnv)
    ON_WM_CTLCOLOR()
    ON_EN_KILLFOCUS(IDC_DUPLICATE_POF_FAMILY, &VqsOptionPageQSRBSegEnv::OnDuplicateFamilyLeft)
END_MESSAGE_MAP()

VqsOptionPageQSRBSegEnv::VqsOptionPageQSRBSegEnv(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageBSegEnv(sheet, dialogId, pageIndex), m_pQSRSheet(sheet),
      m_logActivities(m_table.Flag(IDC_LOG_ACTIVITIES, VQS_OPTION(PxQSRBSegOptions, LogAct))),
      m_logTransactions(m_table.Flag(IDC_LOG_TRANSACTIONS, VQS_OPTION(PxQSRBSegOptions, LogTrans))),
      m_logFileSize(m_table.Number(IDC_LOG_FILE_SIZE, VQS_NUMBER_OPTION(PxQSRBSegOptions, LogFileSize))),
      m_usePainter(m_table.Flag(IDC_USE_PAINTER, VQS_OPTION(PxQSRBSegOptions, BSUsePainter))),
      m_background(m_table.Colour(IDC_BACKGROUND, VQS_OPTION(PxQSRBSegOptions, BSBColor))),
      m_foreground(m_table.Colour(IDC_FOREGROUND, VQS_OPTION(PxQSRBSegOptions, BSFColor))),
      m_adhocInquiry(m_table.Flag(IDC_ADHOC_INQUIRY, VQS_OPTION(PxQSRBSegOptions, AdhocInqReq))),
      m_rocUsesDatabase(m_table.Flag(IDC_ROC_USES_DATABASE, VQS_OPTION(PxQSRBSegOptions, ROCusesDB))),
      m_useDictionary(m_table.Flag(IDC_USE_DICTIONARY, VQS_OPTION(PxQSRBSegOptions, UseMOVIDictionary))),
      m_dictionary(m_table.Text(IDC_DICTIONARY, VQS_TEXT_OPTION(PxQSRBSegOptions, MOVIDictionary), kNoValidation)),
      m_expectedTph(m_table.Number(IDC_EXPECTED_TPH, VQS_NUMBER_OPTION(PxQSRBSegOptions, ExpectedTPH))),
      m_enableNap(m_table.Flag(IDC_ENABLE_NAP, VQS_OPTION(PxQSRBSegOptions, EnableNAP))),
      m_napAimBuffer(m_table.Text(IDC_NAP_AIM_BUFFER, VQS_TEXT_OPTION(PxQSRBSegOptions, NAPAIMbuffer), kNotEmpty)),
      m_napGlobalWork(
          m_table.Text(IDC_NAP_GLOBAL_WORK, VQS_TEXT_OPTION(PxQSRBSegOptions, NAPGlobalWork), kNoValidation)),
      m_rows(&m_connector),
      m_externPack0(m_rows.Combo(IDC_EXTERN_PACK_1, VQS_INDEXED_TEXT_OPTION(PxQSRBSegOptions, ExternDBpack), 0,
                                 kPackNameOrEmpty)),
      m_externPack1(m_rows.Combo(IDC_EXTERN_PACK_2, VQS_INDEXED_TEXT_OPTION(PxQSRBSegOptions, ExternDBpack), 1,
                                 kPackNameOrEmpty)),
      m_useDefaultPofName(&m_connector, IDC_USE_DEFAULT_POF_NAME),
      m_pofName(&m_connector, IDC_POF_NAME, -1, kNoValidation),
      m_pofFamily(&m_connector, IDC_POF_FAMILY, -1, kNoValidation),
      m_duplicateFamily(&m_connector, IDC_DUPLICATE_POF_FAMILY, -1, kNoValidation),
      m_copyAudit(&m_connector, kCopyAuditButtons[0], kCopyAuditButtons[1], kCopyAuditButtons[2], kCopyAuditButtons[3],
                  kCopyAuditButtons[4], kCopyAuditButtons[5], kCopyAuditButtons[6], kCopyAuditButtons[7],
                  kCopyAuditButtons[8]),
      m_sample(*this, m_usePainter, m_background, m_foreground)
{
    m_table.Flag(IDC_VALIDATE_USERCODE, VQS_OPTION(PxQSRBSegOptions, ValidateUsercode));
    m_table.Flag(IDC_PROTECTED_INPUT, VQS_OPTION(PxQSRBSegOptions, ProtectedInput));
    m_table.Text(IDC_EXTERN_TOLVE_FILE, VQS_TEXT_OPTION(PxQSRBSegOptions, ExternTOLVEfile), kNoValidation);
    m_rows.Text(IDC_EXTERN_USER_1, VQS_INDEXED_TEXT_OPTION(PxQSRBSegOptions, ExternDBuser), 0, kNoValidation);
    m_rows.Text(IDC_EXTERN_USER_2, VQS_INDEXED_TEXT_OPTION(PxQSRBSegOptions, ExternDBuser), 1, kNoValidation);
    m_rows.Text(IDC_EXTERN_NAME_1, VQS_INDEXED_TEXT_OPTION(PxQSRBSegOptions, ExternDBname), 0, kNoValidation);
    m_rows.Text(IDC_EXTERN_NAME_2, VQS_INDEXED_TEXT_OPTION(PxQSRBSegOptions, ExternDBname), 1, kNoValidation);
    m_rows.Route(m_useDefaultPofName, VqsOptionTable::Validate, {IDC_USE_DEFAULT_POF_NAME});
    m_rows.Route(m_pofName, VqsOptionTable::Modify, {IDC_POF_NAME});
    m_rows.Route(m_pofFamily, VqsOptionTable::Modify, {IDC_POF_FAMILY});
    m_rows.Route(m_duplicateFamily, VqsOptionTable::Modify, {IDC_DUPLICATE_POF_FAMILY});
    m_rows.Route(m_copyAudit, VqsOptionTable::Validate, {std::begin(kCopyAuditButtons), std::end(kCopyAuditButtons)});
    const PxQSRBSegOptionsPtr& options = Options();
    m_pofName.SetMaxLength(static_cast<int>(options->GetMaxLengthPOFname()));
    m_pofFamily.SetMaxLength(static_cast<int>(options->GetMaxLengthPOFfamily()));
    m_duplicateFamily.SetMaxLength(static_cast<int>(options->GetMaxLengthDupPOFfamily()));
}

const PxQSRBSegOptionsPtr& VqsOptionPageQSRBSegEnv::Options() const { return m_pQSRSheet->GetQSROptions(); }

BOOL VqsOptionPageQSRBSegEnv::OnInitDialog()
{
    m_sample.FillColourNames(IDC_BACKGROUND, IDC_FOREGROUND);
    VqsOptionPageBSegEnv::OnInitDialog();
    LimitDigits(m_logFileSize, *Options(), &PxQSRBSegOptions::HasUpperLimitLogFileSize, kLogFileSizeCharacters);
    LimitDigits(m_expectedTph, *Options(), &PxQSRBSegOptions::HasUpperLimitExpectedTPH, kExpectedTphCharacters);
    return TRUE;
}

// A duplicate POF family equal to the POF family is refused at apply, where it would be
// stored.
void VqsOptionPageQSRBSegEnv::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPageBSegEnv::DoDataExchange(pDX);
    if (!pDX->m_bSaveAndValidate || !m_connector.IsStrict() || !m_nReapply || !IsDuplicateFamilyTheFamily())
        return;
    if (!std::exchange(m_bDuplicateWarned, FALSE))
        VqsMessageBoxId(IDS_DUPLICATE_POF_FAMILY);
    pDX->PrepareCtrl(IDC_DUPLICATE_POF_FAMILY);
    pDX->Fail();
}

BOOL VqsOptionPageQSRBSegEnv::IsDuplicateFamilyTheFamily() const
{
    const CString duplicate = m_duplicateFamily.GetValue();
    return !duplicate.IsEmpty() && duplicate == m_pofFamily.GetValue();
}

void VqsOptionPageQSRBSegEnv::OnDuplicateFamilyLeft()
{
    const CString duplicate = m_duplicateFamily.GetControlText();
    if (!m_nReapply || duplicate.IsEmpty() || duplicate != m_pofFamily.GetControlText())
        return;
    VqsMessageBoxId(IDS_DUPLICATE_POF_FAMILY);
    m_bDuplicateWarned = TRUE;
    m_duplicateFamily.SetFocus();
}

void VqsOptionPageQSRBSegEnv::AdjustLoadedValues()
{
    const PxQSRBSegOptionsPtr& options = Options();
    m_nReapply = m_pQSRSheet->GetReapplyCompleted();
    const CStringArray packs = VqsEnterprisePackNames();
    m_externPack0.SetItems(packs);
    m_externPack1.SetItems(packs);
    m_rows.Load(Record());
    if (!m_logActivities.m_bValue)
        m_logTransactions.m_bValue = FALSE;
    LoadPof();
    if (m_usePainter.m_bValue) {
        m_background.SetNotAvailable();
        m_foreground.SetNotAvailable();
    }
    const int copyAudit = options->GetCopyAudit2tape();
    if (IsCopyAuditChoice(copyAudit))
        m_copyAudit.m_nValue = copyAudit;
    m_pQSRSheet->EnableAuditDetails(m_copyAudit.m_nValue == PxCopyAudit2tapeUserDefined);
    m_pQSRSheet->SetReblockFactorUpperLimit(m_adhocInquiry.m_bValue);
}

void VqsOptionPageQSRBSegEnv::LoadPof()
{
    const PxQSRBSegOptionsPtr& options = Options();
    m_useDefaultPofName.m_bValue = options->IsDefaultPOFname();
    vqsoptiontable::ShowReadValue(m_pofName, [&] { return options->GetPOFname(); });
    vqsoptiontable::ShowReadValue(m_pofFamily, [&] { return options->GetPOFfamily(); });
    vqsoptiontable::ShowReadValue(m_duplicateFamily, [&] {
        const CString duplicate = options->GetDupPOFfamily();
        const BOOL isTheFamily = !m_pofFamily.IsNotAvailable() && duplicate == m_pofFamily.GetValue();
        return !duplicate.IsEmpty() && isTheFamily ? CString() : duplicate;
    });
    ShowPofAvailability();
}

void VqsOptionPageQSRBSegEnv::ShowPofAvailability()
{
    if (m_nReapply) {
        vqsoptiontable::ShowValueAgain(m_pofName);
        vqsoptiontable::ShowValueAgain(m_pofFamily);
        vqsoptiontable::ShowValueAgain(m_duplicateFamily);
        return;
    }
    m_pofName.SetNotAvailable(IDS_POF_NONE);
    m_pofFamily.SetNotAvailable(IDS_POF_BLANK);
    m_duplicateFamily.SetNotAvailable(IDS_POF_BLANK);
}

void VqsOptionPageQSRBSegEnv::EnableDependentControls()
{
    m_sample.EnableByPainter();
    EnableAdhocByReblockFactor(m_pQSRSheet->GetReblockFactor());
    m_logTransactions.Enable(m_logActivities.m_bValue);
    m_logFileSize.Enable(m_logActivities.m_bValue);
    m_dictionary.Enable(m_useDictionary.m_bValue);
    m_napAimBuffer.Enable(m_enableNap.m_bValue);
    m_napGlobalWork.Enable(m_enableNap.m_bValue);
    EnablePofControls(m_pofName.GetValue());
}

void VqsOptionPageQSRBSegEnv::EnablePofControls(const CString& shownPofName)
{
    const BOOL offered = m_nReapply != 0;
    m_useDefaultPofName.Enable(offered);
    m_pofName.Enable(offered && !m_useDefaultPofName.m_bValue && !m_pofName.IsNotAvailable());
    m_pofFamily.Enable(offered && !shownPofName.IsEmpty() && !m_pofFamily.IsNotAvailable());
    m_duplicateFamily.Enable(offered && !shownPofName.IsEmpty() && !m_duplicateFamily.IsNotAvailable());
}

void VqsOptionPageQSRBSegEnv::EnableAdhocByReblockFactor(std::int64_t factor)
{
    m_adhocInquiry.Enable(factor <= kLargestAdhocReblockFactor);
}

BOOL VqsOptionPageQSRBSegEnv::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (m_rows.Take(*this, id, HIWORD(wParam)))
        OnOptionTaken(id);
    return VqsOptionPageBSegEnv::OnCommand(wParam, lParam);
}

void VqsOptionPageQSRBSegEnv::OnOptionTaken(UINT id)
{
    if (IsCopyAuditButton(id)) {
        m_pQSRSheet->EnableAuditDetails(m_copyAudit.m_nValue == PxCopyAudit2tapeUserDefined);
        return;
    }
    switch (id) {
    case IDC_LOG_ACTIVITIES:
        m_logTransactions.Enable(m_logActivities.m_bValue);
        m_logFileSize.Enable(m_logActivities.m_bValue);
        if (!m_logActivities.m_bValue) {
            m_logTransactions.m_bValue = FALSE;
            UpdateData(FALSE);
        }
        break;
    case IDC_ADHOC_INQUIRY:
        m_pQSRSheet->SetReblockFactorUpperLimit(m_adhocInquiry.m_bValue);
        m_pQSRSheet->EnableAdhocCategory(m_adhocInquiry.m_bValue);
        break;
    case IDC_ROC_USES_DATABASE:
        m_pQSRSheet->RefreshPacksPage(m_rocUsesDatabase.m_bValue);
        break;
    case IDC_USE_DICTIONARY:
        m_dictionary.Enable(m_useDictionary.m_bValue);
        break;
    case IDC_ENABLE_NAP:
        m_napAimBuffer.Enable(m_enableNap.m_bValue);
        m_napGlobalWork.Enable(m_enableNap.m_bValue);
        break;
    case IDC_USE_PAINTER:
        if (m_usePainter.m_bValue) {
            vqsoptiontable::ShowDefaultOver(m_background, Options()->GetDefaultBSBColor());
            vqsoptiontable::ShowDefaultOver(m_foreground, Options()->GetDefaultBSFColor());
            m_background.SetNotAvailable();
            m_foreground.SetNotAvailable();
        } else {
            vqsoptiontable::ShowValueAgain(m_background);
            vqsoptiontable::ShowValueAgain(m_foreground);
        }
        EnableDependentControls();
        UpdateData(FALSE);
        break;
    case IDC_BACKGROUND:
    case IDC_FOREGROUND:
        m_sample.Repaint();
        break;
    case IDC_USE_DEFAULT_POF_NAME:
        if (m_useDefaultPofName.m_bValue)
            vqsoptiontable::ShowDefaultOver(m_pofName, Options()->GetDefaultPOFname());
        else
            vqsoptiontable::ShowValueAgain(m_pofName);
        UpdateData(FALSE);
        EnablePofControls(m_pofName.GetValue());
        break;
    case IDC_POF_NAME:
        EnablePofControls(m_pofName.GetControlText());
        break;
    case IDC_POF_FAMILY:
    case IDC_DUPLICATE_POF_FAMILY:
        m_bDuplicateWarned = FALSE;
        break;
    default:
        break;
    }
}

HBRUSH VqsOptionPageQSRBSegEnv::OnCtlColor(CDC* dc, CWnd* control, UINT)
{
    return m_sample.OnCtlColor(dc, control);
}

BOOL VqsOptionPageQSRBSegEnv::IsCopyAuditToTapeUserDefined() const
{
    const int copyAudit = m_hWnd ? m_copyAudit.m_nValue : static_cast<int>(Options()->GetCopyAudit2tape());
    return copyAudit == PxCopyAudit2tapeUserDefined;
}

int VqsOptionPageQSRBSegEnv::GetCurrentAdhocInqReq() const
{
    return m_hWnd ? m_adhocInquiry.m_bValue : Options()->GetAdhocInqReq();
}

int VqsOptionPageQSRBSegEnv::GetCurrentROCusesDB() const
{
    return m_hWnd ? m_rocUsesDatabase.m_bValue : Options()->GetROCusesDB();
}

void VqsOptionPageQSRBSegEnv::OnDefaultReblockFactorChanged(std::int64_t factor)
{
    if (m_hWnd)
        EnableAdhocByReblockFactor(factor);
}

void VqsOptionPageQSRBSegEnv::OnReapplyCompletedTransChanged(int reapply)
{
    m_nReapply = reapply;
    if (!m_hWnd)
        return;
    ShowPofAvailability();
    EnablePofControls(m_pofName.GetValue());
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegEnv::StoreOptions()
{
    VqsOptionPageBSegEnv::StoreOptions();
    m_rows.Store(Record());
    PxQSRBSegOptions& options = *Options();
    if (!m_nReapply)
        options.SetPOFname("");
    else if (m_useDefaultPofName.m_bValue)
        options.MakeDefaultPOFname();
    else if (!m_pofName.IsNotAvailable())
        options.SetPOFname(m_pofName.GetValue());
    StorePofText(m_pofFamily, &PxQSRBSegOptions::SetPOFfamily);
    const int copyAudit = m_copyAudit.m_nValue;
    options.SetCopyAudit2tape(static_cast<PxEnumCopyAudit2tape>(IsCopyAuditChoice(copyAudit) ? copyAudit : 0));
    StorePofText(m_duplicateFamily, &PxQSRBSegOptions::SetDupPOFfamily);
}

// Without reapply the text is empty; with it, the text shown, unless it was never read.
void VqsOptionPageQSRBSegEnv::StorePofText(const VqsOptCtrlString& text, void (PxQSRBSegOptions::*set)(const char*))
{
    if (!m_nReapply)
        (*Options().*set)("");
    else if (!text.IsNotAvailable())
        (*Options().*set)(text.GetValue());
}

BOOL VqsOptionPageQSRBSegEnv::IsNotUpdated()
{
    const PxQSRBSegOptionsPtr& options = Options();
    return VqsOptionPageBSegEnv::IsNotUpdated() && m_rows.IsNotUpdated(Record()) && !options->IsUpdatedPOFname() &&
           !options->IsUpdatedPOFfamily() && !options->IsUpdatedDupPOFfamily() && !options->IsUpdatedCopyAudit2tape();
}

void VqsOptionPageQSRBSegEnv::ClearOptions()
{
    VqsOptionPageBSegEnv::ClearOptions();
    m_rows.Clear(Record());
    PxQSRBSegOptions& options = *Options();
    options.ClearPOFname();
    options.ClearPOFfamily();
    options.ClearDupPOFfamily();
    options.ClearCopyAudit2tape();
}
