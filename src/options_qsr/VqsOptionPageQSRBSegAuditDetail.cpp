#include "options_qsr/VqsOptionPageQSRBSegAuditDetail.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"
#include "proxy/PxLSEBusinessSegment.h"
#include "proxy/PxLSEEnterprise.h"
#include "proxy/PxVQBSSoftLink.h"
#include "shell/VqsSysApp.h"

#include <vector>

namespace {

constexpr UINT IDS_COPY_AUDIT_DETAILS = 61576;

constexpr int IDC_DETAILS = 1286;

constexpr int kNoValidation = 0;
constexpr int kFieldSize = 660;
constexpr int kMaxLines = 10;
constexpr int kMaxLineLength = 66;
// The stored text holds its line breaks too: with two bytes for each line's break the edit
// never takes more than the field.
constexpr int kMaxCharacters = kFieldSize - 2 * kMaxLines;

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageQSRBSegAuditDetail, VqsTableOptionPage)
    ON_EN_KILLFOCUS(IDC_DETAILS, &VqsOptionPageQSRBSegAuditDetail::OnDetailsLeft)
END_MESSAGE_MAP()

VqsOptionPageQSRBSegAuditDetail::VqsOptionPageQSRBSegAuditDetail(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId,
                                                                 int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_COPY_AUDIT_DETAILS, pageIndex), m_pQSRSheet(sheet),
      m_rows(&m_connector),
      m_details(&m_connector, IDC_DETAILS, static_cast<int>(sheet->GetQSROptions()->GetMaxLengthAuditTrail()),
                kNoValidation)
{
    m_rows.Route(m_details, VqsOptionTable::Modify, {IDC_DETAILS});
}

BOOL VqsOptionPageQSRBSegAuditDetail::UsesShiftMarkers() const
{
    VqsSysApp* app = VqsGetApp();
    const PxLSEEnterprisePtr enterprise = app ? app->GetLSEEnterprise() : PxLSEEnterprisePtr();
    const PxVQBSSoftLinkPtr link(m_pQSRSheet->GetQSROptions()->GetSoftLink());
    if (!enterprise || !link)
        return FALSE;
    const PxLSEBusinessSegmentPtr segment = enterprise->GetBusinessSegment(link->GetName());
    return segment && segment->GetJapaneseSupport() && segment->GetTargetHostQsr() &&
           !segment->GetTargetHostOsTarsk() && !segment->GetTargetHostUnix() && !segment->GetTargetHostNt();
}

BOOL VqsOptionPageQSRBSegAuditDetail::ShowsShiftMarkers(const CString& text)
{
    return !text.IsEmpty() && m_details.ContainsKanji(text) && UsesShiftMarkers();
}

CString VqsOptionPageQSRBSegAuditDetail::WithShiftMarkers(const CString& text)
{
    std::vector<char> field(kFieldSize + 1, '\0');
    m_details.InsertSokEok(kFieldSize, field.data(), field.size(), text);
    return field.data();
}

CString VqsOptionPageQSRBSegAuditDetail::WithoutShiftMarkers(const CString& text)
{
    std::vector<char> field(kFieldSize + 1, '\0');
    VqsOptCtrlString::RemoveSokEok(field.data(), field.size(), text);
    return field.data();
}

void VqsOptionPageQSRBSegAuditDetail::LoadOptions()
{
    m_strWorkingText = m_pQSRSheet->GetQSROptions()->GetAuditTrail();
    m_details.SetValue(ShowsShiftMarkers(m_strWorkingText) ? WithShiftMarkers(m_strWorkingText) : m_strWorkingText);
    const BOOL enabled = m_pQSRSheet->GetCopyAudit2tape();
    m_details.Enable(enabled);
    UpdateData(FALSE);
    m_details.CheckMultiLineLimits(kMaxCharacters, kMaxLines, kMaxLineLength, FALSE);
    if (enabled)
        m_details.SetFocus();
}

void VqsOptionPageQSRBSegAuditDetail::EnableDetails(BOOL enable)
{
    if (m_hWnd)
        m_details.Enable(enable);
}

BOOL VqsOptionPageQSRBSegAuditDetail::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_rows.Take(*this, LOWORD(wParam), HIWORD(wParam)))
        m_details.CheckMultiLineLimits(kMaxCharacters, kMaxLines, kMaxLineLength, TRUE);
    return VqsTableOptionPage::OnCommand(wParam, lParam);
}

void VqsOptionPageQSRBSegAuditDetail::OnDetailsLeft()
{
    const CString shown = m_details.GetControlText();
    m_details.SetValue(ShowsShiftMarkers(shown) ? WithShiftMarkers(WithoutShiftMarkers(shown)) : shown);
    UpdateData(FALSE);
}

void VqsOptionPageQSRBSegAuditDetail::StoreOptions()
{
    m_strWorkingText = m_details.GetValue();
    PxQSRBSegOptions& options = *m_pQSRSheet->GetQSROptions();
    options.SetAuditTrail(ShowsShiftMarkers(m_strWorkingText) ? WithoutShiftMarkers(m_strWorkingText)
                                                              : m_strWorkingText);
}

BOOL VqsOptionPageQSRBSegAuditDetail::IsNotUpdated() { return !m_pQSRSheet->GetQSROptions()->IsUpdatedAuditTrail(); }

void VqsOptionPageQSRBSegAuditDetail::ClearOptions() { m_pQSRSheet->GetQSROptions()->ClearAuditTrail(); }
