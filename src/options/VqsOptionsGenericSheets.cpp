#include "options/VqsOptionsGenericSheets.h"

#include "options/VqsColumnAdaptersWithDefault.h"

#include <set>

namespace {

constexpr UINT IDD_BSEG_ENVIRONMENT = 203;
constexpr UINT IDD_BSEG_GENERATE = 204;
constexpr UINT IDD_BSEG_OLTP = 205;
constexpr UINT IDD_BSEG_GLIMMERDESK = 211;
constexpr UINT IDD_BSEG_QUORBIT = 304;
constexpr UINT IDD_ISPEC_ENVIRONMENT = 207;
constexpr UINT IDD_ISPEC_OLTP = 208;
constexpr UINT IDD_PROFILE_ENVIRONMENT = 196;
constexpr UINT IDD_REPORT_ENVIRONMENT = 200;
constexpr UINT IDD_REPORT_EXTRACT_FILE = 201;
constexpr UINT IDD_REPORT_GENERATE = 202;
constexpr UINT IDD_GENERIC_BULK_PANEL = 835;

constexpr int IDC_PANEL_USE_DEFAULT = 1110;
constexpr int IDC_PANEL_TEXT = 1405;
constexpr int IDC_PANEL_COMBO = 1411;
constexpr int IDC_PANEL_FLAG = 1049;

// A panel of the platform-neutral columns; the editors its columns do not use are hidden.
class GenericBulkPanel : public VqsBulkOptionPanel {
public:
    GenericBulkPanel(VqsElementListCtrl* list, const PxBSegOptionsPtr& segment, CWnd* parent)
        : VqsBulkOptionPanel(IDD_GENERIC_BULK_PANEL, list, segment, parent),
          m_useDefault(&m_connector, IDC_PANEL_USE_DEFAULT), m_text(&m_connector, IDC_PANEL_TEXT, -1, 0),
          m_combo(&m_connector, IDC_PANEL_COMBO, 0), m_flag(&m_connector, IDC_PANEL_FLAG)
    {
    }

    BOOL OnInitDialog() override
    {
        VqsBulkOptionPanel::OnInitDialog();
        UpdateData(FALSE);
        for (int id : {IDC_PANEL_USE_DEFAULT, IDC_PANEL_TEXT, IDC_PANEL_COMBO, IDC_PANEL_FLAG})
            if (CWnd* editor = GetDlgItem(id))
                editor->ShowWindow(m_used.count(id) ? SW_SHOW : SW_HIDE);
        return TRUE;
    }

    // Makes the panel's window with the editors of the columns added before.
    void CreateWindowIn(CWnd* page, std::initializer_list<int> usedEditors)
    {
        m_used.insert(usedEditors.begin(), usedEditors.end());
        Create(IDD_GENERIC_BULK_PANEL, page);
    }

    VqsOptCtrlFlag m_useDefault;
    VqsOptCtrlString m_text;
    VqsOptCtrlCombo m_combo;
    VqsOptCtrlFlag m_flag;

private:
    std::set<int> m_used;
};

} // namespace

VqsOptions_BSeg_Generic_Sheet::VqsOptions_BSeg_Generic_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                             const PxBSegOptionsPtr& options, UINT selectPage)
    : VqsOptions_BSeg_Sheet(ownerDialog, options, selectPage), m_environment(this, IDD_BSEG_ENVIRONMENT, 0),
      m_glimmerdesk(this, IDD_BSEG_GLIMMERDESK, 1), m_generate(this, IDD_BSEG_GENERATE, 2),
      m_oltp(this, IDD_BSEG_OLTP, 3), m_quorbit(this, IDD_BSEG_QUORBIT, 4), m_bulkOptions(this, 5)
{
    AddPage(&m_environment);
    AddPage(&m_glimmerdesk);
    AddPage(&m_generate);
    AddPage(&m_oltp);
    AddPage(&m_quorbit);
    AddPage(&m_bulkOptions);
}

