#include "options/VqsOptionPagesBSeg.h"

#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxVQBundle.h"
#include "shell/VqsMsgBox.h"
#include "win/CDataExchange.h"
#include "win/CommonDialogs.h"
#include "win/UiDriver.h"

namespace {

constexpr UINT IDS_ENVIRONMENT = 61561;
constexpr UINT IDS_GLIMMERDESK = 61562;
constexpr UINT IDS_GENERATE = 61563;
constexpr UINT IDS_OLTP = 61564;
constexpr UINT IDS_QUORBIT = 61898;
constexpr UINT IDS_SELECT_BATCH_FILE = 61899;
constexpr UINT IDS_CHOOSE_OUTPUT_DIRECTORY = 61900;
constexpr UINT IDS_BATCH_FILES = 61901;
constexpr UINT IDS_QUORBIT_NEEDS_GLIMMERDESK = 62133;

constexpr int IDC_FULL_KESHOFF = 1084;
constexpr int IDC_USE_DEFAULT_NAME = 1083;
constexpr int IDC_AS_SYSTEM = 1081;
constexpr int IDC_AS_DATABASE = 1082;

constexpr int IDC_ENABLE_OLTP = 1090;
constexpr int IDC_LOAD_CONFIG = 1227;
constexpr int IDC_TRANS_TIMEOUT = 1228;
constexpr int IDC_CLIENT_ONLY = 1091;
constexpr int IDC_CLIENT_AND_SERVER = 1092;

constexpr int IDC_PCE_CAPABLE = 1073;
constexpr int IDC_PCE_LEVEL = 1301;

constexpr int IDC_QUORBIT_CAPABLE = 1824;
constexpr int IDC_APPLICATION_NAME = 1826;
constexpr int IDC_PACKAGE_PREFIX = 1828;
constexpr int IDC_OUTPUT_DIRECTORY = 1230;
constexpr int IDC_BATCH_FILE = 1827;
constexpr int IDC_GENERATE_ALL_BUNDLES = 1825;
constexpr int IDC_BUNDLES = 1831;
constexpr int IDC_BROWSE_OUTPUT_DIRECTORY = 1829;
constexpr int IDC_BROWSE_BATCH_FILE = 1830;

constexpr int kHostNT = 0;
constexpr int kHostTarsk = 2;
constexpr int kTarskDatabaseNameLength = 7;

constexpr const char* kPceLevels[] = {"1R3", "2R1", "2R1A", "2R2", "3R1", "3R2", "3R3", "3R4"};

constexpr const char* kPceSelectedNotice =
    "By selecting the Graphical Interface User Capable checkbox, the Glimmerdesk database structures will be "
    "created or modified when the system is next generated.\nIf you choose to continue with this option, you must "
    "re-generate the system and all reports so that they will work with the new database structures.";
constexpr const char* kPceClearedNotice =
    "By un-selecting the Graphical Interface User Capable checkbox, the Glimmerdesk database structures will be "
    "removed when the system is next generated.\nIf you choose to continue with this option, you must re-generate "
    "the system and all reports so that they will work with the new database structures.";

void EnableItem(CWnd& page, int id, BOOL enable)
{
    if (CWnd* item = page.m_hWnd ? page.GetDlgItem(id) : nullptr)
        item->EnableWindow(enable);
}

} // namespace

VqsOptionPageBSegEnv::VqsOptionPageBSegEnv(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_ENVIRONMENT, pageIndex), m_pTypedSheet(sheet)
{
}

BEGIN_MESSAGE_MAP(VqsOptionPageBSegGenerate, VqsTableOptionPage)
    ON_EN_CHANGE(IDC_AS_DATABASE, &VqsOptionPageBSegGenerate::OnAsDatabaseChanged)
END_MESSAGE_MAP()

VqsOptionPageBSegGenerate::VqsOptionPageBSegGenerate(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_GENERATE, pageIndex), m_pTypedSheet(sheet),
      m_fullKeshOff(m_table.Flag(IDC_FULL_KESHOFF, VQS_OPTION(PxBSegOptions, FullKESHOFF))),
      m_asSystem(m_table.Text(IDC_AS_SYSTEM, VQS_TEXT_OPTION(PxBSegOptions, AsSys), 1, VqsOptionTable::NoValidate)),
      m_useDefaultName(m_table.DefaultBox(IDC_USE_DEFAULT_NAME, IDC_AS_SYSTEM)),
      m_asDatabase(&m_connector, IDC_AS_DATABASE, -1, 1)
{
}

