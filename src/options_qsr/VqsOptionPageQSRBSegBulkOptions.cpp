#include "options_qsr/VqsOptionPageQSRBSegBulkOptions.h"

#include "options_qsr/VqsOptionsBSegQSRSheet.h"

namespace {

constexpr UINT IDD_ISPEC_PANEL = 842;
constexpr UINT IDD_PROFILE_PANEL = 2015;
constexpr UINT IDD_REPORT_PANEL = 2011;

constexpr int IDC_GLOBAL_LOGICS = 33036;

constexpr int IDC_ISPEC_EXPECTED = 1027;
constexpr int IDC_ISPEC_SERVICE = 1967;
constexpr int IDC_ISPEC_SERVICE_DEFAULT = 1964;
constexpr int IDC_ISPEC_PACK = 1974;
constexpr int IDC_ISPEC_PACK_DEFAULT = 1975;
constexpr int IDC_ISPEC_SUBSYSTEM = 1969;
constexpr int IDC_ISPEC_EXTENDED_EDITION = 1260;
constexpr int IDC_ISPEC_EXTENDED_EDITION_DEFAULT = 1345;
constexpr int IDC_ISPEC_OPTIMIZE_BLOCKSIZE = 1785;
constexpr int IDC_ISPEC_OPTIMIZE_BLOCKSIZE_DEFAULT = 1786;

constexpr int IDC_PROFILE_PACK = 1994;
constexpr int IDC_PROFILE_PACK_DEFAULT = 1995;
constexpr int IDC_PROFILE_SIZING_TYPE = 1996;
constexpr int IDC_PROFILE_SIZING_VALUE = 1997;

constexpr int IDC_REPORT_EXTRACT_PACK = 1985;
constexpr int IDC_REPORT_EXTRACT_PACK_DEFAULT = 1991;
constexpr int IDC_REPORT_SORT_MEMORY_SIZE = 1992;
constexpr int IDC_REPORT_SORT_DISK_SIZE = 1988;
constexpr int IDC_REPORT_SORT_DISK_SIZE_DEFAULT = 1989;
constexpr int IDC_REPORT_ROC_USES_DATABASE = 1986;
constexpr int IDC_REPORT_ROC_USES_DATABASE_DEFAULT = 1987;
constexpr int IDC_REPORT_OLTP_CLIENT = 1993;

constexpr int kNoValidator = 0;

} // namespace

// ---- Ispecs

VqsQSRIspecBulkOptionPanel::VqsQSRIspecBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment,
                                                       CWnd* parent)
    : VqsBulkOptionPanel(IDD_ISPEC_PANEL, list, segment, parent),
      m_expected(&m_connector, IDC_ISPEC_EXPECTED, 10, kNoValidator),
      m_service(&m_connector, IDC_ISPEC_SERVICE, 15, kNoValidator),
      m_serviceDefault(&m_connector, IDC_ISPEC_SERVICE_DEFAULT), m_pack(&m_connector, IDC_ISPEC_PACK, kNoValidator),
      m_packDefault(&m_connector, IDC_ISPEC_PACK_DEFAULT), m_subsystem(&m_connector, IDC_ISPEC_SUBSYSTEM, kNoValidator),
      m_extendedEdition(&m_connector, IDC_ISPEC_EXTENDED_EDITION),
      m_extendedEditionDefault(&m_connector, IDC_ISPEC_EXTENDED_EDITION_DEFAULT),
      m_optimizeBlocksize(&m_connector, IDC_ISPEC_OPTIMIZE_BLOCKSIZE),
      m_optimizeBlocksizeDefault(&m_connector, IDC_ISPEC_OPTIMIZE_BLOCKSIZE_DEFAULT)
{
}

BOOL VqsQSRIspecBulkOptionPanel::OnInitDialog()
{
    VqsBulkOptionPanel::OnInitDialog();
    UpdateData(FALSE);
    AddColumn(new VqsElementListCtrlElNamePxAdapter("Ispec Name", 70));
    AddColumn(new VqsElementListCtrlIspecTypePxAdapter("Type", 60));
    AddColumn(new VqsElementListCtrlIspecUsagePxAdapter("Usage", 60));
    AddColumn(new VqsQSRIspecExpectedPxAdapter(&m_expected));
    AddColumn(new VqsElementListCtrlIspecServicePxAdapter(&m_serviceDefault, &m_service, m_pSegment));
    AddColumn(new VqsElementListCtrlIspecPackPxAdapter(&m_packDefault, &m_pack));
    AddColumn(new VqsElementListCtrlQSRVSSPxAdapter(&m_optimizeBlocksizeDefault, &m_optimizeBlocksize));
    AddColumn(new VqsElementListCtrlQSRXEPxAdapter(&m_extendedEditionDefault, &m_extendedEdition));
    AddColumn(new VqsElementListCtrlQSRSubsysPxAdapter(m_pSegment, &m_subsystem));
    return TRUE;
}

// ---- profiles

