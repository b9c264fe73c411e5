#include "options_nt_unix/VqsOptionsElementNTUnixSheets.h"

#include "options_nt_unix/VqsNTUnixSheetRetarget.h"

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

using vqsntunix::RetargetLevel;

VqsOptions_Ispec_NT_Sheet::VqsOptions_Ispec_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                     const PxNTIspecOptionsPtr& options, UINT selectPage)
    : VqsOptions_Ispec_Sheet(ownerDialog, PxIspecOptionsPtr(options), selectPage), m_pNTIspecOptions(options),
      m_oltp(this, IDD_NT_ISPEC_OLTP, 1)
{
}

BOOL VqsOptions_Ispec_NT_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return RetargetLevel(m_pNTIspecOptions, options, [&] { return VqsOptions_Ispec_Sheet::SetOptions(options); });
}

VqsOptions_Ispec_Unix_Sheet::VqsOptions_Ispec_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                         const PxUnixIspecOptionsPtr& options, UINT selectPage)
    : VqsOptions_Ispec_Sheet(ownerDialog, PxIspecOptionsPtr(options), selectPage), m_pUnixIspecOptions(options),
      m_oltp(this, IDD_UNIX_ISPEC_OLTP, 1)
{
}

BOOL VqsOptions_Ispec_Unix_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return RetargetLevel(m_pUnixIspecOptions, options, [&] { return VqsOptions_Ispec_Sheet::SetOptions(options); });
}

VqsOptions_Component_NT_Sheet::VqsOptions_Component_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                             const PxNTCompOptionsPtr& options, UINT selectPage)
    : VqsOptions_Ispec_NT_Sheet(ownerDialog, PxNTIspecOptionsPtr(options), selectPage), m_pNTCompOptions(options),
      m_environment(this, IDD_NT_COMPONENT_ENVIRONMENT, 0), m_generate(this, IDD_NT_COMPONENT_GENERATE, 2)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
    AddPage(&m_generate);
}

BOOL VqsOptions_Component_NT_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return RetargetLevel(m_pNTCompOptions, options, [&] { return VqsOptions_Ispec_NT_Sheet::SetOptions(options); });
}

VqsOptions_Component_Unix_Sheet::VqsOptions_Component_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                                 const PxUnixCompOptionsPtr& options,
                                                                 UINT selectPage)
    : VqsOptions_Ispec_Unix_Sheet(ownerDialog, PxUnixIspecOptionsPtr(options), selectPage),
      m_pUnixCompOptions(options), m_environment(this, IDD_UNIX_COMPONENT_ENVIRONMENT, 0),
      m_database(this, IDD_UNIX_COMPONENT_ORACLE, 2), m_partitions(this, IDD_UNIX_COMPONENT_PARTITIONS, 3)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
    AddPage(&m_database);
    AddPage(&m_partitions);
}

BOOL VqsOptions_Component_Unix_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return RetargetLevel(m_pUnixCompOptions, options,
                         [&] { return VqsOptions_Ispec_Unix_Sheet::SetOptions(options); });
}

VqsOptions_Event_NT_Sheet::VqsOptions_Event_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                     const PxNTEventOptionsPtr& options, UINT selectPage)
    : VqsOptions_Ispec_NT_Sheet(ownerDialog, PxNTIspecOptionsPtr(options), selectPage), m_pNTEventOptions(options),
      m_environment(this, IDD_NT_EVENT_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
}

BOOL VqsOptions_Event_NT_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return RetargetLevel(m_pNTEventOptions, options, [&] { return VqsOptions_Ispec_NT_Sheet::SetOptions(options); });
}

VqsOptions_Event_Unix_Sheet::VqsOptions_Event_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                         const PxUnixEventOptionsPtr& options, UINT selectPage)
    : VqsOptions_Ispec_Unix_Sheet(ownerDialog, PxUnixIspecOptionsPtr(options), selectPage),
      m_pUnixEventOptions(options), m_environment(this, IDD_UNIX_EVENT_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
}

BOOL VqsOptions_Event_Unix_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return RetargetLevel(m_pUnixEventOptions, options,
                         [&] { return VqsOptions_Ispec_Unix_Sheet::SetOptions(options); });
}

VqsOptions_Profile_NT_Sheet::VqsOptions_Profile_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                         const PxNTProfileOptionsPtr& options, UINT selectPage)
    : VqsOptions_Profile_Sheet(ownerDialog, PxProfileOptionsPtr(options), selectPage), m_pNTProfileOptions(options),
      m_environment(this, IDD_NT_PROFILE_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
}

BOOL VqsOptions_Profile_NT_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return RetargetLevel(m_pNTProfileOptions, options,
                         [&] { return VqsOptions_Profile_Sheet::SetOptions(options); });
}

VqsOptions_Profile_Unix_Sheet::VqsOptions_Profile_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                             const PxUnixProfileOptionsPtr& options,
                                                             UINT selectPage)
    : VqsOptions_Profile_Sheet(ownerDialog, PxProfileOptionsPtr(options), selectPage),
      m_pUnixProfileOptions(options), m_environment(this, IDD_UNIX_PROFILE_ENVIRONMENT, 0),
      m_database(this, IDD_UNIX_PROFILE_ORACLE, 1), m_partitions(this, IDD_UNIX_PROFILE_PARTITIONS, 2)
{
    AddPage(&m_environment);
    AddPage(&m_database);
    AddPage(&m_partitions);
}

BOOL VqsOptions_Profile_Unix_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return RetargetLevel(m_pUnixProfileOptions, options,
                         [&] { return VqsOptions_Profile_Sheet::SetOptions(options); });
}

VqsOptions_Report_NT_Sheet::VqsOptions_Report_NT_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                       const PxNTReportOptionsPtr& options, UINT selectPage)
    : VqsOptions_Report_Sheet(ownerDialog, PxReportOptionsPtr(options), selectPage), m_pNTReportOptions(options),
      m_environment(this, IDD_NT_REPORT_ENVIRONMENT, 0), m_extractFile(this, IDD_NT_REPORT_EXTRACT_FILE, 1),
      m_generate(this, IDD_NT_REPORT_GENERATE, 2)
{
    AddPage(&m_environment);
    AddPage(&m_extractFile);
    AddPage(&m_generate);
}

BOOL VqsOptions_Report_NT_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return RetargetLevel(m_pNTReportOptions, options, [&] { return VqsOptions_Report_Sheet::SetOptions(options); });
}

VqsOptions_Report_Unix_Sheet::VqsOptions_Report_Unix_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                           const PxUnixReportOptionsPtr& options, UINT selectPage)
    : VqsOptions_Report_Sheet(ownerDialog, PxReportOptionsPtr(options), selectPage),
      m_pUnixReportOptions(options), m_environment(this, IDD_UNIX_REPORT_ENVIRONMENT, 0),
      m_extractFile(this, IDD_UNIX_REPORT_EXTRACT_FILE, 1), m_generate(this, IDD_UNIX_REPORT_GENERATE, 2)
{
    AddPage(&m_environment);
    AddPage(&m_extractFile);
    AddPage(&m_generate);
}

BOOL VqsOptions_Report_Unix_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return RetargetLevel(m_pUnixReportOptions, options,
                         [&] { return VqsOptions_Report_Sheet::SetOptions(options); });
}
