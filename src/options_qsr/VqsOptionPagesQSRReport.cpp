#include "options_qsr/VqsOptionPagesQSRReport.h"

#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsQSRElementSheets.h"
#include "options_qsr/VqsQSRElementSupport.h"
#include "win/Messages.h"

#include <algorithm>

namespace {

constexpr int IDC_ROC_USES_DATABASE = 1324;
constexpr int IDC_USE_DEFAULT_ROC_USES_DATABASE = 1325;
constexpr int IDC_AS_COROUTINE = 1326;
constexpr int IDC_SORT_MEMORY_SIZE = 1327;
constexpr int IDC_SORT_DISK_SIZE = 1328;
constexpr int IDC_USE_DEFAULT_SORT_DISK_SIZE = 1329;

constexpr int IDC_DISK = 1051;
constexpr int IDC_TAPE = 1052;
constexpr int IDC_INTERNAL_FORMAT = 32873;
constexpr int IDC_GENERIC_FORMAT = 32874;
constexpr int IDC_USE_DEFAULT_RECORDS_PER_BLOCK = 1008;
constexpr int IDC_DISK_RECORDS_PER_BLOCK = 1036;
constexpr int IDC_TAPE_RECORDS_PER_BLOCK = 1066;
constexpr int IDC_USE_DEFAULT_EXPECTED = 1005;
constexpr int IDC_EXPECTED = 1026;
constexpr int IDC_TAPE_LABELLED = 1014;

struct Limits {
    BOOL hasLower = FALSE;
    BOOL hasUpper = FALSE;
    std::int64_t lower = 0;
    std::int64_t upper = 0;
};

template <class Record>
Limits LimitsOf(const Record& record, BOOL (Record::*lowerLimit)(std::int64_t&) const,
                BOOL (Record::*upperLimit)(std::int64_t&) const)
{
    Limits limits;
    limits.hasLower = (record.*lowerLimit)(limits.lower);
    limits.hasUpper = (record.*upperLimit)(limits.upper);
    return limits;
}

void Bound(VqsOptCtrlInt& binder, const Limits& limits)
{
    if (limits.hasLower)
        binder.SetMinimum(limits.lower);
    if (limits.hasUpper)
        binder.SetMaximum(limits.upper);
}

// The number shows "not available" while its default box is set; it keeps the value it
// had, so that clearing the box shows it again.
template <class Read>
void ShowNumberOrDefault(VqsOptCtrlInt& number, Read read, BOOL isDefault)
{
    vqsoptiontable::ShowReadValue(number, read);
    if (isDefault)
        number.SetNotAvailable();
}

std::int64_t AtLeastOne(std::int64_t value) { return std::max<std::int64_t>(value, 1); }

} // namespace

VqsOptionPageQSRReportEnv::VqsOptionPageQSRReportEnv(VqsOptions_Report_QSR_Sheet* sheet, UINT dialogId,
                                                     int pageIndex)
    : VqsOptionPageReportEnv(sheet, dialogId, pageIndex), m_pQSRSheet(sheet),
      m_rocUsesDatabase(m_table.Flag(IDC_ROC_USES_DATABASE, VQS_OPTION(PxQSRReportOptions, ReportROCusesDB))),
      m_useDefaultRocUsesDatabase(
          m_table.DefaultBox(IDC_USE_DEFAULT_ROC_USES_DATABASE, IDC_ROC_USES_DATABASE)),
      m_asCoroutine(m_table.Flag(IDC_AS_COROUTINE, VQS_OPTION(PxQSRReportOptions, AsSubroutine))),
      m_sortMemorySize(m_table.Number(IDC_SORT_MEMORY_SIZE, VQS_NUMBER_OPTION(PxQSRReportOptions, SortMemSize))),
      m_sortDiskSize(m_table.Number(IDC_SORT_DISK_SIZE, VQS_NUMBER_OPTION(PxQSRReportOptions, SortDiskSize))),
      m_useDefaultSortDiskSize(m_table.DefaultBox(IDC_USE_DEFAULT_SORT_DISK_SIZE, IDC_SORT_DISK_SIZE))
{
}

BOOL VqsOptionPageQSRReportEnv::OnInitDialog()
{
    VqsOptionPageReportEnv::OnInitDialog();
    const PxQSRReportOptions& options = *m_pQSRSheet->GetQSROptions();
    LimitDigits(m_sortMemorySize, options, &PxQSRReportOptions::HasUpperLimitSortMemSize, 3);
    LimitDigits(m_sortDiskSize, options, &PxQSRReportOptions::HasUpperLimitSortDiskSize, 6);
    return TRUE;
}

