#include "options_tarsk/VqsOptionPageTarskBSegBulkOptions.h"

#include "options/VqsColumnAdapters.h"
#include "options_tarsk/VqsTarskSizingPxAdapters.h"
#include "options_tarsk/VqsTarskSysTables.h"
#include "shell/VqsMsgBox.h"

namespace {

constexpr UINT IDD_ISPEC_PANEL = 325;
constexpr UINT IDD_REPORT_PANEL = 326;
constexpr UINT IDD_GLOBAL_LOGICS_PANEL = 327;
constexpr UINT IDD_PROFILE_PANEL = 328;
constexpr UINT IDS_OPTIONS_REFUSED = 62461;

// Ispec panel
constexpr int IDC_ISPEC_SERVICE = 1967;
constexpr int IDC_ISPEC_SERVICE_DEFAULT = 1964;
constexpr int IDC_ISPEC_QUB_NO = 1970;
constexpr int IDC_ISPEC_NO_QUB = 1971;
constexpr int IDC_ISPEC_PAGE_SIZE = 1976;
constexpr int IDC_ISPEC_PAGE_SIZE_DEFAULT = 1977;
constexpr int IDC_ISPEC_SIZING_TYPE = 1972;
constexpr int IDC_ISPEC_SIZING_VALUE = 1973;
constexpr int IDC_ISPEC_PACK = 1974;
constexpr int IDC_ISPEC_PACK_DEFAULT = 1975;
constexpr int IDC_ISPEC_DUPLEX_PACK = 1978;
constexpr int IDC_ISPEC_DUPLEX_DEFAULT = 1979;
constexpr int IDC_ISPEC_NO_DUPLEX = 1980;
constexpr int IDC_ISPEC_SOM = 1961;
constexpr int IDC_ISPEC_SOM_DEFAULT = 1962;
constexpr int IDC_ISPEC_INTER_DB = 1968;
constexpr int IDC_ISPEC_ALLOW_EXTERNAL = 1984;
constexpr int IDC_ISPEC_MULTI_MAX_REPORTS = 1982;
constexpr int IDC_ISPEC_MULTI_MAX_ISPECS = 1983;
constexpr int IDC_ISPEC_REVERT_STD = 1981;

// Profile panel
constexpr int IDC_PROFILE_PACK = 1994;
constexpr int IDC_PROFILE_PACK_DEFAULT = 1995;
constexpr int IDC_PROFILE_SIZING_TYPE = 1996;
constexpr int IDC_PROFILE_SIZING_VALUE = 1997;
constexpr int IDC_PROFILE_PAGE_SIZE = 2000;
constexpr int IDC_PROFILE_PAGE_SIZE_DEFAULT = 2001;
constexpr int IDC_PROFILE_QUB_NO = 1998;
constexpr int IDC_PROFILE_NO_QUB = 1999;
constexpr int IDC_PROFILE_DUPLEX_PACK = 2002;
constexpr int IDC_PROFILE_DUPLEX_DEFAULT = 2003;
constexpr int IDC_PROFILE_NO_DUPLEX = 2004;

// Report panel
constexpr int IDC_REPORT_EXTRACT_PACK = 1985;
constexpr int IDC_REPORT_EXTRACT_PACK_DEFAULT = 1991;
constexpr int IDC_REPORT_SORT_MEM_SIZE = 1992;
constexpr int IDC_REPORT_ROC_USES_DB = 1986;
constexpr int IDC_REPORT_ROC_USES_DB_DEFAULT = 1987;
constexpr int IDC_REPORT_OLTP_CLIENT = 1993;

// Global Logics panel
constexpr int IDC_GLG_SEPARATE_COMPILE = 1017;
constexpr int IDC_GLG_SOM = 2007;
constexpr int IDC_GLG_SOM_DEFAULT = 2008;

constexpr int kNoValidator = 0;

void OfferPageSizes(VqsOptCtrlCombo& combo)
{
    CStringArray sizes;
    for (const char* size : vqstarsk::kPageSizes)
        sizes.Add(size);
    combo.SetItems(sizes);
}

} // namespace

