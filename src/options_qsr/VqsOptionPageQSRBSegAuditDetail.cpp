#include "options_qsr/VqsOptionPageQSRBSegAuditDetail.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_COPY_AUDIT_DETAILS = 61576;

} // namespace

VqsOptionPageQSRBSegAuditDetail::VqsOptionPageQSRBSegAuditDetail(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_COPY_AUDIT_DETAILS, pageIndex)
{
}
