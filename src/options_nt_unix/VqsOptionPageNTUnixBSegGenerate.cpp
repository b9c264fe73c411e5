#include "options_nt_unix/VqsOptionPageNTUnixBSegGenerate.h"

#include "options_nt_unix/VqsNTUnixPackLists.h"
#include "proxy/PxNTBSegOptions.h"
#include "proxy/PxTypedList.h"
#include "proxy/PxUnixBSegOptions.h"
#include "proxy/PxVQBSSoftLink.h"
#include "proxy/PxVQProfileSoftLink.h"
#include "win/CButton.h"
#include "win/CDataExchange.h"

#include <functional>

namespace {

constexpr int IDC_SQL_VIEWS = 1085;
constexpr int IDC_CONFIRM_WITH_INSTALL = 1558;
constexpr int IDC_GENERATE_INTERFACE = 2017;
constexpr int IDC_ENABLE_INTERFACE = 2018;
constexpr int IDC_USE_DEFAULT_CLUSTER_INDEX = 1766;
constexpr int IDC_DATABASE_ID = 1380;
constexpr int IDC_ENVIRONMENT = 1086;
constexpr int IDC_PARALLEL_COMPILES = 1259;
constexpr int IDC_CLUSTER_INDEX = 1765;
constexpr int IDC_OBJ = 33022;
constexpr int IDC_INT = 33021;
constexpr int IDC_GNT = 33019;
constexpr int IDC_DLL = 33020;

constexpr int IDC_UNIX_ENVIRONMENT = 33014;
constexpr int IDC_UNIX_PARALLEL_COMPILES = 33016;
constexpr int IDC_UNIX_OBJ = 33017;
constexpr int IDC_UNIX_INT = 33018;

constexpr int kNoValidation = 0;
constexpr int kIdWithHyphen = 5;
constexpr int kParallelCompilesCharacters = 2;
// ".OBJ", ".INT", ".GNT" and ".DLL"; the Unix page has buttons for the first two.
constexpr int kCompileTypes = 4;
constexpr int kUnixButtons = 2;

void LimitParallelCompiles(const PxBSegOptions& options, VqsOptCtrlInt& binder)
{
    std::int64_t upper = 0;
    if (options.HasUpperLimitParallelCompiles(upper))
        binder.SetTextLimit(kParallelCompilesCharacters, 0);
}

// A stored type outside the compile types shows the first button.
void ShowCompileType(VqsOptCtrlRadio& radio, int stored, int buttons)
{
    radio.m_nValue = stored >= 0 && stored < buttons ? stored : 0;
}

// Nothing is stored while no button is chosen.
void StoreCompileType(const VqsOptCtrlRadio& radio, int buttons, const std::function<void(PxEnumCompileType)>& set)
{
    if (radio.m_nValue >= 0 && radio.m_nValue < buttons)
        set(static_cast<PxEnumCompileType>(radio.m_nValue));
}

} // namespace

BEGIN_MESSAGE_MAP(VqsOptionPageNTBSegGenerate, VqsOptionPageBSegGenerate)
    ON_BN_CLICKED(IDC_OBJ, &VqsOptionPageNTBSegGenerate::OnCompileTypeClicked)
    ON_BN_CLICKED(IDC_INT, &VqsOptionPageNTBSegGenerate::OnCompileTypeClicked)
    ON_BN_CLICKED(IDC_GNT, &VqsOptionPageNTBSegGenerate::OnCompileTypeClicked)
    ON_BN_CLICKED(IDC_DLL, &VqsOptionPageNTBSegGenerate::OnCompileTypeClicked)
END_MESSAGE_MAP()

