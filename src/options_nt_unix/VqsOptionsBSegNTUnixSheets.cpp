#include "options_nt_unix/VqsOptionsBSegNTUnixSheets.h"


namespace {

constexpr UINT IDD_NT_BSEG_ENVIRONMENT = 203;
constexpr UINT IDD_NT_BSEG_GENERATE = 204;
constexpr UINT IDD_NT_BSEG_OLTP = 205;
constexpr UINT IDD_NT_BSEG_PACKS = 206;
constexpr UINT IDD_NT_BSEG_GLIMMERDESK = 211;
constexpr UINT IDD_NT_BSEG_QUORBIT = 304;
constexpr UINT IDD_NT_BSEG_WRENFIELD_TEST = 333;

constexpr UINT IDD_UNIX_BSEG_ENVIRONMENT = 250;
constexpr UINT IDD_UNIX_BSEG_GLIMMERDESK = 251;
constexpr UINT IDD_UNIX_BSEG_GENERATE = 252;
constexpr UINT IDD_UNIX_BSEG_OLTP = 253;
constexpr UINT IDD_UNIX_BSEG_PACKS = 254;
constexpr UINT IDD_UNIX_BSEG_QUORBIT = 305;
constexpr UINT IDD_UNIX_BSEG_ORACLE = 311;
constexpr UINT IDD_UNIX_BSEG_PARTITIONS = 312;
constexpr UINT IDD_UNIX_BSEG_WRENFIELD_TEST = 330;

} // namespace

VqsOptions_BSeg_NT_Sheet::VqsOptions_BSeg_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                   const PxNTBSegOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      m_environment(this, IDD_NT_BSEG_ENVIRONMENT, 0), m_glimmerdesk(this, IDD_NT_BSEG_GLIMMERDESK, 1),
      m_generate(this, IDD_NT_BSEG_GENERATE, 2), m_oltp(this, IDD_NT_BSEG_OLTP, 3),
      m_packs(this, IDD_NT_BSEG_PACKS, 4), m_quorbit(this, IDD_NT_BSEG_QUORBIT, 5), m_bulkOptions(this, 6),
      m_wrenfieldTest(this, IDD_NT_BSEG_WRENFIELD_TEST, 7)
{
    AddPage(&m_environment);
    AddPage(&m_glimmerdesk);
    AddPage(&m_generate);
    AddPage(&m_oltp);
    AddPage(&m_packs);
    AddPage(&m_quorbit);
    AddPage(&m_bulkOptions);
    AddPage(&m_wrenfieldTest);
}

VqsOptions_BSeg_Unix_Sheet::VqsOptions_BSeg_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                       const PxUnixBSegOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      m_environment(this, IDD_UNIX_BSEG_ENVIRONMENT, 0), m_glimmerdesk(this, IDD_UNIX_BSEG_GLIMMERDESK, 1),
      m_generate(this, IDD_UNIX_BSEG_GENERATE, 2), m_oltp(this, IDD_UNIX_BSEG_OLTP, 3),
      m_packs(this, IDD_UNIX_BSEG_PACKS, 4), m_quorbit(this, IDD_UNIX_BSEG_QUORBIT, 5),
      m_database(this, IDD_UNIX_BSEG_ORACLE, 0), m_partitions(this, IDD_UNIX_BSEG_PARTITIONS, 1),
      m_bulkOptions(this, 6), m_wrenfieldTest(this, IDD_UNIX_BSEG_WRENFIELD_TEST, 7)
{
    if (InEventView(ownerDialog)) {
        AddPage(&m_database);
        AddPage(&m_partitions);
        return;
    }
    AddPage(&m_environment);
    AddPage(&m_glimmerdesk);
    AddPage(&m_generate);
    AddPage(&m_oltp);
    AddPage(&m_packs);
    AddPage(&m_quorbit);
    AddPage(&m_bulkOptions);
    AddPage(&m_wrenfieldTest);
}
