#include "options_qsr/VqsOptionsQSRElementSheets.h"

#include "options/VqsSheetRegister.h"

namespace {

constexpr UINT IDD_QSR_COMPONENT_ENVIRONMENT = 225;
constexpr UINT IDD_QSR_COMPONENT_OLTP = 270;
constexpr UINT IDD_QSR_COMPONENT_TOLVE = 227;
constexpr UINT IDD_QSR_EVENT_ENVIRONMENT = 228;
constexpr UINT IDD_QSR_EVENT_OLTP = 226;
constexpr UINT IDD_QSR_PROFILE_ENVIRONMENT = 234;
constexpr UINT IDD_QSR_PROFILE_TOLVE = 233;
constexpr UINT IDD_QSR_REPORT_ENVIRONMENT = 230;
constexpr UINT IDD_QSR_REPORT_EXTRACT_FILE = 231;
constexpr UINT IDD_QSR_REPORT_GENERATE = 232;

} // namespace

VqsOptions_Ispec_QSR_Sheet::VqsOptions_Ispec_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                       const PxQSRIspecOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage)
{
}

VqsOptions_Component_QSR_Sheet::VqsOptions_Component_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                               const PxQSRCompOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage), m_environment(this, IDD_QSR_COMPONENT_ENVIRONMENT, 0),
      m_oltp(this, IDD_QSR_COMPONENT_OLTP, 1), m_tolve(this, IDD_QSR_COMPONENT_TOLVE, 2)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
    if (!InEventView(ownerDialog))
        AddPage(&m_tolve);
}

VqsOptionsSheet* VqsOptions_Component_QSR_Sheet::CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                             const PxOptionsPtr& options, UINT selectPage)
{
    return VqsMakeOptionsSheet<VqsOptions_Component_QSR_Sheet, PxQSRCompOptionsPtr>(ownerDialog, options, selectPage);
}

void VqsOptions_Component_QSR_Sheet::SetEventView(BOOL eventView) { ShowOutsideEventView(&m_tolve, eventView); }

VqsOptions_Event_QSR_Sheet::VqsOptions_Event_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                       const PxQSREventOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      m_environment(this, IDD_QSR_EVENT_ENVIRONMENT, 0), m_oltp(this, IDD_QSR_EVENT_OLTP, 1)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
}

VqsOptionsSheet* VqsOptions_Event_QSR_Sheet::CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                         const PxOptionsPtr& options, UINT selectPage)
{
    return VqsMakeOptionsSheet<VqsOptions_Event_QSR_Sheet, PxQSREventOptionsPtr>(ownerDialog, options, selectPage);
}

VqsOptions_Profile_QSR_Sheet::VqsOptions_Profile_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                           const PxQSRProfileOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      m_environment(this, IDD_QSR_PROFILE_ENVIRONMENT, 0), m_tolve(this, IDD_QSR_PROFILE_TOLVE, 1)
{
    AddPage(&m_environment);
    AddPage(&m_tolve);
}

VqsOptionsSheet* VqsOptions_Profile_QSR_Sheet::CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                           const PxOptionsPtr& options, UINT selectPage)
{
    return VqsMakeOptionsSheet<VqsOptions_Profile_QSR_Sheet, PxQSRProfileOptionsPtr>(ownerDialog, options, selectPage);
}

VqsOptions_Report_QSR_Sheet::VqsOptions_Report_QSR_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                         const PxQSRReportOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      m_environment(this, IDD_QSR_REPORT_ENVIRONMENT, 0), m_extractFile(this, IDD_QSR_REPORT_EXTRACT_FILE, 1),
      m_generate(this, IDD_QSR_REPORT_GENERATE, 2)
{
    AddPage(&m_environment);
    AddPage(&m_extractFile);
    AddPage(&m_generate);
}

VqsOptionsSheet* VqsOptions_Report_QSR_Sheet::CreateSheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                          const PxOptionsPtr& options, UINT selectPage)
{
    return VqsMakeOptionsSheet<VqsOptions_Report_QSR_Sheet, PxQSRReportOptionsPtr>(ownerDialog, options, selectPage);
}