void VqsOptionPageBSegGenerate::AdjustLoadedValues()
{
    const PxBSegOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    CString name = options->GetAsDBase();
    int maxLength = static_cast<int>(options->GetMaxLengthAsDBase());
    if (options->GetOptionsType() == kHostTarsk) {
        maxLength = kTarskDatabaseNameLength;
        name = name.Left(kTarskDatabaseNameLength);
    }
    m_asDatabase.SetMaxLength(maxLength);
    m_asDatabase.SetValue(name);
    m_asDatabase.SaveState();
}

void VqsOptionPageBSegGenerate::OnAsDatabaseChanged() { OnOptionChanged(&m_asDatabase, FALSE); }

void VqsOptionPageBSegGenerate::StoreOptions()
{
    VqsTableOptionPage::StoreOptions();
    if (m_asDatabase.IsModified() || m_pTypedSheet->GetTypedOptions()->GetOptionsType() != kHostTarsk)
        m_pTypedSheet->GetTypedOptions()->SetAsDBase(m_asDatabase.GetValue());
}

BOOL VqsOptionPageBSegGenerate::IsNotUpdated()
{
    return VqsTableOptionPage::IsNotUpdated() && !m_pTypedSheet->GetTypedOptions()->IsUpdatedAsDBase();
}

void VqsOptionPageBSegGenerate::ClearOptions()
{
    VqsTableOptionPage::ClearOptions();
    m_pTypedSheet->GetTypedOptions()->ClearAsDBase();
}

VqsOptionPageBSegOLTP::VqsOptionPageBSegOLTP(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_OLTP, pageIndex), m_pTypedSheet(sheet),
      m_enableOltp(m_table.Flag(IDC_ENABLE_OLTP, VQS_OPTION(PxBSegOptions, EnableOLTP))),
      m_loadConfig(m_table.Flag(IDC_LOAD_CONFIG, VQS_OPTION(PxBSegOptions, LoadConfig))),
      m_transTimeout(m_table.Number(IDC_TRANS_TIMEOUT, VQS_NUMBER_OPTION(PxBSegOptions, TransTimeout))),
      m_clientServer(m_table.Radio(VQS_OPTION(PxBSegOptions, ClientServer), IDC_CLIENT_ONLY, IDC_CLIENT_AND_SERVER))
{
}

BOOL VqsOptionPageBSegOLTP::OnInitDialog()
{
    VqsTableOptionPage::OnInitDialog();
    std::int64_t upper = 0;
    if (m_pTypedSheet->GetTypedOptions()->HasUpperLimitTransTimeout(upper))
        m_transTimeout.SetTextLimit(4, 0);
    return TRUE;
}

// ClientServer 2 is a server without OLTP: shown as client and server with OLTP off.
void VqsOptionPageBSegOLTP::AdjustLoadedValues()
{
    const PxBSegOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    const int clientServer = options->GetClientServer();
    m_clientServer.m_nValue = clientServer > 0 ? 1 : 0;
    if (clientServer == 2)
        m_enableOltp.m_bValue = FALSE;
    m_loadConfig.m_bValue = m_clientServer.m_nValue == 1 && options->GetLoadConfig();
}

void VqsOptionPageBSegOLTP::EnableDependentControls()
{
    m_transTimeout.Enable(m_enableOltp.m_bValue);
    m_clientServer.Enable(m_enableOltp.m_bValue);
    m_loadConfig.Enable(m_enableOltp.m_bValue && m_clientServer.m_nValue == 1);
}

void VqsOptionPageBSegOLTP::OnOptionTaken(UINT id)
{
    switch (id) {
    case IDC_ENABLE_OLTP:
        EnableDependentControls();
        break;
    case IDC_CLIENT_ONLY:
        m_loadConfig.m_bValue = FALSE;
        [[fallthrough]];
    case IDC_CLIENT_AND_SERVER:
        EnableDependentControls();
        UpdateData(FALSE);
        break;
    default:
        break;
    }
}

VqsOptionPageBSegPCE::VqsOptionPageBSegPCE(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_GLIMMERDESK, pageIndex), m_pTypedSheet(sheet),
      m_capable(m_table.Flag(IDC_PCE_CAPABLE, VQS_OPTION(PxBSegOptions, PCEcap))),
      m_level(m_table.Combo(IDC_PCE_LEVEL, VQS_TEXT_OPTION(PxBSegOptions, PCELevel), 0))
{
    m_capable.m_bValue = sheet->GetTypedOptions()->GetPCEcap();
}

BOOL VqsOptionPageBSegPCE::GetPCECapable()
{
    return m_hWnd ? m_capable.m_bValue : m_pTypedSheet->GetTypedOptions()->GetPCEcap();
}

