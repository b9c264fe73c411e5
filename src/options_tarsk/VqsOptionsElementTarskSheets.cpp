#include "options_tarsk/VqsOptionsElementTarskSheets.h"

#include "proxy/PxTarskBSegOptions.h"

namespace {

constexpr UINT IDD_TARSK_ISPEC_OLTP = 278;
constexpr UINT IDD_TARSK_COMPONENT_ENVIRONMENT = 285;
constexpr UINT IDD_TARSK_COMPONENT_DB = 318;
constexpr UINT IDD_TARSK_EVENT_ENVIRONMENT = 277;
constexpr UINT IDD_TARSK_PROFILE_DB = 315;
constexpr UINT IDD_TARSK_REPORT_ENVIRONMENT = 281;
constexpr UINT IDD_TARSK_REPORT_EXTRACT_FILE = 282;
constexpr UINT IDD_TARSK_REPORT_GENERATE = 283;
constexpr UINT IDD_TARSK_REPORT_FAST_LOAD = 284;

} // namespace

int VqsTarskSegmentDefaults::GetAllQUBduplex() const
{
    const PxTarskBSegOptionsPtr segment(m_sheet.GetBSegOptions());
    return segment ? segment->GetAllQUBduplex() : 0;
}

int VqsTarskSegmentDefaults::GetKeepAssigned() const
{
    const PxTarskBSegOptionsPtr segment(m_sheet.GetBSegOptions());
    return segment ? segment->GetKeepAssigned() : 0;
}

CString VqsTarskSegmentDefaults::GetDefaultDuplexPack() const
{
    const PxTarskBSegOptionsPtr segment(m_sheet.GetBSegOptions());
    return segment ? segment->GetDefaultDuplexPack() : CString();
}

CString VqsTarskSegmentDefaults::GetDBPack() const
{
    const PxTarskBSegOptionsPtr segment(m_sheet.GetBSegOptions());
    return segment ? segment->GetDBPack() : CString();
}

VqsOptions_Ispec_Tarsk_Sheet::VqsOptions_Ispec_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                           const PxTarskIspecOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage), m_oltp(this, IDD_TARSK_ISPEC_OLTP, 1)
{
}

VqsOptions_Component_Tarsk_Sheet::VqsOptions_Component_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                                   const PxTarskCompOptionsPtr& options,
                                                                   UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      VqsTarskSegmentDefaults(static_cast<const VqsOptionsSheet&>(*this)),
      m_environment(this, IDD_TARSK_COMPONENT_ENVIRONMENT, 0), m_database(this, IDD_TARSK_COMPONENT_DB, 2)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
    if (!InEventView(ownerDialog))
        AddPage(&m_database);
}

void VqsOptions_Component_Tarsk_Sheet::SetEventView(BOOL eventView) { ShowOutsideEventView(&m_database, eventView); }

VqsOptions_Event_Tarsk_Sheet::VqsOptions_Event_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                           const PxTarskEventOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage), m_environment(this, IDD_TARSK_EVENT_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
}

VqsOptions_Profile_Tarsk_Sheet::VqsOptions_Profile_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                               const PxTarskProfileOptionsPtr& options,
                                                               UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      VqsTarskSegmentDefaults(static_cast<const VqsOptionsSheet&>(*this)),
      m_database(this, IDD_TARSK_PROFILE_DB, 0)
{
    AddPage(&m_database);
}

VqsOptions_Report_Tarsk_Sheet::VqsOptions_Report_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                             const PxTarskReportOptionsPtr& options, UINT selectPage)
    : VqsTypedSheetLevel(ownerDialog, options, selectPage),
      m_environment(this, IDD_TARSK_REPORT_ENVIRONMENT, 0), m_extractFile(this, IDD_TARSK_REPORT_EXTRACT_FILE, 1),
      m_generate(this, IDD_TARSK_REPORT_GENERATE, 2), m_fastLoad(this, IDD_TARSK_REPORT_FAST_LOAD, 3)
{
    AddPage(&m_environment);
    AddPage(&m_extractFile);
    AddPage(&m_generate);
    AddPage(&m_fastLoad);
}
