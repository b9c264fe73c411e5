#include "options_tarsk/VqsOptionPagesTarskReport.h"

#include "options_tarsk/VqsOptionsElementTarskSheets.h"
#include "shell/VqsMsgBox.h"
#include "win/CDataExchange.h"
#include "win/Messages.h"

#include <algorithm>

namespace {

constexpr UINT IDS_FAST_LOAD = 61558;

constexpr int IDC_ROC_USES_DATABASE = 1713;
constexpr int IDC_ROC_USES_DATABASE_DEFAULT = 1714;
constexpr int IDC_AS_SUBROUTINE = 1715;
constexpr int IDC_SORT_MEMORY_SIZE = 1716;

constexpr int IDC_DISK = 1051;
constexpr int IDC_TAPE = 1052;
constexpr int IDC_EXPECTED_DEFAULT = 1005;
constexpr int IDC_EXPECTED = 1026;
constexpr int IDC_RECORDS_PER_BLOCK_DEFAULT = 1008;
constexpr int IDC_DISK_RECORDS_PER_BLOCK = 1036;
constexpr int IDC_INTERNAL_FORMAT = 32873;
constexpr int IDC_GENERIC_FORMAT = 32874;
constexpr int IDC_TAPE_RECORDS_PER_BLOCK = 1066;
constexpr int IDC_LABELLED = 1014;
constexpr int IDC_DEVICE = 1720;
constexpr int IDC_REEL = 1721;
constexpr int IDC_STANDARD_TAPE = 1717;
constexpr int IDC_INTERCHANGE_TAPE = 1718;
constexpr int IDC_IBM_TAPE = 1719;

constexpr int IDC_ZERO_LEAD = 1722;
constexpr int IDC_RECOVERY = 1723;
constexpr int IDC_TABLE_EMPTY = 1724;
constexpr int IDC_SORTED = 1725;
constexpr int IDC_DISABLE_SYSTEM = 1726;
constexpr int IDC_LOAD_FACTOR = 1730;
constexpr int IDC_SPLIT_RUNS = 1731;
constexpr int IDC_DEFAULT_FILE = 1733;

constexpr int kNoValidation = 0;
constexpr int kFormatTypes = 3;
constexpr std::int64_t kUnusableSortMemorySize = 1;
constexpr const char* kSortMemorySizeRefused = "The value of Sort Memory Size of the Report cannot be set to 1";

void LimitWhenBounded(VqsOptCtrlInt& box, BOOL bounded, int characters)
{
    if (bounded)
        box.SetTextLimit(characters, 0);
}

} // namespace

VqsOptionPageTarskReportEnv::VqsOptionPageTarskReportEnv(VqsOptions_Report_Tarsk_Sheet* sheet, UINT dialogId,
                                                         int pageIndex)
    : VqsOptionPageReportEnv(sheet, dialogId, pageIndex), m_pTypedSheet(sheet),
      m_sortMemorySize(m_table.Number(IDC_SORT_MEMORY_SIZE, VQS_NUMBER_OPTION(PxTarskReportOptions, SortMemSize),
                                      VqsOptionTable::Validate))
{
    m_table.Flag(IDC_ROC_USES_DATABASE, VQS_OPTION(PxTarskReportOptions, ReportROCusesDB));
    // Clearing the box keeps the segment's setting shown as the report's own.
    m_table.DefaultBox(IDC_ROC_USES_DATABASE_DEFAULT, IDC_ROC_USES_DATABASE);
    m_table.Flag(IDC_AS_SUBROUTINE, VQS_OPTION(PxTarskReportOptions, AsSubroutine));
}

BOOL VqsOptionPageTarskReportEnv::OnInitDialog()
{
    VqsOptionPageReportEnv::OnInitDialog();
    std::int64_t bound = 0;
    LimitWhenBounded(m_sortMemorySize, m_pTypedSheet->GetTarskOptions()->HasUpperLimitSortMemSize(bound), 3);
    return TRUE;
}

// A sort memory of one kiloword cannot be generated: the apply is refused, so that the page
// stays modified.
void VqsOptionPageTarskReportEnv::DoDataExchange(CDataExchange* pDX)
{
    VqsOptionPageReportEnv::DoDataExchange(pDX);
    if (pDX->m_bSaveAndValidate && m_connector.IsStrict() && !m_sortMemorySize.IsNotAvailable() &&
        m_sortMemorySize.GetValue() == kUnusableSortMemorySize) {
        VqsErrorBox(kSortMemorySizeRefused);
        pDX->PrepareEditCtrl(IDC_SORT_MEMORY_SIZE);
        pDX->Fail();
    }
}

