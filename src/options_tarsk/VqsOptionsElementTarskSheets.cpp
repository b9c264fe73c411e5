#include "options_tarsk/VqsOptionsElementTarskSheets.h"

#include "options/VqsSoftLinkOptionsDlg.h"
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

// Takes the record as the sheet's typed record when it is of that class and the rest of the
// sheet accepts it too; otherwise the typed record stays as it was.
template <class Ptr, class Chain>
BOOL TakeTypedOptions(Ptr& typed, const PxOptionsPtr& options, Chain chain)
{
    const Ptr kept = typed;
    typed = Ptr(options);
    if (typed && chain())
        return TRUE;
    typed = kept;
    return FALSE;
}

BOOL ShowsDatabasePage(const VqsSoftLinkOptionsDlg* ownerDialog)
{
    return !(ownerDialog && ownerDialog->GetEventView());
}

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
    : VqsOptions_Ispec_Sheet(ownerDialog, PxIspecOptionsPtr(options), selectPage), m_pTarskIspecOptions(options),
      m_oltp(this, IDD_TARSK_ISPEC_OLTP, 1)
{
}

BOOL VqsOptions_Ispec_Tarsk_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return TakeTypedOptions(m_pTarskIspecOptions, options,
                            [&] { return VqsOptions_Ispec_Sheet::SetOptions(options); });
}

VqsOptions_Component_Tarsk_Sheet::VqsOptions_Component_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                                   const PxTarskCompOptionsPtr& options,
                                                                   UINT selectPage)
    : VqsOptions_Ispec_Tarsk_Sheet(ownerDialog, PxTarskIspecOptionsPtr(options), selectPage),
      VqsTarskSegmentDefaults(static_cast<const VqsOptionsSheet&>(*this)), m_pTarskCompOptions(options),
      m_environment(this, IDD_TARSK_COMPONENT_ENVIRONMENT, 0), m_database(this, IDD_TARSK_COMPONENT_DB, 2)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
    if (ShowsDatabasePage(ownerDialog))
        AddPage(&m_database);
}

BOOL VqsOptions_Component_Tarsk_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return TakeTypedOptions(m_pTarskCompOptions, options,
                            [&] { return VqsOptions_Ispec_Tarsk_Sheet::SetOptions(options); });
}

void VqsOptions_Component_Tarsk_Sheet::SetEventView(BOOL eventView)
{
    const BOOL shown = GetPageIndex(&m_database) >= 0;
    if (eventView && shown)
        RemovePage(&m_database);
    else if (!eventView && !shown)
        AddPage(&m_database);
}

VqsOptions_Event_Tarsk_Sheet::VqsOptions_Event_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                           const PxTarskEventOptionsPtr& options, UINT selectPage)
    : VqsOptions_Ispec_Tarsk_Sheet(ownerDialog, PxTarskIspecOptionsPtr(options), selectPage),
      m_pTarskEventOptions(options), m_environment(this, IDD_TARSK_EVENT_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
}

BOOL VqsOptions_Event_Tarsk_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return TakeTypedOptions(m_pTarskEventOptions, options,
                            [&] { return VqsOptions_Ispec_Tarsk_Sheet::SetOptions(options); });
}

VqsOptions_Profile_Tarsk_Sheet::VqsOptions_Profile_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                               const PxTarskProfileOptionsPtr& options,
                                                               UINT selectPage)
    : VqsOptions_Profile_Sheet(ownerDialog, PxProfileOptionsPtr(options), selectPage),
      VqsTarskSegmentDefaults(static_cast<const VqsOptionsSheet&>(*this)), m_pTarskProfileOptions(options),
      m_database(this, IDD_TARSK_PROFILE_DB, 0)
{
    AddPage(&m_database);
}

BOOL VqsOptions_Profile_Tarsk_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return TakeTypedOptions(m_pTarskProfileOptions, options,
                            [&] { return VqsOptions_Profile_Sheet::SetOptions(options); });
}

VqsOptions_Report_Tarsk_Sheet::VqsOptions_Report_Tarsk_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                             const PxTarskReportOptionsPtr& options, UINT selectPage)
    : VqsOptions_Report_Sheet(ownerDialog, PxReportOptionsPtr(options), selectPage), m_pTarskReportOptions(options),
      m_environment(this, IDD_TARSK_REPORT_ENVIRONMENT, 0), m_extractFile(this, IDD_TARSK_REPORT_EXTRACT_FILE, 1),
      m_generate(this, IDD_TARSK_REPORT_GENERATE, 2), m_fastLoad(this, IDD_TARSK_REPORT_FAST_LOAD, 3)
{
    AddPage(&m_environment);
    AddPage(&m_extractFile);
    AddPage(&m_generate);
    AddPage(&m_fastLoad);
}

BOOL VqsOptions_Report_Tarsk_Sheet::SetOptions(const PxOptionsPtr& options)
{
    return TakeTypedOptions(m_pTarskReportOptions, options,
                            [&] { return VqsOptions_Report_Sheet::SetOptions(options); });
}