VqsQSRProfileBulkOptionPanel::VqsQSRProfileBulkOptionPanel(VqsElementListCtrl* list,
                                                           const PxBSegOptionsPtr& segment, CWnd* parent)
    : VqsBulkOptionPanel(IDD_PROFILE_PANEL, list, segment, parent),
      m_packDefault(&m_connector, IDC_PROFILE_PACK_DEFAULT), m_pack(&m_connector, IDC_PROFILE_PACK, kNoValidator),
      m_sizingType(&m_connector, IDC_PROFILE_SIZING_TYPE, kNoValidator),
      m_sizingValue(&m_connector, IDC_PROFILE_SIZING_VALUE, 10, kNoValidator)
{
}

BOOL VqsQSRProfileBulkOptionPanel::OnInitDialog()
{
    VqsBulkOptionPanel::OnInitDialog();
    UpdateData(FALSE);
    AddColumn(new VqsElementListCtrlProfNamePxAdapter("Profile Name", 120));
    AddColumn(new VqsProfileOverIspecPxAdapter());
    AddColumn(new VqsElementListCtrlProfilePackPxAdapter(&m_packDefault, &m_pack));
    AddColumn(new VqsElementListCtrlProfileSizingPxAdapter(&m_sizingType, &m_sizingValue));
    return TRUE;
}

// ---- reports

VqsQSRReportBulkOptionPanel::VqsQSRReportBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment,
                                                         CWnd* parent)
    : VqsBulkOptionPanel(IDD_REPORT_PANEL, list, segment, parent),
      m_extractPackDefault(&m_connector, IDC_REPORT_EXTRACT_PACK_DEFAULT),
      m_extractPack(&m_connector, IDC_REPORT_EXTRACT_PACK, kNoValidator),
      m_sortMemorySize(&m_connector, IDC_REPORT_SORT_MEMORY_SIZE, 3, kNoValidator),
      m_sortDiskSize(&m_connector, IDC_REPORT_SORT_DISK_SIZE, 6, kNoValidator),
      m_rocUsesDatabaseDefault(&m_connector, IDC_REPORT_ROC_USES_DATABASE_DEFAULT),
      m_rocUsesDatabase(&m_connector, IDC_REPORT_ROC_USES_DATABASE), m_oltpClient(&m_connector, IDC_REPORT_OLTP_CLIENT),
      m_sortDiskSizeDefault(&m_connector, IDC_REPORT_SORT_DISK_SIZE_DEFAULT)
{
}

BOOL VqsQSRReportBulkOptionPanel::OnInitDialog()
{
    VqsBulkOptionPanel::OnInitDialog();
    UpdateData(FALSE);
    AddColumn(new VqsElementListCtrlElNamePxAdapter("Report Name", 100));
    AddColumn(new VqsReportExtractPackPxAdapter(&m_extractPackDefault, &m_extractPack));
    AddColumn(new VqsQSRReportSortMemSizePxAdapter(&m_sortMemorySize));
    AddColumn(new VqsQSRReportSortDiskSizePxAdapter(&m_sortDiskSize, &m_sortDiskSizeDefault));
    AddColumn(new VqsQSRReportUsesDBPxAdapter(&m_rocUsesDatabaseDefault, &m_rocUsesDatabase));
    AddColumn(new VqsReportOltpClientPxAdapter(&m_oltpClient, m_pSegment));
    return TRUE;
}

// ---- the page

VqsOptionPageQSRBSegBulkOptions::VqsOptionPageQSRBSegBulkOptions(VqsOptions_BSeg_QSR_Sheet* sheet, int pageIndex)
    : VqsOptionPageBSegBulkOptions(sheet, pageIndex)
{
}

BOOL VqsOptionPageQSRBSegBulkOptions::OnInitDialog()
{
    VqsOptionPageBSegBulkOptions::OnInitDialog();
    if (CWnd* globalLogics = GetDlgItem(IDC_GLOBAL_LOGICS))
        globalLogics->EnableWindow(FALSE);
    return TRUE;
}

void VqsOptionPageQSRBSegBulkOptions::CreatePanels()
{
    const PxBSegOptionsPtr& segment = m_pTypedSheet->GetTypedOptions();
    auto* ispecs = new VqsQSRIspecBulkOptionPanel(&m_list, segment, this);
    auto* profiles = new VqsQSRProfileBulkOptionPanel(&m_list, segment, this);
    auto* reports = new VqsQSRReportBulkOptionPanel(&m_list, segment, this);
    m_panels[Ispecs] = ispecs;
    m_panels[Profiles] = profiles;
    m_panels[Reports] = reports;
    m_panels[GlobalLogics] = nullptr;
    ispecs->Create(IDD_ISPEC_PANEL, this);
    profiles->Create(IDD_PROFILE_PANEL, this);
    reports->Create(IDD_REPORT_PANEL, this);
    for (int kind : {Ispecs, Profiles, Reports})
        PlacePanel(kind, m_panels[kind]);
}