void VqsOptionPageQSRReportEnv::AdjustLoadedValues()
{
    VqsOptionPageReportEnv::AdjustLoadedValues();
    const CString shown = m_extractPack.GetValue();
    const BOOL notAvailable = m_extractPack.IsNotAvailable();
    m_extractPack.SetItems(vqsqsr::PackNames(TRUE));
    m_extractPack.SetValue(shown);
    if (notAvailable)
        m_extractPack.SetNotAvailable(0);
}

void VqsOptionPageQSRReportEnv::OnOptionTaken(UINT id)
{
    VqsOptionPageReportEnv::OnOptionTaken(id);
    if (id == IDC_USE_DEFAULT_ROC_USES_DATABASE || id == IDC_USE_DEFAULT_SORT_DISK_SIZE)
        UpdateData(FALSE);
}

VqsOptionPageQSRReportExtractFile::VqsOptionPageQSRReportExtractFile(VqsOptions_Report_QSR_Sheet* sheet,
                                                                     UINT dialogId, int pageIndex)
    : VqsOptionPageReportExtractFile(sheet, dialogId, pageIndex), m_pQSRSheet(sheet),
      m_kind(&m_connector, IDC_DISK, IDC_TAPE), m_recordFormat(&m_connector, IDC_INTERNAL_FORMAT, IDC_GENERIC_FORMAT),
      m_useDefaultRecordsPerBlock(&m_connector, IDC_USE_DEFAULT_RECORDS_PER_BLOCK),
      m_diskRecordsPerBlock(&m_connector, IDC_DISK_RECORDS_PER_BLOCK),
      m_tapeRecordsPerBlock(&m_connector, IDC_TAPE_RECORDS_PER_BLOCK),
      m_useDefaultExpected(&m_connector, IDC_USE_DEFAULT_EXPECTED), m_expected(&m_connector, IDC_EXPECTED),
      m_tapeLabelled(&m_connector, IDC_TAPE_LABELLED)
{
    using Record = PxQSRReportOptions;
    const Record& options = *sheet->GetQSROptions();
    const Limits recordsPerBlock = LimitsOf(options, &Record::HasLowerLimitExtractFileRecOrBlock,
                                            &Record::HasUpperLimitExtractFileRecOrBlock);
    Bound(m_diskRecordsPerBlock, recordsPerBlock);
    // A tape file holds at least one record per block.
    Limits tapeRecordsPerBlock = recordsPerBlock;
    tapeRecordsPerBlock.lower = 1;
    Bound(m_tapeRecordsPerBlock, tapeRecordsPerBlock);
    Bound(m_expected,
          LimitsOf(options, &Record::HasLowerLimitExtractFileExpected, &Record::HasUpperLimitExtractFileExpected));
}

BOOL VqsOptionPageQSRReportExtractFile::OnInitDialog()
{
    VqsOptionPageReportExtractFile::OnInitDialog();
    const PxQSRReportOptions& options = *m_pQSRSheet->GetQSROptions();
    LimitDigits(m_diskRecordsPerBlock, options, &PxQSRReportOptions::HasUpperLimitExtractFileRecOrBlock, 3);
    LimitDigits(m_tapeRecordsPerBlock, options, &PxQSRReportOptions::HasUpperLimitExtractFileRecOrBlock, 3);
    LimitDigits(m_expected, options, &PxQSRReportOptions::HasUpperLimitExtractFileExpected, 8);
    return TRUE;
}

void VqsOptionPageQSRReportExtractFile::LoadOptions()
{
    const PxQSRReportOptions& options = *m_pQSRSheet->GetQSROptions();
    const int file = GetFileIndex();
    m_kind.m_nValue = options.GetExtractFileKind(file) ? 1 : 0;
    m_recordFormat.m_nValue = options.GetRecordFormat(file) ? 1 : 0;
    m_useDefaultRecordsPerBlock.m_bValue = options.IsDefaultExtractFileRecOrBlock(file);
    ShowNumberOrDefault(m_diskRecordsPerBlock, [&] { return options.GetExtractFileRecOrBlock(file); },
                        m_useDefaultRecordsPerBlock.m_bValue);
    vqsoptiontable::ShowValueFrom(m_tapeRecordsPerBlock, m_diskRecordsPerBlock, &AtLeastOne);
    m_useDefaultExpected.m_bValue = options.IsDefaultExtractFileExpected(file);
    ShowNumberOrDefault(m_expected, [&] { return options.GetExtractFileExpected(file); },
                        m_useDefaultExpected.m_bValue);
    m_tapeLabelled.m_bValue = options.GetExtractFileLabelled(file);
    VqsOptionPageReportExtractFile::LoadOptions();
}

