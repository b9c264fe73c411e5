#include "options_qsr/VqsOptionPageQSRBSegRemoteDB.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDS_REMOTE_DB = 61570;

} // namespace

VqsOptionPageQSRBSegRemoteDB::VqsOptionPageQSRBSegRemoteDB(VqsOptions_BSeg_QSR_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_REMOTE_DB, pageIndex)
{
}