void VqsGenericBulkOptionsPage::CreatePanels()
{
    const PxBSegOptionsPtr& segment = m_pTypedSheet->GetTypedOptions();

    auto* ispecs = new GenericBulkPanel(&m_list, segment, this);
    ispecs->AddColumn(new VqsElementListCtrlElNamePxAdapter("Ispec Name", 100));
    ispecs->AddColumn(new VqsElementListCtrlIspecTypePxAdapter("Type", 70));
    ispecs->AddColumn(new VqsElementListCtrlIspecUsagePxAdapter("Usage", 70));
    ispecs->AddColumn(new VqsElementListCtrlIspecServicePxAdapter(&ispecs->m_useDefault, &ispecs->m_text, segment));
    ispecs->CreateWindowIn(this, {IDC_PANEL_USE_DEFAULT, IDC_PANEL_TEXT});
    AdoptPanel(Ispecs, ispecs);

    auto* logics = new GenericBulkPanel(&m_list, segment, this);
    logics->AddColumn(new VqsElementListCtrlElNamePxAdapter("Logic Name", 100));
    logics->CreateWindowIn(this, {});
    AdoptPanel(GlobalLogics, logics);

    auto* reports = new GenericBulkPanel(&m_list, segment, this);
    reports->AddColumn(new VqsElementListCtrlElNamePxAdapter("Report Name", 100));
    reports->AddColumn(new VqsReportExtractPackPxAdapter(&reports->m_useDefault, &reports->m_combo));
    reports->AddColumn(new VqsReportOltpClientPxAdapter(&reports->m_flag, segment));
    reports->CreateWindowIn(this, {IDC_PANEL_USE_DEFAULT, IDC_PANEL_COMBO, IDC_PANEL_FLAG});
    AdoptPanel(Reports, reports);

    auto* profiles = new GenericBulkPanel(&m_list, segment, this);
    profiles->AddColumn(new VqsElementListCtrlProfNamePxAdapter("Profile Name", 100));
    profiles->AddColumn(new VqsProfileOverIspecPxAdapter());
    profiles->AddColumn(new VqsElementListCtrlProfilePackPxAdapter(&profiles->m_useDefault, &profiles->m_combo));
    profiles->CreateWindowIn(this, {IDC_PANEL_USE_DEFAULT, IDC_PANEL_COMBO});
    AdoptPanel(Profiles, profiles);
}

VqsOptions_Ispec_Generic_Sheet::VqsOptions_Ispec_Generic_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                               const PxIspecOptionsPtr& options, UINT selectPage)
    : VqsOptions_Ispec_Sheet(ownerDialog, options, selectPage), m_environment(this, IDD_ISPEC_ENVIRONMENT, 0),
      m_oltp(this, IDD_ISPEC_OLTP, 1)
{
    AddPage(&m_environment);
    AddPage(&m_oltp);
}

VqsOptions_Profile_Generic_Sheet::VqsOptions_Profile_Generic_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                                   const PxProfileOptionsPtr& options,
                                                                   UINT selectPage)
    : VqsOptions_Profile_Sheet(ownerDialog, options, selectPage), m_environment(this, IDD_PROFILE_ENVIRONMENT, 0)
{
    AddPage(&m_environment);
}

VqsOptions_Report_Generic_Sheet::VqsOptions_Report_Generic_Sheet(VqsSoftLinkOptionsDlg* ownerDialog,
                                                                 const PxReportOptionsPtr& options, UINT selectPage)
    : VqsOptions_Report_Sheet(ownerDialog, options, selectPage), m_environment(this, IDD_REPORT_ENVIRONMENT, 0),
      m_extractFile(this, IDD_REPORT_EXTRACT_FILE, 1), m_generate(this, IDD_REPORT_GENERATE, 2)
{
    AddPage(&m_environment);
    AddPage(&m_extractFile);
    AddPage(&m_generate);
}