void VqsOptionPageBSegPCE::AdjustLoadedValues()
{
    CStringArray levels;
    for (const char* level : kPceLevels)
        levels.Add(level);
    m_level.SetItems(levels);
}

void VqsOptionPageBSegPCE::EnableDependentControls()
{
    m_level.Enable(m_capable.m_bValue);
    if (m_pTypedSheet->GetTypedOptions()->GetOptionsType() == kHostNT)
        m_capable.Enable(FALSE);
}

void VqsOptionPageBSegPCE::OnOptionTaken(UINT id)
{
    if (id != IDC_PCE_CAPABLE)
        return;
    m_level.Enable(m_capable.m_bValue);
    VqsShowMessageBox(VqsBoxMessage, m_capable.m_bValue ? kPceSelectedNotice : kPceClearedNotice,
                      MB_OK | MB_ICONINFORMATION, 0);
    m_pTypedSheet->OnPageNotify(m_capable.m_bValue);
}

BEGIN_MESSAGE_MAP(VqsOptionPageBSegActiveKESH, VqsTableOptionPage)
    ON_LBN_SELCHANGE(IDC_BUNDLES, &VqsOptionPageBSegActiveKESH::OnBundleListChanged)
    ON_BN_CLICKED(IDC_BROWSE_BATCH_FILE, &VqsOptionPageBSegActiveKESH::OnBrowseBatchFile)
    ON_BN_CLICKED(IDC_BROWSE_OUTPUT_DIRECTORY, &VqsOptionPageBSegActiveKESH::OnBrowseOutputDirectory)
END_MESSAGE_MAP()

VqsOptionPageBSegActiveKESH::VqsOptionPageBSegActiveKESH(VqsOptions_BSeg_Sheet* sheet, UINT dialogId,
                                                         int pageIndex)
    : VqsTableOptionPage(sheet, dialogId, IDS_QUORBIT, pageIndex), m_pTypedSheet(sheet),
      m_capable(m_table.Flag(IDC_QUORBIT_CAPABLE, VQS_OPTION(PxBSegOptions, ActiveKESHCapable))),
      m_applicationName(m_table.Text(IDC_APPLICATION_NAME, VQS_TEXT_OPTION(PxBSegOptions, ApplicationName), 5)),
      m_packagePrefix(m_table.Text(IDC_PACKAGE_PREFIX, VQS_TEXT_OPTION(PxBSegOptions, PackagePrefix), 6)),
      m_outputDirectory(m_table.Text(IDC_OUTPUT_DIRECTORY, VQS_TEXT_OPTION(PxBSegOptions, OutputDirectory), 9)),
      m_batchFile(m_table.Text(IDC_BATCH_FILE, VQS_TEXT_OPTION(PxBSegOptions, BatchFiletoRun), 10)),
      m_generateAllBundles(m_table.Flag(IDC_GENERATE_ALL_BUNDLES, VQS_OPTION(PxBSegOptions, GenerateAllBundles)))
{
}

void VqsOptionPageBSegActiveKESH::DoDataExchange(CDataExchange* pDX)
{
    VqsTableOptionPage::DoDataExchange(pDX);
    if (!m_bundles.m_hWnd)
        DDX_Control(pDX, IDC_BUNDLES, m_bundles);
}

CString VqsOptionPageBSegActiveKESH::StoredOutputDirectory(CString directory)
{
    if (directory.GetLength() > 1 && directory.Right(1) == "/")
        directory = directory.Left(directory.GetLength() - 1);
    return directory;
}

BOOL VqsOptionPageBSegActiveKESH::IsBundleChosen(const CString& bundles, const CString& name)
{
    int start = 0;
    for (int comma = bundles.Find(',', start); comma >= 0; comma = bundles.Find(',', start)) {
        if (bundles.Mid(start, comma - start).CompareNoCase(name) == 0)
            return TRUE;
        start = comma + 1;
    }
    return FALSE;
}

void VqsOptionPageBSegActiveKESH::AdjustLoadedValues()
{
    if (!m_bundles.m_hWnd)
        UpdateData(FALSE);
    while (m_bundles.GetCount() > 0)
        m_bundles.DeleteString(0);
    const PxBSegOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    const CString chosen = options->GetBundlestoGenerate();
    const PxVQBSSoftLinkPtr segment(options->GetSoftLink());
    if (!segment)
        return;
    PxTypedList<PxVQBundlePtr> bundles;
    segment->GetListOfBundles(bundles);
    for (POSITION pos = bundles.GetHeadPosition(); pos;) {
        const CString name = bundles.GetNext(pos)->GetName();
        const int item = m_bundles.AddString(name);
        m_bundles.SetCheck(item, IsBundleChosen(chosen, name) ? 1 : 0);
    }
}

