#include "options_qsr/VqsOptionsBSegQSRSheet.h"

#include "options/VqsSheetRegister.h"

namespace {

constexpr UINT IDD_QSR_BSEG_ENVIRONMENT = 210;
constexpr UINT IDD_QSR_BSEG_GLIMMERDESK = 215;
constexpr UINT IDD_QSR_BSEG_GENERATE = 212;
constexpr UINT IDD_QSR_BSEG_OLTP = 213;
constexpr UINT IDD_QSR_BSEG_PACKS = 214;
constexpr UINT IDD_QSR_BSEG_DEFAULT_TOLVE = 216;
constexpr UINT IDD_QSR_BSEG_TOLVE = 217;
constexpr UINT IDD_QSR_BSEG_EVENT_TOLVE = 229;
constexpr UINT IDD_QSR_BSEG_QEP_GEN = 218;
constexpr UINT IDD_QSR_BSEG_REMOTE_DB = 219;
constexpr UINT IDD_QSR_BSEG_PACK_MAPPING = 220;
constexpr UINT IDD_QSR_BSEG_AUDIT_DETAIL = 221;
constexpr UINT IDD_QSR_BSEG_INTERNAL_TOLVE = 107;
constexpr UINT IDD_QSR_BSEG_QUORBIT = 303;
constexpr UINT IDD_QSR_BSEG_WRENFIELD_TEST = 332;

} // namespace

VqsOptions_BSeg_QSR_Sheet::VqsOptions_BSeg_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                     const PxQSRBSegOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      m_environment(this, IDD_QSR_BSEG_ENVIRONMENT, 0), m_glimmerdesk(this, IDD_QSR_BSEG_GLIMMERDESK, 1),
      m_generate(this, IDD_QSR_BSEG_GENERATE, 2), m_oltp(this, IDD_QSR_BSEG_OLTP, 3),
      m_packs(this, IDD_QSR_BSEG_PACKS, 4), m_defaultTolve(this, IDD_QSR_BSEG_DEFAULT_TOLVE, 5),
      m_tolve(this, IDD_QSR_BSEG_TOLVE, 6), m_eventTolve(this, IDD_QSR_BSEG_EVENT_TOLVE, 0),
      m_qepGen(this, IDD_QSR_BSEG_QEP_GEN, 7), m_remoteDb(this, IDD_QSR_BSEG_REMOTE_DB, 8),
      m_packMapping(this, IDD_QSR_BSEG_PACK_MAPPING, 9), m_auditDetail(this, IDD_QSR_BSEG_AUDIT_DETAIL, 10),
      m_internalTolve(this, IDD_QSR_BSEG_INTERNAL_TOLVE, 11), m_quorbit(this, IDD_QSR_BSEG_QUORBIT, 12),
      m_bulkOptions(this, 13), m_wrenfieldTest(this, IDD_QSR_BSEG_WRENFIELD_TEST, 14)
{
    if (InEventView(ownerDialog)) {
        AddPage(&m_eventTolve);
        return;
    }
    AddPage(&m_environment);
    AddPage(&m_glimmerdesk);
    AddPage(&m_generate);
    AddPage(&m_oltp);
    AddPage(&m_packs);
    AddPage(&m_defaultTolve);
    AddPage(&m_tolve);
    AddPage(&m_qepGen);
    AddPage(&m_remoteDb);
    AddPage(&m_packMapping);
    AddPage(&m_auditDetail);
    AddPage(&m_internalTolve);
    AddPage(&m_quorbit);
    AddPage(&m_bulkOptions);
    AddPage(&m_wrenfieldTest);
}

VqsOptionsSheet* VqsOptions_BSeg_QSR_Sheet::CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                        const PxOptionsPtr& options, UINT selectPage)
{
    return VqsMakeOptionsSheet<VqsOptions_BSeg_QSR_Sheet, PxQSRBSegOptionsPtr>(ownerDialog, options, selectPage);
}

void VqsOptions_BSeg_QSR_Sheet::SetReblockFactorOnPages(std::int64_t factor)
{
    m_environment.OnDefaultReblockFactorChanged(factor);
    m_eventTolve.OnDefaultReblockFactorChanged(factor);
}

void VqsOptions_BSeg_QSR_Sheet::NotifyEnvAndDefTOLVEPages(int reapply)
{
    m_environment.OnReapplyCompletedTransChanged(reapply);
    m_defaultTolve.OnReapplyCompletedTransChanged(reapply);
}