void VqsOptionPageTarskReportEnv::OnOptionTaken(UINT id)
{
    if (id == IDC_ROC_USES_DATABASE_DEFAULT)
        UpdateData(FALSE);
}

VqsOptionPageTarskReportExtractFile::VqsOptionPageTarskReportExtractFile(VqsOptions_Report_Tarsk_Sheet* sheet,
                                                                         UINT dialogId, int pageIndex)
    : VqsOptionPageReportExtractFile(sheet, dialogId, pageIndex), m_pTypedSheet(sheet),
      m_kind(&m_connector, IDC_DISK, IDC_TAPE), m_recordFormat(&m_connector, IDC_INTERNAL_FORMAT, IDC_GENERIC_FORMAT),
      m_formatType(&m_connector, IDC_STANDARD_TAPE, IDC_INTERCHANGE_TAPE, IDC_IBM_TAPE),
      m_expectedDefault(&m_connector, IDC_EXPECTED_DEFAULT),
      m_recordsPerBlockDefault(&m_connector, IDC_RECORDS_PER_BLOCK_DEFAULT), m_labelled(&m_connector, IDC_LABELLED),
      m_expected(&m_connector, IDC_EXPECTED), m_diskRecordsPerBlock(&m_connector, IDC_DISK_RECORDS_PER_BLOCK),
      m_tapeRecordsPerBlock(&m_connector, IDC_TAPE_RECORDS_PER_BLOCK),
      m_device(&m_connector, IDC_DEVICE, static_cast<int>(sheet->GetTarskOptions()->GetMaxLengthExtractFileDevice()),
               kNoValidation),
      m_reel(&m_connector, IDC_REEL, static_cast<int>(sheet->GetTarskOptions()->GetMaxLengthExtractFileReel()),
             kNoValidation)
{
    const PxTarskReportOptions& options = *sheet->GetTarskOptions();
    std::int64_t bound = 0;
    if (options.HasLowerLimitExtractFileExpected(bound))
        m_expected.SetMinimum(bound);
    if (options.HasUpperLimitExtractFileExpected(bound))
        m_expected.SetMaximum(bound);
    if (options.HasLowerLimitExtractFileRecOrBlock(bound))
        m_diskRecordsPerBlock.SetMinimum(bound);
    m_tapeRecordsPerBlock.SetMinimum(1);
    if (options.HasUpperLimitExtractFileRecOrBlock(bound)) {
        m_diskRecordsPerBlock.SetMaximum(bound);
        m_tapeRecordsPerBlock.SetMaximum(bound);
    }
}

PxTarskReportOptions& VqsOptionPageTarskReportExtractFile::Options() const
{
    return *m_pTypedSheet->GetTarskOptions();
}

BOOL VqsOptionPageTarskReportExtractFile::OnInitDialog()
{
    VqsOptionPageReportExtractFile::OnInitDialog();
    const PxTarskReportOptions& options = Options();
    std::int64_t bound = 0;
    LimitWhenBounded(m_expected, options.HasUpperLimitExtractFileExpected(bound), 8);
    const BOOL blockBounded = options.HasUpperLimitExtractFileRecOrBlock(bound);
    LimitWhenBounded(m_diskRecordsPerBlock, blockBounded, 3);
    LimitWhenBounded(m_tapeRecordsPerBlock, blockBounded, 3);
    return TRUE;
}

// Both records-per-block edits show the file's one option, so that switching the kind of
// file never stores a number that was not loaded.
void VqsOptionPageTarskReportExtractFile::LoadOptions()
{
    const PxTarskReportOptions& options = Options();
    const int file = GetFileIndex();
    m_device.SetValue(options.GetExtractFileDevice(file));
    m_reel.SetValue(options.GetExtractFileReel(file));
    const int formatType = options.GetExtractFileFormatType(file);
    if (formatType >= 0 && formatType < kFormatTypes)
        m_formatType.m_nValue = formatType;
    m_kind.m_nValue = options.GetExtractFileKind(file) != 0 ? Tape : Disk;
    m_recordFormat.m_nValue = options.GetRecordFormat(file) != 0 ? 1 : 0;
    vqsoptiontable::ShowReadValue(m_diskRecordsPerBlock, [&] { return options.GetExtractFileRecOrBlock(file); });
    vqsoptiontable::ShowValueFrom(m_tapeRecordsPerBlock, m_diskRecordsPerBlock,
                                  [](std::int64_t value) { return std::max<std::int64_t>(value, 1); });
    m_recordsPerBlockDefault.m_bValue = options.IsDefaultExtractFileRecOrBlock(file);
    if (m_recordsPerBlockDefault.m_bValue)
        m_diskRecordsPerBlock.SetNotAvailable();
    vqsoptiontable::ShowReadValue(m_expected, [&] { return options.GetExtractFileExpected(file); });
    m_expectedDefault.m_bValue = options.IsDefaultExtractFileExpected(file);
    if (m_expectedDefault.m_bValue)
        m_expected.SetNotAvailable();
    m_labelled.m_bValue = options.GetExtractFileLabelled(file);
    VqsOptionPageReportExtractFile::LoadOptions();
}

