#include "options_qsr/VqsOptionPageQSRBSegTOLVE.h"

#include "options/VqsLimitDigits.h"
#include "options_qsr/VqsOptionsBSegQSRSheet.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "shell/VqsExceptionData.h"
#include "shell/VqsMsgBox.h"
#include "shell/VqsSysApp.h"
#include "win/UiDriver.h"

#include <cstdio>

namespace {

constexpr UINT IDS_TOLVE = 61588;
constexpr UINT IDS_RESIDENT_LIMIT_ABOVE_ALLOWED_CORE = 62476;

constexpr int IDC_ADDRESS_CHECK = 1266;
constexpr int IDC_KEY_COMPARE = 1267;
constexpr int IDC_STATISTICS = 1268;
constexpr int IDC_REAPPLY = 1269;
constexpr int IDC_COMPILER_OPTIONS = 1270;
constexpr int IDC_OVERLAY_GOAL_DECIMAL = 1183;
constexpr int IDC_ALLOWED_CORE = 1271;
constexpr int IDC_RESIDENT_LIMIT = 1272;
constexpr int IDC_CONTROL_POINT = 1179;
constexpr int IDC_SYNC_POINT = 1180;
constexpr int IDC_SYNC_WAIT = 1181;
constexpr int IDC_OVERLAY_GOAL = 1182;

constexpr int kNoValidator = 0;
constexpr int kDecimalCharacters = 12;
constexpr std::int64_t kHostLimit = 99999999;
constexpr const char* kCannotReset =
    "Cannot reset this option. The 'Two Phase Commit', 'Extend Report Recovery' or 'Enable OLTP' options are set "
    "and are not compatible with this option being reset.";
constexpr const char* kTruncationWarning =
    "The value in the ALLOWEDCORE or RESIDENTLIMIT field is greater than 99,999,999.  This value will be "
    "truncated to 99999999 in any DORVE file that includes 'System Options' from the model directory or any DORVE "
    "file produced from the System Directory.";

using Q = PxQSRBSegOptions;

} // namespace

VqsOptionPageQSRBSegTOLVE::VqsOptionPageQSRBSegTOLVE(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId,
                                                     int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_TOLVE, pageIndex), m_pQSRSheet(sheet),
      m_reapply(m_table.Flag(IDC_REAPPLY, VQS_OPTION(Q, ReapplyCompletedIndependentTrans))),
      m_allowedCore(m_table.Number(IDC_ALLOWED_CORE, VQS_NUMBER_OPTION(Q, AllowedCore), VqsOptionTable::NoValidate)),
      m_residentLimit(
          m_table.Number(IDC_RESIDENT_LIMIT, VQS_NUMBER_OPTION(Q, ResidentLimit), VqsOptionTable::NoValidate)),
      m_controlPoint(
          m_table.Number(IDC_CONTROL_POINT, VQS_NUMBER_OPTION(Q, ControlPoint), VqsOptionTable::NoValidate)),
      m_syncPoint(m_table.Number(IDC_SYNC_POINT, VQS_NUMBER_OPTION(Q, SyncPoint), VqsOptionTable::NoValidate)),
      m_syncWait(m_table.Number(IDC_SYNC_WAIT, VQS_NUMBER_OPTION(Q, SyncWait), VqsOptionTable::NoValidate)),
      m_overlayGoal(m_table.Number(IDC_OVERLAY_GOAL, VQS_NUMBER_OPTION(Q, OverlayGoal), VqsOptionTable::Validate)),
      m_overlayGoalDecimal(&m_connector, IDC_OVERLAY_GOAL_DECIMAL, kDecimalCharacters, kNoValidator)
{
    m_table.Flag(IDC_ADDRESS_CHECK, VQS_OPTION(Q, AddressCheckRqd));
    m_table.Flag(IDC_KEY_COMPARE, VQS_OPTION(Q, KeyCompareRqd));
    m_table.Flag(IDC_STATISTICS, VQS_OPTION(Q, Statistics));
    m_table.Text(IDC_COMPILER_OPTIONS, VQS_TEXT_OPTION(Q, CompilerOptions), kNoValidator, VqsOptionTable::NoValidate);
}

