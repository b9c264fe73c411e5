#include "options_nt_unix/VqsOptionsElementNTUnixSheets.h"

namespace {

constexpr UINT IDD_NT_ISPEC_OLTP = 208;
constexpr UINT IDD_NT_COMPONENT_ENVIRONMENT = 207;
constexpr UINT IDD_NT_COMPONENT_GENERATE = 293;
constexpr UINT IDD_NT_EVENT_ENVIRONMENT = 209;
constexpr UINT IDD_NT_PROFILE_ENVIRONMENT = 196;
constexpr UINT IDD_NT_REPORT_ENVIRONMENT = 200;
constexpr UINT IDD_NT_REPORT_EXTRACT_FILE = 201;
constexpr UINT IDD_NT_REPORT_GENERATE = 202;

constexpr UINT IDD_UNIX_ISPEC_OLTP = 258;
constexpr UINT IDD_UNIX_COMPONENT_ENVIRONMENT = 255;
constexpr UINT IDD_UNIX_COMPONENT_ORACLE = 307;
constexpr UINT IDD_UNIX_COMPONENT_PARTITIONS = 308;
constexpr UINT IDD_UNIX_EVENT_ENVIRONMENT = 256;
constexpr UINT IDD_UNIX_PROFILE_ENVIRONMENT = 259;
constexpr UINT IDD_UNIX_PROFILE_ORACLE = 309;
constexpr UINT IDD_UNIX_PROFILE_PARTITIONS = 310;
constexpr UINT IDD_UNIX_REPORT_ENVIRONMENT = 260;
constexpr UINT IDD_UNIX_REPORT_EXTRACT_FILE = 261;
constexpr UINT IDD_UNIX_REPORT_GENERATE = 262;

} // namespace

VqsOptions_Ispec_NT_Sheet::VqsOptions_Ispec_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                     const PxNTIspecOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage), m_oltp(this, IDD_NT_ISPEC_OLTP, 1)
{
}

VqsOptions_Ispec_Unix_Sheet::VqsOptions_Ispec_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                         const PxUnixIspecOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage), m_oltp(this, IDD_UNIX_ISPEC_OLTP, 1)
{
}

VqsOptions_Component_NT_Sheet::VqsOptions_Component_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                             const PxNTCompOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      m_environment(this, IDD_NT_COMPONENT_ENVIRONMENT, 0), m_generate(this, IDD_NT_COMPONENT_GENERATE, 2)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
    AddPage(&m_generate);
}

VqsOptions_Component_Unix_Sheet::VqsOptions_Component_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                                 const PxUnixCompOptionsPtr& options,
                                                                 UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage), m_environment(this, IDD_UNIX_COMPONENT_ENVIRONMENT, 0),
      m_database(this, IDD_UNIX_COMPONENT_ORACLE, 2), m_partitions(this, IDD_UNIX_COMPONENT_PARTITIONS, 3)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
    AddPage(&m_database);
    AddPage(&m_partitions);
}

VqsOptions_Event_NT_Sheet::VqsOptions_Event_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                     const PxNTEventOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage), m_environment(this, IDD_NT_EVENT_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
}

VqsOptions_Event_Unix_Sheet::VqsOptions_Event_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                         const PxUnixEventOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage), m_environment(this, IDD_UNIX_EVENT_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
}

VqsOptions_Profile_NT_Sheet::VqsOptions_Profile_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                         const PxNTProfileOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage), m_environment(this, IDD_NT_PROFILE_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
}

VqsOptions_Profile_Unix_Sheet::VqsOptions_Profile_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                             const PxUnixProfileOptionsPtr& options,
                                                             UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage), m_environment(this, IDD_UNIX_PROFILE_ENVIRONMENT, 0),
      m_database(this, IDD_UNIX_PROFILE_ORACLE, 1), m_partitions(this, IDD_UNIX_PROFILE_PARTITIONS, 2)
{
    AddPage(&m_environment);
    AddPage(&m_database);
    AddPage(&m_partitions);
}

VqsOptions_Report_NT_Sheet::VqsOptions_Report_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                       const PxNTReportOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      m_environment(this, IDD_NT_REPORT_ENVIRONMENT, 0), m_extractFile(this, IDD_NT_REPORT_EXTRACT_FILE, 1),
      m_generate(this, IDD_NT_REPORT_GENERATE, 2)
{
    AddPage(&m_environment);
    AddPage(&m_extractFile);
    AddPage(&m_generate);
}

VqsOptions_Report_Unix_Sheet::VqsOptions_Report_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                           const PxUnixReportOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage), m_environment(this, IDD_UNIX_REPORT_ENVIRONMENT, 0),
      m_extractFile(this, IDD_UNIX_REPORT_EXTRACT_FILE, 1), m_generate(this, IDD_UNIX_REPORT_GENERATE, 2)
{
    AddPage(&m_environment);
    AddPage(&m_extractFile);
    AddPage(&m_generate);
}