void VqsOptionPageTarskReportExtractFile::EnableDependentControls()
{
    const BOOL used = m_useFile.m_bValue;
    const BOOL disk = used && !IsTape();
    const BOOL tape = used && IsTape();
    m_kind.Enable(used);
    m_recordFormat.Enable(used);
    m_recordsPerBlockDefault.Enable(disk);
    m_expectedDefault.Enable(disk);
    m_diskRecordsPerBlock.Enable(disk && !m_diskRecordsPerBlock.IsNotAvailable());
    m_expected.Enable(disk && !m_expected.IsNotAvailable());
    m_tapeRecordsPerBlock.Enable(tape && !m_tapeRecordsPerBlock.IsNotAvailable());
    m_labelled.Enable(tape);
    m_device.Enable(tape);
    m_reel.Enable(tape);
    m_formatType.Enable(tape);
}

void VqsOptionPageTarskReportExtractFile::StoreOptions()
{
    VqsOptionPageReportExtractFile::StoreOptions();
    PxTarskReportOptions& options = Options();
    const int file = GetFileIndex();
    if (IsTape()) {
        if (!m_tapeRecordsPerBlock.IsNotAvailable())
            options.SetExtractFileRecOrBlock(file, m_tapeRecordsPerBlock.GetValue());
    } else if (m_recordsPerBlockDefault.m_bValue)
        options.MakeDefaultExtractFileRecOrBlock(file);
    else if (!m_diskRecordsPerBlock.IsNotAvailable())
        options.SetExtractFileRecOrBlock(file, m_diskRecordsPerBlock.GetValue());
    if (m_expectedDefault.m_bValue)
        options.MakeDefaultExtractFileExpected(file);
    else if (!m_expected.IsNotAvailable())
        options.SetExtractFileExpected(file, m_expected.GetValue());
    options.SetExtractFileKind(file, IsTape() ? 1 : 0);
    options.SetRecordFormat(file, m_recordFormat.m_nValue == 1 ? 1 : 0);
    options.SetExtractFileLabelled(file, m_labelled.m_bValue ? 1 : 0);
    options.SetExtractFileDevice(file, m_device.GetValue());
    options.SetExtractFileReel(file, m_reel.GetValue());
    const int formatType = m_formatType.m_nValue;
    options.SetExtractFileFormatType(file, formatType >= 0 && formatType < kFormatTypes ? formatType : 0);
}

BOOL VqsOptionPageTarskReportExtractFile::IsNotUpdated()
{
    const PxTarskReportOptions& options = Options();
    const int file = GetFileIndex();
    return VqsOptionPageReportExtractFile::IsNotUpdated() && !options.IsUpdatedExtractFileLabelled(file) &&
           !options.IsUpdatedExtractFileRecOrBlock(file) && !options.IsUpdatedExtractFileExpected(file) &&
           !options.IsUpdatedExtractFileKind(file) && !options.IsUpdatedRecordFormat(file) &&
           !options.IsUpdatedExtractFileFormatType(file) && !options.IsUpdatedExtractFileDevice(file) &&
           !options.IsUpdatedExtractFileReel(file);
}

void VqsOptionPageTarskReportExtractFile::ClearOptions()
{
    VqsOptionPageReportExtractFile::ClearOptions();
    PxTarskReportOptions& options = Options();
    const int file = GetFileIndex();
    options.ClearExtractFileLabelled(file);
    options.ClearExtractFileRecOrBlock(file);
    options.ClearExtractFileExpected(file);
    options.ClearExtractFileKind(file);
    options.ClearRecordFormat(file);
    options.ClearExtractFileFormatType(file);
    options.ClearExtractFileDevice(file);
    options.ClearExtractFileReel(file);
}