// ---- Ispecs

VqsTarskIspecBulkOptionPanel::VqsTarskIspecBulkOptionPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment,
                                                           CWnd* parent, VqsTarskBulkRefusals* refusals)
    : VqsBulkOptionPanel(IDD_ISPEC_PANEL, list, segment, parent), m_pRefusals(refusals),
      m_service(&m_connector, IDC_ISPEC_SERVICE, 15, kNoValidator),
      m_serviceDefault(&m_connector, IDC_ISPEC_SERVICE_DEFAULT),
      m_qubNo(&m_connector, IDC_ISPEC_QUB_NO, 6, kNoValidator), m_noQub(&m_connector, IDC_ISPEC_NO_QUB),
      m_pageSize(&m_connector, IDC_ISPEC_PAGE_SIZE, kNoValidator),
      m_pageSizeDefault(&m_connector, IDC_ISPEC_PAGE_SIZE_DEFAULT),
      m_sizingType(&m_connector, IDC_ISPEC_SIZING_TYPE, kNoValidator),
      m_sizingValue(&m_connector, IDC_ISPEC_SIZING_VALUE, 10, kNoValidator),
      m_pack(&m_connector, IDC_ISPEC_PACK, kNoValidator), m_packDefault(&m_connector, IDC_ISPEC_PACK_DEFAULT),
      m_duplexPack(&m_connector, IDC_ISPEC_DUPLEX_PACK, kNoValidator),
      m_duplexDefault(&m_connector, IDC_ISPEC_DUPLEX_DEFAULT), m_noDuplex(&m_connector, IDC_ISPEC_NO_DUPLEX),
      m_som(&m_connector, IDC_ISPEC_SOM, 6, kNoValidator), m_somDefault(&m_connector, IDC_ISPEC_SOM_DEFAULT),
      m_interDb(&m_connector, IDC_ISPEC_INTER_DB, kNoValidator),
      m_allowExternal(&m_connector, IDC_ISPEC_ALLOW_EXTERNAL),
      m_multiMaxReports(&m_connector, IDC_ISPEC_MULTI_MAX_REPORTS, 16, kNoValidator),
      m_multiMaxIspecs(&m_connector, IDC_ISPEC_MULTI_MAX_ISPECS, 16, kNoValidator),
      m_revertStd(&m_connector, IDC_ISPEC_REVERT_STD)
{
}

BOOL VqsTarskIspecBulkOptionPanel::OnInitDialog()
{
    VqsBulkOptionPanel::OnInitDialog();
    UpdateData(FALSE);
    OfferPageSizes(m_pageSize);
    const PxTarskBSegOptionsPtr tarsk(m_pSegment);
    AddColumn(new VqsElementListCtrlElNamePxAdapter("Ispec Name", 70));
    AddColumn(new VqsElementListCtrlIspecTypePxAdapter("Type", 60));
    AddColumn(new VqsElementListCtrlIspecUsagePxAdapter("Usage", 60));
    AddColumn(new VqsTarskIspecSizingPxAdapter(&m_sizingType, &m_sizingValue));
    auto* duplex = new VqsTarskIspecQUBDuplexPackPxAdapter(&m_noDuplex, &m_duplexDefault, &m_duplexPack, tarsk);
    AddColumn(new VqsElementListCtrlIspecQubNoPxAdapter(&m_noQub, &m_qubNo, duplex, m_pRefusals));
    AddColumn(new VqsTarskIspecPackPxAdapter(&m_packDefault, &m_pack));
    AddColumn(duplex);
    AddColumn(new VqsElementListCtrlIspecPageSizePxAdapter(&m_pageSizeDefault, &m_pageSize, PxOptionsPtr(tarsk)));
    AddColumn(new VqsTarskIspecMultiMaxAccessIspecsPxAdapter(&m_multiMaxIspecs, m_pRefusals));
    AddColumn(new VqsTarskIspecMultiMaxAccessReportsPxAdapter(&m_multiMaxReports, m_pRefusals));
    AddColumn(new VqsTarskIspecRevertStdLayoutPxAdapter(&m_revertStd));
    auto* allowExternal = new VqsTarskIspecAllowExternalPxAdapter(&m_allowExternal);
    AddColumn(allowExternal);
    AddColumn(new VqsTarskIspecInterDBPxAdapter(&m_interDb, allowExternal));
    AddColumn(new VqsTarskIspecSOMNamePxAdapter(&m_somDefault, &m_som));
    AddColumn(new VqsElementListCtrlIspecServicePxAdapter(&m_serviceDefault, &m_service, m_pSegment));
    return TRUE;
}

