#include "options_qsr/VqsOptionPageQSRBSegOLTP.h"

#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr int IDC_CONCURRENT_OLTP_REPORTS = 1032;
constexpr int IDC_REPORT_TIMEOUT = 33095;
// The default service name edits in the order of the names' numbers.
constexpr UINT kServiceNameEdits[] = {1249, 1250, 1252, 1253, 1255, 1258, 1261, 1263, 1264, 1265};

constexpr int kNoValidation = 0;
constexpr int kConcurrentReportsCharacters = 2;
constexpr int kReportTimeoutCharacters = 4;

} // namespace

VqsOptionPageQSRBSegOLTP::VqsOptionPageQSRBSegOLTP(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageBSegOLTP(sheet, dialogId, pageIndex), m_pQSRSheet(sheet),
      m_concurrentReports(m_table.Number(IDC_CONCURRENT_OLTP_REPORTS,
                                         VQS_NUMBER_OPTION(PxQSRBSegOptions, ConcurrentOLTPReports))),
      m_reportTimeout(m_table.Number(IDC_REPORT_TIMEOUT, VQS_NUMBER_OPTION(PxQSRBSegOptions, ReportTimeout))),
      m_rows(&m_connector)
{
    for (int index = 0; index < static_cast<int>(std::size(kServiceNameEdits)); ++index)
        m_serviceNames.push_back(&m_rows.Text(kServiceNameEdits[index],
                                              VQS_INDEXED_TEXT_OPTION(PxQSRBSegOptions, DefServices), index,
                                              kNoValidation));
}

BOOL VqsOptionPageQSRBSegOLTP::OnInitDialog()
{
    VqsOptionPageBSegOLTP::OnInitDialog();
    const PxQSRBSegOptionsPtr& options = m_pQSRSheet->GetQSROptions();
    LimitDigits(m_concurrentReports, *options, &PxQSRBSegOptions::HasUpperLimitConcurrentOLTPReports,
                kConcurrentReportsCharacters);
    LimitDigits(m_reportTimeout, *options, &PxQSRBSegOptions::HasUpperLimitReportTimeout, kReportTimeoutCharacters);
    return TRUE;
}

int VqsOptionPageQSRBSegOLTP::GetCurrentEnableOLTP() const
{
    return m_hWnd ? m_enableOltp.m_bValue : m_pQSRSheet->GetQSROptions()->GetEnableOLTP();
}

void VqsOptionPageQSRBSegOLTP::AdjustLoadedValues()
{
    VqsOptionPageBSegOLTP::AdjustLoadedValues();
    m_rows.Load(Record());
}

void VqsOptionPageQSRBSegOLTP::EnableDependentControls()
{
    VqsOptionPageBSegOLTP::EnableDependentControls();
    const BOOL enabled = m_enableOltp.m_bValue;
    for (VqsOptCtrlString* name : m_serviceNames)
        name->Enable(enabled);
    m_concurrentReports.Enable(enabled);
    m_reportTimeout.Enable(enabled);
}

BOOL VqsOptionPageQSRBSegOLTP::OnCommand(WPARAM wParam, LPARAM lParam)
{
    m_rows.Take(*this, LOWORD(wParam), HIWORD(wParam));
    return VqsOptionPageBSegOLTP::OnCommand(wParam, lParam);
}

void VqsOptionPageQSRBSegOLTP::StoreOptions()
{
    VqsOptionPageBSegOLTP::StoreOptions();
    m_rows.Store(Record());
}

BOOL VqsOptionPageQSRBSegOLTP::IsNotUpdated()
{
    return VqsOptionPageBSegOLTP::IsNotUpdated() && m_rows.IsNotUpdated(Record());
}

void VqsOptionPageQSRBSegOLTP::ClearOptions()
{
    VqsOptionPageBSegOLTP::ClearOptions();
    m_rows.Clear(Record());
}