void VqsOptionPageBSegActiveKESH::EnableDependentControls()
{
    const BOOL capable = m_capable.m_bValue;
    m_generateAllBundles.Enable(capable);
    m_applicationName.Enable(capable);
    m_packagePrefix.Enable(capable);
    m_outputDirectory.Enable(capable);
    m_batchFile.Enable(capable);
    EnableItem(*this, IDC_BROWSE_OUTPUT_DIRECTORY, capable);
    EnableItem(*this, IDC_BROWSE_BATCH_FILE, capable);
    if (m_bundles.m_hWnd)
        m_bundles.EnableWindow(capable && !m_generateAllBundles.m_bValue);
}

void VqsOptionPageBSegActiveKESH::OnOptionTaken(UINT id)
{
    if (id == IDC_QUORBIT_CAPABLE && m_capable.m_bValue &&
        m_pTypedSheet->GetTypedOptions()->GetOptionsType() != kHostNT)
        VqsMessageBoxId(IDS_QUORBIT_NEEDS_GLIMMERDESK);
    if (id == IDC_QUORBIT_CAPABLE || id == IDC_GENERATE_ALL_BUNDLES)
        EnableDependentControls();
}

void VqsOptionPageBSegActiveKESH::StoreOptions()
{
    m_applicationName.TrimLeftValue();
    m_applicationName.TrimRightValue();
    m_packagePrefix.TrimLeftValue();
    m_packagePrefix.TrimRightValue();
    m_outputDirectory.TrimLeftValue();
    m_outputDirectory.TrimRightValue();
    m_batchFile.TrimLeftValue();
    m_batchFile.TrimRightValue();
    m_outputDirectory.SetValue(StoredOutputDirectory(m_outputDirectory.GetValue()));
    VqsTableOptionPage::StoreOptions();
    CString chosen;
    for (int item = 0; item < m_bundles.GetCount(); ++item) {
        if (m_bundles.GetCheck(item) != 1)
            continue;
        CString name;
        m_bundles.GetText(item, name);
        chosen += name + ",";
    }
    const PxBSegOptionsPtr& options = m_pTypedSheet->GetTypedOptions();
    options->ClearBundlestoGenerate();
    options->SetBundlestoGenerate(chosen);
}

BOOL VqsOptionPageBSegActiveKESH::IsNotUpdated()
{
    return VqsTableOptionPage::IsNotUpdated() && !m_pTypedSheet->GetTypedOptions()->IsUpdatedBundlestoGenerate();
}

void VqsOptionPageBSegActiveKESH::ClearOptions()
{
    VqsTableOptionPage::ClearOptions();
    m_pTypedSheet->GetTypedOptions()->ClearBundlestoGenerate();
}

void VqsOptionPageBSegActiveKESH::OnBundleListChanged() { BeginModify(nullptr, TRUE); }

void VqsOptionPageBSegActiveKESH::OnBrowseBatchFile()
{
    if (!BeginModify(nullptr, TRUE))
        return;
    CString title;
    title.LoadString(IDS_SELECT_BATCH_FILE);
    CString filterName;
    filterName.LoadString(IDS_BATCH_FILES);
    std::string filter = std::string(filterName) + '\0' + "*.bat" + '\0' + '\0';
    char path[MAX_PATH + 1] = "";
    OPENFILENAME ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hWnd;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof(path);
    ofn.lpstrTitle = title;
    ofn.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (GetOpenFileName(&ofn))
        SetDlgItemText(IDC_BATCH_FILE, path);
}

void VqsOptionPageBSegActiveKESH::OnBrowseOutputDirectory()
{
    if (!BeginModify(nullptr, TRUE))
        return;
    CString title;
    title.LoadString(IDS_CHOOSE_OUTPUT_DIRECTORY);
    char displayName[MAX_PATH] = "";
    BROWSEINFO info{};
    info.hwndOwner = m_hWnd;
    info.pszDisplayName = displayName;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST folder = SHBrowseForFolder(&info);
    if (!folder)
        return;
    char path[MAX_PATH] = "";
    if (SHGetPathFromIDList(folder, path))
        SetDlgItemText(IDC_OUTPUT_DIRECTORY, path);
    IMalloc* allocator = nullptr;
    if (SHGetMalloc(&allocator) == S_OK && allocator) {
        allocator->Free(folder);
        allocator->Release();
    }
}