PxQSRBSegOptions& VqsOptionPageQSRBSegTOLVE::Options() const { return *m_pQSRSheet->GetQSROptions(); }

CString VqsOptionPageQSRBSegTOLVE::FormatHundredths(std::int64_t value)
{
    const std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value) : value;
    char text[32];
    std::snprintf(text, sizeof(text), "%s%llu.%02llu", value < 0 ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 100), static_cast<unsigned long long>(magnitude % 100));
    return text;
}

BOOL VqsOptionPageQSRBSegTOLVE::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    const PxQSRBSegOptions& options = Options();
    const DigitLimit<Q> limits[] = {
        {m_allowedCore, &Q::HasUpperLimitAllowedCore, 9},   {m_residentLimit, &Q::HasUpperLimitResidentLimit, 9},
        {m_controlPoint, &Q::HasUpperLimitControlPoint, 4}, {m_syncPoint, &Q::HasUpperLimitSyncPoint, 4},
        {m_syncWait, &Q::HasUpperLimitSyncWait, 5},         {m_overlayGoal, &Q::HasUpperLimitOverlayGoal, 5},
    };
    LimitDigits(options, limits);
    m_overlayGoalDecimal.Enable(FALSE);
    return TRUE;
}

void VqsOptionPageQSRBSegTOLVE::LoadOptions()
{
    m_table.Load(Options());
    m_overlayGoalDecimal.SetValue(FormatHundredths(m_overlayGoal.GetValue()));
    m_syncWait.Enable(m_reapply.m_bValue);
    m_pQSRSheet->NotifyEnvAndDefTOLVEPages(m_reapply.m_bValue);
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegTOLVE::StoreOptions()
{
    if (m_residentLimit.GetValue() > m_allowedCore.GetValue()) {
        CString text;
        if (!text.LoadString(IDS_RESIDENT_LIMIT_ABOVE_ALLOWED_CORE))
            text.Format("error (message %u not found)", IDS_RESIDENT_LIMIT_ABOVE_ALLOWED_CORE);
        throw VqsExceptionData(text, "VqsOptionPageQSRBSeg", __LINE__);
    }
    if (m_residentLimit.GetValue() > kHostLimit || m_allowedCore.GetValue() > kHostLimit)
        VqsShowMessageBox(VqsBoxMessage, kTruncationWarning, MB_OK, 0);
    VqsTableOptionPage::StoreOptions();
}

void VqsOptionPageQSRBSegTOLVE::OnOptionTaken(UINT id)
{
    if (id == IDC_OVERLAY_GOAL) {
        m_overlayGoalDecimal.SetValue(FormatHundredths(m_overlayGoal.GetValue()));
        UpdateData(FALSE);
    } else if (id == IDC_REAPPLY) {
        OnReapplyTaken();
    }
}

void VqsOptionPageQSRBSegTOLVE::OnReapplyTaken()
{
    if (!m_reapply.m_bValue) {
        if (IsReapplyNeeded()) {
            VqsShowMessageBox(VqsBoxMessage, kCannotReset, MB_OK, 0);
            m_reapply.m_bValue = TRUE;
            UpdateData(FALSE);
            return;
        }
        m_syncWait.SetValue(0);
        UpdateData(FALSE);
    }
    m_syncWait.Enable(m_reapply.m_bValue);
    m_pQSRSheet->NotifyEnvAndDefTOLVEPages(m_reapply.m_bValue);
}

BOOL VqsOptionPageQSRBSegTOLVE::IsReapplyNeeded() const
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxVQBSSoftLinkPtr link(Options().GetSoftLink());
    const PxLSEBusinessSegmentPtr segment =
        enterprise && link ? enterprise->GetBusinessSegment(link->GetName()) : PxLSEBusinessSegmentPtr();
    return !segment || segment->GetTwoPhaseCommit() || segment->GetExtendedReportRecovery() ||
           m_pQSRSheet->GetOLTPEnabled();
}

int VqsOptionPageQSRBSegTOLVE::GetCurrentReapplyCompletedIndependentTrans() const
{
    return m_hWnd ? m_reapply.m_bValue : Options().GetReapplyCompletedIndependentTrans();
}