// A default box shows its number as not available; clearing it brings the number back.
void VqsOptionPageTarskReportExtractFile::OnDefaultBox(VqsOptCtrlFlag& box, VqsOptCtrlInt& number)
{
    if (!OnOptionChanged(&box, TRUE))
        return;
    if (box.m_bValue)
        number.SetNotAvailable();
    else
        vqsoptiontable::ShowValueAgain(number);
    number.Enable(m_useFile.m_bValue && !IsTape() && !number.IsNotAvailable());
    UpdateData(FALSE);
}

BOOL VqsOptionPageTarskReportExtractFile::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_DISK:
        case IDC_TAPE:
            if (OnOptionChanged(&m_kind, TRUE))
                EnableDependentControls();
            break;
        case IDC_INTERNAL_FORMAT:
        case IDC_GENERIC_FORMAT:
            if (OnOptionChanged(&m_recordFormat, TRUE))
                EnableDependentControls();
            break;
        case IDC_EXPECTED_DEFAULT:
            OnDefaultBox(m_expectedDefault, m_expected);
            break;
        case IDC_RECORDS_PER_BLOCK_DEFAULT:
            OnDefaultBox(m_recordsPerBlockDefault, m_diskRecordsPerBlock);
            break;
        case IDC_LABELLED:
            BeginModify(nullptr, TRUE);
            break;
        case IDC_STANDARD_TAPE:
        case IDC_INTERCHANGE_TAPE:
        case IDC_IBM_TAPE:
            OnOptionChanged(&m_formatType, TRUE);
            break;
        default:
            break;
        }
    } else if (code == EN_CHANGE) {
        if (id == IDC_EXPECTED || id == IDC_DISK_RECORDS_PER_BLOCK || id == IDC_TAPE_RECORDS_PER_BLOCK)
            BeginModify(nullptr, TRUE);
        else if (id == IDC_DEVICE)
            OnOptionChanged(&m_device, TRUE);
        else if (id == IDC_REEL)
            OnOptionChanged(&m_reel, TRUE);
    }
    return VqsOptionPageReportExtractFile::OnCommand(wParam, lParam);
}

VqsOptionPageTarskReportGenerate::VqsOptionPageTarskReportGenerate(VqsOptions_Report_Tarsk_Sheet* sheet,
                                                                   UINT dialogId, int pageIndex)
    : VqsOptionPageReportGenerate(sheet, dialogId, pageIndex)
{
}

VqsOptionPageTarskReportFastLoad::VqsOptionPageTarskReportFastLoad(VqsOptions_Report_Tarsk_Sheet* sheet,
                                                                   UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_FAST_LOAD, pageIndex), m_pTypedSheet(sheet)
{
    m_table.Flag(IDC_ZERO_LEAD, VQS_OPTION(PxTarskReportOptions, FastLoadZeroLead));
    m_table.Flag(IDC_RECOVERY, VQS_OPTION(PxTarskReportOptions, FastLoadRecovery));
    m_table.Flag(IDC_TABLE_EMPTY, VQS_OPTION(PxTarskReportOptions, FastLoadTableEmpty));
    m_table.Flag(IDC_SORTED, VQS_OPTION(PxTarskReportOptions, FastLoadSorted));
    m_table.Flag(IDC_DISABLE_SYSTEM, VQS_OPTION(PxTarskReportOptions, FastLoadDisableSystem));
    m_pLoadFactor = &m_table.Number(IDC_LOAD_FACTOR, VQS_NUMBER_OPTION(PxTarskReportOptions, FastLoadFactor),
                                    VqsOptionTable::Validate);
    m_pSplitRuns = &m_table.Number(IDC_SPLIT_RUNS, VQS_NUMBER_OPTION(PxTarskReportOptions, FastLoadSplitRuns),
                                   VqsOptionTable::Validate);
    m_table.Text(IDC_DEFAULT_FILE, VQS_TEXT_OPTION(PxTarskReportOptions, FastLoadDefaultFile), kNoValidation,
                 VqsOptionTable::Validate);
}

BOOL VqsOptionPageTarskReportFastLoad::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    const PxTarskReportOptions& options = *m_pTypedSheet->GetTarskOptions();
    std::int64_t bound = 0;
    LimitWhenBounded(*m_pLoadFactor, options.HasUpperLimitFastLoadFactor(bound), 3);
    LimitWhenBounded(*m_pSplitRuns, options.HasUpperLimitFastLoadSplitRuns(bound), 2);
    return TRUE;
}