void VqsOptionPageQSRReportExtractFile::StoreOptions()
{
    VqsOptionPageReportExtractFile::StoreOptions();
    PxQSRReportOptions& options = *m_pQSRSheet->GetQSROptions();
    const int file = GetFileIndex();
    if (!IsDiskFile()) {
        if (!m_tapeRecordsPerBlock.IsNotAvailable())
            options.SetExtractFileRecOrBlock(file, m_tapeRecordsPerBlock.GetValue());
    } else if (m_useDefaultRecordsPerBlock.m_bValue)
        options.MakeDefaultExtractFileRecOrBlock(file);
    else if (!m_diskRecordsPerBlock.IsNotAvailable())
        options.SetExtractFileRecOrBlock(file, m_diskRecordsPerBlock.GetValue());
    if (m_useDefaultExpected.m_bValue)
        options.MakeDefaultExtractFileExpected(file);
    else if (!m_expected.IsNotAvailable())
        options.SetExtractFileExpected(file, m_expected.GetValue());
    options.SetExtractFileKind(file, IsDiskFile() ? 0 : 1);
    options.SetRecordFormat(file, m_recordFormat.m_nValue == 0 ? 0 : 1);
    options.SetExtractFileLabelled(file, m_tapeLabelled.m_bValue ? 1 : 0);
}

BOOL VqsOptionPageQSRReportExtractFile::IsNotUpdated()
{
    const PxQSRReportOptions& options = *m_pQSRSheet->GetQSROptions();
    const int file = GetFileIndex();
    return VqsOptionPageReportExtractFile::IsNotUpdated() && !options.IsUpdatedExtractFileLabelled(file) &&
           !options.IsUpdatedExtractFileRecOrBlock(file) && !options.IsUpdatedExtractFileExpected(file) &&
           !options.IsUpdatedExtractFileKind(file) && !options.IsUpdatedRecordFormat(file);
}

void VqsOptionPageQSRReportExtractFile::ClearOptions()
{
    VqsOptionPageReportExtractFile::ClearOptions();
    PxQSRReportOptions& options = *m_pQSRSheet->GetQSROptions();
    const int file = GetFileIndex();
    options.ClearExtractFileExpected(file);
    options.ClearExtractFileKind(file);
    options.ClearExtractFileLabelled(file);
    options.ClearExtractFileRecOrBlock(file);
    options.ClearRecordFormat(file);
}

void VqsOptionPageQSRReportExtractFile::EnableDependentControls()
{
    const BOOL used = m_useFile.m_bValue;
    const BOOL disk = IsDiskFile();
    m_kind.Enable(used);
    m_recordFormat.Enable(used);
    m_useDefaultRecordsPerBlock.Enable(used && disk);
    m_diskRecordsPerBlock.Enable(used && disk && !m_diskRecordsPerBlock.IsNotAvailable());
    m_tapeRecordsPerBlock.Enable(used && !disk && !m_tapeRecordsPerBlock.IsNotAvailable());
    m_useDefaultExpected.Enable(used && disk);
    m_expected.Enable(used && disk && !m_expected.IsNotAvailable());
    m_tapeLabelled.Enable(used && !disk);
}

void VqsOptionPageQSRReportExtractFile::OnDefaultBoxTaken(VqsOptCtrlFlag& box, VqsOptCtrlInt& number)
{
    if (box.m_bValue)
        number.SetNotAvailable();
    else
        vqsoptiontable::ShowValueAgain(number);
    UpdateData(FALSE);
    EnableDependentControls();
}

BOOL VqsOptionPageQSRReportExtractFile::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
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
        case IDC_USE_DEFAULT_RECORDS_PER_BLOCK:
            if (OnOptionChanged(&m_useDefaultRecordsPerBlock, TRUE))
                OnDefaultBoxTaken(m_useDefaultRecordsPerBlock, m_diskRecordsPerBlock);
            break;
        case IDC_USE_DEFAULT_EXPECTED:
            if (OnOptionChanged(&m_useDefaultExpected, TRUE))
                OnDefaultBoxTaken(m_useDefaultExpected, m_expected);
            break;
        case IDC_TAPE_LABELLED:
            OnOptionChanged(&m_tapeLabelled, TRUE);
            break;
        default:
            break;
        }
    } else if (code == EN_CHANGE &&
               (id == IDC_DISK_RECORDS_PER_BLOCK || id == IDC_TAPE_RECORDS_PER_BLOCK || id == IDC_EXPECTED)) {
        BeginModify(nullptr, TRUE);
    }
    return VqsOptionPageReportExtractFile::OnCommand(wParam, lParam);
}

VqsOptionPageQSRReportGenerate::VqsOptionPageQSRReportGenerate(VqsOptions_Report_QSR_Sheet* sheet, UINT dialogId,
                                                               int pageIndex)
    : VqsOptionPageReportGenerate(sheet, dialogId, pageIndex), m_pQSRSheet(sheet)
{
}