VqsOptionPageNTBSegGenerate::VqsOptionPageNTBSegGenerate(VqsOptions_BSeg_Sheet* sheet, UINT dialogId, int pageIndex)
    : VqsOptionPageBSegGenerate(sheet, dialogId, pageIndex),
      m_generateInterface(m_table.Flag(IDC_GENERATE_INTERFACE, VQS_OPTION(PxNTBSegOptions, GenerateHDBAInterface))),
      m_enableInterface(m_table.Flag(IDC_ENABLE_INTERFACE, VQS_OPTION(PxNTBSegOptions, EnableHDBAInterface))),
      m_parallelCompiles(m_table.Number(IDC_PARALLEL_COMPILES, VQS_NUMBER_OPTION(PxBSegOptions, ParallelCompiles),
                                        VqsOptionTable::NoValidate)),
      m_clusterIndex(m_table.Combo(IDC_CLUSTER_INDEX, VQS_TEXT_OPTION(PxNTBSegOptions, EVENTClusterIndex),
                                   kIdWithHyphen, VqsOptionTable::NoValidate)),
      m_useDefaultClusterIndex(m_table.DefaultBox(IDC_USE_DEFAULT_CLUSTER_INDEX, IDC_CLUSTER_INDEX)),
      m_compileType(&m_connector, IDC_OBJ, IDC_INT, IDC_GNT, IDC_DLL)
{
    m_table.Flag(IDC_SQL_VIEWS, VQS_OPTION(PxNTBSegOptions, SQLViews));
    m_table.Flag(IDC_CONFIRM_WITH_INSTALL, VQS_OPTION(PxNTBSegOptions, ConfirmGenWithInstall));
    m_table.Text(IDC_DATABASE_ID, VQS_TEXT_OPTION(PxNTBSegOptions, GenDataBase), kNoValidation,
                 VqsOptionTable::NoValidate);
    m_table.Text(IDC_ENVIRONMENT, VQS_TEXT_OPTION(PxBSegOptions, GenEnvironment), kNoValidation,
                 VqsOptionTable::NoValidate);
}

BOOL VqsOptionPageNTBSegGenerate::OnInitDialog()
{
    VqsOptionPageBSegGenerate::OnInitDialog();
    LimitParallelCompiles(*m_pTypedSheet->GetTypedOptions(), m_parallelCompiles);
    return TRUE;
}

CStringArray VqsOptionPageNTBSegGenerate::EventProfiles() const
{
    CStringArray names;
    const PxVQBSSoftLinkPtr segment(m_pTypedSheet->GetTypedOptions()->GetSoftLink());
    if (!segment)
        return names;
    PxTypedList<PxVQElementSoftLinkPtr> links;
    segment->GetListOfElementSoftLinks(links);
    for (POSITION pos = links.GetHeadPosition(); pos;) {
        const PxVQProfileSoftLinkPtr profile(links.GetNext(pos));
        if (profile && profile->GetOverEvent())
            names.Add(profile->GetName());
    }
    return names;
}

void VqsOptionPageNTBSegGenerate::AdjustLoadedValues()
{
    VqsOptionPageBSegGenerate::AdjustLoadedValues();
    vqsntunix::OfferChoices(m_clusterIndex, EventProfiles());
    const PxNTBSegOptionsPtr options(m_pTypedSheet->GetTypedOptions());
    ShowCompileType(m_compileType, options->GetDefaultCompileType(), kCompileTypes);
}

void VqsOptionPageNTBSegGenerate::EnableDependentControls()
{
    m_clusterIndex.Enable(!m_useDefaultClusterIndex.m_bValue);
    m_enableInterface.Enable(m_generateInterface.m_bValue);
}

void VqsOptionPageNTBSegGenerate::OnOptionTaken(UINT id)
{
    if (id == IDC_GENERATE_INTERFACE || id == IDC_USE_DEFAULT_CLUSTER_INDEX) {
        EnableDependentControls();
        UpdateData(FALSE);
    }
}

void VqsOptionPageNTBSegGenerate::StoreOptions()
{
    VqsOptionPageBSegGenerate::StoreOptions();
    const PxNTBSegOptionsPtr options(m_pTypedSheet->GetTypedOptions());
    StoreCompileType(m_compileType, kCompileTypes,
                     [&](PxEnumCompileType type) { options->SetDefaultCompileType(type); });
}

BOOL VqsOptionPageNTBSegGenerate::IsNotUpdated()
{
    return VqsOptionPageBSegGenerate::IsNotUpdated() &&
           !PxNTBSegOptionsPtr(m_pTypedSheet->GetTypedOptions())->IsUpdatedDefaultCompileType();
}

void VqsOptionPageNTBSegGenerate::ClearOptions()
{
    VqsOptionPageBSegGenerate::ClearOptions();
    PxNTBSegOptionsPtr(m_pTypedSheet->GetTypedOptions())->ClearDefaultCompileType();
}