// ---- profiles

VqsTarskProfileBulkOptionPanel::VqsTarskProfileBulkOptionPanel(VqsElementListCtrl* list,
                                                               const PxBSegOptionsPtr& segment, CWnd* parent,
                                                               VqsTarskBulkRefusals* refusals)
    : VqsBulkOptionPanel(IDD_PROFILE_PANEL, list, segment, parent), m_pRefusals(refusals),
      m_pack(&m_connector, IDC_PROFILE_PACK, kNoValidator), m_packDefault(&m_connector, IDC_PROFILE_PACK_DEFAULT),
      m_sizingType(&m_connector, IDC_PROFILE_SIZING_TYPE, kNoValidator),
      m_sizingValue(&m_connector, IDC_PROFILE_SIZING_VALUE, 10, kNoValidator),
      m_pageSize(&m_connector, IDC_PROFILE_PAGE_SIZE, kNoValidator),
      m_pageSizeDefault(&m_connector, IDC_PROFILE_PAGE_SIZE_DEFAULT),
      m_qubNo(&m_connector, IDC_PROFILE_QUB_NO, 6, kNoValidator), m_noQub(&m_connector, IDC_PROFILE_NO_QUB),
      m_duplexPack(&m_connector, IDC_PROFILE_DUPLEX_PACK, kNoValidator),
      m_duplexDefault(&m_connector, IDC_PROFILE_DUPLEX_DEFAULT), m_noDuplex(&m_connector, IDC_PROFILE_NO_DUPLEX)
{
}

BOOL VqsTarskProfileBulkOptionPanel::OnInitDialog()
{
    VqsBulkOptionPanel::OnInitDialog();
    UpdateData(FALSE);
    OfferPageSizes(m_pageSize);
    const PxTarskBSegOptionsPtr tarsk(m_pSegment);
    AddColumn(new VqsElementListCtrlProfNamePxAdapter("Profile Name", 100));
    AddColumn(new VqsProfileOverIspecPxAdapter());
    auto* duplex = new VqsTarskProfileQUBDuplexPxAdapter(&m_noDuplex, &m_duplexDefault, &m_duplexPack, tarsk);
    AddColumn(new VqsTarskProfileQubNoPxAdapter(&m_noQub, &m_qubNo, duplex, m_pRefusals));
    AddColumn(new VqsElementListCtrlTarskProfileSizingPxAdapter(&m_sizingType, &m_sizingValue));
    AddColumn(new VqsTarskProfilePageSizePxAdapter(&m_pageSizeDefault, &m_pageSize, m_pRefusals));
    AddColumn(new VqsElementListCtrlProfilePackPxAdapter(&m_packDefault, &m_pack));
    AddColumn(duplex);
    return TRUE;
}

// ---- reports

VqsTarskReportBulkOptionPanel::VqsTarskReportBulkOptionPanel(VqsElementListCtrl* list,
                                                             const PxBSegOptionsPtr& segment, CWnd* parent)
    : VqsBulkOptionPanel(IDD_REPORT_PANEL, list, segment, parent),
      m_extractPack(&m_connector, IDC_REPORT_EXTRACT_PACK, kNoValidator),
      m_extractPackDefault(&m_connector, IDC_REPORT_EXTRACT_PACK_DEFAULT),
      m_sortMemSize(&m_connector, IDC_REPORT_SORT_MEM_SIZE, 10, kNoValidator),
      m_rocUsesDb(&m_connector, IDC_REPORT_ROC_USES_DB), m_rocUsesDbDefault(&m_connector, IDC_REPORT_ROC_USES_DB_DEFAULT),
      m_oltpClient(&m_connector, IDC_REPORT_OLTP_CLIENT)
{
}