VqsOptionPageUnixBSegGenerate::CompileTypeRadio::CompileTypeRadio(VqsDialogCtrlConnector* connector, UINT obj,
                                                                  UINT intermediate)
    : VqsOptCtrlRadio(connector, obj, intermediate), m_ids{obj, intermediate}
{
}

void VqsOptionPageUnixBSegGenerate::CompileTypeRadio::ExchangeValue(CDataExchange* pDX)
{
    const BOOL unshownValue = m_nValue >= kUnixButtons && m_nValue < kCompileTypes;
    if (pDX->m_bSaveAndValidate && unshownValue && !AnyChecked())
        return;
    VqsOptCtrlRadio::ExchangeValue(pDX);
}

BOOL VqsOptionPageUnixBSegGenerate::CompileTypeRadio::AnyChecked() const
{
    for (UINT id : m_ids)
        if (HWND button = GetOwnerItem(id); button && ::SendMessage(button, BM_GETCHECK) == BST_CHECKED)
            return TRUE;
    return FALSE;
}

BEGIN_MESSAGE_MAP(VqsOptionPageUnixBSegGenerate, VqsOptionPageBSegGenerate)
    ON_BN_CLICKED(IDC_UNIX_OBJ, &VqsOptionPageUnixBSegGenerate::OnCompileTypeClicked)
    ON_BN_CLICKED(IDC_UNIX_INT, &VqsOptionPageUnixBSegGenerate::OnCompileTypeClicked)
END_MESSAGE_MAP()

VqsOptionPageUnixBSegGenerate::VqsOptionPageUnixBSegGenerate(VqsOptions_BSeg_Sheet* sheet, UINT dialogId,
                                                             int pageIndex)
    : VqsOptionPageBSegGenerate(sheet, dialogId, pageIndex),
      m_parallelCompiles(m_table.Number(IDC_UNIX_PARALLEL_COMPILES,
                                        VQS_NUMBER_OPTION(PxBSegOptions, ParallelCompiles),
                                        VqsOptionTable::NoValidate)),
      m_compileType(&m_connector, IDC_UNIX_OBJ, IDC_UNIX_INT)
{
    m_table.Flag(IDC_CONFIRM_WITH_INSTALL, VQS_OPTION(PxUnixBSegOptions, ConfirmGenWithInstall));
    m_table.Flag(IDC_SQL_VIEWS, VQS_OPTION(PxUnixBSegOptions, SQLViews));
    m_table.Text(IDC_UNIX_ENVIRONMENT, VQS_TEXT_OPTION(PxBSegOptions, GenEnvironment), kNoValidation,
                 VqsOptionTable::NoValidate);
}

BOOL VqsOptionPageUnixBSegGenerate::OnInitDialog()
{
    VqsOptionPageBSegGenerate::OnInitDialog();
    LimitParallelCompiles(*m_pTypedSheet->GetTypedOptions(), m_parallelCompiles);
    return TRUE;
}

void VqsOptionPageUnixBSegGenerate::AdjustLoadedValues()
{
    VqsOptionPageBSegGenerate::AdjustLoadedValues();
    const PxUnixBSegOptionsPtr options(m_pTypedSheet->GetTypedOptions());
    ShowCompileType(m_compileType, options->GetDefaultCompileType(), kCompileTypes);
}

void VqsOptionPageUnixBSegGenerate::StoreOptions()
{
    VqsOptionPageBSegGenerate::StoreOptions();
    const PxUnixBSegOptionsPtr options(m_pTypedSheet->GetTypedOptions());
    StoreCompileType(m_compileType, kCompileTypes,
                     [&](PxEnumCompileType type) { options->SetDefaultCompileType(type); });
}

BOOL VqsOptionPageUnixBSegGenerate::IsNotUpdated()
{
    return VqsOptionPageBSegGenerate::IsNotUpdated() &&
           !PxUnixBSegOptionsPtr(m_pTypedSheet->GetTypedOptions())->IsUpdatedDefaultCompileType();
}

void VqsOptionPageUnixBSegGenerate::ClearOptions()
{
    VqsOptionPageBSegGenerate::ClearOptions();
    PxUnixBSegOptionsPtr(m_pTypedSheet->GetTypedOptions())->ClearDefaultCompileType();
}