BOOL VqsTarskReportBulkOptionPanel::OnInitDialog()
{
    VqsBulkOptionPanel::OnInitDialog();
    UpdateData(FALSE);
    AddColumn(new VqsElementListCtrlElNamePxAdapter("Report Name", 100));
    AddColumn(new VqsReportExtractPackPxAdapter(&m_extractPackDefault, &m_extractPack));
    AddColumn(new VqsTarskReportSortMemSizePxAdapter(&m_sortMemSize));
    AddColumn(new VqsTarskReportUsesDBPxAdapter(&m_rocUsesDbDefault, &m_rocUsesDb));
    AddColumn(new VqsReportOltpClientPxAdapter(&m_oltpClient, m_pSegment));
    return TRUE;
}

// ---- global logics

VqsTarskGlbLogicsBulkOptionPanel::VqsTarskGlbLogicsBulkOptionPanel(VqsElementListCtrl* list,
                                                                   const PxBSegOptionsPtr& segment, CWnd* parent)
    : VqsBulkOptionPanel(IDD_GLOBAL_LOGICS_PANEL, list, segment, parent),
      m_separateCompile(&m_connector, IDC_GLG_SEPARATE_COMPILE), m_som(&m_connector, IDC_GLG_SOM, 6, kNoValidator),
      m_somDefault(&m_connector, IDC_GLG_SOM_DEFAULT)
{
}

BOOL VqsTarskGlbLogicsBulkOptionPanel::OnInitDialog()
{
    VqsBulkOptionPanel::OnInitDialog();
    UpdateData(FALSE);
    AddColumn(new VqsElementListCtrlElNamePxAdapter("Logic Name", 120));
    auto* somName = new VqsTarskGLGSOMNamePxAdapter(&m_somDefault, &m_som);
    AddColumn(new VqsTarskGlgSeparateCompilePxAdapter(&m_separateCompile, m_pSegment, somName));
    AddColumn(somName);
    return TRUE;
}

// ---- the page

void VqsOptionPageTarskBSegBulkOptions::CreatePanels()
{
    const PxBSegOptionsPtr& segment = m_pTypedSheet->GetTypedOptions();
    auto* ispecs = new VqsTarskIspecBulkOptionPanel(&m_list, segment, this, &m_refusals);
    auto* profiles = new VqsTarskProfileBulkOptionPanel(&m_list, segment, this, &m_refusals);
    auto* reports = new VqsTarskReportBulkOptionPanel(&m_list, segment, this);
    auto* logics = new VqsTarskGlbLogicsBulkOptionPanel(&m_list, segment, this);
    m_panels[Ispecs] = ispecs;
    m_panels[Profiles] = profiles;
    m_panels[Reports] = reports;
    m_panels[GlobalLogics] = logics;
    ispecs->Create(IDD_ISPEC_PANEL, this);
    profiles->Create(IDD_PROFILE_PANEL, this);
    reports->Create(IDD_REPORT_PANEL, this);
    logics->Create(IDD_GLOBAL_LOGICS_PANEL, this);
    for (int kind : {Ispecs, Profiles, Reports, GlobalLogics})
        PlacePanel(kind, m_panels[kind]);
}

BOOL VqsOptionPageTarskBSegBulkOptions::ApplyPage(BOOL isActivePage, BOOL clearUpdatedMarkWhenDefault)
{
    m_refusals.Clear();
    const BOOL applied = VqsOptionPageBSegBulkOptions::ApplyPage(isActivePage, clearUpdatedMarkWhenDefault);
    if (applied && !m_refusals.IsEmpty()) {
        CString text;
        text.LoadString(IDS_OPTIONS_REFUSED);
        VqsErrorBox(text + "\n" + m_refusals.Describe());
    }
    m_refusals.Clear();
    return applied;
}
